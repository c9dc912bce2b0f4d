#include "ui/TwipsGeometry.h"

#include <QWidget>

#include "render/Twips.h"

namespace brimvale {

void setTwipsGeometry(QWidget& widget, int left, int top, int width, int height)
{
    widget.setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

} // namespace brimvale
