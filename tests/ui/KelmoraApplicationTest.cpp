#include "ui/KelmoraApplication.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <gtest/gtest.h>

#include <new>

namespace kelmora::ui {
namespace {

class TThrowingObject : public QObject {
public:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User)
            throw std::bad_alloc();
        return QObject::event(event);
    }
};

TEST(KelmoraApplicationTest, RunningOutOfMemoryIsReportedInTheUsersLanguage)
{
    TKelmoraApplication& application = *TKelmoraApplication::Instance();
    QStringList shown;
    const auto previous = application.SetErrorPresenter(
        [&](const QString& caption, const QString& text) { shown << caption + "|" + text; });
    TThrowingObject object;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&object, &event));
    application.SetErrorPresenter(previous);
    EXPECT_EQ(shown, QStringList(QStringLiteral("Kelmora！|メモリが不足しています.")));
}

} // namespace
} // namespace kelmora::ui
