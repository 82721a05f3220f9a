#pragma once
// vx52-cli poll STATIONS [--rounds N] [--period MS]: the bus overview's polling from a shell.
// The CSV header and one row per station per round go to out as they come; at the end one
// summary line goes to err. Exit 0 when every station answered at least once.

#include <chrono>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

class QDateTime;

namespace vx52 {
class Link;
struct StationReading;
}

namespace vx52::cli {

struct PollHooks {
    std::function<QDateTime()> now;                       // time of a reading
    std::function<std::chrono::milliseconds()> elapsed;   // steady time, for the period
    std::function<void(std::chrono::milliseconds)> sleep; // waits up to the given time
    std::function<bool()> stop;                           // an interrupt asked to end
};

// Hooks on the system clocks; stop() comes from the caller.
PollHooks systemPollHooks(std::function<bool()> stop);

// reading, when given, gets each station's outcome after its row (to publish it).
int runPoll(Link& link, const std::vector<std::string>& arguments, std::ostream& out,
            std::ostream& err, const PollHooks& hooks,
            const std::function<void(const StationReading&)>& reading = {});

} // namespace vx52::cli
