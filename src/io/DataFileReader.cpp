// Reads a data file: the two variable titles, the records of the fossil record and rounded axis ranges.
#include "io/DataFileReader.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "io/CsvFieldReader.h"
#include "model/Conversions.h"
#include "model/RuntimeFailure.h"

namespace brimvale {

namespace {

// The running extremes start here, so values beyond it in magnitude never become an extreme on the
// side they start from.
constexpr float extremeStart = 999999.0f;

// Margin added on each side of the horizontal range, as a fraction of the range.
constexpr double horizontalMargin = 0.1;

double niceStep(double magnitude)
{
    struct Band {
        double below;
        double step;
    };
    constexpr Band bands[] = {{100.0, 5.0},       {1000.0, 50.0},       {10000.0, 500.0},
                              {100000.0, 5000.0}, {1000000.0, 50000.0}, {10000000.0, 500000.0}};
    for (const Band& band : bands) {
        if (magnitude < band.below)
            return band.step;
    }
    return 5000000.0;
}

// Widens the extremes outward to step values: the horizontal range with a margin of a tenth of its
// width on each side, the vertical range without margin. Every argument of the rounding functions is
// a 32-bit float, so each sum is stored as one, and one that does not fit is an overflow.
void roundRanges(DataFile& file)
{
    const double width = static_cast<double>(file.horizontalMax) - file.horizontalMin;
    file.horizontalMax = toSingle(roundUpNice(toSingle(file.horizontalMax + horizontalMargin * width)));

    const double widened = static_cast<double>(file.horizontalMax) - file.horizontalMin;
    const float low = toSingle(file.horizontalMin - horizontalMargin * widened);
    const float high = toSingle(file.horizontalMax + horizontalMargin * widened);
    file.horizontalMin = toSingle(roundDownNice(low, high));

    file.verticalMin = toSingle(roundDownNice(file.verticalMin, file.verticalMax));
    file.verticalMax = toSingle(roundUpNice(file.verticalMax));
}

DataFile readFields(CsvFieldReader& reader)
{
    DataFile file;
    try {
        file.verticalTitle = reader.readText();
        file.horizontalTitle = reader.readText();
    } catch (RuntimeFailure& failure) {
        placeFailure(failure, reader.line(), "header");
        throw;
    }

    file.verticalMin = extremeStart;
    file.verticalMax = -extremeStart;
    file.horizontalMin = extremeStart;
    file.horizontalMax = -extremeStart;
    while (!reader.atEnd()) {
        try {
            // The pair is read before the count is checked, so a file that ends inside a surplus pair
            // fails as a read past the end.
            const double vertical = reader.readNumericValue();
            const double horizontal = reader.readNumericValue();
            if (file.y.size() >= static_cast<std::size_t>(DataSeries::Capacity))
                raiseFailure(RuntimeFailure::Kind::SubscriptOutOfRange,
                             "Subscript out of range: more than " + std::to_string(DataSeries::Capacity) +
                                 " records");
            const float y = toSingle(vertical);
            const float x = toSingle(horizontal);
            file.y.push_back(y);
            file.x.push_back(x);
            if (y < file.verticalMin)
                file.verticalMin = y;
            if (y > file.verticalMax)
                file.verticalMax = y;
            if (x > file.horizontalMax)
                file.horizontalMax = x;
            if (x < file.horizontalMin)
                file.horizontalMin = x;
        } catch (RuntimeFailure& failure) {
            placeFailure(failure, reader.line(), "record " + std::to_string(file.y.size() + 1));
            throw;
        }
    }
    file.lastIndex = static_cast<float>(file.y.size()) - 1.0f;

    roundRanges(file);
    return file;
}

} // namespace

void DataFile::applyTo(DataSeries& series) const
{
    if (x.size() != y.size())
        raiseFailure(RuntimeFailure::Kind::SubscriptOutOfRange,
                     "Subscript out of range: records of unequal length");
    if (!x.empty())
        DataSeries::checkIndex(static_cast<std::int64_t>(x.size()) - 1);
    std::copy(x.begin(), x.end(), series.x.begin());
    std::copy(y.begin(), y.end(), series.y.begin());
    series.lastIndex = lastIndex;
    series.verticalMin = verticalMin;
    series.verticalMax = verticalMax;
    series.horizontalMin = horizontalMin;
    series.horizontalMax = horizontalMax;
}

DataFile DataFileReader::readFile(const std::filesystem::path& path)
{
    CsvFieldReader reader = CsvFieldReader::fromFile(path);
    return readFields(reader);
}

DataFile DataFileReader::readContents(std::string contents)
{
    CsvFieldReader reader(std::move(contents));
    return readFields(reader);
}

double roundUpNice(float value)
{
    if (value == 0.0f)
        return 0.0;
    const double step = niceStep(std::fabs(value));
    if (value > 0.0f)
        return (intOf(value / step) + 1.0) * step;
    return fixOf(value / step) * step;
}

double roundDownNice(float value, float scale)
{
    if (value == 0.0f)
        return 0.0;
    const double step = niceStep(std::fabs(scale));
    return intOf(value / step) * step;
}

} // namespace brimvale
