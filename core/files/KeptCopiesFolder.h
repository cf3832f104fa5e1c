#pragma once

#include "core/base/FileDescriptor.h"

#include <string>

namespace kelmora {

// The folder where an in-place rewrite keeps a file's old bytes and spools its new ones:
// kelmora/ in the user's cache folder ($XDG_CACHE_HOME, else $HOME/.cache, else the account's
// home/.cache). The path to it is walked as a save's is (ResolveSaveTarget), so that no link
// another user planted in a shared folder leads there. The cache folder and kelmora/ must be
// the saver's own and writable by nobody else, or the copy the user may be told to restore
// could be swapped. A missing one is made only in a folder of the saver's own or root's:
// root running with another user's HOME must not take that user's cache folder from them.
class TKeptCopiesFolder {
public:
    // Throws the refusal of the rewrite of `shownPath`, naming the folder and why.
    static TKeptCopiesFolder Open(const std::string& shownPath);

    const std::string& Path() const { return path_; }
    // A file only this process sees; errno tells why when it is not valid.
    TFileDescriptor CreateUnnamed() const;
    // A file named after `stem`; `name` gets its path. errno tells why when it is not valid.
    TFileDescriptor CreateNamed(const std::string& stem, std::string& path) const;
    // Removes a file CreateNamed made.
    void Remove(const std::string& path) const;
    // The refusal of the rewrite of `shownPath` for a failure in this folder.
    [[noreturn]] void Refuse(const std::string& shownPath, int error) const;

private:
    TFileDescriptor folder_;
    std::string path_;
};

// Where the folder is, for messages; empty when the user has no cache folder.
std::string KeptCopiesFolder();

} // namespace kelmora
