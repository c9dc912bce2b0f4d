// The encoding rule for texts from files gives exactly what Qt's UTF-8 decoder gives, so the window's
// captions and the batch tool's cannot drift apart.
#include <gtest/gtest.h>

#include <QStringDecoder>

#include <random>

#include "io/FileTextEncoding.h"

namespace brimvale {
namespace {

// The window's former rule, straight from Qt: UTF-8 when the decoder reports no error, else Latin-1.
QString qtRule(const std::string& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

TEST(FileTextEncodingQtTest, AgreesWithQtOnRandomBytes)
{
    // Bytes drawn mostly from the ranges where UTF-8 sequences begin and continue.
    const unsigned char alphabet[] = {'a',  ' ',  0x80, 0x8F, 0x90, 0xA0, 0xBF, 0xC0, 0xC2, 0xDF,
                                      0xE0, 0xED, 0xEF, 0xBB, 0xF0, 0xF4, 0xF5, 0xFF, 0xBE, 0xB0};
    std::mt19937 generator(2024);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 1);
    std::uniform_int_distribution<int> length(0, 8);
    int valid = 0;
    for (int sample = 0; sample < 20000; ++sample) {
        std::string bytes;
        for (int k = length(generator); k > 0; --k)
            bytes.push_back(static_cast<char>(alphabet[pick(generator)]));
        const std::string ours = utf8FromFileBytes(bytes);
        valid += isValidUtf8(bytes);
        ASSERT_EQ(QString::fromUtf8(ours.data(), static_cast<qsizetype>(ours.size())), qtRule(bytes))
            << QByteArray::fromStdString(bytes).toHex().toStdString();
    }
    // Both kinds of input were tried.
    EXPECT_GT(valid, 1000);
    EXPECT_LT(valid, 19000);
}

} // namespace
} // namespace brimvale
