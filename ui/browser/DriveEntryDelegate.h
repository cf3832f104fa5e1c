#pragma once

#include "ui/platform/Volume.h"

#include <QPixmap>
#include <QStyledItemDelegate>

#include <array>

namespace kelmora::ui {

// Draws a drive entry: the glyph of its kind 2 pixels in, the text from 22 pixels.
class TDriveEntryDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TDriveEntryDelegate(QObject* parent = nullptr);

    const QPixmap& Glyph(platform::TVolumeKind kind) const;

    // Also used for the closed chooser, which shows its selected entry the same way.
    void PaintEntry(QPainter* painter, const QRect& rect, platform::TVolumeKind kind, const QString& text,
                    const QPalette& palette, bool highlighted) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    static constexpr int kGlyphHeight = 11;

private:
    std::array<QPixmap, 5> glyphs_;
};

} // namespace kelmora::ui
