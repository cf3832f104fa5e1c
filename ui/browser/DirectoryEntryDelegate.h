#pragma once

#include "ui/browser/EntryDelegate.h"

#include <QPixmap>

namespace kelmora::ui {

// Draws a directory entry: its folder glyph at the entry's indentation, the name after it.
class TDirectoryEntryDelegate : public TEntryDelegate {
    Q_OBJECT
public:
    explicit TDirectoryEntryDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    static constexpr int kGlyphWidth = 16;
    QPixmap openFolder_;
    QPixmap currentFolder_;
    QPixmap closedFolder_;
};

} // namespace kelmora::ui
