#include "ui/TwipsGeometry.h"

#include <QRectF>
#include <QVariant>
#include <QWidget>

#include "render/Twips.h"

namespace brimvale {

namespace {

// The dynamic property that keeps the twips of a widget.
constexpr const char* TwipsProperty = "brimvaleTwipsGeometry";

} // namespace

void setTwipsGeometry(QWidget& widget, double left, double top, double width, double height)
{
    widget.setProperty(TwipsProperty, QRectF(left, top, width, height));
    widget.setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

void setTwipsGeometry(QWidget& widget, const TwipsRect& rect)
{
    setTwipsGeometry(widget, rect.left, rect.top, rect.width, rect.height);
}

TwipsRect twipsGeometry(const QWidget& widget)
{
    const QVariant stored = widget.property(TwipsProperty);
    if (stored.isValid()) {
        const QRectF rect = stored.toRectF();
        return {rect.x(), rect.y(), rect.width(), rect.height()};
    }
    const QRect pixels = widget.geometry();
    return {pixelsToTwips(pixels.x()), pixelsToTwips(pixels.y()), pixelsToTwips(pixels.width()),
            pixelsToTwips(pixels.height())};
}

QRectF twipsRectangle(const QWidget& widget)
{
    const TwipsRect place = twipsGeometry(widget);
    return QRectF(place.left, place.top, place.width, place.height);
}

void setTwipsLeft(QWidget& widget, double left)
{
    TwipsRect rect = twipsGeometry(widget);
    rect.left = left;
    setTwipsGeometry(widget, rect);
}

void setTwipsTop(QWidget& widget, double top)
{
    TwipsRect rect = twipsGeometry(widget);
    rect.top = top;
    setTwipsGeometry(widget, rect);
}

void setTwipsWidth(QWidget& widget, double width)
{
    TwipsRect rect = twipsGeometry(widget);
    rect.width = width;
    setTwipsGeometry(widget, rect);
}

void setTwipsHeight(QWidget& widget, double height)
{
    TwipsRect rect = twipsGeometry(widget);
    rect.height = height;
    setTwipsGeometry(widget, rect);
}

} // namespace brimvale
