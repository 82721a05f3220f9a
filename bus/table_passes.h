#pragma once
// The sequences of exchanges that move parameter tables, with the fixed waits that pace the
// regulator, run inside a piece of work on the worker's thread. Each reports every table as
// it ends through onTable (on the worker's thread; wrap it in Session::report for windows),
// and a cancelled pass stops before its next exchange and says which tables it left.

#include "bus/piece.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace vx52 {

namespace pacing {
using namespace std::chrono_literals;
constexpr std::chrono::milliseconds kReadRetry = 300ms;  // before a failed read is repeated
constexpr std::chrono::milliseconds kAfterRead = 100ms;  // after each table of a read-all
constexpr std::chrono::milliseconds kWriteRetry = 400ms; // before a failed write is repeated
constexpr std::chrono::milliseconds kAfterWrite = 400ms; // after each table of a write-all
constexpr std::chrono::milliseconds kAfterLoad = 10ms;   // after each table of the loading
} // namespace pacing

struct TablePass {
    std::vector<int> done;   // exchanged successfully, in order
    std::vector<int> failed; // tried and failed
    std::vector<int> left;   // not tried: the pass was stopped before them
    bool stopped() const { return !left.empty(); }
};

// (table, ok) as each table ends.
using OnTable = std::function<void(int table, bool ok)>;

// One read, once more after kReadRetry when it failed.
bool readWithRetry(Session& s, int table);
// One write, once more after kWriteRetry when it failed.
bool writeWithRetry(Session& s, int table);

// The editor's read-all over the given tables: readWithRetry, then kAfterRead.
TablePass readTables(Session& s, const std::vector<int>& tables, const OnTable& onTable = {});
// The editor's write-all: writeWithRetry, then kAfterWrite. A written address card (11) moves
// the link to the address just written, so that what follows goes there.
TablePass writeTables(Session& s, const std::vector<int>& tables, const OnTable& onTable = {});
// The loading dialog's pass: one read per table, no retry, kAfterLoad after each.
TablePass loadTables(Session& s, const std::vector<int>& tables, const OnTable& onTable = {});

// The device's answers to the identification requests.
struct Identification {
    bool typeRead = false;
    std::string type; // the type text, when read
    bool versionRead = false;
    std::string version;
    int result = 0; // 4 the regulator served, 1..3 a QDX 01, 0 anything else or no answer
};
constexpr int kRegulatorServed = 4;

// The result from the first ten characters of the firmware version text.
int firmwareResult(const char* version);

// Type request, then version request. onType runs between the two (on the worker's thread),
// so the type text can be shown while the version is asked for.
Identification identify(Session& s, const std::function<void(const Identification&)>& onType = {});

// Tables 0..n-1 in order.
std::vector<int> firstTables(int n);

} // namespace vx52
