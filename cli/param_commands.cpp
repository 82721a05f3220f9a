#include "cli/param_commands.h"

#include "cli/commands.h"
#include "link/failure.h"
#include "link/frame.h"
#include "link/tables.h"
#include "params/ini_file.h"
#include "params/param_file.h"
#include "params/param_values.h"

#include <QString>

#include <algorithm>
#include <charconv>
#include <ostream>

namespace vx52::cli {

namespace {

constexpr int kParamTables = 12;
constexpr int kAddressTable = 11;

std::string group(int table) {
    return std::string(catalogue()[static_cast<std::size_t>(table)].group);
}

// A card named by its table number 0..11 or its section (COMP, SENS1, ADD), any case.
int cardNamed(const std::string& text) {
    int table = -1;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), table);
    if (r.ec == std::errc() && r.ptr == text.data() + text.size())
        return table >= 0 && table < kParamTables ? table : -1;
    for (int t = 0; t < kParamTables; ++t)
        if (QString::fromStdString(text).compare(QString::fromStdString(group(t)),
                                                 Qt::CaseInsensitive) == 0)
            return t;
    return -1;
}

// Copies table `table` of `from` into `to`, field by field.
void copyTable(const ParamSet& from, ParamSet& to, int table) {
    ParamSet source = from;
    const TableDef& def = catalogue()[static_cast<std::size_t>(table)];
    for (const FieldDef& f : def.fields) {
        const std::string name = group(table) + "." + std::string(f.key);
        findField(to, name)->set(findField(source, name)->get());
    }
}

int saveParams(Link& link, const std::vector<std::string>& args, std::ostream& out,
               std::ostream& err) {
    if (args.size() != 1) return usage(err, "save-params takes one FILE");
    const QString path = QString::fromStdString(args[0]);
    // The file's other content stays: a target that cannot be read is not written over.
    QByteArray bytes;
    if (loadIniFile(path, bytes) == IniLoad::Unusable)
        return usage(err, "save-params: " + args[0] +
                              " cannot be read (not a regular file, larger than 64 MB or no "
                              "access); nothing read or written");
    for (int t = 0; t < kParamTables; ++t) {
        if (!link.ReadTable(t))
            return failed(link, "save-params, read-table " + std::to_string(t), err);
        out << "table " << t << ' ' << group(t) << " read\n";
    }
    try {
        replaceIniFile(path, withParamEntries(SetEntries(link.params()), std::move(bytes)));
    } catch (const Failure& f) {
        return usage(err, "save-params: " + f.text());
    }
    out << "saved to " << args[0] << '\n';
    return kExitOk;
}

int loadParams(Link& link, const std::vector<std::string>& args, std::ostream& out,
               std::ostream& err) {
    if (args.empty()) return usage(err, "load-params takes FILE [CARD...]");
    std::vector<int> cards;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const int card = cardNamed(args[i]);
        if (card < 0)
            return usage(err, "load-params: no card " + args[i] +
                                  " (0..11 or COMP, ALARM1, ALARM2, SENS1..SENS4, PID, REGO, "
                                  "DACO, OSTAT, ADD)");
        if (std::find(cards.begin(), cards.end(), card) == cards.end()) cards.push_back(card);
    }
    if (cards.empty())
        for (int t = 0; t < kParamTables; ++t)
            cards.push_back(t);
    // In table order: the address card, which moves the regulator, last.
    std::sort(cards.begin(), cards.end());

    const QString path = QString::fromStdString(args[0]);
    QByteArray bytes;
    const QString refusal = paramFileRefusal(path, bytes);
    if (!refusal.isEmpty()) return usage(err, "load-params: " + refusal.toStdString());
    const FileValues file = readFileValues(IniText(std::move(bytes)));
    const auto problems = file.problems(cards);
    if (!problems.empty()) {
        err << "vx52-cli: load-params: " << args[0]
            << " has entries missing or refused; nothing written:\n";
        for (const EntryRead& p : problems)
            err << "  " << FileValues::describe(p).toStdString() << '\n';
        return kExitUsage;
    }
    for (int t : cards) {
        copyTable(file.set, link.params(), t);
        if (!link.WriteTable(t))
            return failed(link, "load-params, write-table " + std::to_string(t), err);
        out << "table " << t << ' ' << group(t) << " written\n";
        if (t == kAddressTable && link.params().ADD.ADRESA != link.GetDeviceAddress())
            out << "the regulator now answers at address " << int(link.params().ADD.ADRESA)
                << '\n';
    }
    return kExitOk;
}

} // namespace

bool isParamCommand(const std::string& command) {
    return command == "save-params" || command == "load-params";
}

int runParamCommand(Link& link, const std::string& command, const std::vector<std::string>& args,
                    std::ostream& out, std::ostream& err) {
    if (link.GetDeviceAddress() == kBroadcast)
        return usage(err, command + ": address 127 is the broadcast, which no station answers");
    return command == "save-params" ? saveParams(link, args, out, err)
                                    : loadParams(link, args, out, err);
}

} // namespace vx52::cli
