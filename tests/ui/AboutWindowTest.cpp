#include "tests/ui/WindowTestSupport.h"
#include "ui/Unit2.h"

#include <QFontInfo>
#include <QLabel>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace kelmora::ui {
namespace {

using test::Find;

TEST(AboutWindowTest, ShowsThePictureAndTheVersionWithoutWindowButtons)
{
    TForm2 form;
    EXPECT_FALSE(form.windowFlags() &
                 (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                  Qt::WindowMaximizeButtonHint));
    form.show();
    EXPECT_EQ(form.size(), QSize(301, 181));
    EXPECT_EQ(Find<QLabel>(form, "Image1")->pixmap().size(), QSize(300, 180));
    EXPECT_EQ(QFontInfo(Find<QLabel>(form, "Label1")->font()).family(), QStringLiteral("IPAPGothic"));
    EXPECT_TRUE(QFontInfo(Find<QLabel>(form, "Label1")->font()).bold());
    // The version of the build, as major.minor.
    EXPECT_EQ(Find<QLabel>(form, "Label1")->text(), QStringLiteral("Ver " KELMORA_SHORT_VERSION));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Ver [0-9]+\\.[0-9]+$"))
                    .match(Find<QLabel>(form, "Label1")->text())
                    .hasMatch());
}

} // namespace
} // namespace kelmora::ui
