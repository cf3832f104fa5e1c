#include "DriveEntryDelegate.h"

#include "DriveListModel.h"
#include "Glyphs.h"

#include <QPainter>

#include <algorithm>

namespace kelmora::ui {

using platform::VolumeKind;

DriveEntryDelegate::DriveEntryDelegate(QObject* parent) : QStyledItemDelegate(parent)
{
    glyphs_[static_cast<size_t>(VolumeKind::Removable)] = LoadGlyph(QStringLiteral("FLOPPY"));
    glyphs_[static_cast<size_t>(VolumeKind::Fixed)] = LoadGlyph(QStringLiteral("HARD"));
    glyphs_[static_cast<size_t>(VolumeKind::Network)] = LoadGlyph(QStringLiteral("NETWORK"));
    glyphs_[static_cast<size_t>(VolumeKind::CdRom)] = LoadGlyph(QStringLiteral("CDROM"));
    glyphs_[static_cast<size_t>(VolumeKind::RamDisk)] = LoadGlyph(QStringLiteral("RAM"));
}

const QPixmap& DriveEntryDelegate::Glyph(VolumeKind kind) const
{
    return glyphs_[static_cast<size_t>(kind)];
}

void DriveEntryDelegate::PaintEntry(QPainter* painter, const QRect& rect, VolumeKind kind, const QString& text,
                                    const QPalette& palette, bool highlighted) const
{
    painter->save();
    painter->fillRect(rect, highlighted ? palette.brush(QPalette::Active, QPalette::Highlight)
                                        : palette.brush(QPalette::Base));
    const QPixmap& glyph = Glyph(kind);
    if (!glyph.isNull())
        painter->drawPixmap(rect.left() + 2, rect.top() + (rect.height() - glyph.height()) / 2, glyph);
    painter->setPen(highlighted ? palette.color(QPalette::Active, QPalette::HighlightedText)
                                : palette.color(QPalette::Text));
    // Shown as it is: "&" is no mnemonic here.
    painter->drawText(rect.adjusted(22, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}

void DriveEntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->setFont(option.font);
    PaintEntry(painter, option.rect, static_cast<VolumeKind>(index.data(DriveListModel::KindRole).toInt()),
               index.data(Qt::DisplayRole).toString(), option.palette, option.state & QStyle::State_Selected);
}

QSize DriveEntryDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int width = 22 + option.fontMetrics.horizontalAdvance(index.data(Qt::DisplayRole).toString());
    return {width, std::max(kGlyphHeight, option.fontMetrics.height())};
}

} // namespace kelmora::ui
