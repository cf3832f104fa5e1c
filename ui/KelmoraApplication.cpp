#include "ui/KelmoraApplication.h"

#include "ui/ErrorBox.h"

#include <QFont>
#include <QIcon>
#include <QLibraryInfo>

#include <cstdio>
#include <exception>
#include <new>

namespace kelmora::ui {

TKelmoraApplication::TKelmoraApplication(int& argc, char** argv)
    : QApplication(argc, argv),
      title_(QStringLiteral("Kelmora！"))
{
    // No Linux font answers to the windows' font name; this one has the same metrics.
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    // Qt's own dialogs and menus speak the program's language, whatever the locale.
    if (qtTranslator_.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&qtTranslator_);
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/icons/kelmora-%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);
}

TKelmoraApplication* TKelmoraApplication::Instance()
{
    return static_cast<TKelmoraApplication*>(QCoreApplication::instance());
}

void TKelmoraApplication::ShowError(const QString& message)
{
    const QString text = WithClosingPeriod(message);
    if (presenter_)
        presenter_(title_, text);
    else
        ShowErrorBox(title_, text);
}

TKelmoraApplication::ErrorPresenter TKelmoraApplication::SetErrorPresenter(ErrorPresenter presenter)
{
    std::swap(presenter_, presenter);
    return presenter;
}

bool TKelmoraApplication::notify(QObject* receiver, QEvent* event)
{
    // Qt cannot let an exception pass through its event loop; this is where the failed
    // operation ends.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        // Whatever failed to get its memory has let it go again by now, so the box can show.
        try {
            ShowError(QStringLiteral("メモリが不足しています"));
        } catch (const std::bad_alloc&) {
            std::fputs("kelmora: out of memory\n", stderr);
        }
    } catch (const std::exception& error) {
        ShowError(QString::fromUtf8(error.what()));
    } catch (...) {
        ShowError(QStringLiteral("不明なエラーが発生しました"));
    }
    return false;
}

} // namespace kelmora::ui
