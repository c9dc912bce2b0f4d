#include "ui/QtMousePointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace brimvale {

namespace {

Qt::CursorShape shapeOf(MousePointer::Pointer pointer)
{
    switch (pointer) {
    case MousePointer::Pointer::LeftRightSizing:
        return Qt::SizeHorCursor;
    case MousePointer::Pointer::Hourglass:
        return Qt::WaitCursor;
    case MousePointer::Pointer::Default:
        break;
    }
    return Qt::ArrowCursor;
}

} // namespace

QtMousePointer::~QtMousePointer()
{
    if (m_overriding)
        QGuiApplication::restoreOverrideCursor();
}

void QtMousePointer::set(Pointer pointer)
{
    m_current = pointer;
    if (pointer == Pointer::Default) {
        if (m_overriding)
            QGuiApplication::restoreOverrideCursor();
        m_overriding = false;
        return;
    }
    if (m_overriding) {
        QGuiApplication::changeOverrideCursor(QCursor(shapeOf(pointer)));
    } else {
        QGuiApplication::setOverrideCursor(QCursor(shapeOf(pointer)));
        m_overriding = true;
    }
}

} // namespace brimvale
