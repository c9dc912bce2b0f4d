// The drawing of a PDF page written by Qt, for tests that check what was drawn on it.
#pragma once

#include <QByteArray>
#include <QtEndian>

namespace brimvale::test {

// The first stream of a PDF, which holds the first page's drawing, inflated: Qt compresses page contents
// with zlib.
inline QByteArray firstPdfStream(const QByteArray& pdf)
{
    const qsizetype start = pdf.indexOf("stream\n") + 7;
    const QByteArray deflated = pdf.mid(start, pdf.indexOf("\nendstream", start) - start);
    QByteArray sized(4, '\0'); // qUncompress wants a big-endian size hint first; it grows beyond it
    qToBigEndian(static_cast<quint32>(deflated.size() * 8), sized.data());
    return qUncompress(sized + deflated);
}

} // namespace brimvale::test
