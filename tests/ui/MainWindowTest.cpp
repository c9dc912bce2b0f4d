#include <gtest/gtest.h>

#include "ui/MainWindow.h"

TEST(MainWindowTest, IsTitledWithNameAndVersion)
{
    brimvale::MainWindow window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Brimvale 2.5"));
}
