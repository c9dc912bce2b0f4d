// Writes Corvane matrix files of either layout for tests, with chosen head notes, axis values and cells.
#include "support/CorvaneFileBuilder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <memory>
#include <stdexcept>

#include "io/CorvaneMatrixReader.h"
#include "io/CsvFieldWriter.h"

namespace brimvale::test {

namespace {

constexpr int lastStep = CorvaneFileBuilder::Steps - 1;
// Probabilities are held in units of 1/10000, as Corvane rounds them, so that cells read back exactly.
constexpr double probabilityUnit = 10000.0;

// The bell is skewed (narrow below the peak, wide above) so that the average lies above the mode.
double widthAt(int i, int j)
{
    return j < CorvaneFileBuilder::modeRow(i) ? 8.0 : 16.0;
}

struct Response {
    std::array<std::array<int, CorvaneFileBuilder::Steps>, CorvaneFileBuilder::Steps> units{};
    std::array<int, CorvaneFileBuilder::Steps> averageRow{};
};

const Response& response()
{
    static const std::unique_ptr<Response> table = [] {
        auto table = std::make_unique<Response>();
        for (int i = 0; i <= lastStep; ++i) {
            std::array<double, CorvaneFileBuilder::Steps> weights{};
            double total = 0.0;
            for (int j = 0; j <= lastStep; ++j) {
                const double distance = (j - CorvaneFileBuilder::modeRow(i)) / widthAt(i, j);
                weights[j] = std::exp(-0.5 * distance * distance);
                total += weights[j];
            }
            double mean = 0.0;
            for (int j = 0; j <= lastStep; ++j) {
                table->units[i][j] = static_cast<int>(std::lround(weights[j] / total * probabilityUnit));
                mean += j * weights[j] / total;
            }
            table->averageRow[i] = static_cast<int>(std::lround(mean));
        }
        return table;
    }();
    return *table;
}

} // namespace

std::map<int, NumberOrText> CorvaneFileBuilder::headValues() const
{
    const bool older = m_layout == Layout::Older;
    const int pairs = older ? 11 : std::max(1, m_headLineCount - 1);
    std::map<int, NumberOrText> values;
    for (int position = 1; position <= pairs; ++position)
        values[position] = NumberOrText::fromText("value " + std::to_string(position));
    const auto place = [&](int position, NumberOrText value) {
        if (position <= pairs)
            values[position] = std::move(value);
    };
    using T = NumberOrText;
    place(1, T::fromText(older ? m_kindText : std::to_string(m_headLineCount)));
    place(older ? 3 : 4, T::fromText(m_horizontalTitle));
    place(older ? 7 : 8, T::fromText(m_verticalTitle));
    place(older ? 8 : 9, T::fromNumber(0.5));
    place(older ? 9 : 10, T::fromNumber(200));
    place(older ? 10 : 13, older ? T::fromNumber(95) : T::fromText("95"));
    place(older ? 11 : 14, older ? T::fromNumber(68) : T::fromText("68"));
    for (const auto& [position, value] : m_headOverrides)
        place(position, value);
    return values;
}

std::string CorvaneFileBuilder::contents() const
{
    CsvFieldWriter writer;
    writer.reserve(static_cast<std::size_t>(Steps + 1) * Steps * 8);
    if (!m_firstField.empty())
        writer.text(m_firstField);
    else
        writer.text(m_layout == Layout::Older ? CorvaneOlderFirstField : CorvaneNewerFirstField);
    writer.endLine();
    for (const auto& [position, value] : headValues()) {
        writer.text("Head note " + std::to_string(position) + ": ");
        writer.value(value);
        writer.endLine();
    }
    writer.bare({});
    for (int k = 0; k <= lastStep; ++k)
        writer.number(static_cast<float>(0.5 * (lastStep - k)));
    writer.endLine();
    for (int r = 0; r <= lastStep; ++r) {
        writer.number(m_axisValues(r));
        for (int i = lastStep; i >= 0; --i) {
            const auto field = m_cellFields.find({i, r});
            if (field != m_cellFields.end())
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
    const std::string text = contents();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!file)
        throw std::runtime_error("Cannot write " + path.string());
}

int CorvaneFileBuilder::averageRow(int i)
{
    return response().averageRow[i];
}

int CorvaneFileBuilder::classCode(int i, int j)
{
    const double distance = std::abs(j - modeRow(i)) / widthAt(i, j);
    return distance <= 1.0 ? 2 : distance <= 2.0 ? 1 : 0;
}

double CorvaneFileBuilder::probability(int i, int j)
{
    return response().units[i][j] / probabilityUnit;
}

// The mode cell has class 3; the average cell is negated.
double CorvaneFileBuilder::packedCell(int i, int j)
{
    // One division of whole units gives the double nearest the decimal, which is what reading it gives.
    const int units = (j == modeRow(i) ? 3 : classCode(i, j)) * 10000 + response().units[i][j];
    return (j == averageRow(i) ? -units : units) / probabilityUnit;
}

double CorvaneFileBuilder::confidenceCell(int i, int j)
{
    const int code = j == modeRow(i) ? 3 : classCode(i, j);
    return j == averageRow(i) ? -code : code;
}

} // namespace brimvale::test
