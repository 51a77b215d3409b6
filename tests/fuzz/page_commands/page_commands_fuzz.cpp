// Any page title reads as at most 256 commands, each made only of the title's own
// characters, names without blanks.
#include "online/page_commands.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view title(reinterpret_cast<const char*>(data), size);
    const auto commands = coilrun::online::parsePageCommands(title);
    if (commands.size() > coilrun::online::kMaxPageCommands) std::abort();
    std::size_t characters = 0;
    for (const auto& c : commands) {
        if (c.name.find(' ') != std::string::npos) std::abort();
        if (c.name.find_first_of("()") != std::string::npos) std::abort();
        if (c.value.find_first_of("()") != std::string::npos) std::abort();
        characters += c.name.size() + c.value.size() + 2;
    }
    if (characters > size) std::abort();
    return 0;
}
