#pragma once
// A mouse pointer that only records: every shape set, in order.
//
//   FakeMousePointer pointer;
//   ScopedService guard(platform::setMousePointer, &pointer);
//   ... code under test ...
//   EXPECT_EQ(pointer.history(), (std::vector<int>{platform::vbHourglass, platform::vbDefault}));
#include "platform/mouse_pointer.h"

#include <vector>

class FakeMousePointer : public platform::MousePointer {
public:
    int get() override { return pointer_; }
    void set(int pointer) override
    {
        if (!platform::isMousePointerShape(pointer))
            return;
        pointer_ = pointer;
        history_.push_back(pointer);
    }

    const std::vector<int>& history() const { return history_; }

private:
    int pointer_ = platform::vbDefault;
    std::vector<int> history_;
};
