#pragma once
#include "engine/platform/input.h"

namespace coilrun::qt {

// The system pointer. Hiding puts a blank override cursor over every window of the
// program while the display count is negative.
class QtCursor : public platform::Cursor {
public:
    ~QtCursor() override;
    platform::Point position() const override;
    void setPosition(platform::Point p) override;
    int showCursor(bool show) override;
    // Whether the program's windows show the pointer now.
    bool visible() const { return count_ >= 0; }

private:
    int count_ = 0;
};

} // namespace coilrun::qt
