// Reads a comma-separated file as a sequence of fields, with typed reads into the program's scalars.
#include "io/CsvFieldReader.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
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

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

} // namespace

void placeFailure(RuntimeFailure& failure, int line, const std::string& part)
{
    failure.setPlace("line " + std::to_string(line) + ", " + part);
}

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

CsvFieldReader::CsvFieldReader(std::string contents) : m_buffer(std::move(contents))
{
    skipStart();
}

CsvFieldReader::CsvFieldReader(std::unique_ptr<std::istream> stream, std::string name,
                               std::optional<std::uintmax_t> size, std::size_t chunkBytes)
    : m_stream(std::move(stream)), m_name(std::move(name)), m_size(size),
      m_chunkBytes(std::max<std::size_t>(chunkBytes, 1))
{
    skipStart();
}

CsvFieldReader CsvFieldReader::fromFile(const std::filesystem::path& path)
{
    // A folder opens like a file on some systems and then reads as nothing or fails oddly.
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        raiseFailure(RuntimeFailure::Kind::FileError, "Cannot read the folder " + path.string());
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*file)
        raiseFailure(RuntimeFailure::Kind::FileError, "Cannot open " + path.string());
    // The size of a device or a pipe says nothing; a growing file is bounded while it is read.
    std::optional<std::uintmax_t> size;
    if (std::filesystem::is_regular_file(path, error)) {
        const std::uintmax_t bytes = std::filesystem::file_size(path, error);
        if (!error) {
            if (bytes > LargestFileBytes)
                raiseFailure(RuntimeFailure::Kind::InvalidData,
                             path.string() + " is larger than 1 GiB, too large to read");
            size = bytes;
        }
    }
    return CsvFieldReader(std::move(file), path.string(), size);
}

bool CsvFieldReader::fill()
{
    if (!m_stream)
        return false;
    std::size_t passed = m_position;
    if (m_viewStart != NoView)
        passed = std::min(passed, static_cast<std::size_t>(m_viewStart - m_passed));
    m_passed += passed;
    m_buffer.erase(0, passed);
    m_position -= passed;
    const std::size_t kept = m_buffer.size();
    m_buffer.resize(kept + m_chunkBytes);
    m_stream->read(m_buffer.data() + kept, static_cast<std::streamsize>(m_chunkBytes));
    const auto read = static_cast<std::size_t>(m_stream->gcount());
    m_buffer.resize(kept + read);
    if (m_stream->bad())
        raiseFailure(RuntimeFailure::Kind::FileError, "Cannot read " + m_name);
    if (m_passed + m_buffer.size() > LargestFileBytes)
        raiseFailure(RuntimeFailure::Kind::InvalidData, m_name + " is larger than 1 GiB, too large to read");
    if (!*m_stream)
        m_stream.reset();
    return read > 0;
}

void CsvFieldReader::countLineEnd(char c)
{
    // CR LF is one line end, and so is a CR or an LF alone.
    if (c == '\r')
        ++m_line;
    else if (c == '\n' && !m_afterCr)
        ++m_line;
    m_afterCr = c == '\r';
}

void CsvFieldReader::skipStart()
{
    // A byte-order mark says how the file is encoded; it is no part of the first field.
    while (m_buffer.size() - m_position < ByteOrderMark.size() && fill()) {
    }
    if (std::string_view(m_buffer).substr(m_position, ByteOrderMark.size()) == ByteOrderMark)
        m_position += ByteOrderMark.size();
    // Blank lines before the first field separate nothing.
    while (available() && (isBlank(m_buffer[m_position]) || isLineEnd(m_buffer[m_position])))
        countLineEnd(m_buffer[m_position++]);
    m_fieldLine = m_line;
}

bool CsvFieldReader::atEnd()
{
    if (m_emptyFieldPending)
        return false;
    // Blanks before a field belong to no field, so they are passed here for good.
    while (available() && isBlank(m_buffer[m_position]))
        countLineEnd(m_buffer[m_position++]);
    if (!available())
        return true;
    if (!isLineEnd(m_buffer[m_position]))
        return false;
    // A line end here follows a comma and closes an empty field; the line ends after it are its
    // separator. Only what follows them decides whether that field is there.
    const int line = m_line;
    while (available() && (isBlank(m_buffer[m_position]) || isLineEnd(m_buffer[m_position])))
        countLineEnd(m_buffer[m_position++]);
    if (!available())
        return true;
    m_emptyFieldPending = true;
    m_pendingLine = line;
    return false;
}

std::size_t CsvFieldReader::remainingBytes() const
{
    const std::size_t buffered = m_buffer.size() - m_position;
    if (!m_stream)
        return buffered;
    if (!m_size)
        return std::numeric_limits<std::size_t>::max();
    const std::uintmax_t read = m_passed + m_position;
    return read >= *m_size ? buffered : static_cast<std::size_t>(*m_size - read);
}

void CsvFieldReader::keep(std::string_view bytes, std::size_t longest)
{
    const std::size_t room = longest - std::min(longest, m_field.size());
    m_field.append(bytes.substr(0, room));
    if (bytes.size() > room && !m_passedOverText)
        m_passedOverText = bytes.find_first_not_of(" \t", room) != std::string_view::npos;
}

