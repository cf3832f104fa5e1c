#include "ui/DisplayGuard.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace kelmora::ui {
namespace {

QtMessageHandler previousHandler = nullptr;
std::vector<std::pair<QtMsgType, std::string>> heldBack;

std::string Reason()
{
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((!display || !*display) && (!wayland || !*wayland))
        return "no display (DISPLAY is not set)";
    return std::string("the display ") + (display && *display ? display : wayland) + " cannot be reached";
}

void HoldBack(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    (void)context;
    if (type != QtFatalMsg) {
        heldBack.emplace_back(type, message.toStdString());
        return;
    }
    std::fprintf(stderr,
                 "kelmora: cannot open the window: %s. To check tickets without a window, use "
                 "kelmora-check DRAW.wkx TICKETS.wkn (see kelmora-check --help).\n",
                 Reason().c_str());
    std::_Exit(1);
}

} // namespace

TDisplayGuard::TDisplayGuard()
{
    previousHandler = qInstallMessageHandler(HoldBack);
}

void TDisplayGuard::Finish()
{
    if (!previousHandler && heldBack.empty())
        return;
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
    for (const auto& [type, message] : heldBack) {
        if (type == QtWarningMsg || type == QtCriticalMsg)
            std::fprintf(stderr, "%s\n", message.c_str());
    }
    heldBack.clear();
}

} // namespace kelmora::ui
