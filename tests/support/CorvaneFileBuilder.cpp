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
constexpr double widthBelow = 8.0;
constexpr double widthAbove = 16.0;
constexpr int modeClass = 3;

struct Response {
    std::array<std::array<int, CorvaneFileBuilder::Steps>, CorvaneFileBuilder::Steps> units{};
    std::array<int, CorvaneFileBuilder::Steps> averageRow{};
};

double widthAt(int i, int j)
{
    return j < CorvaneFileBuilder::modeRow(i) ? widthBelow : widthAbove;
}

std::unique_ptr<Response> makeResponse()
{
    auto response = std::make_unique<Response>();
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
            response->units[i][j] = static_cast<int>(std::lround(weights[j] / total * probabilityUnit));
            mean += j * weights[j] / total;
        }
        response->averageRow[i] = static_cast<int>(std::lround(mean));
    }
    return response;
}

const Response& response()
{
    static const std::unique_ptr<Response> table = makeResponse();
    return *table;
}

} // namespace

CorvaneFileBuilder::CorvaneFileBuilder() = default;

CorvaneFileBuilder CorvaneFileBuilder::probabilityMatrix()
{
    CorvaneFileBuilder builder;
    builder.layout(Layout::Older).kindText("Probability").cells(probabilityCell);
    return builder;
}

CorvaneFileBuilder CorvaneFileBuilder::confidenceMatrix()
{
    CorvaneFileBuilder builder;
    builder.layout(Layout::Older).kindText("Confidence").cells(confidenceCell);
    return builder;
}

CorvaneFileBuilder& CorvaneFileBuilder::layout(Layout value)
{
    m_layout = value;
    return *this;
}

CorvaneFileBuilder& CorvaneFileBuilder::firstField(std::string text)
{
    m_firstField = std::move(text);
    return *this;
}

CorvaneFileBuilder& CorvaneFileBuilder::kindText(std::string text)
{
    m_kindText = std::move(text);
    return *this;
}

CorvaneFileBuilder& CorvaneFileBuilder::titles(std::string horizontal, std::string vertical)
{
    m_horizontalTitle = std::move(horizontal);
    m_verticalTitle = std::move(vertical);
    return *this;
}

CorvaneFileBuilder& CorvaneFileBuilder::coefficients(NumberOrText first, NumberOrText second)
{
    m_coefficient1 = std::move(first);
    m_coefficient2 = std::move(second);
    m_coefficientsChosen = true;
    return *this;
}

CorvaneFileBuilder& CorvaneFileBuilder::headLineCount(int lines)
{
    m_headLineCount = lines;
    return *this;
}

CorvaneFileBuilder& CorvaneFileBuilder::headValue(int position, NumberOrText value)
{
    m_headOverrides[position] = std::move(value);
    return *this;
}

CorvaneFileBuilder& CorvaneFileBuilder::axisValues(AxisFunction values)
{
    m_axisValues = std::move(values);
    return *this;
}

CorvaneFileBuilder& CorvaneFileBuilder::headingValues(AxisFunction values)
{
    m_headingValues = std::move(values);
    return *this;
}

CorvaneFileBuilder& CorvaneFileBuilder::cells(CellFunction values)
{
    m_cells = std::move(values);
    return *this;
}

CorvaneFileBuilder& CorvaneFileBuilder::cellField(int i, int j, std::string field)
{
    m_cellFields[{i, j}] = std::move(field);
    return *this;
}

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
    if (older) {
        place(1, NumberOrText::fromText(m_kindText));
        place(3, NumberOrText::fromText(m_horizontalTitle));
        place(7, NumberOrText::fromText(m_verticalTitle));
        place(8, NumberOrText::fromNumber(0.5));
        place(9, NumberOrText::fromNumber(200));
        place(10, m_coefficientsChosen ? m_coefficient1 : NumberOrText::fromNumber(95));
        place(11, m_coefficientsChosen ? m_coefficient2 : NumberOrText::fromNumber(68));
    } else {
        place(1, NumberOrText::fromText(std::to_string(m_headLineCount)));
        place(4, NumberOrText::fromText(m_horizontalTitle));
        place(8, NumberOrText::fromText(m_verticalTitle));
        place(9, NumberOrText::fromNumber(0.5));
        place(10, NumberOrText::fromNumber(200));
        place(13, m_coefficientsChosen ? m_coefficient1 : NumberOrText::fromText("95"));
        place(14, m_coefficientsChosen ? m_coefficient2 : NumberOrText::fromText("68"));
    }
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
        writer.number(m_headingValues(k));
    writer.endLine();
    for (int r = 0; r <= lastStep; ++r) {
        writer.number(m_axisValues(r));
        for (int k = 0; k <= lastStep; ++k) {
            const int i = lastStep - k;
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

float CorvaneFileBuilder::axisValue(int r)
{
    return static_cast<float>(-10.0 + 0.15 * r);
}

float CorvaneFileBuilder::headingValue(int k)
{
    return static_cast<float>(0.5 * (lastStep - k));
}

int CorvaneFileBuilder::modeRow(int i)
{
    return 30 + 7 * i / 10;
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

double CorvaneFileBuilder::packedCell(int i, int j)
{
    const int code = j == modeRow(i) ? modeClass : classCode(i, j);
    // One division of whole units gives the double nearest the decimal, which is what reading it gives.
    const int units = code * static_cast<int>(probabilityUnit) + response().units[i][j];
    return (j == averageRow(i) ? -units : units) / probabilityUnit;
}

double CorvaneFileBuilder::probabilityCell(int i, int j)
{
    return probability(i, j);
}

double CorvaneFileBuilder::confidenceCell(int i, int j)
{
    const int code = j == modeRow(i) ? modeClass : classCode(i, j);
    return j == averageRow(i) ? -code : code;
}

} // namespace brimvale::test
