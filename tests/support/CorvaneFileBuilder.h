// Writes Corvane matrix files of either layout for tests, with chosen head notes, axis values and cells.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "model/NumberOrText.h"

namespace brimvale::test {

// By default a valid newer-layout packed matrix: 15 head-note lines, coefficients "95" and "68", axis
// values -10 to 20 and in each column i a skewed bell over the rows (class 2 within one width of the
// peak, class 1 within two, the mode cell 3.x at modeRow(i), the average cell negated at averageRow(i)).
// Cells are written in file order: matrix row r is grid row r, its k-th cell is column 200 - k, with up
// to 15 significant digits, so values of few decimals read back exactly. The heading row holds
// 0.5 * (200 - k) as its k-th number, never an axis value.
class CorvaneFileBuilder {
public:
    enum class Layout { Older, Newer };
    using CellFunction = std::function<double(int i, int j)>;
    using AxisFunction = std::function<float(int r)>;

    static constexpr int Steps = 201;

    // An older-layout file of kind "Probability" holding the plain probabilities of the default bells.
    static CorvaneFileBuilder probabilityMatrix()
    {
        return CorvaneFileBuilder().layout(Layout::Older).kindText("Probability").cells(probabilityCell);
    }
    // An older-layout file of kind "Confidence" holding the class codes of the default bells: 0, 1, 2,
    // 3 at the mode and the class negated at the average, so that its largest cell is exactly 3.
    static CorvaneFileBuilder confidenceMatrix()
    {
        return CorvaneFileBuilder().layout(Layout::Older).kindText("Confidence").cells(confidenceCell);
    }

    // The layout of the head note (and the default first field); the cells stay as they are.
    CorvaneFileBuilder& layout(Layout value) { return set(m_layout, value); }
    // Writes this first field instead of the layout's own.
    CorvaneFileBuilder& firstField(std::string text) { return set(m_firstField, std::move(text)); }
    // Older head value 1 (default "Probability"); the newer layout has no such value.
    CorvaneFileBuilder& kindText(std::string text) { return set(m_kindText, std::move(text)); }
    // Older values 3 and 7, newer values 4 and 8.
    CorvaneFileBuilder& titles(std::string horizontal, std::string vertical)
    {
        m_horizontalTitle = std::move(horizontal);
        return set(m_verticalTitle, std::move(vertical));
    }
    // Newer layout: the head note's line count N, written as head value 1 (quoted, as Corvane writes
    // it), followed by head pairs 2 to N - 1.
    CorvaneFileBuilder& headLineCount(int lines) { return set(m_headLineCount, lines); }
    // Writes value in place of head value position (1 for the first pair): a number bare, a text quoted,
    // an empty value as an empty field. The coefficients are older values 10 and 11 (default the numbers
    // 95 and 68), newer values 13 and 14 (default the texts "95" and "68").
    CorvaneFileBuilder& headValue(int position, NumberOrText value)
    {
        m_headOverrides[position] = std::move(value);
        return *this;
    }
    // The leading number of matrix row r (default axisValue).
    CorvaneFileBuilder& axisValues(AxisFunction values) { return set(m_axisValues, std::move(values)); }
    // The value of grid cell (i, j), column i and row j.
    CorvaneFileBuilder& cells(CellFunction values) { return set(m_cells, std::move(values)); }
    // Writes field unchanged (unquoted) in place of grid cell (i, j).
    CorvaneFileBuilder& cellField(int i, int j, std::string field)
    {
        m_cellFields[{i, j}] = std::move(field);
        return *this;
    }

    // The file's text, CR LF at every line end.
    std::string contents() const;
    // Writes contents() to path, replacing any file there.
    void writeTo(const std::filesystem::path& path) const;

    // The default shapes, for predicting what a reader must find.
    static float axisValue(int r) { return static_cast<float>(-10.0 + 0.15 * r); }
    static int modeRow(int i) { return 30 + 7 * i / 10; }
    static int averageRow(int i);
    static int classCode(int i, int j); // before marking: 2, 1 or 0
    // Rounded to 4 decimals; each column sums to about 1.
    static double probability(int i, int j);
    static double packedCell(int i, int j);
    static double probabilityCell(int i, int j) { return probability(i, j); }
    static double confidenceCell(int i, int j);

private:
    template <typename Member, typename Value> CorvaneFileBuilder& set(Member& member, Value&& value)
    {
        member = std::forward<Value>(value);
        return *this;
    }
    std::map<int, NumberOrText> headValues() const;

    Layout m_layout = Layout::Newer;
    std::string m_firstField;
    std::string m_kindText = "Probability";
    std::string m_horizontalTitle = "Quercus pollen (%)";
    std::string m_verticalTitle = "Mean July temperature (C)";
    int m_headLineCount = 15;
    std::map<int, NumberOrText> m_headOverrides;
    AxisFunction m_axisValues = axisValue;
    CellFunction m_cells = packedCell;
    std::map<std::pair<int, int>, std::string> m_cellFields;
};

} // namespace brimvale::test
