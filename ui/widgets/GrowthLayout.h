#pragma once

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <vector>

namespace kelmora::ui {

// Components drawn at fixed positions for a window's smallest size, following the window as it
// grows: each edge moves by a share of the growth (0 stays, 1 moves with the far side), so the
// smallest size shows them exactly as drawn.
class TGrowthLayout {
public:
    // Shares of the growth that the near (left or top) and far (right or bottom) edges move by.
    struct Share {
        double nearEdge;
        double farEdge;
    };
    static constexpr Share kFixed{0, 0};
    static constexpr Share kStretch{0, 1};
    static constexpr Share kMoves{1, 1};

    // Takes the component's present geometry as its place at the smallest size.
    void Add(QWidget* widget, Share horizontal, Share vertical);
    // Places every component for a window `growth` larger than its smallest size.
    void Apply(QSize growth) const;

private:
    struct Item {
        QPointer<QWidget> widget;
        QRect drawn;
        Share horizontal;
        Share vertical;
    };
    std::vector<Item> items_;
};

} // namespace kelmora::ui
