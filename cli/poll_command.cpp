#include "cli/poll_command.h"

#include "bus/poll_round.h"
#include "cli/commands.h"
#include "link/link.h"
#include "link/station_list.h"

#include <QDateTime>

#include <charconv>
#include <map>
#include <optional>
#include <ostream>
#include <string_view>
#include <thread>

namespace vx52::cli {

namespace {

using std::chrono::milliseconds;

constexpr milliseconds kDefaultPeriod{1000};
constexpr milliseconds kStopCheck{50}; // longest sleep between looks at stop()

struct PollArguments {
    std::vector<std::uint8_t> stations;
    std::optional<long long> rounds; // none: until interrupted
    milliseconds period = kDefaultPeriod;
};

bool count(std::string_view text, long long& out) {
    const auto r = std::from_chars(text.data(), text.data() + text.size(), out);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

std::optional<PollArguments> parse(const std::vector<std::string>& args, std::string& error) {
    PollArguments p;
    bool haveStations = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--rounds" || a == "--period") {
            long long v = 0;
            if (i + 1 >= args.size()) {
                error = "poll: " + a + " needs a value";
                return std::nullopt;
            }
            const std::string& text = args[++i];
            if (a == "--rounds") {
                if (!count(text, v) || v < 1) {
                    error = "poll: --rounds takes a number of rounds from 1: " + text;
                    return std::nullopt;
                }
                p.rounds = v;
            } else {
                if (!count(text, v) || v < 0 || v > 86'400'000) {
                    error = "poll: --period takes milliseconds, 0 for as fast as the line "
                            "allows: " +
                            text;
                    return std::nullopt;
                }
                p.period = milliseconds(v);
            }
        } else if (!haveStations) {
            const StationListResult list = parseStationList(a);
            if (!list.ok()) {
                error = "poll: " + list.error->text();
                return std::nullopt;
            }
            p.stations = list.stations;
            haveStations = true;
        } else {
            error = "poll: unexpected argument: " + a;
            return std::nullopt;
        }
    }
    if (!haveStations) {
        error = "poll: no stations given (for example 1,5,17-20)";
        return std::nullopt;
    }
    return p;
}

struct Tally {
    long long good = 0;
    long long failed = 0;
    long long skipped = 0;
};

void sleepUntil(milliseconds due, const PollHooks& hooks) {
    while (!(hooks.stop && hooks.stop())) {
        const milliseconds left = due - hooks.elapsed();
        if (left <= milliseconds(0)) return;
        hooks.sleep(std::min(left, kStopCheck));
    }
}

} // namespace

PollHooks systemPollHooks(std::function<bool()> stop) {
    const auto start = std::chrono::steady_clock::now();
    return {
        [] { return QDateTime::currentDateTime(); },
        [start] {
            return std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() -
                                                            start);
        },
        [](milliseconds d) { std::this_thread::sleep_for(d); },
        std::move(stop),
    };
}

int runPoll(Link& link, const std::vector<std::string>& arguments, std::ostream& out,
            std::ostream& err, const PollHooks& hooks,
            const std::function<void(const StationReading&)>& reading) {
    std::string error;
    const auto p = parse(arguments, error);
    if (!p) {
        err << "vx52-cli: " << error << '\n';
        return kExitUsage;
    }
    PollSchedule schedule(p->stations);
    std::map<std::uint8_t, Tally> tally;
    out << csvHeader().toStdString() << '\n' << std::flush;
    const PollRoundHooks roundHooks{
        hooks.now,
        [&](const StationReading& r) {
            Tally& t = tally[r.station];
            (r.answered() ? t.good : r.state == StationState::Failed ? t.failed : t.skipped)++;
            out << csvRow(r).toStdString() << '\n' << std::flush;
            if (reading) reading(r);
        },
        hooks.stop,
        {}, // the poll's rows carry no type text
    };
    long long rounds = 0;
    while (!p->rounds || rounds < *p->rounds) {
        if (hooks.stop && hooks.stop()) break;
        const milliseconds started = hooks.elapsed();
        if (!pollRound(link, schedule, roundHooks)) break;
        ++rounds;
        if (!p->rounds || rounds < *p->rounds) sleepUntil(started + p->period, hooks);
    }

    bool everyStationAnswered = true;
    err << "vx52-cli: poll: " << rounds << (rounds == 1 ? " round" : " rounds");
    for (const auto s : p->stations) {
        const Tally& t = tally[s];
        err << "; station " << int(s) << ": " << t.good << " good, " << t.failed << " failed";
        if (t.skipped > 0) err << ", " << t.skipped << " skipped";
        everyStationAnswered = everyStationAnswered && t.good > 0;
    }
    err << '\n';
    return everyStationAnswered ? kExitOk : kExitExchange;
}

} // namespace vx52::cli
