#pragma once
#include <string>

namespace coilrun::platform {

enum class MessageKind { Plain, Information, Warning, Error };

// Modal message boxes with an OK button. The text is UTF-8 and shown as it is, never
// read as markup. show() returns once the user has closed it.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void show(const std::string& text, MessageKind kind) = 0;
};

} // namespace coilrun::platform
