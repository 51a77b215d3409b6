// Any page title reads as at most 256 commands made only of the title's own
// characters, in the title's order, each name and value free of parentheses.
// Each command uses at least one ")" of its own besides its name and value.
#include "online/page_commands.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view title(reinterpret_cast<const char*>(data), size);
    const auto commands = coilrun::online::parsePageCommands(title);
    if (commands.size() > coilrun::online::kMaxPageCommands) std::abort();
    std::size_t at = 0;
    const auto consume = [&](const std::string& text) {
        for (const char c : text) {
            if (c == '(' || c == ')') std::abort();
            at = title.find(c, at);
            if (at == std::string_view::npos) std::abort();
            ++at;
        }
    };
    for (const auto& c : commands) {
        consume(c.name);
        consume(c.value);
        at = title.find(')', at);
        if (at == std::string_view::npos) std::abort();
        ++at;
    }
    return 0;
}
