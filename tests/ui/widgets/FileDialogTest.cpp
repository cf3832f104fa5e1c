#include "ui/widgets/FileDialog.h"

#include "tests/ui/WindowTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelmora::ui {
namespace {

using test::AnswerNext;

// The names of the files in the watched folder that someone opened or read.
QStringList FilesTouched(int notify)
{
    QStringList names;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = ::read(notify, buffer, sizeof buffer)) > 0;) {
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (!(event->mask & IN_ISDIR) && event->len > 0)
                names << QString::fromLocal8Bit(event->name);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return names;
}

TEST(FileDialogTest, ListingAFolderReadsNoFileAndDoesNotBlock)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A name without a suffix is what makes a type guess read the contents.
    test::WriteBytes(dir.filePath("tickets"), "12345\r\n");
    test::WriteBytes(dir.filePath("summer.wkx"), "[Lottery]\r\n");
    QDir(dir.path()).mkdir("sub");
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0); // nobody writes it
    const int notify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(notify, 0);
    ASSERT_GE(::inotify_add_watch(notify, QFile::encodeName(dir.path()).constData(), IN_OPEN | IN_ACCESS), 0);

    TFileDialog open(TFileDialog::Kind::Open, QStringLiteral("すべてのファイル(*.*)|*.*"), QString(),
                     dir.filePath("x"));
    QStringList types;
    AnswerNext<QFileDialog>([&](QFileDialog& dialog) {
        auto* model = dialog.findChild<QFileSystemModel*>();
        ASSERT_NE(model, nullptr);
        const QModelIndex folder = model->index(dir.path());
        // The model lists in a thread and learns each entry's type there.
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            types.clear();
            for (int row = 0; row < model->rowCount(folder); ++row)
                types << model->index(row, 0, folder).data().toString() + ": " +
                        model->index(row, 2, folder).data().toString();
            if (types.size() >= 3 &&
                std::none_of(types.begin(), types.end(), [](const QString& t) { return t.endsWith(": "); }))
                break;
        }
        dialog.reject();
    });
    EXPECT_FALSE(open.Execute(nullptr));
    types.sort();
    EXPECT_EQ(types, QStringList({"sub: フォルダー", "summer.wkx: WKX ファイル", "tickets: ファイル"}));
    EXPECT_EQ(FilesTouched(notify), QStringList());
    ::close(notify);
}

} // namespace
} // namespace kelmora::ui
