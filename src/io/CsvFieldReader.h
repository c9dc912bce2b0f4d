// Reads a comma-separated file as a sequence of fields, with typed reads into the program's scalars.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "model/NumberOrText.h"

namespace brimvale {

// A field ends at a comma or at a line end (CR LF, LF or CR); a run of line ends, blank lines
// included, separates like one. Blanks (spaces, tabs) around an unquoted field are skipped. A field
// that begins with a double quote runs to the next double quote, loses both quotes and may hold
// commas and line ends; what follows the closing quote up to the next separator is dropped, and a
// missing closing quote takes the rest of the file. Fields are taken in order regardless of lines
// and their bytes are kept unchanged. Every read at the end raises ReadPastEnd; strict numeric reads
// raise TypeMismatch for a field that is not a number and Overflow for one beyond the target's range.
class CsvFieldReader {
public:
    struct Field {
        std::string text;
        bool quoted = false;
    };

    // Reads fields from the given file contents.
    explicit CsvFieldReader(std::string contents);

    // No file the program reads comes near this size; a larger one is refused before it fills memory.
    static constexpr std::uintmax_t LargestFileBytes = std::uintmax_t{1} << 30;

    // Reads the whole file; raises FileError when it cannot be opened or read and InvalidData when it
    // is larger than LargestFileBytes.
    static CsvFieldReader fromFile(const std::filesystem::path& path);
    // The whole file's bytes, with the failures of fromFile.
    static std::string fileContents(const std::filesystem::path& path);

    // True when nothing but blanks and line ends remains.
    bool atEnd() const;

    // The number of bytes not yet read, an upper bound on what the remaining fields can hold.
    std::size_t remainingBytes() const { return m_contents.size() - m_position; }

    // The next field with its text unchanged and whether it was quoted.
    Field nextField();

    // The next field's text, quoted or not.
    std::string readText();
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
    // A field's text lies unchanged inside the contents, so it is handed out as a view.
    struct FieldView {
        std::string_view text;
        bool quoted = false;
    };

    FieldView nextFieldView();
    void skipSeparator();

    std::string m_contents;
    std::size_t m_position = 0;
};

// The field in double quotes for a failure message, cut short since a field may be megabytes long.
std::string quoteForMessage(std::string_view field);

// Strict conversion of a whole field to a double: optional sign, digits with at most one period,
// optional exponent, blanks around it allowed; raises TypeMismatch otherwise (an empty field too) and
// Overflow beyond the range of a double.
double strictNumber(std::string_view field);

} // namespace brimvale
