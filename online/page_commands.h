#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace coilrun::online {

// One command a score page carries in its title: name(value).
struct PageCommand {
    std::string name;
    std::string value;
    bool operator==(const PageCommand&) const = default;
};

// The most commands one title may carry.
inline constexpr std::size_t kMaxPageCommands = 256;

// Reads name(value) pairs from a page title, left to right. Blanks count only
// inside the parentheses (a value keeps its inner blanks; a name loses them); a
// name whose ")" never comes is no command, and text after the last ")" is
// dropped. At most kMaxPageCommands pairs are taken; the rest are ignored.
std::vector<PageCommand> parsePageCommands(std::string_view title);

} // namespace coilrun::online
