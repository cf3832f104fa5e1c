#include "ui/widgets/GrowthLayout.h"

#include <algorithm>
#include <cmath>

namespace kelmora::ui {
namespace {

int Moved(int edge, double share, int growth)
{
    return edge + static_cast<int>(std::lround(share * std::max(0, growth)));
}

} // namespace

void TGrowthLayout::Add(QWidget* widget, Share horizontal, Share vertical)
{
    items_.push_back({widget, widget->geometry(), horizontal, vertical});
}

void TGrowthLayout::Apply(QSize growth) const
{
    for (const Item& item : items_) {
        if (!item.widget)
            continue;
        const QRect& r = item.drawn;
        const int left = Moved(r.left(), item.horizontal.nearEdge, growth.width());
        const int top = Moved(r.top(), item.vertical.nearEdge, growth.height());
        const int right = Moved(r.left() + r.width(), item.horizontal.farEdge, growth.width());
        const int bottom = Moved(r.top() + r.height(), item.vertical.farEdge, growth.height());
        item.widget->setGeometry(left, top, right - left, bottom - top);
    }
}

} // namespace kelmora::ui
