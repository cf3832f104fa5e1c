#include "ui/Startup.h"

#include "ui/DisplayGuard.h"
#include "ui/KelmoraApplication.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"

#include <exception>
#include <memory>

namespace kelmora::ui {

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
    // Only the main window's closing ends the program, whatever else is still open.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(form1.get(), &TForm1::Closed, &application, &QCoreApplication::quit);
    if (started)
        started(*form1);
    form1->show();
    return application.exec();
}

} // namespace kelmora::ui
