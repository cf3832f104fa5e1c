#pragma once

#include <QStyledItemDelegate>

namespace kelmora::ui {

// Draws a file entry: just its name, 2 pixels in, at the top of the entry.
class TFileNameDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TFileNameDelegate(QObject* parent = nullptr);

    void SetItemHeight(int height) { itemHeight_ = height; }
    int ItemHeight() const { return itemHeight_; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int itemHeight_ = 12;
};

} // namespace kelmora::ui
