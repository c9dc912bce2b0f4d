// Placing widgets with positions and sizes given in twips.
#pragma once

class QWidget;

namespace brimvale {

// Sets the widget's geometry from twips, each value rounded to whole device-independent pixels.
void setTwipsGeometry(QWidget& widget, int left, int top, int width, int height);

} // namespace brimvale
