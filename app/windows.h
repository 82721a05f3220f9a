#pragma once
// The one object that owns the program's eight windows: it builds what every window receives
// (the link, the serial line, the settings store, prompts, clock and pause) and creates the
// windows once, in the start-up order, the main window first because the port dialog reads
// its settings through the main window's store while it is created.

#include "app/monitor/telegram_store.h"
#include "bus/bus_poller.h"
#include "bus/line_worker.h"
#include "link/link.h"
#include "ui/app_context.h"

#include <memory>

class Tqdx01;
class Tport;
class TAboutBox;
class Tabout_ident;
class Tmenu_mod;
class Trotace3D;
class Tform_zaznam;
class Tload_form;
class Tmonitor;
class Tmqtt;
class Tprehled;

namespace vx52 {

// The services the windows share; the program passes the real ones, tests their own.
struct Services {
    SettingsStore& settings;
    ComLine& line;
    Prompts& prompts;
    Clock& clock;
    Pause& pause;
    // Moves what the line keeps on a thread (the serial port) to the line worker's thread.
    LineWorker::HandOver handOver = {};
};

class AppWindows {
public:
    explicit AppWindows(Services services);
    ~AppWindows();
    AppWindows(const AppWindows&) = delete;
    AppWindows& operator=(const AppWindows&) = delete;

    Link& link() { return link_; }
    // The one thread that exchanges with the regulator; its telegrams reach the monitor.
    LineWorker& worker() { return *worker_; }
    // Polls the stations of the bus through the worker; each station's reading is its signal.
    BusPoller& poller() { return *poller_; }
    AppContext& context() { return context_; }

    // The windows, alive as long as this object; the dialogs are children of the main window.
    Tqdx01* qdx01 = nullptr;
    Tport* port = nullptr;
    TAboutBox* AboutBox = nullptr;
    Tabout_ident* about_ident = nullptr;
    Tmenu_mod* menu_mod = nullptr;
    Trotace3D* rotace3D = nullptr;
    Tform_zaznam* form_zaznam = nullptr;
    Tload_form* load_form = nullptr;
    Tmonitor* monitor = nullptr; // "Monitor komunikace", not modal, shown from the menu
    Tmqtt* mqtt = nullptr;       // "Publikování MQTT"
    Tprehled* prehled = nullptr; // "Přehled sběrnice", not modal, shown from the menu

    TelegramStore& telegrams() { return telegrams_; }

private:
    Link link_;
    TelegramStore telegrams_; // every telegram of the link, for the monitor
    std::unique_ptr<LineWorker> worker_;
    std::unique_ptr<BusPoller> poller_;
    AppContext context_;
    std::unique_ptr<Tqdx01> main_window_;
    std::unique_ptr<Tmonitor> monitor_; // no child of the main window
    std::unique_ptr<Tprehled> prehled_; // nor is the overview
};

// Fonts of the window layouts that this system may not have, mapped to ones it has.
void installFontSubstitutes();

} // namespace vx52
