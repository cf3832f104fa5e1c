#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora::ui::platform {

// The visible subdirectories of dir (hidden ones, "." and ".." left out), in the order the
// file system gives them. Symbolic links to directories count as directories. A directory
// that cannot be read gives none.
std::vector<std::string> FindSubdirectories(const std::string& dir);

// Calls add with the name of every visible ordinary file of dir (or link to one) that matches
// pattern (see MatchesPattern), in the order the file system gives them. A directory that
// cannot be read gives none.
void FindFiles(const std::string& dir, std::string_view pattern, const std::function<void(std::string_view name)>& add);

} // namespace kelmora::ui::platform
