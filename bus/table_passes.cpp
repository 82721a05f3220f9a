#include "bus/table_passes.h"

#include "link/tables.h"

#include <cstddef>
#include <cstring>

namespace vx52 {

namespace {

constexpr int kAddressCard = 11;

struct KnownFirmware {
    const char* prefix;
    int result;
};
// Compared on the first ten characters, in this order.
constexpr KnownFirmware kFirmware[] = {
    {"FW-R-12-10", 4}, {"FW-R-11-01", 1}, {"FW-R-11-02", 2}, {"FW-R-11-03", 3}};
constexpr std::size_t kPrefixLength = 10;

std::string text(const char* buffer, std::size_t size) {
    return std::string(buffer, strnlen(buffer, size));
}

// Runs step over the tables in order, with the wait after each; a cancel leaves the table
// under way and the rest untried.
template <typename Step>
TablePass runPass(Session& s, const std::vector<int>& tables, const OnTable& onTable,
                  std::chrono::milliseconds after, Step step) {
    TablePass out;
    std::size_t next = 0; // the first table not yet over
    try {
        while (next < tables.size()) {
            const int t = tables[next];
            const bool ok = step(t);
            (ok ? out.done : out.failed).push_back(t);
            ++next;
            if (onTable) onTable(t, ok);
            s.pause(after);
        }
    } catch (const Cancelled&) {
        out.left.assign(tables.begin() + static_cast<std::ptrdiff_t>(next), tables.end());
    }
    return out;
}

} // namespace

bool readWithRetry(Session& s, int table) {
    if (s.exchange(&Link::ReadTable, table)) return true;
    s.pause(pacing::kReadRetry);
    return s.exchange(&Link::ReadTable, table);
}

bool writeWithRetry(Session& s, int table) {
    if (s.exchange(&Link::WriteTable, table)) return true;
    s.pause(pacing::kWriteRetry);
    return s.exchange(&Link::WriteTable, table);
}

} // namespace vx52

namespace vx52 {

TablePass readTables(Session& s, const std::vector<int>& tables, const OnTable& onTable) {
    return runPass(s, tables, onTable, pacing::kAfterRead,
                   [&s](int t) { return readWithRetry(s, t); });
}

TablePass writeTables(Session& s, const std::vector<int>& tables, const OnTable& onTable) {
    return runPass(s, tables, onTable, pacing::kAfterWrite, [&s](int t) {
        const bool ok = writeWithRetry(s, t);
        // Later requests go to the address just written to the regulator.
        if (ok && t == kAddressCard) s.link().SetDeviceAddress(s.link().params().ADD.ADRESA);
        return ok;
    });
}

TablePass loadTables(Session& s, const std::vector<int>& tables, const OnTable& onTable) {
    return runPass(s, tables, onTable, pacing::kAfterLoad,
                   [&s](int t) { return s.exchange(&Link::ReadTable, t) == 1; });
}

int firmwareResult(const char* version) {
    for (const auto& known : kFirmware)
        if (strnlen(version, kPrefixLength) == kPrefixLength &&
            std::memcmp(version, known.prefix, kPrefixLength) == 0)
            return known.result;
    return 0;
}

Identification identify(Session& s, const std::function<void(const Identification&)>& onType) {
    Identification out;
    Link& link = s.link();
    out.typeRead = s.exchange(&Link::ReadDeviceType) == 1;
    if (out.typeRead) out.type = text(link.type_text.data(), link.type_text.size());
    if (onType) onType(out);
    out.versionRead = s.exchange(&Link::ReadDeviceVersion) == 1;
    if (!out.versionRead) return out;
    out.version = text(link.version_text.data(), link.version_text.size());
    out.result = firmwareResult(link.version_text.data());
    return out;
}

std::vector<int> firstTables(int n) {
    std::vector<int> out;
    for (int t = 0; t < n; ++t)
        out.push_back(t);
    return out;
}

} // namespace vx52
