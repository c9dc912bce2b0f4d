// A mouse pointer that records the sequence of pointers set.
#pragma once

#include <vector>

#include "ui/MousePointer.h"

namespace brimvale::test {

class RecordingMousePointer : public MousePointer {
public:
    void set(Pointer pointer) override { m_history.push_back(m_current = pointer); }
    Pointer current() const override { return m_current; }
    const std::vector<Pointer>& history() const { return m_history; }

private:
    Pointer m_current = Pointer::Default;
    std::vector<Pointer> m_history;
};

} // namespace brimvale::test
