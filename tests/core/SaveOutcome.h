#pragma once
// What the save tests share: the user they save as, a folder that user may write in, and what a
// save came to.

#include "core/base/KelmoraError.h"
#include "tests/core/TestFiles.h"

#include <string>

#include <sys/stat.h>
#include <sys/types.h>

namespace kelmora::test {

constexpr uid_t kNobody = 65534;

// A directory every user may write in, for the tests that save as an unprivileged user.
struct SharedDir : TempDir {
    SharedDir() { ::chmod(Path().c_str(), 0777); }
};

// "saved", or the message the operation failed with.
template <class Operation>
std::string ErrorOf(Operation&& operation)
{
    try {
        operation();
        return "saved";
    } catch (const TKelmoraError& error) {
        return error.what();
    }
}

} // namespace kelmora::test
