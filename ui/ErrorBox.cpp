#include "ui/ErrorBox.h"

#include <QApplication>
#include <QMessageBox>

namespace kelmora::ui {

QString WithClosingPeriod(const QString& message)
{
    // Either half of a surrogate pair sorts after ".", as its code point does.
    return !message.isEmpty() && message.back() > u'.' ? message + u'.' : message;
}

void ShowErrorBox(const QString& caption, const QString& text)
{
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace kelmora::ui
