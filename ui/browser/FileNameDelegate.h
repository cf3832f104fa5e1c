#pragma once

#include "ui/browser/EntryDelegate.h"

namespace kelmora::ui {

// Draws a file entry: just its name, 2 pixels in, at the top of the entry.
class TFileNameDelegate : public TEntryDelegate {
    Q_OBJECT
public:
    explicit TFileNameDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace kelmora::ui
