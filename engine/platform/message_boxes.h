#pragma once
#include <string>

namespace coilrun::platform {

enum class MessageKind { Plain, Information, Warning, Error };

// Modal message boxes with an OK button. show() returns once the user has closed it.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void show(const std::string& text, MessageKind kind) = 0;
};

} // namespace coilrun::platform
