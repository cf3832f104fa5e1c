#include "core/base/SystemReason.h"

#include "core/base/KelmoraError.h"

#include <cerrno>

namespace kelmora {

std::string SystemReason(int error)
{
    switch (error) {
    case ENOSPC:
        return "デバイスに空き領域がありません";
    case EDQUOT:
        return "ディスク使用量の制限を超えました";
    case EFBIG:
        return "ファイルが大きすぎます";
    case EPIPE:
        return "読み手がいなくなりました (パイプが切断されました)";
    case EIO:
        return "入出力エラーが発生しました";
    case EROFS:
        return "読み込み専用のファイルシステムです";
    case EACCES:
        return "アクセスが拒否されました";
    case EPERM:
        return "操作が許可されていません";
    case ENOENT:
        return "そのようなファイルやディレクトリはありません";
    case ENOTDIR:
        return "途中のパスがディレクトリではありません";
    case EISDIR:
        return "ディレクトリです";
    case ELOOP:
        return "シンボリックリンクの階層が多すぎます";
    case ENAMETOOLONG:
        return "ファイル名が長すぎます";
    case EBADF:
        return "閉じられています";
    case ENXIO:
        return "相手がいません (読み手のいない FIFO かデバイス)";
    case EMFILE:
    case ENFILE:
        return "開いているファイルが多すぎます";
    case ENOMEM:
        return "メモリが不足しています";
    case ETXTBSY:
        return "実行中のプログラムのファイルです";
    case EINVAL:
        return "この種類のファイルには書き込めません";
    case ECONNRESET:
        return "接続が相手からリセットされました";
    case EAGAIN:
        return "一時的に利用できません";
    case EINTR:
        return "割り込まれました";
    case ENODEV:
        return "そのようなデバイスはありません";
    case ESTALE:
        return "ネットワーク上のファイルが無効になりました";
    default:
        return FillFormat(messages::kErrorNumber, {std::to_string(error)});
    }
}

std::string ErrorNumberOf(std::string_view reason)
{
    const std::string_view prefix = messages::kErrorNumber.substr(0, messages::kErrorNumber.find("%s"));
    if (!reason.starts_with(prefix) || reason.size() == prefix.size())
        return {};
    const std::string_view number = reason.substr(prefix.size());
    if (number.find_first_not_of("-0123456789") != std::string_view::npos)
        return {};
    return std::string(number);
}

} // namespace kelmora
