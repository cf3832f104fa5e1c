#include "ui/browser/DirectoryEntryDelegate.h"

#include "ui/browser/DirectoryEntryModel.h"
#include "ui/browser/Glyphs.h"
#include "ui/widgets/EntryPainting.h"

#include <QPainter>

#include <algorithm>

namespace kelmora::ui {

TDirectoryEntryDelegate::TDirectoryEntryDelegate(QObject* parent)
    : TEntryDelegate(16, parent),
      openFolder_(LoadGlyph(QStringLiteral("OPENFOLDER"))),
      currentFolder_(LoadGlyph(QStringLiteral("CURRENTFOLDER"))),
      closedFolder_(LoadGlyph(QStringLiteral("CLOSEDFOLDER")))
{}

void TDirectoryEntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    const bool highlighted = option.state & QStyle::State_Selected;
    BeginEntryPaint(*painter, option.rect, option.palette, highlighted);

    const auto kind = static_cast<TDirectoryEntryKind>(index.data(TDirectoryEntryModel::KindRole).toInt());
    const QPixmap& glyph = kind == TDirectoryEntryKind::Path ? openFolder_
        : kind == TDirectoryEntryKind::Own                   ? currentFolder_
                                                             : closedFolder_;
    const int indent = index.data(TDirectoryEntryModel::IndentRole).toInt();
    const int left = option.rect.left() + indent;
    if (!glyph.isNull())
        painter->drawPixmap(left, option.rect.top() + (option.rect.height() - glyph.height()) / 2, glyph);

    QRect textRect = option.rect;
    textRect.setLeft(left + kGlyphWidth + 4);
    painter->setFont(option.font);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());

    DrawItemFocusFrame(painter, option, highlighted);
    painter->restore();
}

QSize TDirectoryEntryDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int textWidth = option.fontMetrics.horizontalAdvance(index.data(Qt::DisplayRole).toString());
    const int width = index.data(TDirectoryEntryModel::IndentRole).toInt() + kGlyphWidth + 4 + textWidth;
    return EntrySize(option, width);
}

} // namespace kelmora::ui
