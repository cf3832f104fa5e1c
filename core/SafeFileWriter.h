#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace kelmora {

// Replaces a file so that a failed or killed write leaves the old file as it was: the bytes go
// to a temporary file beside it (unnamed until complete where the file system allows), which is
// synced and renamed over it, keeping the old file's owner where the saver may, its
// permissions, extended attributes and ACLs; set-id bits only for the same owner.
// A symbolic link is followed and its target replaced, except a link that another user planted
// in a sticky, world-writable directory, or a chain longer than the system follows. A target
// that is not a regular file (a device, a pipe) is written directly; where the directory takes
// no temporary file the file is rewritten in place after its new size was reserved, and its old
// bytes are put back if that write fails (the new bytes are held until Commit for that). A file
// the user may not write is not replaced, even where the directory would allow it. Hard links
// to the old file keep the old contents.
// The bytes may come in pieces: Open, Write as often as needed, Commit. A writer destroyed
// or failed before Commit leaves the old file and no temporary file.
// Throws TKelmoraError with the create error (path unusable) or the write error.
class TSafeFileWriter {
public:
    TSafeFileWriter();
    TSafeFileWriter(const TSafeFileWriter&) = delete;
    TSafeFileWriter& operator=(const TSafeFileWriter&) = delete;
    ~TSafeFileWriter();

    void Open(const std::string& path);
    void Write(std::string_view bytes);
    void Commit();
    // Drops what was written; the old file stays.
    void Discard();

private:
    struct TemporaryFile;
    enum class Mode { Closed, Temporary, Special, InPlace };

    Mode mode_ = Mode::Closed;
    std::string shownPath_; // as given, for messages
    std::string target_;    // with the links resolved
    std::string directory_;
    std::unique_ptr<TemporaryFile> temp_;
    std::string held_; // the new bytes, for an in-place rewrite
    std::size_t written_ = 0;
};

// The whole of `bytes` through a TSafeFileWriter.
void WriteFileSafely(const std::string& path, std::string_view bytes);

} // namespace kelmora
