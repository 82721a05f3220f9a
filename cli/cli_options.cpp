#include "cli/cli_options.h"

#include <array>
#include <charconv>
#include <string_view>

namespace vx52::cli {

const char* const kCliUsage = R"(Usage: vx52-cli (--device PATH | --com N) [options] COMMAND [ARGS]

Talks to the regulator through the same link the program uses.

Line:
  --device PATH    serial device (or pseudo-terminal) to open
  --com N          COM 1..8, mapped to a device as the program maps it
  --baud B         line speed, default 9600
  --da A           regulator address 0..127, default 1
  --sa A           PC address 0..126, default 0
  --trace          every telegram on stderr: TX or RX, milliseconds since
                   start, the bytes in hexadecimal
  --decode         as --trace, each telegram followed by its meaning and fields

Publishing:
  --mqtt URL       with meas and poll: publish each reading to an MQTT broker
                   as the program does, a station's readings in order, kept
                   while the broker is away (as long as the tool runs):
                   mqtt://[user[:password]@]host[:port] or mqtts://... (TLS);
                   a password given here is visible to other users of the PC
  --ca FILE        with mqtts://, the CA certificate that vouches for the
                   broker (default: the system's certificates)
  --mqtt-prefix P  topic prefix, default vx52/<host name>

Commands:
  meas                           measured values (MEAS.OUT1..OUT4, RELAYS, WORD)
  read-table T                   table T (0..13), one GROUP.KEY=value line a field
  write-table T FIELD=VALUE...   read table T (0..11), change the named fields
                                 (KEY or GROUP.KEY), write it back
  type                           device type text
  version                        firmware version text
  eeprom                         have the regulator store its tables in EEPROM
  probe                          probe the station at --da
  scan [--fast] [FROM [TO]]      probe addresses FROM..TO (default 0..126) and
                                 print those that answer, one a line; --fast
                                 waits only for stations that answer promptly
  poll STATIONS [--rounds N] [--period MS]
                                 read the measured values of every station of
                                 STATIONS ("1,5,17-20") in turn, one round every
                                 MS milliseconds (default 1000, 0 as fast as the
                                 line allows), N rounds or until interrupted;
                                 CSV rows on stdout (UTF-8: time, station, OUT 1..4,
                                 relays 1..4, state), a summary on stderr. A station
                                 silent 3 rounds in a row is asked every 10th round
                                 until it answers. Exit 0 when every station
                                 answered at least once
  save-params FILE               read tables 0..11 and save them as a parameter
                                 file (as the editor's Save; other sections stay)
  load-params FILE [CARD...]     write the file's cards (all, or those named by
                                 table 0..11 or section: COMP, SENS1, ADD...) to
                                 the regulator, ADD last; a file with entries
                                 missing or refused is refused, naming them

Exit status: 0 success, 1 the exchange failed (one line on stderr: the
operation, the station and why), 2 bad usage or the line cannot be opened
(the reason on stderr), 3 with --mqtt: the broker did not take the readings
within 10 s of the end. Commands that await a reply refuse --da 127, the
broadcast address.
)";

namespace {

bool integer(std::string_view text, int& out) {
    const auto r = std::from_chars(text.data(), text.data() + text.size(), out);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

constexpr std::array<std::string_view, 11> kCommands{
    "meas",  "read-table", "write-table", "type", "version",     "eeprom",
    "probe", "scan",       "poll",        "save-params", "load-params"};

} // namespace

std::optional<CliOptions> parseCliOptions(const std::vector<std::string>& args,
                                          std::string& error) {
    CliOptions o;
    bool comGiven = false;
    std::size_t i = 0;
    const auto bad = [&](const std::string& what) {
        error = what;
        return std::optional<CliOptions>();
    };
    for (; i < args.size() && args[i].starts_with("-"); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            o.help = true;
            return o;
        }
        if (a == "--trace" || a == "--decode") {
            (a == "--trace" ? o.trace : o.decode) = true;
            continue;
        }
        if (i + 1 >= args.size()) return bad(a + " needs a value");
        const std::string& v = args[++i];
        if (a == "--device") {
            o.device = v;
        } else if (a == "--com") {
            if (!integer(v, o.com) || o.com < 1 || o.com > 8) return bad("bad COM number: " + v);
            comGiven = true;
        } else if (a == "--baud") {
            if (!integer(v, o.baud) || o.baud <= 0) return bad("bad speed: " + v);
        } else if (a == "--da") {
            if (!integer(v, o.da) || o.da < 0 || o.da > 127)
                return bad("bad regulator address: " + v);
        } else if (a == "--mqtt") {
            o.mqtt = v;
        } else if (a == "--ca") {
            o.ca = v;
        } else if (a == "--mqtt-prefix") {
            o.mqttPrefix = v;
        } else if (a == "--sa") {
            if (!integer(v, o.sa) || o.sa < 0 || o.sa > 126) return bad("bad PC address: " + v);
        } else {
            return bad("unknown option: " + a);
        }
    }
    if (o.device.empty() == !comGiven) return bad("give either --device PATH or --com N");
    if (o.mqtt.empty() && !(o.ca.empty() && o.mqttPrefix.empty()))
        return bad("--ca and --mqtt-prefix go with --mqtt URL");
    if (i >= args.size()) return bad("no command");
    o.command = args[i++];
    bool known = false;
    for (const auto c : kCommands)
        known = known || c == o.command;
    if (!known) return bad("unknown command: " + o.command);
    if (!o.mqtt.empty() && o.command != "meas" && o.command != "poll")
        return bad("--mqtt publishes readings: use it with meas or poll");
    o.arguments.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
    return o;
}

} // namespace vx52::cli
