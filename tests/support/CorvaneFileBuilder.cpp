// Writes Corvane matrix files of either layout for tests, with chosen head notes, axis values and cells.
#include "support/CorvaneFileBuilder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <memory>

#include "io/CorvaneMatrixReader.h"
#include "io/CsvFieldWriter.h"

namespace brimvale::test {

namespace {

using Builder = CorvaneFileBuilder;
using T = NumberOrText;
constexpr int lastStep = Builder::Steps - 1;

// Rows from the peak in widths of the bell, which is narrow below the peak and wide above, so that the
// average lies above the mode.
double distance(int i, int j)
{
    return (j - Builder::modeRow(i)) / (j < Builder::modeRow(i) ? 8.0 : 16.0);
}

double weight(int i, int j)
{
    return std::exp(-0.5 * distance(i, j) * distance(i, j));
}

// Probabilities in units of 1/10000, as Corvane rounds them, so that cells read back exactly.
struct Bells {
    std::array<std::array<int, Builder::Steps>, Builder::Steps> units{};
    std::array<int, Builder::Steps> averageRow{};
};

const Bells& bells()
{
    static const std::unique_ptr<Bells> table = [] {
        auto table = std::make_unique<Bells>();
        for (int i = 0; i <= lastStep; ++i) {
            double total = 0.0;
            for (int j = 0; j <= lastStep; ++j)
                total += weight(i, j);
            double mean = 0.0;
            for (int j = 0; j <= lastStep; ++j) {
                table->units[i][j] = static_cast<int>(std::lround(weight(i, j) / total * 10000.0));
                mean += j * weight(i, j) / total;
            }
            table->averageRow[i] = static_cast<int>(std::lround(mean));
        }
        return table;
    }();
    return *table;
}

// One division of whole units gives the double nearest the decimal, which is what reading it gives.
double packedCell(int i, int j)
{
    const int units = (j == Builder::modeRow(i) ? 3 : Builder::classCode(i, j)) * 10000 + bells().units[i][j];
    return (j == Builder::averageRow(i) ? -units : units) / 10000.0;
}

} // namespace

CorvaneFileBuilder::CorvaneFileBuilder(bool older) : m_older(older), m_cells(packedCell)
{
    // clang-format off
    if (older)
        m_head = {{1, T::fromText("Probability")}, {8, T::fromNumber(0.5)}, {9, T::fromNumber(200)},
                  {10, T::fromNumber(95)}, {11, T::fromNumber(68)}};
    else
        m_head = {{9, T::fromNumber(0.5)}, {10, T::fromNumber(200)}, {13, T::fromText("95")},
                  {14, T::fromText("68")}};
    // clang-format on
    titles("Quercus pollen (%)", "Mean July temperature (C)");
}

CorvaneFileBuilder CorvaneFileBuilder::probabilityMatrix()
{
    return CorvaneFileBuilder(true).cells([](int i, int j) { return bells().units[i][j] / 10000.0; });
}

CorvaneFileBuilder CorvaneFileBuilder::confidenceMatrix()
{
    return CorvaneFileBuilder(true).kindText("Confidence").cells(confidenceCell);
}

CorvaneFileBuilder& CorvaneFileBuilder::titles(const std::string& horizontal, const std::string& vertical)
{
    headValue(m_older ? 3 : 4, T::fromText(horizontal));
    return headValue(m_older ? 7 : 8, T::fromText(vertical));
}

std::string CorvaneFileBuilder::contents() const
{
    CsvFieldWriter writer;
    writer.reserve(static_cast<std::size_t>(Steps + 1) * Steps * 8);
    writer.text(m_older ? CorvaneOlderFirstField : CorvaneNewerFirstField);
    writer.endLine();
    const int pairs = m_older ? 11 : std::max(1, m_headLineCount - 1);
    for (int position = 1; position <= pairs; ++position) {
        const auto value = m_head.find(position);
        writer.text("Head note " + std::to_string(position) + ": ");
        if (value != m_head.end())
            writer.value(value->second);
        else if (position == 1)
            writer.text(std::to_string(m_headLineCount));
        else
            writer.text("value " + std::to_string(position));
        writer.endLine();
    }
    writer.bare({});
    for (int k = 0; k <= lastStep; ++k)
        writer.number(static_cast<float>(0.5 * (lastStep - k)));
    writer.endLine();
    for (int r = 0; r <= lastStep; ++r) {
        writer.number(m_axisValues(r));
        for (int i = lastStep; i >= 0; --i) {
            const auto field = m_fields.find({i, r});
            if (field != m_fields.end())
                writer.bare(field->second);
            else
                writer.number(m_cells(i, r));
        }
        writer.endLine();
    }
    return writer.takeContents();
}

void CorvaneFileBuilder::writeTo(const std::filesystem::path& path) const
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << contents();
}

int CorvaneFileBuilder::averageRow(int i)
{
    return bells().averageRow[i];
}

int CorvaneFileBuilder::classCode(int i, int j)
{
    return std::abs(distance(i, j)) <= 1.0 ? 2 : std::abs(distance(i, j)) <= 2.0 ? 1 : 0;
}

double CorvaneFileBuilder::confidenceCell(int i, int j)
{
    const int code = j == modeRow(i) ? 3 : classCode(i, j);
    return j == averageRow(i) ? -code : code;
}

} // namespace brimvale::test
