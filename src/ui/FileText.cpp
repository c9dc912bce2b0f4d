#include "ui/FileText.h"

#include <QStringDecoder>

namespace brimvale {

QString textFromFile(const std::string& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string textToFile(const QString& text)
{
    return text.toUtf8().toStdString();
}

} // namespace brimvale
