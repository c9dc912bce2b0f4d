// The screen mouse pointer that long work and dragging set.
#pragma once

namespace brimvale {

class MousePointer {
public:
    // The toolkit's pointer numbers.
    enum class Pointer { Default = 0, LeftRightSizing = 9, Hourglass = 11 };

    virtual ~MousePointer() = default;

    // Shows the pointer over the whole application until another one is set.
    virtual void set(Pointer pointer) = 0;
    // The pointer set last.
    virtual Pointer current() const = 0;
};

} // namespace brimvale
