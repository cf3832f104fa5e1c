#include "ui/Startup.h"

#include "core/draw/LotteryDefinition.h"
#include "ui/DisplayGuard.h"
#include "ui/KelmoraApplication.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <exception>
#include <iostream>
#include <memory>
#include <string_view>

namespace kelmora::ui {

namespace {

// A ticket file (.wkn) becomes the ticket list on the check page; anything else is taken as a
// draw and shown selected in its folder.
void OpenStartupFile(TForm1& form, const std::string& path)
{
    if (QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).suffix().compare(u"wkn", Qt::CaseInsensitive) ==
        0) {
        form.ShowTicketFile(path);
        return;
    }
    // Selecting reads an unreadable draw as an empty one; a file named on the command line
    // that cannot be read is reported instead.
    LoadDefinitionProfile(path);
    form.ShowDefinitionFile(path);
}

} // namespace

std::optional<int> AnswerInformationRequest(int argc, char** argv)
{
    if (argc < 2)
        return std::nullopt;
    const std::string_view argument = argv[1];
    if (argument == "--version") {
        std::cout << "kelmora " KELMORA_VERSION "\n" << std::flush;
    } else if (argument == "--help" || argument == "-h") {
        std::cout << "usage: kelmora [FILE]\n"
                     "Opens Kelmora's window (in Japanese). FILE, a draw (.wkx) or a ticket list (.wkn),\n"
                     "is opened in it; name a file that starts with - as ./-name.\n"
                     "\n"
                     "  -h, --help   show this help\n"
                     "  --version    show the version\n"
                     "\n"
                     "To check tickets without a window, use kelmora-check.\n"
                  << std::flush;
    } else {
        return std::nullopt;
    }
    return std::cout ? 0 : 1;
}

int RunKelmora(int& argc, char** argv, const std::function<void(TForm1&)>& started)
{
    TDisplayGuard displayGuard;
    TKelmoraApplication application(argc, argv);
    displayGuard.Finish();
    std::unique_ptr<TForm1> form1;
    try {
        form1 = std::make_unique<TForm1>();
        form1->SetAboutWindow(new TForm2(form1.get()));
    } catch (const std::exception& error) {
        // The program does not start; say why.
        application.ShowError(QString::fromUtf8(error.what()));
        return 1;
    }
    // Only the main window's closing ends the program; by then it has closed every other window
    // (exit, unlike quit, does not ask them again, so none can keep the program alive).
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(form1.get(), &TForm1::Closed, &application, [] { QCoreApplication::exit(0); });
    // The file is named relative to the folder the program was started in, which the browser
    // may change: resolve it first.
    const QStringList arguments = QCoreApplication::arguments();
    const std::string file = arguments.size() > 1
        ? QFile::encodeName(QFileInfo(arguments.at(1)).absoluteFilePath()).toStdString()
        : std::string();
    if (started)
        started(*form1);
    form1->show();
    if (!file.empty()) {
        // Once the window is up, so that an unreadable file gets the usual error box over it.
        QTimer::singleShot(0, form1.get(), [form = form1.get(), file] { OpenStartupFile(*form, file); });
    }
    return application.exec();
}

} // namespace kelmora::ui
