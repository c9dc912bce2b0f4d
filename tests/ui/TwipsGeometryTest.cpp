// Widgets placed in twips read back the twips they were given, and file texts decode by one rule.
#include <gtest/gtest.h>

#include <QWidget>

#include "ui/FileText.h"
#include "ui/TwipsGeometry.h"

namespace brimvale {
namespace {

TEST(TwipsGeometryTest, KeepsTwipsThatAreNoWholePixels)
{
    QWidget parent;
    QWidget figure(&parent);
    setTwipsGeometry(figure, 1440, 840, 2175, 5535);
    // A figure at 10 % of its width.
    setTwipsWidth(figure, 217.5);
    EXPECT_EQ(twipsGeometry(figure), (TwipsRect{1440, 840, 217.5, 5535}));
    // 14.5 pixels round to the even 14.
    EXPECT_EQ(figure.geometry(), QRect(96, 56, 14, 369));
    setTwipsTop(figure, 847.5);
    setTwipsLeft(figure, 1447.5);
    setTwipsHeight(figure, 0);
    EXPECT_EQ(twipsGeometry(figure), (TwipsRect{1447.5, 847.5, 217.5, 0}));
    EXPECT_EQ(figure.geometry().topLeft(), QPoint(96, 56));
}

TEST(TwipsGeometryTest, WidgetsPlacedInPixelsReportTheirPixelsInTwips)
{
    QWidget widget;
    widget.setGeometry(10, 20, 30, 40);
    EXPECT_EQ(twipsGeometry(widget), (TwipsRect{150, 300, 450, 600}));
}

// The rule itself is pinned by io's FileTextEncodingTest; here only the way into and out of QString.
TEST(FileTextTest, DecodesUtf8WhenValidAndLatin1Otherwise)
{
    EXPECT_EQ(textFromFile("T (\xc2\xb0)"), QStringLiteral(u"T (\u00b0)"));
    EXPECT_EQ(textFromFile("T (\xb0)"), QStringLiteral(u"T (\u00b0)"));
    EXPECT_EQ(textFromFile(std::string("a\0b", 3)), QString::fromLatin1("a\0b", 3));
    EXPECT_EQ(textToFile(QStringLiteral(u"\u00b0 Temp\u00e9rature")), "\xc2\xb0 Temp\xc3\xa9rature");
}

} // namespace
} // namespace brimvale
