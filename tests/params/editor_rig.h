#pragma once
// The editor and its dialogs on a loopback line to the simulated device, with scripted
// prompts and a pause that records its waits.

#include "fixtures/memory_store.h"
#include "fixtures/fake_time.h"
#include "fixtures/loopback_line.h"
#include "fixtures/scripted_prompts.h"
#include "link/link.h"
#include "ui/app_context.h"
#include "ui/settings_store.h"

#include <QHash>

#include <vector>

namespace vx52::test {

// One request the link sent: its destination, command and (for table commands) table.
struct Request {
    int address;
    int command;
    int table;
    bool operator==(const Request&) const = default;
};

constexpr int kReadTable = 1;
constexpr int kWriteTable = 2;

struct EditorRig {
    LoopbackLine line;
    Link link;
    MemoryStore settings;
    ScriptedPrompts prompts;
    FakeClock clock;
    RecordingPause pause;
    LineWorker worker{link, line, pause};
    AppContext ctx{link, line, settings, prompts, clock, pause, worker};

    explicit EditorRig(sim::DeviceKind kind = sim::DeviceKind::Regulator)
        : EditorRig(sim::RegulatorConfig{.kind = kind}) {}
    explicit EditorRig(sim::RegulatorConfig config) : line(std::move(config)) {
        link.setLine(&line);
        link.SetDeviceAddress(1);
        link.SetHostAddress(0);
        line.OpenLine(1);
    }

    ParamSet& device() { return line.regulator().tables(); }
    ParamSet& params() { return link.params(); }

    std::vector<Request> requests() const {
        std::vector<Request> out;
        for (const auto& f : line.written)
            if (f.size() > 8 && f[0] == 0x68) out.push_back({f[4], f[7], f[8]});
        return out;
    }
    // Tables named by requests of one command, in order.
    std::vector<int> tables(int command) const {
        std::vector<int> out;
        for (const auto& r : requests())
            if (r.command == command) out.push_back(r.table);
        return out;
    }
    std::vector<long long> waits() const {
        std::vector<long long> out;
        for (auto w : pause.waits)
            out.push_back(w.count());
        return out;
    }
    void forget() {
        line.written.clear();
        pause.waits.clear();
        prompts.clear();
    }
};

} // namespace vx52::test
