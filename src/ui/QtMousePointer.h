// The mouse pointer as the application's override cursor.
#pragma once

#include "ui/MousePointer.h"

namespace brimvale {

// At most one override cursor is ever pushed: a new pointer replaces it, Default removes it.
class QtMousePointer : public MousePointer {
public:
    QtMousePointer() = default;
    ~QtMousePointer() override;
    QtMousePointer(const QtMousePointer&) = delete;
    QtMousePointer& operator=(const QtMousePointer&) = delete;

    void set(Pointer pointer) override;
    Pointer current() const override { return m_current; }

private:
    Pointer m_current = Pointer::Default;
    bool m_overriding = false;
};

} // namespace brimvale
