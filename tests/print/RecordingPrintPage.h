// A printed page that writes down every call as a line: "W 2", "L 940,1840 2027.5,4607.5 #0000ff", "E".
#pragma once

#include <QColor>

#include <string>
#include <vector>

#include "print/PrintPage.h"

namespace brimvale::test {

using Calls = std::vector<std::string>;

struct RecordingPrintPage : PrintPage {
    Calls calls;

    void setDrawWidth(int pixels) override { add("W " + QString::number(pixels)); }
    void line(QPointF a, QPointF b, QRgb c) override { add("L " + at(a) + at(b) + hex(c)); }
    void box(const QRectF& r, QRgb c) override { add("B " + at(r.topLeft()) + at(r.bottomRight()) + hex(c)); }
    void dot(QPointF centre, QRgb c) override { add("D " + at(centre) + hex(c)); }
    void setFont(double pt, bool bold) override { add(QString("F %1%2").arg(pt).arg(bold ? " bold" : "")); }
    double lineHeight() const override { return 250.0; }
    void text(QPointF topLeft, const QString& text) override { add("T " + at(topLeft) + text); }
    void endDocument() override { add("E"); }

    // The calls of one kind, without their letter.
    Calls of(char kind) const
    {
        Calls chosen;
        for (const std::string& call : calls)
            if (call[0] == kind)
                chosen.push_back(call.substr(std::min<std::size_t>(2, call.size())));
        return chosen;
    }

    static QString at(QPointF p) { return QString("%1,%2 ").arg(p.x(), 0, 'g', 10).arg(p.y(), 0, 'g', 10); }
    static QString hex(QRgb colour) { return QColor::fromRgb(colour).name(); }
    void add(const QString& call) { calls.push_back(call.toStdString()); }
};

} // namespace brimvale::test
