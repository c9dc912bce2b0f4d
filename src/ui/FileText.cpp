#include "ui/FileText.h"

#include <algorithm>

#include "io/FileTextEncoding.h"
#include "model/NumberText.h"
#include "model/NumericValue.h"

namespace brimvale {

QString textFromFile(const std::string& bytes)
{
    const std::string text = utf8FromFileBytes(bytes);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string textToFile(const QString& text)
{
    const bool singleBytes =
        std::all_of(text.cbegin(), text.cend(), [](QChar character) { return character.unicode() <= 0xff; });
    return singleBytes ? text.toLatin1().toStdString() : text.toUtf8().toStdString();
}

QString singleCaption(float value)
{
    return QString::fromStdString(singleText(value));
}

double numericValueOf(const QString& text)
{
    return numericValue(text.toStdString());
}

QString coefficientCaption(const NumberOrText& coefficient)
{
    if (coefficient.isNumber())
        return QString::fromStdString(doubleText(coefficient.number));
    return textFromFile(coefficient.text);
}

} // namespace brimvale
