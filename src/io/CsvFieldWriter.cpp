// Writes comma-separated fields: texts in double quotes, numbers bare, CR LF at the end of a line.
#include "io/CsvFieldWriter.h"

#include <fstream>

#include "model/NumberText.h"
#include "model/RuntimeFailure.h"

namespace brimvale {

void CsvFieldWriter::separate()
{
    if (m_lineStarted)
        m_contents += ',';
    m_lineStarted = true;
}

void CsvFieldWriter::text(std::string_view value)
{
    separate();
    m_contents += '"';
    m_contents += value;
    m_contents += '"';
}

void CsvFieldWriter::bare(std::string_view value)
{
    separate();
    m_contents += value;
}

void CsvFieldWriter::number(float value)
{
    separate();
    appendFileTextSingle(m_contents, value);
}

void CsvFieldWriter::number(double value)
{
    separate();
    appendFileTextDouble(m_contents, value);
}

void CsvFieldWriter::integer(std::int32_t value)
{
    bare(std::to_string(value));
}

void CsvFieldWriter::value(const NumberOrText& value)
{
    switch (value.kind) {
    case NumberOrText::Kind::Number:
        number(value.number);
        break;
    case NumberOrText::Kind::Text:
        text(value.text);
        break;
    case NumberOrText::Kind::Empty:
        bare({});
        break;
    }
}

void CsvFieldWriter::endLine()
{
    m_contents += "\r\n";
    m_lineStarted = false;
}

void CsvFieldWriter::saveTo(const std::filesystem::path& path) const
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        raiseFailure(RuntimeFailure::Kind::FileError, "Cannot open " + path.string() + " for writing");
    file.write(m_contents.data(), static_cast<std::streamsize>(m_contents.size()));
    file.close();
    if (!file)
        raiseFailure(RuntimeFailure::Kind::FileError, "Cannot write " + path.string());
}

} // namespace brimvale
