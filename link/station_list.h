#pragma once
// A list of bus stations as the operator writes it: addresses and ranges separated by commas,
// "1, 5, 17-20". Addresses lie within 0..126 (127 is the broadcast, which no station answers).
// The result is ascending and free of repeats.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vx52 {

struct StationListError {
    enum class Kind {
        Empty,      // nothing given
        NotANumber, // an item is neither an address nor a range "a-b"
        OutOfRange, // an address beyond 0..126
        Backwards,  // a range whose first address is above its last
    };
    Kind kind = Kind::Empty;
    std::string item; // the item as written

    // One line in English for the command-line tools.
    std::string text() const;
};

struct StationListResult {
    std::vector<std::uint8_t> stations;
    std::optional<StationListError> error;
    bool ok() const { return !error; }
};

StationListResult parseStationList(std::string_view text);

// The list written back as the parser reads it, runs of three or more as ranges: "1, 5, 17-20".
std::string formatStationList(const std::vector<std::uint8_t>& stations);

} // namespace vx52
