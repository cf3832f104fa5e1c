#pragma once

#include <QStyledItemDelegate>

#include <algorithm>

namespace kelmora::ui {

// What the browser lists' delegates share: entries of one height, set by the list, never
// shorter than the text.
class TEntryDelegate : public QStyledItemDelegate {
public:
    TEntryDelegate(int itemHeight, QObject* parent) : QStyledItemDelegate(parent), itemHeight_(itemHeight) {}

    void SetItemHeight(int height) { itemHeight_ = height; }
    int ItemHeight() const { return itemHeight_; }

protected:
    QSize EntrySize(const QStyleOptionViewItem& option, int width) const
    {
        return {width, std::max(itemHeight_, option.fontMetrics.height())};
    }

private:
    int itemHeight_;
};

} // namespace kelmora::ui
