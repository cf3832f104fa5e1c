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
// The first %s is the full path, the second the reason (SystemReason or one of the texts below).
inline constexpr std::string_view kCannotCreateBecause = "ファイル %s を作成できません: %s";
inline constexpr std::string_view kWriteErrorOnFile = "ストリームへの書き込みエラー (ファイル %s): %s";
inline constexpr std::string_view kCannotOpenBecause = "ファイル %s は開けません: %s";
// %s is the reason.
inline constexpr std::string_view kWriteErrorOnStandardOutput = "ストリームへの書き込みエラー (標準出力): %s";
inline constexpr std::string_view kCannotReadStandardInput = "標準入力から読み込めません: %s";
inline constexpr std::string_view kStandardInputClosed = "標準入力が閉じられているため、読み込めません";
inline constexpr std::string_view kPlantedLink = "共有フォルダーにある他のユーザーのシンボリックリンクは辿りません";
inline constexpr std::string_view kCannotKeepOldBytes =
    "ファイル %s を書き換えられません (フォルダーに書き込めないため直接書き換えることになりますが、"
    "元の内容を退避できません): %s";
// A write error of an in-place rewrite whose old bytes could not be put back: the file, the
// reason, and the path of the copy that holds them.
inline constexpr std::string_view kWriteErrorOldBytesKeptAt =
    "ストリームへの書き込みエラー (ファイル %s): %s。元の内容は %s に残してあります";
// The file, the cache folder, and why the folder cannot be used or failed.
inline constexpr std::string_view kCannotUseCacheFolder =
    "ファイル %s を書き換えられません (フォルダーに書き込めないため直接書き換えることになりますが、"
    "元の内容を退避できません): キャッシュフォルダー %s: %s";
inline constexpr std::string_view kNotTheSaversFolder = "保存するユーザーのフォルダーではありません";
inline constexpr std::string_view kWritableByOthers = "他のユーザーも書き込めます";
inline constexpr std::string_view kNotMadeInOthersFolder = "他のユーザーのフォルダーの中には作りません";
// The file being saved, the cache folder where its new bytes wait, and the reason.
inline constexpr std::string_view kWriteErrorInCacheFolder =
    "ストリームへの書き込みエラー (ファイル %s の保存中、キャッシュフォルダー %s): %s";
// %s is the file another save is rewriting.
inline constexpr std::string_view kRewrittenByAnotherSave = "ファイル %s は別の保存が書き換え中のため、書き換えられません";
inline constexpr std::string_view kTooLargeToRead = "読み込める大きさ (4 GiB) を超えています";
} // namespace messages

// `format` with each %s replaced by the next of `arguments` (an argument's own %s stays).
std::string FillFormat(std::string_view format, const std::vector<std::string>& arguments);

// `path` made absolute, as messages name files.
std::string AbsolutePathText(const std::string& path);

// Puts `path`, made absolute, in place of the %s of `format`.
std::string FormatPathMessage(std::string_view format, const std::string& path);

[[noreturn]] void ThrowCannotCreate(const std::string& path);
[[noreturn]] void ThrowCannotOpen(const std::string& path);
// With the reason: `error` is an errno value, or `reason` a text of its own.
[[noreturn]] void ThrowCannotCreate(const std::string& path, int error);
[[noreturn]] void ThrowCannotCreate(const std::string& path, std::string_view reason);
[[noreturn]] void ThrowCannotOpen(const std::string& path, std::string_view reason);
[[noreturn]] void ThrowWriteError(const std::string& path, int error);
[[noreturn]] void ThrowWriteError(const std::string& path, std::string_view reason);
[[noreturn]] void ThrowStandardOutputError(int error);
[[noreturn]] void ThrowCannotReadStandardInput(std::string_view reason);
[[noreturn]] void ThrowCannotInsertLine();

} // namespace kelmora
