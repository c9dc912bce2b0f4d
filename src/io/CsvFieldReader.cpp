// Reads a comma-separated file as a sequence of fields, with typed reads into the program's scalars.
#include "io/CsvFieldReader.h"

#include <cmath>
#include <fstream>
#include <system_error>

#include "model/Conversions.h"
#include "model/NumericValue.h"
#include "model/RuntimeFailure.h"

namespace brimvale {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

bool endsField(char c)
{
    return c == ',' || isLineEnd(c);
}

} // namespace

std::string quoteForMessage(std::string_view field)
{
    constexpr std::size_t longest = 40;
    std::string quoted(1, '"');
    quoted.append(field.substr(0, longest));
    if (field.size() > longest)
        quoted.append("...");
    quoted.push_back('"');
    return quoted;
}

CsvFieldReader::CsvFieldReader(std::string contents) : m_contents(std::move(contents))
{
    // Blank lines before the first field separate nothing.
    while (m_position < m_contents.size() &&
           (isBlank(m_contents[m_position]) || isLineEnd(m_contents[m_position])))
        ++m_position;
}

CsvFieldReader CsvFieldReader::fromFile(const std::filesystem::path& path)
{
    return CsvFieldReader(fileContents(path));
}

std::string CsvFieldReader::fileContents(const std::filesystem::path& path)
{
    // A folder opens like a file on some systems and then reads as nothing or fails oddly.
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        raiseFailure(RuntimeFailure::Kind::FileError, "Cannot read the folder " + path.string());
    std::ifstream file(path, std::ios::binary);
    if (!file)
        raiseFailure(RuntimeFailure::Kind::FileError, "Cannot open " + path.string());
    const auto tooLarge = [&] {
        raiseFailure(RuntimeFailure::Kind::InvalidData,
                     path.string() + " is larger than 1 GiB, too large to read");
    };
    std::string contents;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error) {
        if (size > LargestFileBytes)
            tooLarge();
        contents.reserve(static_cast<std::size_t>(size));
    }
    // Read in chunks up to the limit, since a size taken before reading does not bind a growing file or
    // a device.
    constexpr std::size_t chunkSize = 1 << 16;
    char chunk[chunkSize];
    do {
        file.read(chunk, chunkSize);
        contents.append(chunk, static_cast<std::size_t>(file.gcount()));
        if (contents.size() > LargestFileBytes)
            tooLarge();
    } while (file);
    if (file.bad())
        raiseFailure(RuntimeFailure::Kind::FileError, "Cannot read " + path.string());
    return contents;
}

bool CsvFieldReader::atEnd() const
{
    for (std::size_t i = m_position; i < m_contents.size(); ++i) {
        if (!isBlank(m_contents[i]) && !isLineEnd(m_contents[i]))
            return false;
    }
    return true;
}

CsvFieldReader::FieldView CsvFieldReader::nextFieldView()
{
    if (atEnd())
        raiseFailure(RuntimeFailure::Kind::ReadPastEnd, "Input past end of file");

    const std::string_view contents(m_contents);
    const std::size_t size = contents.size();
    std::size_t i = m_position;
    while (i < size && isBlank(contents[i]))
        ++i;

    FieldView field;
    if (i < size && contents[i] == '"') {
        const std::size_t start = i + 1;
        const std::size_t close = contents.find('"', start);
        field.quoted = true;
        if (close == std::string_view::npos) {
            field.text = contents.substr(start);
            m_position = size;
            return field;
        }
        field.text = contents.substr(start, close - start);
        i = close + 1;
        while (i < size && !endsField(contents[i]))
            ++i;
    } else {
        const std::size_t start = i;
        while (i < size && !endsField(contents[i]))
            ++i;
        std::size_t end = i;
        while (end > start && isBlank(contents[end - 1]))
            --end;
        field.text = contents.substr(start, end - start);
    }
    m_position = i;
    skipSeparator();
    return field;
}

void CsvFieldReader::skipSeparator()
{
    if (m_position >= m_contents.size())
        return;
    if (m_contents[m_position] == ',') {
        ++m_position;
        return;
    }
    // A line end: CR LF, LF and CR alike, and any blank lines after it, make one separator.
    while (m_position < m_contents.size() &&
           (isLineEnd(m_contents[m_position]) || isBlank(m_contents[m_position])))
        ++m_position;
}

CsvFieldReader::Field CsvFieldReader::nextField()
{
    const FieldView field = nextFieldView();
    return {std::string(field.text), field.quoted};
}

std::string CsvFieldReader::readText()
{
    return std::string(nextFieldView().text);
}

std::int16_t CsvFieldReader::readInteger()
{
    return toInteger(strictNumber(nextFieldView().text));
}

std::int32_t CsvFieldReader::readLong()
{
    return toLong(strictNumber(nextFieldView().text));
}

float CsvFieldReader::readSingle()
{
    return toSingle(strictNumber(nextFieldView().text));
}

double CsvFieldReader::readDouble()
{
    return strictNumber(nextFieldView().text);
}

NumberOrText CsvFieldReader::readNumberOrText()
{
    const FieldView field = nextFieldView();
    if (!field.quoted) {
        if (const auto number = wholeNumber(field.text)) {
            if (!std::isfinite(*number))
                raiseFailure(RuntimeFailure::Kind::Overflow,
                             "Overflow in field " + quoteForMessage(field.text));
            return NumberOrText::fromNumber(*number);
        }
    }
    return NumberOrText::fromText(std::string(field.text));
}

double CsvFieldReader::readNumericValue()
{
    return numericValue(nextFieldView().text);
}

double strictNumber(std::string_view field)
{
    const auto number = wholeNumber(field);
    if (!number)
        raiseFailure(RuntimeFailure::Kind::TypeMismatch, "Type mismatch in field " + quoteForMessage(field));
    if (!std::isfinite(*number))
        raiseFailure(RuntimeFailure::Kind::Overflow, "Overflow in field " + quoteForMessage(field));
    return *number;
}

} // namespace brimvale
