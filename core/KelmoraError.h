#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

// The message is shown to the user as it is (UTF-8, Japanese). It is also kept as its template
// and the texts that fill the template's %s in order, so that a program speaking another
// language can look the template up in its catalogue and fill it the same way.
class TKelmoraError : public std::runtime_error {
public:
    explicit TKelmoraError(const std::string& message) : std::runtime_error(message), format_(message) {}
    TKelmoraError(std::string_view format, std::vector<std::string> arguments);

    const std::string& Format() const { return format_; }
    const std::vector<std::string>& Arguments() const { return arguments_; }

private:
    std::string format_;
    std::vector<std::string> arguments_;
};

namespace messages {
inline constexpr std::string_view kCannotCreate = "ファイル %s を作成できません";
inline constexpr std::string_view kCannotOpen = "ファイル %s は開けません";
inline constexpr std::string_view kWriteError = "ストリームへの書き込みエラー";
inline constexpr std::string_view kCannotInsertLine = "行を挿入できません";
} // namespace messages

// `format` with each %s replaced by the next of `arguments` (an argument's own %s stays).
std::string FillFormat(std::string_view format, const std::vector<std::string>& arguments);

// `path` made absolute, as messages name files.
std::string AbsolutePathText(const std::string& path);

// Puts `path`, made absolute, in place of the %s of `format`.
std::string FormatPathMessage(std::string_view format, const std::string& path);

[[noreturn]] void ThrowCannotCreate(const std::string& path);
[[noreturn]] void ThrowCannotOpen(const std::string& path);
[[noreturn]] void ThrowWriteError();
[[noreturn]] void ThrowCannotInsertLine();

} // namespace kelmora
