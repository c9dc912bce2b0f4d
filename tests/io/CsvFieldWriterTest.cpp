#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "io/CsvFieldReader.h"
#include "io/CsvFieldWriter.h"
#include "support/FailureKind.h"
#include "support/ScratchFolder.h"

using namespace brimvale;

TEST(CsvFieldWriterTest, QuotesTextsWritesNumbersBareAndEndsLinesWithCrLf)
{
    CsvFieldWriter writer;
    writer.text("Brimvale common output format");
    writer.endLine();
    writer.text("Head note length (lines): ");
    writer.text("14");
    writer.endLine();
    writer.text("Confidence coefficient1 (%):");
    writer.value(NumberOrText::fromNumber(95));
    writer.value(NumberOrText::fromText("95"));
    writer.value(NumberOrText{});
    writer.endLine();
    // A quote inside a text is copied as it is.
    writer.text("a \"b\", c");
    writer.integer(-200);
    writer.endLine();
    // A Single takes seven digits, a Double fifteen.
    writer.bare("");
    writer.number(1.0f / 3.0f);
    writer.number(1e-5f);
    writer.number(1.0 / 3.0);
    writer.number(-0.0);
    writer.number(1.5e20);
    writer.endLine();
    EXPECT_EQ(writer.contents(), "\"Brimvale common output format\"\r\n"
                                 "\"Head note length (lines): \",\"14\"\r\n"
                                 "\"Confidence coefficient1 (%):\",95,\"95\",\r\n"
                                 "\"a \"b\", c\",-200\r\n"
                                 ",0.3333333,1E-05,0.333333333333333,0,1.5E+20\r\n");
}

TEST(CsvFieldWriterTest, WhatIsWrittenReadsBack)
{
    const float axis[] = {-1.25f, 0.1f, 1234.567f, 8590399488.0f, 3e-7f};
    const double cells[] = {0.0, 2.0473, -3.999, 1e-12, 0.125};
    CsvFieldWriter writer;
    writer.text("Vertical resolution (steps): ");
    writer.integer(4);
    writer.endLine();
    for (const float x : axis)
        writer.number(x);
    for (const double v : cells)
        writer.number(v);
    writer.endLine();

    CsvFieldReader reader(writer.takeContents());
    EXPECT_EQ(reader.readText(), "Vertical resolution (steps): ");
    EXPECT_EQ(reader.readInteger(), 4);
    for (const float x : axis)
        EXPECT_EQ(reader.readSingle(), x);
    for (const double v : cells)
        EXPECT_EQ(reader.readDouble(), v);
    EXPECT_TRUE(reader.atEnd());
}

TEST(CsvFieldWriterTest, SavesToAFile)
{
    const test::ScratchFolder folder;
    const auto path = folder.file("saved.csv");
    std::ofstream(path, std::ios::binary) << "a much longer old content that must disappear";
    CsvFieldWriter writer;
    writer.text("x");
    writer.number(1.5);
    writer.endLine();
    writer.saveTo(path);
    std::stringstream saved;
    saved << std::ifstream(path, std::ios::binary).rdbuf();
    EXPECT_EQ(saved.str(), "\"x\",1.5\r\n");

    EXPECT_EQ(test::failureKind([&] { writer.saveTo(folder.path()); }), RuntimeFailure::Kind::FileError);
}
