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

void CentreOver(QWidget& window, const QWidget& owner)
{
    window.ensurePolished();
    const QRect over = owner.frameGeometry();
    const QSize size = window.size();
    QPoint place(over.x() + (over.width() - size.width()) / 2, over.y() + (over.height() - size.height()) / 2);
    if (const QRect area = AvailableArea(&owner); !area.isEmpty()) {
        place.setX(std::clamp(place.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())));
        place.setY(std::clamp(place.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height())));
    }
    window.move(place);
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
