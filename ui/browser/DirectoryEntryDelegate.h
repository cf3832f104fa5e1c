#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

namespace kelmora::ui {

// Draws a directory entry: its folder glyph at the entry's indentation, the name after it.
class TDirectoryEntryDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TDirectoryEntryDelegate(QObject* parent = nullptr);

    void SetItemHeight(int height) { itemHeight_ = height; }
    int ItemHeight() const { return itemHeight_; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    static constexpr int kGlyphWidth = 16;
    QPixmap openFolder_;
    QPixmap currentFolder_;
    QPixmap closedFolder_;
    int itemHeight_ = 16;
};

} // namespace kelmora::ui
