#include "ui/platform/IoError.h"

#include "core/base/KelmoraError.h"

#include <cerrno>

namespace kelmora::ui::platform {

namespace {

// errno values without a code of their own are reported as themselves; they must not be
// mistaken for the codes of the table (ENETUNREACH is 101, like a full disk).
constexpr int kOwnErrno = -1;

int MappedCode(int errnoValue)
{
    switch (errnoValue) {
    case ENOENT:
    case ENOTDIR:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
        return 5;
    case ENOSPC:
        return 101;
    default:
        return kOwnErrno;
    }
}

std::string OtherErrorText(int code)
{
    return "I/O エラー (" + std::to_string(code) + ")";
}

} // namespace

std::string IoErrorText(int code)
{
    switch (code) {
    case 2:
        return "ファイルが見つかりません";
    case 3:
        return "不正なファイル名です";
    case 4:
        return "オープンしたファイルが多すぎます";
    case 5:
        return "ファイルへのアクセスが拒否されました";
    case 100:
        return "ファイルの末尾以降を読み込みました";
    case 101:
        return "ディスクがいっぱいです";
    case 106:
        return "入力値が数値ではありません";
    default:
        return OtherErrorText(code);
    }
}

void ThrowIoError(int errnoValue)
{
    const int code = MappedCode(errnoValue);
    throw TKelmoraError(code == kOwnErrno ? OtherErrorText(errnoValue) : IoErrorText(code));
}

} // namespace kelmora::ui::platform
