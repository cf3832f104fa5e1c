#pragma once

#include "core/files/FileIdentity.h"
#include "core/files/FilePrivileges.h"
#include "core/files/SaveTarget.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kelmora {

class TKeptCopiesFolder;

// Replaces a file so that a failed or killed write leaves the old file as it was: the bytes go
// to a temporary file beside it (unnamed until complete where the file system allows), which is
// synced and renamed over it, keeping the old file's owner where the saver may, its
// permissions, extended attributes and ACLs; set-id bits and capabilities only for the same
// owner, given after the bytes are written.
// Symbolic links on the way are followed by the rules of ResolveSaveTarget, and the last one's
// target is replaced. A target that is not a regular file (a device, a pipe, an open file named
// through /dev/fd) is written directly. Where the folder takes no temporary file the file is
// rewritten in place (RewriteInPlace: not atomic, the old bytes wait in the cache folder, and
// the new ones until Commit). A file the user may not write is not replaced,
// even where the folder would allow it. Hard links to the old file keep the old contents.
// The bytes may come in pieces: Open, Write as often as needed, Commit. A writer destroyed
// or failed before Commit leaves the old file and no temporary file.
// Throws TKelmoraError with the create error (path unusable) or the write error, each naming
// the file and the system's reason.
class TSafeFileWriter {
public:
    TSafeFileWriter();
    TSafeFileWriter(const TSafeFileWriter&) = delete;
    TSafeFileWriter& operator=(const TSafeFileWriter&) = delete;
    ~TSafeFileWriter();

    void Open(const std::string& path);
    // After Open: the file whose bytes the save replaces, if it has any (a regular file).
    std::optional<TFileIdentity> ReplacedFile() const;
    void Write(std::string_view bytes);
    void Commit();
    // Drops what was written; the old file stays.
    void Discard();

private:
    struct TemporaryFile;
    void OpenSpecial(TFileDescriptor fd);
    enum class Mode { Closed, Temporary, Special, InPlace };

    Mode mode_ = Mode::Closed;
    std::string shownPath_; // as given, for messages
    TSaveTarget target_;
    std::optional<TFileIdentity> replaced_;
    std::optional<TFilePrivileges> privileges_; // for the new file, once its bytes are written
    std::unique_ptr<TemporaryFile> temp_;       // for an in-place rewrite, where the new bytes wait
    TFileDescriptor inPlaceFile_;
    std::unique_ptr<TKeptCopiesFolder> cache_; // for an in-place rewrite
    std::size_t written_ = 0;
    bool truncateAtCommit_ = false;
};

// The whole of `bytes` through a TSafeFileWriter.
void WriteFileSafely(const std::string& path, std::string_view bytes);

} // namespace kelmora
