// Reads a comma-separated file as a sequence of fields, with typed reads into the program's scalars.
#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "model/NumberOrText.h"
#include "model/RuntimeFailure.h"

namespace brimvale {

// A field ends at a comma or at a line end (CR LF, LF or CR); a run of line ends, blank lines
// included, separates like one. Blanks (spaces, tabs) around an unquoted field are skipped. A field
// that begins with a double quote runs to the next double quote, loses both quotes and may hold
// commas and line ends; what follows the closing quote up to the next separator is dropped, and a
// quote that is never closed raises ReadPastEnd ("Unmatched double quote", placed at its line). Fields
// are taken in order regardless of lines and their bytes are kept unchanged; a UTF-8 byte-order mark at
// the very start is no part of them. Every read at the end raises ReadPastEnd; strict numeric reads
// raise TypeMismatch for a field that is not a number and Overflow for one beyond the target's range.
class CsvFieldReader {
public:
    struct Field {
        std::string text;
        bool quoted = false;
    };

    // No file the program reads comes near this size; a larger one is refused before it fills memory.
    static constexpr std::uintmax_t LargestFileBytes = std::uintmax_t{1} << 30;
    static constexpr std::size_t DefaultChunkBytes = std::size_t{1} << 16;

    // Reads fields from the given file contents.
    explicit CsvFieldReader(std::string contents);

    // Reads the stream a chunk at a time as fields are asked for, so no more of it is held than the
    // field being read. name goes into failure messages; size, when known, bounds remainingBytes().
    // Raises FileError when the stream cannot be read and InvalidData beyond LargestFileBytes.
    CsvFieldReader(std::unique_ptr<std::istream> stream, std::string name,
                   std::optional<std::uintmax_t> size = std::nullopt,
                   std::size_t chunkBytes = DefaultChunkBytes);

    // Reads the file at path as a stream; raises FileError when it cannot be opened or read and
    // InvalidData when it is larger than LargestFileBytes.
    static CsvFieldReader fromFile(const std::filesystem::path& path);

    // True when nothing but blanks and line ends remains.
    bool atEnd();

    // The number of bytes not yet read, an upper bound on what the remaining fields can hold (the
    // largest size_t for a stream of unknown length).
    std::size_t remainingBytes() const;

    // The line (from 1) on which the field read last began; after a read past the end, still that one.
    int line() const { return m_fieldLine; }

    // The next field with its text unchanged and whether it was quoted.
    Field nextField();

    // The next field's text, quoted or not.
    std::string readText();
    // The first `longest` bytes of the next field's text; the rest of the field is passed over
    // without being kept (enough to compare a first field, however long the field is).
    std::string readText(std::size_t longest);
    // Strict reads: the whole field, quoted or not, must be a number; the integers round halves to even
    // and a Double that does not fit a Single overflows.
    std::int16_t readInteger();
    std::int32_t readLong();
    float readSingle();
    double readDouble();
    // A number for an unquoted numeric field, the text otherwise (an empty field is the empty text).
    NumberOrText readNumberOrText();
    // The lenient numeric value of the field (its leading number, 0 when none); never a type failure.
    double readNumericValue();

private:
    // Reads the next field, at most longest bytes of it, and returns it: in place when it lies whole in
    // the buffer, else as kept in m_field. Valid until the next read.
    std::string_view nextFieldView(std::size_t longest = std::string_view::npos);
    void readQuoted(std::size_t longest);
    void readUnquoted(std::size_t longest);
    void skipSeparator();
    void skipStart();
    // Whether an unread byte is there, reading the next chunk when needed.
    bool available() { return m_position < m_buffer.size() || fill(); }
    bool fill();
    void countLineEnd(char c);
    void keep(std::string_view bytes, std::size_t longest);

    std::string m_buffer; // the contents, or the part of the stream read and not yet passed
    std::size_t m_position = 0;
    std::unique_ptr<std::istream> m_stream;
    std::string m_name;
    std::optional<std::uintmax_t> m_size;
    std::size_t m_chunkBytes = DefaultChunkBytes;
    std::uintmax_t m_passed = 0; // stream bytes dropped from the front of m_buffer

    std::string m_field;
    // A field that lies whole in the buffer is not copied: its stream offset and length, kept while
    // the separator after it is passed (a chunk read meanwhile keeps the field's bytes).
    static constexpr std::uintmax_t NoView = std::numeric_limits<std::uintmax_t>::max();
    std::uintmax_t m_viewStart = NoView;
    std::size_t m_viewLength = 0;
    bool m_quoted = false;
    bool m_passedOverText = false; // bytes other than blanks passed over beyond `longest`
    // After a comma, a line end closes an empty field; atEnd passes the line ends and remembers it.
    bool m_emptyFieldPending = false;
    int m_pendingLine = 1;

    int m_line = 1; // of the byte at m_position
    bool m_afterCr = false;
    int m_fieldLine = 1;
};

// Gives the failure its place in a file: "line N, part", N being the line on which the field in
// question began.
void placeFailure(RuntimeFailure& failure, int line, const std::string& part);

// The field in double quotes for a failure message, cut short since a field may be megabytes long.
std::string quoteForMessage(std::string_view field);

// Strict conversion of a whole field to a double: optional sign, digits with at most one period,
// optional exponent, blanks around it allowed; raises TypeMismatch otherwise (an empty field too) and
// Overflow beyond the range of a double.
double strictNumber(std::string_view field);

} // namespace brimvale
