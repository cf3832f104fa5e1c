#pragma once

#include <QListView>

namespace kelmora::ui {

// A list view as a keyboard user of list boxes expects it: a focus mark wherever the focus is
// (on an empty list too), and while nothing is selected, a first Up or Down that selects the
// entry with the focus mark (the first entry when none has it) instead of moving past it. An
// entry too long for the list shows its whole text as a tooltip.
class TListView : public QListView {
    Q_OBJECT
public:
    explicit TListView(QWidget* parent) : QListView(parent) {}

    // Whether the entry at `row` is too long to show whole.
    bool IsCutShort(int row) const;

protected:
    // The height of one entry: the focus mark of a list without a current entry is this high.
    virtual int EntryHeight() const = 0;

    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    bool SelectFocusedEntry(const QKeyEvent& event);
};

} // namespace kelmora::ui
