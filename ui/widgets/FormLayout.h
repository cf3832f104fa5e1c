#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

namespace kelmora::ui {

// Windows place their components at fixed pixel positions, as the forms were drawn.
template <typename Widget>
Widget* Place(Widget* widget, const char* name, int left, int top, int width, int height)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

// The forms' gothic face at the given pixel size; start-up maps it to an installed font.
QFont FormFont(int pixelSize = 12);

} // namespace kelmora::ui
