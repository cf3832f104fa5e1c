#include "ui/platform/FileNames.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <filesystem>
#include <vector>

#include <sys/stat.h>

namespace kelmora::ui::platform {

namespace {

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsValidUtf8(std::string_view text)
{
    const QString decoded = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QByteArray back = decoded.toUtf8();
    return std::string_view(back.constData(), static_cast<size_t>(back.size())) == text;
}

// Backtracking on the last "*" is enough for "*" and "?" patterns: linear in practice.
template <typename Char>
bool Glob(const Char* name, size_t nameLength, const Char* pattern, size_t patternLength)
{
    size_t n = 0;
    size_t p = 0;
    size_t starPattern = std::string_view::npos;
    size_t starName = 0;
    while (n < nameLength) {
        if (p < patternLength && pattern[p] == Char('*')) {
            starPattern = p++;
            starName = n;
        } else if (p < patternLength && (pattern[p] == Char('?') || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < patternLength && pattern[p] == Char('*'))
        ++p;
    return p == patternLength;
}

bool MatchesFolded(std::string_view name, std::string_view pattern)
{
    if (IsAscii(name) && IsAscii(pattern)) {
        const std::string n = LowerAsciiLetters(name);
        const std::string p = LowerAsciiLetters(pattern);
        return Glob(n.data(), n.size(), p.data(), p.size());
    }
    // "?" stands for one character, so compare code points, not bytes.
    const auto fold = [](std::string_view text) {
        if (!IsValidUtf8(text)) {
            const std::string lowered = LowerAsciiLetters(text);
            return std::vector<char32_t>(lowered.begin(), lowered.end());
        }
        const QList<uint> ucs4 =
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toCaseFolded().toUcs4();
        return std::vector<char32_t>(ucs4.begin(), ucs4.end());
    };
    const std::vector<char32_t> n = fold(name);
    const std::vector<char32_t> p = fold(pattern);
    return Glob(n.data(), n.size(), p.data(), p.size());
}

} // namespace

std::string JoinPath(std::string_view dir, std::string_view name)
{
    // In UTF-8 the byte '/' never occurs inside a multibyte character.
    std::string path(dir);
    if (path.empty() || path.back() != '/')
        path += '/';
    path += name;
    return path;
}

std::string FileNameOf(std::string_view path)
{
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ResolvedDirectoryOf(std::string_view path)
{
    const auto slash = path.rfind('/');
    const std::string folder(slash == std::string_view::npos ? "." : slash == 0 ? "/" : path.substr(0, slash));
    std::error_code error;
    const auto resolved = std::filesystem::canonical(folder, error);
    return error ? folder : resolved.string();
}

bool IsHiddenName(std::string_view name)
{
    return !name.empty() && name.front() == '.';
}

std::string LowerAsciiLetters(std::string_view text)
{
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), LowerAscii);
    return lowered;
}

bool SameFileName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
        std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::string FoldedSortKey(std::string_view name)
{
    if (IsAscii(name) || !IsValidUtf8(name))
        return LowerAsciiLetters(name);
    const QByteArray folded =
        QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toCaseFolded().toUtf8();
    return std::string(folded.constData(), static_cast<size_t>(folded.size()));
}

bool MatchesPattern(std::string_view name, std::string_view pattern)
{
    if (MatchesFolded(name, pattern))
        return true;
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" && name.find('.') == std::string_view::npos)
        return MatchesFolded(name, pattern.substr(0, pattern.size() - 2));
    return false;
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat first {};
    struct stat second {};
    if (a.empty() || b.empty() || ::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0)
        return a == b;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

} // namespace kelmora::ui::platform
