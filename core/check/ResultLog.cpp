#include "core/check/ResultLog.h"

#include "core/files/SafeFileWriter.h"

namespace kelmora {

void TResultLog::AppendEntry(std::string_view entry)
{
    if (text_.empty() || EndsWithLineBreak()) {
        text_ += entry;
        text_ += kCrLf;
    } else {
        text_ += kCrLf;
        text_ += entry;
    }
}

void TResultLog::SaveToFile(const std::string& path) const
{
    WriteFileSafely(path, text_);
}

} // namespace kelmora
