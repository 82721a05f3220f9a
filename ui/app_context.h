#pragma once
// What every window receives through its constructor: the one link, the one serial line,
// the settings store and the seams. The object that owns the eight windows builds it once.

#include "bus/line_worker.h"
#include "link/com_line.h"
#include "link/link.h"
#include "ui/clock.h"
#include "ui/pause.h"
#include "ui/prompts.h"
#include "ui/settings_store.h"

namespace vx52 {

struct AppContext {
    Link& link;
    ComLine& line;
    SettingsStore& settings;
    Prompts& prompts;
    Clock& clock;
    Pause& pause;
    // Every exchange runs there: a window hands it a piece of work and returns at once.
    LineWorker& worker;
};

} // namespace vx52
