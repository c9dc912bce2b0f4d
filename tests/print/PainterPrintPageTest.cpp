// The page on a PDF writer: one page in a temporary folder holding what was drawn, at 300 printer pixels
// per inch.
#include <gtest/gtest.h>

#include <QFile>
#include <QPdfWriter>

#include "print/PainterPrintPage.h"
#include "support/ScratchFolder.h"

namespace brimvale {
namespace {

TEST(PainterPrintPageTest, DrawsInTwipsWithPensInPrinterPixels)
{
    test::ScratchFolder folder;
    const QString file = QString::fromStdString(folder.file("page.pdf").string());
    {
        QPdfWriter writer(file); // 1200 device units per inch: a twip is 5/6 of one, a printer pixel 4
        PainterPrintPage page(writer, QStringLiteral("Arial"));
        page.setDrawWidth(2);
        page.dot(QPointF(1440, 1440), qRgb(255, 0, 0));
        page.setDrawWidth(3);
        page.box(QRectF(720, 720, 1440, 1440), qRgb(127, 127, 127));
        page.setFont(10, true);
        page.text(QPointF(1440, 2880), QStringLiteral("Core 7"));
        page.endDocument();
    }
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_EQ(bytes.count("/Type /Page\n"), 1);
    // The page's drawing is the file's first stream; qUncompress wants the expected size in front.
    const qsizetype stream = bytes.indexOf("stream\n") + 7;
    const QByteArray contents = qUncompress(QByteArray("\x00\x01\x00\x00", 4) +
                                            bytes.mid(stream, bytes.indexOf("\nendstream", stream) - stream));
    EXPECT_TRUE(contents.contains("1 0 0 scn\n/GSa gs\n1196 1196 8 8 re\nf")) << contents.toStdString();
    EXPECT_TRUE(contents.contains("12 w 1 J 2 M 0 j []0  d\n600 600 1200 1200 re\nS"));
    EXPECT_TRUE(contents.contains("Tj")); // the text
}

} // namespace
} // namespace brimvale
