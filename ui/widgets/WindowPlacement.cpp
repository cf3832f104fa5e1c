#include "ui/widgets/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace kelmora::ui {
namespace {

QRect AvailableArea(const QWidget* widget)
{
    const QScreen* screen = widget ? widget->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

void CentreOnScreen(QWidget& window)
{
    const QRect area = AvailableArea(&window);
    if (area.isEmpty())
        return;
    window.ensurePolished();
    const QSize size = window.size();
    window.move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
}

void PlaceDialog(QWidget& dialog, const QWidget* owner)
{
    const QRect area = AvailableArea(owner);
    if (area.isEmpty())
        return;
    dialog.adjustSize();
    const QSize size = dialog.size();
    dialog.move(area.x() + (area.width() - size.width()) / 2,
                area.y() + std::max(0, area.height() - size.height()) / 3);
}

} // namespace kelmora::ui
