#include "sim/sim_options.h"

#include "link/station_list.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace vx52::sim {

const char* const kSimUsage = R"(Usage: vx52-sim (--pty | --port PATH) [options]

Simulated regulator on a serial line. With --pty the first line printed is
"PTY <path>", the pseudo-terminal to connect to.

  --pty                 create a pseudo-terminal and serve it
  --link PATH           with --pty: keep a symbolic link at PATH to the
                        pseudo-terminal, so a restarted simulator is found under
                        the same name, as a replugged adapter is
  --port PATH           serve a real serial device instead (8E1)
  --baud B              line speed, default 9600; replies are paced at it and a
                        pseudo-terminal set to another speed gets no answer
  --address A           bus address 0..126, default 1
  --also-answer LIST    further addresses (comma separated) that answer the probe
  --device KIND         regulator (default), qdx01, foreign or none
  --type-text TEXT      device type text
  --version-text TEXT   firmware version text (regulator: FW-R-12-10...)
  --eeprom FILE         load the tables from FILE at start, store them there on
                        the EEPROM command (with --stations: the first station's)
  --stations LIST       a full regulator at each address of LIST ("1,5,17-20"),
                        each with its own tables and process; requests and
                        replies take their time on the line at --baud
  --silent-stations LIST  stations of --stations that hear but never answer
  --fault F             silent, badsum, wrongfc, short, refuse, gap, late, garbage
  --fault-rate P        share of replies the fault hits, 0..1, default 1
  --late-ms MS          how late the late fault makes a reply, default 700
  --reply-delay MS      every reply MS later, as a USB adapter's latency timer
                        holds received bytes (16 ms by default on common ones)
  --seed N              seed of the simulated process and of the fault rate
  --trace               log every frame with a time stamp on stderr
  --help                this text

Signals: SIGUSR1 turns the fault off and the silent stations on, SIGUSR2
turns both back; SIGINT/SIGTERM end.
)";

namespace {

template <typename T> bool number(std::string_view text, T& out) {
    const auto r = std::from_chars(text.data(), text.data() + text.size(), out);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

bool address(std::string_view text, std::uint8_t& out) {
    int v = -1;
    if (!number(text, v) || v < 0 || v > 126) return false;
    out = static_cast<std::uint8_t>(v);
    return true;
}

std::optional<DeviceKind> deviceKind(std::string_view name) {
    if (name == "regulator") return DeviceKind::Regulator;
    if (name == "qdx01") return DeviceKind::Qdx01;
    if (name == "foreign") return DeviceKind::Foreign;
    if (name == "none") return DeviceKind::Nothing;
    return std::nullopt;
}

} // namespace

std::optional<SimOptions> parseSimOptions(const std::vector<std::string>& args,
                                          std::string& error) {
    SimOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        const auto bad = [&](const std::string& what) {
            error = what;
            return std::optional<SimOptions>();
        };
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--pty") {
            o.pty = true;
        } else if (a == "--trace") {
            o.trace = true;
        } else if (a == "--port" || a == "--link" || a == "--eeprom" || a == "--type-text" ||
                   a == "--version-text" || a == "--baud" || a == "--address" ||
                   a == "--also-answer" || a == "--device" || a == "--fault" ||
                   a == "--fault-rate" || a == "--seed" || a == "--stations" ||
                   a == "--silent-stations" || a == "--late-ms" || a == "--reply-delay") {
            const auto v = value();
            if (!v) return bad(a + " needs a value");
            if (a == "--port")
                o.port = *v;
            else if (a == "--link")
                o.link = *v;
            else if (a == "--eeprom")
                o.eeprom = *v;
            else if (a == "--type-text")
                o.device.typeText = *v;
            else if (a == "--version-text")
                o.device.versionText = *v;
            else if (a == "--baud") {
                if (!number(*v, o.baud) || o.baud < 50) return bad("bad speed: " + *v);
            } else if (a == "--address") {
                if (!address(*v, o.device.address)) return bad("bad address: " + *v);
                o.addressGiven = true;
            } else if (a == "--also-answer") {
                std::string_view rest = *v;
                while (!rest.empty()) {
                    const auto comma = rest.find(',');
                    std::uint8_t extra = 0;
                    if (!address(rest.substr(0, comma), extra))
                        return bad("bad address list: " + *v);
                    o.device.alsoAnswer.insert(extra);
                    rest = comma == std::string_view::npos ? std::string_view()
                                                           : rest.substr(comma + 1);
                }
            } else if (a == "--device") {
                const auto kind = deviceKind(*v);
                if (!kind) return bad("unknown device: " + *v);
                o.device.kind = *kind;
            } else if (a == "--fault") {
                const auto f = parseFault(*v);
                if (!f) return bad("unknown fault: " + *v);
                o.fault = *f;
            } else if (a == "--fault-rate") {
                if (!number(*v, o.faultRate) || o.faultRate < 0 || o.faultRate > 1)
                    return bad("bad fault rate: " + *v);
            } else if (a == "--stations" || a == "--silent-stations") {
                const StationListResult list = parseStationList(*v);
                if (!list.ok()) return bad(a + ": " + list.error->text());
                (a == "--stations" ? o.stations : o.silentStations) = list.stations;
            } else if (a == "--seed") {
                if (!number(*v, o.device.seed)) return bad("bad seed: " + *v);
            } else if (a == "--late-ms" || a == "--reply-delay") {
                int ms = -1;
                if (!number(*v, ms) || ms < 0 || ms > 60000) return bad("bad time for " + a + ": " + *v);
                (a == "--late-ms" ? o.device.lateDelay : o.device.replyDelay) =
                    std::chrono::milliseconds(ms);
            }
        } else {
            return bad("unknown argument: " + a);
        }
    }
    if (!o.help && o.pty == !o.port.empty()) {
        error = "give either --pty or --port PATH";
        return std::nullopt;
    }
    if (!o.stations.empty() && (o.addressGiven || !o.device.alsoAnswer.empty())) {
        error = "--stations serves whole stations: it takes no --address or --also-answer";
        return std::nullopt;
    }
    for (const auto s : o.silentStations) {
        if (std::find(o.stations.begin(), o.stations.end(), s) == o.stations.end()) {
            error = "--silent-stations: station " + std::to_string(s) + " is not in --stations";
            return std::nullopt;
        }
    }
    if (!o.link.empty() && !o.pty) {
        error = "--link needs --pty";
        return std::nullopt;
    }
    return o;
}

} // namespace vx52::sim
