#include "ui/FileText.h"

#include "io/FileTextEncoding.h"

namespace brimvale {

QString textFromFile(const std::string& bytes)
{
    const std::string text = utf8FromFileBytes(bytes);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string textToFile(const QString& text)
{
    return text.toUtf8().toStdString();
}

} // namespace brimvale
