#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace coilrun::server {

// Limits on what a run report may carry. Anything longer is cut; a score outside
// 0..kMaxScore is not a score at all (the run is still stored, without one).
inline constexpr int kMaxNewLength = 8;
inline constexpr int kMaxDateLength = 32;
inline constexpr int kMaxNameLength = 24;
inline constexpr std::int64_t kMaxScore = 10'000'000;

// One run report as the game sends it to count.php, after decoding and
// cutting. The texts are the player's own and untrusted: they are stored as they
// are (control characters aside) and made safe only where they are shown.
struct RunReport {
    std::u16string newFlag;            // "TRUE", "ME" or "FALSE" from the game; anything else kept
    std::u16string date;               // the player's short date, as their system writes it
    std::optional<std::int64_t> score; // set only for a whole number 0..kMaxScore
    std::u16string user;               // the player's name, at most kMaxNameLength characters
};

} // namespace coilrun::server
