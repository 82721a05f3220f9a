// "&Monitor komunikace" (Ctrl+M): shows the monitor beside the main window, or brings it to
// the front. It is not modal; everything else goes on while it is open.

#include "app/Unit_hl.h"

#include "app/monitor/monitor_window.h"
#include "ui_Unit_hl.h"

void Tqdx01::connectMonitorMenu() {
    connect(ui->mn_monitor, &QAction::triggered, this, guarded([this] { mn_monitorClick(); }));
}

void Tqdx01::mn_monitorClick() {
    if (monitor == nullptr) return;
    monitor->show();
    monitor->raise();
    monitor->activateWindow();
}
