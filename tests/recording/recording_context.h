#pragma once
// What a window of the recording tests receives: an answering regulator on an in-process
// line (COM 1, address 1), a settings store in memory, scripted prompts and a hand-stepped
// clock.

#include "fixtures/memory_store.h"
#include "fixtures/fake_time.h"
#include "fixtures/loopback_line.h"
#include "fixtures/scripted_prompts.h"
#include "link/link.h"
#include "ui/app_context.h"
#include "ui/settings_store.h"

#include <QMap>

namespace vx52::test {

struct RecordingContext {
    Link link;
    LoopbackLine line;
    MemoryStore settings;
    ScriptedPrompts prompts;
    FakeClock clock;
    RecordingPause pause;
    LineWorker worker{link, line, pause};
    AppContext ctx{link, line, settings, prompts, clock, pause, worker};

    RecordingContext() {
        link.setLine(&line);
        link.SetDeviceAddress(1);
        link.SetHostAddress(0);
        line.setComNumber(1);
    }
};

} // namespace vx52::test