void CsvFieldReader::readQuoted(std::size_t longest)
{
    for (;;) {
        // A quote that is never closed would swallow the rest of the file without a word.
        if (!available()) {
            RuntimeFailure failure(RuntimeFailure::Kind::ReadPastEnd, "Unmatched double quote");
            failure.setPlace("line " + std::to_string(m_fieldLine));
            throw failure;
        }
        const std::string_view rest = std::string_view(m_buffer).substr(m_position);
        const std::size_t close = rest.find('"');
        const std::string_view inside = rest.substr(0, close);
        for (const char c : inside)
            countLineEnd(c);
        keep(inside, longest);
        if (close == std::string_view::npos) {
            m_position = m_buffer.size();
            continue;
        }
        m_position += close + 1;
        m_afterCr = false;
        break;
    }
    // What follows the closing quote up to the separator is dropped.
    while (available() && !endsField(m_buffer[m_position])) {
        ++m_position;
        m_afterCr = false;
    }
}

void CsvFieldReader::readUnquoted(std::size_t longest)
{
    // Nearly every field ends within the bytes at hand: it is read in place, without blanks before
    // its separator.
    {
        const char* data = m_buffer.data();
        const std::size_t size = m_buffer.size();
        std::size_t end = m_position;
        while (end < size && !endsField(data[end]))
            ++end;
        std::size_t length = end - m_position;
        while (length > 0 && isBlank(data[m_position + length - 1]))
            --length;
        if ((end < size || !m_stream) && length <= longest) {
            if (end > m_position)
                m_afterCr = false;
            m_viewStart = m_passed + m_position;
            m_viewLength = length;
            m_position = end;
            return;
        }
    }
    do {
        const char* data = m_buffer.data();
        const std::size_t size = m_buffer.size();
        std::size_t end = m_position;
        while (end < size && !endsField(data[end]))
            ++end;
        if (end > m_position)
            m_afterCr = false;
        keep(std::string_view(data + m_position, end - m_position), longest);
        m_position = end;
    } while (m_position == m_buffer.size() && fill());
    // Blanks before the separator belong to no field; when the field was cut short they are only
    // trailing blanks if nothing but blanks was passed over.
    if (!m_passedOverText) {
        while (!m_field.empty() && isBlank(m_field.back()))
            m_field.pop_back();
    }
}

std::string_view CsvFieldReader::nextFieldView(std::size_t longest)
{
    if (atEnd())
        raiseFailure(RuntimeFailure::Kind::ReadPastEnd, "Input past end of file");
    m_field.clear();
    m_passedOverText = false;
    m_quoted = false;
    if (m_emptyFieldPending) {
        m_emptyFieldPending = false;
        m_fieldLine = m_pendingLine;
        return m_field;
    }
    m_fieldLine = m_line;
    if (m_buffer[m_position] == '"') {
        ++m_position;
        m_afterCr = false;
        m_quoted = true;
        readQuoted(longest);
    } else {
        readUnquoted(longest);
    }
    skipSeparator();
    if (m_viewStart == NoView)
        return m_field;
    const std::string_view field(m_buffer.data() + (m_viewStart - m_passed), m_viewLength);
    m_viewStart = NoView;
    return field;
}

void CsvFieldReader::skipSeparator()
{
    if (!available())
        return;
    if (m_buffer[m_position] == ',') {
        ++m_position;
        m_afterCr = false;
        return;
    }
    // A line end: CR LF, LF and CR alike, and any blank lines after it, make one separator.
    while (available() && (isLineEnd(m_buffer[m_position]) || isBlank(m_buffer[m_position])))
        countLineEnd(m_buffer[m_position++]);
}

CsvFieldReader::Field CsvFieldReader::nextField()
{
    std::string text(nextFieldView());
    return {std::move(text), m_quoted};
}

std::string CsvFieldReader::readText()
{
    return std::string(nextFieldView());
}

std::string CsvFieldReader::readText(std::size_t longest)
{
    return std::string(nextFieldView(longest));
}

std::int16_t CsvFieldReader::readInteger()
{
    return toInteger(strictNumber(nextFieldView()));
}

std::int32_t CsvFieldReader::readLong()
{
    return toLong(strictNumber(nextFieldView()));
}

float CsvFieldReader::readSingle()
{
    return toSingle(strictNumber(nextFieldView()));
}

double CsvFieldReader::readDouble()
{
    return strictNumber(nextFieldView());
}

NumberOrText CsvFieldReader::readNumberOrText()
{
    const std::string_view field = nextFieldView();
    if (!m_quoted) {
        if (const auto number = wholeNumber(field)) {
            if (!std::isfinite(*number))
                raiseFailure(RuntimeFailure::Kind::Overflow, "Overflow in field " + quoteForMessage(field));
            return NumberOrText::fromNumber(*number);
        }
    }
    return NumberOrText::fromText(std::string(field));
}

double CsvFieldReader::readNumericValue()
{
    return numericValue(nextFieldView());
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
