// The window's state replayed without a window: the captions and ranges that decide the result file.
#include <gtest/gtest.h>

#include <memory>

#include "BatchTestFiles.h"
#include "cli/WindowReplay.h"
#include "io/CorvaneMatrixReader.h"
#include "io/FileTextEncoding.h"
#include "model/NumberText.h"

namespace brimvale {
namespace {

using test::CorvaneFileBuilder;

class WindowReplayTest : public ::testing::Test {
protected:
    test::ScratchFolder folder;
    std::unique_ptr<WindowReplay> window = std::make_unique<WindowReplay>();
    std::unique_ptr<CorvaneMatrix> matrix;

    void SetUp() override
    {
        const auto path = folder.file("matrix.csv");
        CorvaneFileBuilder().writeTo(path);
        matrix = readCorvaneMatrix(path);
    }

    std::filesystem::path record(const test::Record& points, const std::string& verticalTitle = "Depth (cm)")
    {
        return test::writeBytes(folder.file("core.csv"), test::dataFileText(points, verticalTitle));
    }

    // Data (depths 0 to 95, values 5 to 7), then the default matrix (axis -10 to 20).
    void importBoth()
    {
        const auto data = record({{0, 5}, {10, 6}, {95, 7}});
        window->importData(data, dialogFileName(data));
        window->importMatrix(*matrix, "/somewhere/matrix.csv");
    }
};

TEST_F(WindowReplayTest, DataImportFillsTheRangeBoxesFromTheRoundedRange)
{
    const auto data = record({{0, 5}, {10, 6}, {95, 7}});
    window->importData(data, "/data/core.csv");
    // Depths 0 to 95 round out to 0 and 100; the section's vertical axis shows the boxes.
    EXPECT_EQ(window->topText(), "0");
    EXPECT_EQ(window->bottomText(), "100");
    const ResultFileInput input = window->saveInput();
    EXPECT_EQ(input.sectionTopCaption, "0");
    EXPECT_EQ(input.sectionBottomCaption, "100");
    EXPECT_EQ(input.dataFileName, "/data/core.csv");
    EXPECT_EQ(input.dataYTitle, "Depth (cm)");
    EXPECT_EQ(input.dataXTitle, "Quercus (%)");
    // No matrix yet: the probability figure's axis is empty.
    EXPECT_EQ(input.axisLeftCaption, "");
    EXPECT_EQ(input.smoothingCaption, "1");
}

TEST_F(WindowReplayTest, MatrixImportGivesEveryFigureTheMatrixAxis)
{
    importBoth();
    const ResultFileInput input = window->saveInput();
    EXPECT_EQ(input.axisLeftCaption, "-10");
    EXPECT_EQ(input.axisRightCaption, "20");
    EXPECT_EQ(window->sectionLeftCaption(), "-10");
    EXPECT_EQ(window->sectionRightCaption(), "20");
    EXPECT_EQ(input.matrixFileName, "/somewhere/matrix.csv");
    EXPECT_EQ(input.matrixXTitle, "Quercus pollen (%)");
    EXPECT_EQ(input.matrixYTitle, "Mean July temperature (C)");
    EXPECT_EQ(input.confidenceCoefficient1, NumberOrText::fromText("95"));
    EXPECT_EQ(input.confidenceCoefficient2, NumberOrText::fromText("68"));
    // The matrix axis does not change the vertical range.
    EXPECT_EQ(input.sectionTopCaption, "0");
    EXPECT_EQ(input.sectionBottomCaption, "100");
}

TEST_F(WindowReplayTest, TypedRangesAreWrittenBackInTheirDefaultForm)
{
    importBoth();
    // The box shows "10.50" only until the curve is drawn, which writes it back as "10.5" and runs the
    // change handler once more; the section's axis caption follows.
    window->typeTop("10.50");
    window->typeBottom("  2e2 cm");
    EXPECT_EQ(window->topText(), "10.5");
    EXPECT_EQ(window->bottomText(), "200");
    const ResultFileInput input = window->saveInput();
    EXPECT_EQ(input.sectionTopCaption, "10.5");
    EXPECT_EQ(input.sectionBottomCaption, "200");
}

TEST_F(WindowReplayTest, TextWithoutANumberTypesZero)
{
    importBoth();
    window->typeTop("top");
    EXPECT_EQ(window->topText(), "0");
}

TEST_F(WindowReplayTest, EqualTopAndBottomCannotBeDrawn)
{
    importBoth();
    try {
        window->typeTop("100");
        FAIL() << "a range of zero height was drawn";
    } catch (const RuntimeFailure& failure) {
        EXPECT_TRUE(isRangeFailure(failure)) << failure.what();
        EXPECT_EQ(std::string(failure.what()).rfind("Please set valid range. (", 0), 0u) << failure.what();
    }
}

TEST_F(WindowReplayTest, TopBelowBottomIsDrawnButNotCalibrated)
{
    importBoth();
    window->typeTop("150");
    EXPECT_EQ(window->topText(), "150");
    try {
        window->calibrate();
        FAIL() << "an upside-down range was calibrated";
    } catch (const RuntimeFailure& failure) {
        EXPECT_TRUE(isRangeFailure(failure)) << failure.what();
        EXPECT_NE(std::string(failure.what()).find("top 150"), std::string::npos) << failure.what();
    }
    EXPECT_FALSE(window->sectionDrawn());
}

TEST_F(WindowReplayTest, NarrowWidthSpringsBackToTen)
{
    window->setWidth(4);
    window->setHeight(50);
    importBoth();
    const ResultFileInput input = window->saveInput();
    EXPECT_EQ(input.slider1, 10);
    EXPECT_EQ(input.slider2, 50);
}

TEST_F(WindowReplayTest, SmoothingLevelIsItsCaption)
{
    importBoth();
    window->setSmoothing(3);
    EXPECT_EQ(window->saveInput().smoothingCaption, "3");
}

TEST_F(WindowReplayTest, CalibrationCopiesTheCrossedMatrixColumn)
{
    importBoth();
    window->calibrate();
    ASSERT_TRUE(window->sectionDrawn());
    const SectionMatrix& section = window->section();
    EXPECT_EQ(section.verticalSteps(), 511);
    // The first record lies at value 5, column (5 + 10) / 0.15 = 100, on row 0.
    EXPECT_EQ(section(0, 100, 0), 1.0);
    for (int j = 0; j <= 200; ++j)
        EXPECT_EQ(section(1, j, 0), static_cast<float>(CorvaneFileBuilder::packedCell(100, j))) << j;
    // Depth 95 of 100 lies at row 95 / (100 / 511) = 485.45; no row below 486 holds the curve.
    for (int h = 486; h <= 511; ++h)
        for (int j = 0; j <= 200; ++j)
            EXPECT_EQ(section(0, j, h), 0.0) << h;
    // The last record, at value 7, marks column (7 + 10) / 0.15 = 113.3 of that row.
    EXPECT_EQ(section(0, 113, 485), 1.0);
}

TEST_F(WindowReplayTest, TitlesAreDecodedLikeTheWindowDoesIt)
{
    const auto data = record({{0, 5}, {95, 7}}, "Tiefe (\xB5m)");
    window->importData(data, "core.csv");
    EXPECT_EQ(window->saveInput().dataYTitle, "Tiefe (\xC2\xB5m)");
}

TEST(DialogFileNameTest, IsAbsoluteAndNormalWithoutFollowingLinks)
{
    const std::filesystem::path here = std::filesystem::current_path();
    EXPECT_EQ(dialogFileName("a/../b/./c.csv"), (here / "b" / "c.csv").string());
    EXPECT_EQ(dialogFileName("/x/y/../z.csv"), "/x/z.csv");
}

} // namespace
} // namespace brimvale
