#include "sim/eeprom_file.h"

#include "link/tables.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <string_view>

namespace vx52::sim {

namespace {

constexpr std::size_t kMaxLine = 200; // "GROUP.KEY=value" is far shorter

std::string format(double v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

bool fail(std::string* error, const std::string& text) {
    if (error) *error = text;
    return false;
}

} // namespace

bool saveEeprom(const ParamSet& tables, const std::string& path) {
    ParamSet copy = tables;
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::trunc);
        if (!out) return false;
        for (int t = 0; t < kCardCount; ++t) {
            const TableDef& def = catalogue()[static_cast<std::size_t>(t)];
            for (const FieldDef& field : def.fields) {
                const std::string name = std::string(def.group) + "." + std::string(field.key);
                out << name << '=' << format(findField(copy, name)->get()) << '\n';
            }
        }
        if (!out.flush()) return false;
    }
    // Replace in one step, so a crash never leaves half a file behind.
    return std::rename(temp.c_str(), path.c_str()) == 0;
}

bool loadEeprom(ParamSet& tables, const std::string& path, std::string* error) {
    std::ifstream in(path);
    if (!in) return fail(error, "cannot read " + path);
    ParamSet loaded = tables;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.size() > kMaxLine)
            return fail(error, path + ":" + std::to_string(number) + ": line too long");
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const auto eq = line.find('=');
        const std::string where = path + ":" + std::to_string(number);
        if (eq == std::string::npos) return fail(error, where + ": no '='");
        const auto field = findField(loaded, std::string_view(line).substr(0, eq));
        if (!field || field->table >= kCardCount)
            return fail(error, where + ": unknown field " + line.substr(0, eq));
        double value = 0;
        const char* first = line.data() + eq + 1;
        const char* last = line.data() + line.size();
        const auto r = std::from_chars(first, last, value);
        if (r.ec != std::errc() || r.ptr != last || !field->set(value))
            return fail(error, where + ": bad value " + line.substr(eq + 1));
    }
    tables = loaded; // all or nothing
    return true;
}

} // namespace vx52::sim
