#include "cli/commands.h"

#include "cli/param_commands.h"

#include "link/frame.h"
#include "link/tables.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ostream>
#include <string_view>

namespace vx52::cli {

namespace {

bool parseInt(std::string_view text, int& out) {
    const auto r = std::from_chars(text.data(), text.data() + text.size(), out);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

bool parseDouble(std::string_view text, double& out) {
    const auto r = std::from_chars(text.data(), text.data() + text.size(), out);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

} // namespace

int usage(std::ostream& err, const std::string& text) {
    err << "vx52-cli: " << text << '\n';
    return kExitUsage;
}

int failed(const Link& link, const std::string& operation, std::ostream& err) {
    const ExchangeFailure& f = link.lastFailure();
    err << "vx52-cli: " << operation << ", station " << int(f.asked) << ": " << f.text() << '\n';
    return kExitExchange;
}

namespace {

int tableArgument(const std::vector<std::string>& args, int last, int& table, std::ostream& err) {
    if (args.empty() || !parseInt(args[0], table) || table < 0 || table > last)
        return usage(err, "table number 0.." + std::to_string(last) + " expected");
    return kExitOk;
}

// Applies FIELD=VALUE assignments to table t of params.
int assign(ParamSet& params, int table, std::span<const std::string> assignments,
           std::ostream& err) {
    if (assignments.empty()) return usage(err, "no FIELD=VALUE given");
    const std::string_view group = catalogue()[static_cast<std::size_t>(table)].group;
    for (const std::string& a : assignments) {
        const auto eq = a.find('=');
        if (eq == std::string::npos) return usage(err, "FIELD=VALUE expected: " + a);
        std::string name = a.substr(0, eq);
        if (name.find('.') == std::string::npos) name = std::string(group) + "." + name;
        const auto field = findField(params, name);
        if (!field || field->table != table)
            return usage(err,
                         "table " + std::to_string(table) + " has no field " + a.substr(0, eq));
        double value = 0;
        if (!parseDouble(std::string_view(a).substr(eq + 1), value) || !std::isfinite(value) ||
            !field->set(value))
            return usage(err, "value does not fit " + name + ": " + a.substr(eq + 1));
        // 127 is the broadcast address: a station that took it could never answer again.
        if (name == "ADD.ADRESA" && (value < 0 || value > 126))
            return usage(err, "ADD.ADRESA must lie within 0..126: " + a.substr(eq + 1));
    }
    return kExitOk;
}

int scan(Link& link, std::vector<std::string> args, std::ostream& out, std::ostream& err) {
    const auto fastOption = std::find(args.begin(), args.end(), "--fast");
    const bool fast = fastOption != args.end();
    if (fast) args.erase(fastOption);
    int from = 0;
    int to = 126;
    if ((args.size() > 0 && !parseInt(args[0], from)) ||
        (args.size() > 1 && !parseInt(args[1], to)) || args.size() > 2 || from < 0 || to > 126 ||
        from > to)
        return usage(err, "scan takes addresses FROM and TO within 0..126");
    const std::uint8_t saved = link.GetDeviceAddress();
    int found = 0;
    link.beginSearch();
    for (int a = from; a <= to; ++a) {
        link.SetDeviceAddress(static_cast<std::uint8_t>(a));
        const bool answered = fast ? link.ProbeStationFast() : link.ProbeStation();
        // A station that answered late is named before the one asked now.
        for (const std::uint8_t late : link.takeLateStations()) {
            out << int(late) << '\n' << std::flush;
            ++found;
        }
        if (answered) {
            out << a << '\n' << std::flush;
            ++found;
        }
    }
    link.endSearch();
    link.SetDeviceAddress(saved);
    if (found > 0) return kExitOk;
    err << "vx52-cli: scan " << from << ".." << to << ": no station answered\n";
    return kExitExchange;
}

} // namespace

std::string formatField(double value, bool isFloat) {
    char buf[48];
    std::to_chars_result r;
    if (isFloat)
        r = std::to_chars(buf, buf + sizeof buf,
                          static_cast<float>(value)); // shortest: <= 9 digits
    else
        r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(value));
    return std::string(buf, r.ptr);
}

void printTable(ParamSet& params, int table, std::ostream& out) {
    const TableDef& def = catalogue()[static_cast<std::size_t>(table)];
    for (const FieldDef& f : def.fields) {
        const std::string name = std::string(def.group) + "." + std::string(f.key);
        const auto field = findField(params, name);
        out << name << '=' << formatField(field->get(), f.type == FieldType::Float) << '\n';
    }
}

int runCommand(Link& link, const std::string& command, const std::vector<std::string>& args,
               std::ostream& out, std::ostream& err) {
    const bool noArguments = args.empty();
    if (command == "meas" || command == "type" || command == "version" || command == "eeprom" ||
        command == "probe") {
        if (!noArguments) return usage(err, command + " takes no arguments");
    }
    const bool awaitsData = command == "meas" || command == "read-table" ||
                            command == "write-table" || command == "type" ||
                            command == "version" || command == "probe";
    if (awaitsData && link.GetDeviceAddress() == kBroadcast)
        return usage(err, command + ": address 127 is the broadcast, which no station answers");
    if (command == "meas") {
        if (!link.ReadMeasurement()) return failed(link, "meas", err);
        printTable(link.params(), kMeasTable, out);
        return kExitOk;
    }
    if (command == "read-table") {
        int table = 0;
        if (tableArgument(args, kTableCount - 1, table, err) != kExitOk) return kExitUsage;
        if (args.size() != 1) return usage(err, "read-table takes one table number");
        if (!link.ReadTable(table)) return failed(link, "read-table " + args[0], err);
        printTable(link.params(), table, out);
        return kExitOk;
    }
    if (command == "write-table") {
        int table = 0;
        if (tableArgument(args, kCardCount - 1, table, err) != kExitOk) return kExitUsage;
        // Check the assignments before anything goes out, then apply them to what was read.
        ParamSet probe;
        if (assign(probe, table, std::span(args).subspan(1), err) != kExitOk) return kExitUsage;
        if (!link.ReadTable(table)) return failed(link, "write-table " + args[0] + " (read)", err);
        assign(link.params(), table, std::span(args).subspan(1), err);
        if (!link.WriteTable(table)) return failed(link, "write-table " + args[0], err);
        printTable(link.params(), table, out);
        return kExitOk;
    }
    if (command == "type" || command == "version") {
        const bool type = command == "type";
        if (!(type ? link.ReadDeviceType() : link.ReadDeviceVersion()))
            return failed(link, command, err);
        out << (type ? link.typeText() : link.versionText()) << '\n';
        return kExitOk;
    }
    if (command == "eeprom") return link.StoreToEeprom() ? kExitOk : failed(link, command, err);
    if (command == "probe") {
        if (!link.ProbeStation()) return failed(link, command, err);
        out << int(link.GetDeviceAddress()) << '\n';
        return kExitOk;
    }
    if (command == "scan") return scan(link, args, out, err);
    if (isParamCommand(command)) return runParamCommand(link, command, args, out, err);
    return usage(err, "unknown command: " + command);
}

} // namespace vx52::cli
