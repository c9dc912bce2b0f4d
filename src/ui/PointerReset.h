// A guard that puts the default mouse pointer back when it leaves scope.
#pragma once

#include "ui/MousePointer.h"

namespace brimvale {

// The pointer returns to Default however the scope is left, also when a failure unwinds it.
class PointerReset {
public:
    explicit PointerReset(MousePointer& pointer) : m_pointer(pointer) {}
    // Shows the pointer now and resets it at the end of the scope.
    PointerReset(MousePointer& pointer, MousePointer::Pointer shown) : m_pointer(pointer)
    {
        m_pointer.set(shown);
    }
    ~PointerReset() { m_pointer.set(MousePointer::Pointer::Default); }
    PointerReset(const PointerReset&) = delete;
    PointerReset& operator=(const PointerReset&) = delete;

private:
    MousePointer& m_pointer;
};

} // namespace brimvale
