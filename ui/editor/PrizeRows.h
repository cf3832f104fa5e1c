#pragma once

#include "ui/widgets/Cp932Edit.h"
#include "ui/widgets/FormLayout.h"

#include <QLabel>
#include <QString>

#include <array>
#include <cstddef>
#include <string>

namespace kelmora::ui {

// Where a template window's prize rows go: the first row's top, the caption's width, the box's
// left edge and width.
struct TPrizeRowsPlace {
    int top;
    int captionWidth;
    int boxLeft;
    int boxWidth;
};

// One row a prize under a template's numbers: a caption and a box, 28 pixels apart, named Label2
// and Edit2 on, as the windows' tests find them.
template <std::size_t N>
void PlacePrizeRows(QWidget* parent, const std::array<QString, N>& captions, const TPrizeRowsPlace& place,
                    std::array<QLabel*, N>& labels, std::array<TCp932Edit*, N>& boxes)
{
    for (std::size_t k = 0; k < N; ++k) {
        const int top = place.top + static_cast<int>(k) * 28;
        const std::string labelName = "Label" + std::to_string(k + 2);
        const std::string boxName = "Edit" + std::to_string(k + 2);
        labels[k] = Place(new QLabel(captions[k], parent), labelName.c_str(), 8, top + 4, place.captionWidth, 12);
        boxes[k] = Place(new TCp932Edit(parent), boxName.c_str(), place.boxLeft, top, place.boxWidth, 20);
    }
}

// "1等の賞", "2等の賞", ... for the N classes of a draw.
template <std::size_t N>
std::array<QString, N> ClassPrizeCaptions()
{
    std::array<QString, N> captions;
    for (std::size_t k = 0; k < N; ++k)
        captions[k] = QStringLiteral("%1等の賞").arg(k + 1);
    return captions;
}

} // namespace kelmora::ui
