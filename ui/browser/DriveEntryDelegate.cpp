#include "ui/browser/DriveEntryDelegate.h"

#include "ui/browser/DriveListModel.h"
#include "ui/browser/Glyphs.h"
#include "ui/widgets/EntryPainting.h"

#include <QPainter>

#include <algorithm>

namespace kelmora::ui {

using platform::TVolumeKind;

TDriveEntryDelegate::TDriveEntryDelegate(QObject* parent) : QStyledItemDelegate(parent)
{
    glyphs_[static_cast<size_t>(TVolumeKind::Removable)] = LoadGlyph(QStringLiteral("FLOPPY"));
    glyphs_[static_cast<size_t>(TVolumeKind::Fixed)] = LoadGlyph(QStringLiteral("HARD"));
    glyphs_[static_cast<size_t>(TVolumeKind::Network)] = LoadGlyph(QStringLiteral("NETWORK"));
    glyphs_[static_cast<size_t>(TVolumeKind::CdRom)] = LoadGlyph(QStringLiteral("CDROM"));
    glyphs_[static_cast<size_t>(TVolumeKind::RamDisk)] = LoadGlyph(QStringLiteral("RAM"));
}

const QPixmap& TDriveEntryDelegate::Glyph(TVolumeKind kind) const
{
    return glyphs_[static_cast<size_t>(kind)];
}

void TDriveEntryDelegate::PaintEntry(QPainter* painter, const QRect& rect, TVolumeKind kind, const QString& text,
                                     const QPalette& palette, bool highlighted) const
{
    BeginEntryPaint(*painter, rect, palette, highlighted);
    const QPixmap& glyph = Glyph(kind);
    if (!glyph.isNull())
        painter->drawPixmap(rect.left() + 2, rect.top() + (rect.height() - glyph.height()) / 2, glyph);
    // Shown as it is: "&" is no mnemonic here.
    painter->drawText(rect.adjusted(22, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}

void TDriveEntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->setFont(option.font);
    PaintEntry(painter, option.rect, static_cast<TVolumeKind>(index.data(TDriveListModel::KindRole).toInt()),
               index.data(Qt::DisplayRole).toString(), option.palette, option.state & QStyle::State_Selected);
}

QSize TDriveEntryDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int width = 22 + option.fontMetrics.horizontalAdvance(index.data(Qt::DisplayRole).toString());
    return {width, std::max(kGlyphHeight, option.fontMetrics.height())};
}

} // namespace kelmora::ui
