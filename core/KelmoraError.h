#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace kelmora {

// The message is shown to the user as it is (UTF-8, Japanese).
class TKelmoraError : public std::runtime_error {
public:
    explicit TKelmoraError(const std::string& message) : std::runtime_error(message) {}
};

namespace messages {
inline constexpr std::string_view kCannotCreate = "ファイル %s を作成できません";
inline constexpr std::string_view kCannotOpen = "ファイル %s は開けません";
inline constexpr std::string_view kWriteError = "ストリームへの書き込みエラー";
inline constexpr std::string_view kCannotInsertLine = "行を挿入できません";
} // namespace messages

// Puts `path`, made absolute, in place of the %s of `format`.
std::string FormatPathMessage(std::string_view format, const std::string& path);

[[noreturn]] void ThrowCannotCreate(const std::string& path);
[[noreturn]] void ThrowCannotOpen(const std::string& path);
[[noreturn]] void ThrowWriteError();
[[noreturn]] void ThrowCannotInsertLine();

} // namespace kelmora
