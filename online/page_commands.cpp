#include "online/page_commands.h"

namespace coilrun::online {

std::vector<PageCommand> parsePageCommands(std::string_view title) {
    std::vector<PageCommand> commands;
    std::string buffer;
    std::string name;
    bool outside = true;
    for (const char c : title) {
        if (c == '(') {
            outside = false;
            name = std::move(buffer);
            buffer.clear();
        } else if (c == ')') {
            outside = true;
            if (commands.size() < kMaxPageCommands) commands.push_back({name, buffer});
            name.clear();
            buffer.clear();
        } else if (c == ' ') {
            if (!outside) buffer += c;
        } else {
            buffer += c;
        }
    }
    return commands;
}

} // namespace coilrun::online
