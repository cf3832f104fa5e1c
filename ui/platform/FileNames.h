#pragma once

#include <string>
#include <string_view>

namespace kelmora::ui::platform {

// Paths are the platform's native bytes (UTF-8 here); "/" is the root and the separator.

// dir, "/" and name; the separator is never doubled after a directory that ends in one.
std::string JoinPath(std::string_view dir, std::string_view name);

// The last component of a path: the file's name.
std::string FileNameOf(std::string_view path);
// The folder holding a file, with links and "." resolved as the browser shows folders; the
// folder as written when it cannot be resolved.
std::string ResolvedDirectoryOf(std::string_view path);

// Names beginning with "." are hidden.
bool IsHiddenName(std::string_view name);

// The file-name case conversion: only the letters A to Z become lower case; every other
// character, multibyte ones included, stays as it is.
std::string LowerAsciiLetters(std::string_view text);

// The file-name comparison: equal once both are converted by LowerAsciiLetters.
bool SameFileName(std::string_view a, std::string_view b);

// Whether two paths name one file (through links, other spellings, hard links); paths that
// cannot be looked up are the same when they are spelt the same.
bool SameFile(const std::string& a, const std::string& b);

// A key whose byte order sorts names alphabetically without regard to case (full Unicode
// case folding; names that are not valid UTF-8 fold only their ASCII letters).
std::string FoldedSortKey(std::string_view name);

// Wildcard match without regard to case: "*" any run of characters, "?" one character.
// A pattern ending in ".*" also matches a name without a dot, so "*.*" matches every name.
bool MatchesPattern(std::string_view name, std::string_view pattern);

} // namespace kelmora::ui::platform
