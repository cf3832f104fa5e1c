#include "tests/ui/WindowTestSupport.h"

#include "ui/browser/DirectoryListBox.h"
#include "ui/browser/DriveComboBox.h"
#include "ui/browser/FileListBox.h"
#include "ui/widgets/ListBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace kelmora::ui::test {

// Components of the pages and the menu are looked for there: the about window, a child of the
// main window, has components of the same names.
TMainWindowComponents::TMainWindowComponents(const QWidget& form)
    : PageControl1(Find<QTabWidget>(form, "PageControl1")),
      TabSheet1(Find<QWidget>(form, "TabSheet1")),
      TabSheet2(Find<QWidget>(form, "TabSheet2")),
      DriveComboBox1(Find<TDriveComboBox>(*TabSheet1, "DriveComboBox1")),
      DirectoryListBox1(Find<TDirectoryListBox>(*TabSheet1, "DirectoryListBox1")),
      FileListBox1(Find<TFileListBox>(*TabSheet1, "FileListBox1")),
      Edit1(Find<QLineEdit>(*TabSheet1, "Edit1")),
      ListBox1(Find<TListBox>(*TabSheet2, "ListBox1")),
      ListBox2(Find<TListBox>(*TabSheet2, "ListBox2")),
      ListBox3(Find<TListBox>(*TabSheet2, "ListBox3")),
      Button1(Find<QPushButton>(*TabSheet2, "Button1")),
      Edit2(Find<QLineEdit>(*TabSheet2, "Edit2")),
      Button2(Find<QPushButton>(*TabSheet2, "Button2")),
      Button3(Find<QPushButton>(*TabSheet2, "Button3")),
      Memo1(Find<QPlainTextEdit>(*TabSheet2, "Memo1")),
      MainMenu1(Find<QMenuBar>(form, "MainMenu1")),
      File1(Find<QMenu>(*MainMenu1, "File1")),
      N1(Find<QAction>(*MainMenu1, "N1")),
      N2(Find<QAction>(*MainMenu1, "N2")),
      N3(Find<QAction>(*MainMenu1, "N3")),
      N5(Find<QAction>(*MainMenu1, "N5")),
      N6(Find<QAction>(*MainMenu1, "N6")),
      N7(Find<QAction>(*MainMenu1, "N7")),
      N4(Find<QAction>(*MainMenu1, "N4")),
      Exit1(Find<QAction>(*MainMenu1, "Exit1")),
      About1(Find<QAction>(*MainMenu1, "About1")),
      Timer1(Find<QTimer>(form, "Timer1"))
{}

void TypeText(QWidget* widget, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
            continue;
        }
        const qsizetype length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
        i += length - 1;
    }
}

QStringList Rows(const QAbstractItemView& view)
{
    QStringList rows;
    const QAbstractItemModel& model = *view.model();
    for (int row = 0; row < model.rowCount(); ++row)
        rows << model.index(row, 0).data().toString();
    return rows;
}

void ClickRow(QAbstractItemView& view, int row)
{
    const QRect rect = view.visualRect(view.model()->index(row, 0));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

void ChooseMenuItem(QMenuBar& bar, QAction* item)
{
    for (QAction* title : bar.actions()) {
        if (title == item) {
            QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, bar.actionGeometry(title).center());
            return;
        }
        QMenu* menu = title->menu();
        if (!menu || !menu->actions().contains(item))
            continue;
        QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, bar.actionGeometry(title).center());
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000)) {
            ADD_FAILURE() << "the menu did not open";
            return;
        }
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(item).center());
        return;
    }
    ADD_FAILURE() << "no such menu item";
}

void AnswerNextModal(const std::function<bool(QWidget*)>& isWanted, const std::function<void(QWidget*)>& answer)
{
    auto* poll = new QTimer(qApp);
    auto waited = std::make_shared<int>(0);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && isWanted(modal)) {
            poll->stop();
            poll->deleteLater();
            answer(modal);
            return;
        }
        if ((*waited += 5) > 5000) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "the expected modal window did not appear";
            if (modal)
                modal->close();
        }
    });
    poll->start();
}

TNoModalExpected::TNoModalExpected() : poll_(std::make_unique<QTimer>())
{
    poll_->setInterval(5);
    QObject::connect(poll_.get(), &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "a modal window came up: " << modal->metaObject()->className() << " "
                          << modal->windowTitle().toStdString();
            modal->close();
        }
    });
    poll_->start();
}

TNoModalExpected::~TNoModalExpected() = default;

void ChooseFile(QFileDialog& dialog, const QString& path)
{
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    if (!name || !buttons) {
        ADD_FAILURE() << "not the dialog the tests know";
        dialog.close();
        return;
    }
    if (!path.isEmpty())
        name->setText(path);
    QPushButton* ok = buttons->button(dialog.acceptMode() == QFileDialog::AcceptOpen ? QDialogButtonBox::Open
                                                                                     : QDialogButtonBox::Save);
    QTest::mouseClick(ok, Qt::LeftButton);
}

std::string ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll().toStdString();
}

void WriteBytes(const QString& path, const std::string& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string NativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace kelmora::ui::test
