// The window tests share one application object, as the program has one.

#include "ui/KelmoraApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    kelmora::ui::TKelmoraApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
