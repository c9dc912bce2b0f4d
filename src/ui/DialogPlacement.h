// Where a dialog opens beside a window, so that it hides none of what the window shows, and how it is shown.
#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>

#include <optional>

namespace brimvale {

// The top left corner for a dialog of the frame size: right of the window's frame, top edges level, or
// else left of it; nothing when the screen's available area has room on neither side.
inline std::optional<QPoint> besideFrame(QRect screen, QRect window, QSize dialog)
{
    const int top = std::max(screen.top(), std::min(window.top(), screen.bottom() + 1 - dialog.height()));
    if (window.right() + dialog.width() <= screen.right())
        return QPoint(window.right() + 1, top);
    if (window.left() - dialog.width() >= screen.left())
        return QPoint(window.left() - dialog.width(), top);
    return std::nullopt;
}

// Shows a modeless dialog, or brings it back to the front when it is shown already.
inline void showModeless(QWidget& dialog)
{
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

} // namespace brimvale
