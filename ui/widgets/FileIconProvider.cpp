#include "ui/widgets/FileIconProvider.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QStyle>

#include <utility>

namespace kelmora::ui {
namespace {

QIcon StandardIcon(QStyle::StandardPixmap pixmap)
{
    return QApplication::style()->standardIcon(pixmap);
}

bool IsRoot(const QFileInfo& info)
{
    return info.isRoot() || info.absoluteFilePath() == u"/";
}

} // namespace

QIcon TFileIconProvider::icon(IconType type) const
{
    static constexpr std::pair<IconType, QStyle::StandardPixmap> kIcons[] = {
        {Computer, QStyle::SP_ComputerIcon}, {Desktop, QStyle::SP_DesktopIcon}, {Trashcan, QStyle::SP_TrashIcon},
        {Network, QStyle::SP_DriveNetIcon},  {Drive, QStyle::SP_DriveHDIcon},   {Folder, QStyle::SP_DirIcon},
    };
    for (const auto& [kind, pixmap] : kIcons) {
        if (kind == type)
            return StandardIcon(pixmap);
    }
    return StandardIcon(QStyle::SP_FileIcon);
}

QIcon TFileIconProvider::icon(const QFileInfo& info) const
{
    if (IsRoot(info))
        return icon(Drive);
    if (info.isDir())
        return StandardIcon(info.isSymLink() ? QStyle::SP_DirLinkIcon : QStyle::SP_DirIcon);
    return StandardIcon(info.isSymLink() ? QStyle::SP_FileLinkIcon : QStyle::SP_FileIcon);
}

QString TFileIconProvider::type(const QFileInfo& info) const
{
    if (IsRoot(info))
        return QStringLiteral("ドライブ");
    if (info.isDir())
        return QStringLiteral("フォルダー");
    if (!info.isFile())
        return QStringLiteral("特殊ファイル");
    const QString suffix = info.suffix();
    return suffix.isEmpty() ? QStringLiteral("ファイル") : QStringLiteral("%1 ファイル").arg(suffix.toUpper());
}

} // namespace kelmora::ui
