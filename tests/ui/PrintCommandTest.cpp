// File > Print Options on the window: the print options edited live.
#include <QLineEdit>
#include <QPushButton>

#include "MainWindowFixture.h"
#include "ui/PrintSetupDialog.h"

namespace brimvale::test {
namespace {

using PrintCommandTest = MainWindowFixture;

TEST_F(PrintCommandTest, OptionsFollowEveryKeystrokeAndCancelRestoresAllFive)
{
    window->PrintOptions->trigger();
    PrintSetupDialog& d = *window->findChild<PrintSetupDialog*>();
    const PrintOptions& options = window->Settings.printOptions;
    EXPECT_EQ(
        (std::vector{d.Text1->text(), d.Text2->text(), d.Text3->text(), d.Text4->text(), d.Text5->text()}),
        (std::vector<QString>{"6", "3", "100", "10", ""}));
    d.Text3->setText("150");
    EXPECT_EQ(options.zoom, 1.5f);
    d.Text4->setText("12abc");
    EXPECT_EQ(options.fontSize, 12.0f);
    d.Text4->setText("abc");
    EXPECT_EQ(options.fontSize, 0.0f);
    d.Text1->setText("8");
    d.Text2->setText("1");
    d.Text5->setText("Core 7");
    d.Command2->click();
    EXPECT_EQ(
        std::tie(options.dotSize, options.frameThickness, options.zoom, options.fontSize, options.title),
        std::make_tuple(6.0f, 3.0f, 1.0f, 10.0f, std::string()));
}

} // namespace
} // namespace brimvale::test
