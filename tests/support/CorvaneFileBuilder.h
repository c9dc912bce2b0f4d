// Writes Corvane matrix files of either layout for tests, with chosen head notes, axis values and cells.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "model/NumberOrText.h"

namespace brimvale::test {

// By default a newer-layout packed matrix: 15 head-note lines, coefficients "95" and "68", axis values
// -10 to 20 and in each column i a skewed bell over the rows j (class 2 within one width of the peak,
// class 1 within two, 3.x at modeRow(i), the average cell negated at averageRow(i)). File row r is grid
// row r, its k-th cell column 200 - k; the heading row holds 0.5 * (200 - k), never an axis value.
class CorvaneFileBuilder {
public:
    using CellFunction = std::function<double(int i, int j)>;
    using AxisFunction = std::function<float(int r)>;
    static constexpr int Steps = 201;

    CorvaneFileBuilder() : CorvaneFileBuilder(false) {}
    // Older layout, kind "Probability": the bells' probabilities, rounded to 4 decimals.
    static CorvaneFileBuilder probabilityMatrix();
    // Older layout, kind "Confidence": the class codes, 3 at the mode and negated at the average.
    static CorvaneFileBuilder confidenceMatrix();

    // Older layout only: head value 1.
    CorvaneFileBuilder& kindText(std::string text) { return headValue(1, NumberOrText::fromText(text)); }
    // Older head values 3 and 7, newer 4 and 8.
    CorvaneFileBuilder& titles(const std::string& horizontal, const std::string& vertical);
    // Newer layout: the head note's line count, written as head value 1 (a text, as Corvane writes it)
    // and followed by head values 2 to lines - 1.
    CorvaneFileBuilder& headLineCount(int lines) { return set(m_headLineCount, lines); }
    // Writes value (a number bare, a text quoted, an empty value as an empty field) as head value
    // position. The coefficients are older values 10 and 11 (the numbers 95 and 68), newer values 13 and
    // 14 (the texts "95" and "68").
    CorvaneFileBuilder& headValue(int position, NumberOrText value) { return set(m_head[position], value); }
    // The leading number of file row r (default axisValue).
    CorvaneFileBuilder& axisValues(AxisFunction values) { return set(m_axisValues, std::move(values)); }
    // The value of grid cell (i, j), column i and row j.
    CorvaneFileBuilder& cells(CellFunction values) { return set(m_cells, std::move(values)); }
    // Writes field unchanged (unquoted) in place of grid cell (i, j).
    CorvaneFileBuilder& cellField(int i, int j, std::string field) { return set(m_fields[{i, j}], field); }

    // The file's text, CR LF at every line end.
    std::string contents() const;
    void writeTo(const std::filesystem::path& path) const;

    // The default shapes, for predicting what a reader must find.
    static float axisValue(int r) { return static_cast<float>(-10.0 + 0.15 * r); }
    static int modeRow(int i) { return 30 + 7 * i / 10; }
    static int averageRow(int i);
    static int classCode(int i, int j); // before marking: 2, 1 or 0
    static double confidenceCell(int i, int j);

private:
    explicit CorvaneFileBuilder(bool older);
    template <typename Member, typename Value> CorvaneFileBuilder& set(Member& member, Value&& value)
    {
        member = std::forward<Value>(value);
        return *this;
    }

    bool m_older;
    int m_headLineCount = 15;
    std::map<int, NumberOrText> m_head;
    AxisFunction m_axisValues = axisValue;
    CellFunction m_cells;
    std::map<std::pair<int, int>, std::string> m_fields;
};

} // namespace brimvale::test
