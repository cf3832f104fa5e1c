#pragma once

#include <QApplication>
#include <QString>
#include <QTranslator>

#include <functional>

namespace kelmora::ui {

// The application object: its title, and the standard handler that reports every error
// leaving an event handler, a menu command or a timer tick, after which the program goes on.
class TKelmoraApplication : public QApplication {
public:
    using ErrorPresenter = std::function<void(const QString& caption, const QString& text)>;

    TKelmoraApplication(int& argc, char** argv);

    static TKelmoraApplication* Instance();

    // The caption of the error box (full-width "！"; the main window's caption differs).
    const QString& Title() const { return title_; }

    // The standard handler's report of an error message.
    void ShowError(const QString& message);
    // Replaces what shows the error box (tests record instead of waiting for a click);
    // returns the previous presenter. An empty one restores the real box.
    ErrorPresenter SetErrorPresenter(ErrorPresenter presenter);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    QString title_;
    QTranslator qtTranslator_;
    ErrorPresenter presenter_;
};

} // namespace kelmora::ui
