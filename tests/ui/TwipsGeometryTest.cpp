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

TEST(FileTextTest, DecodesUtf8WhenValidAndLatin1Otherwise)
{
    EXPECT_EQ(textFromFile("T July (\xc2\xb0"
                           "C)"),
              QStringLiteral(u"T July (\u00b0C)"));
    EXPECT_EQ(textFromFile("T July (\xb0"
                           "C)"),
              QStringLiteral(u"T July (\u00b0C)"));
    EXPECT_EQ(textFromFile(""), QString());
    EXPECT_EQ(textFromFile(std::string("a\0b", 3)), QString::fromLatin1("a\0b", 3));
    EXPECT_EQ(textToFile(QStringLiteral(u"\u00b0C")), "\xc2\xb0"
                                                      "C");
    EXPECT_EQ(textFromFile(textToFile(QStringLiteral(u"Temp\u00e9rature"))),
              QStringLiteral(u"Temp\u00e9rature"));
}

} // namespace
} // namespace brimvale
