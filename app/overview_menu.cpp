// "Přehled sběrnice" (menu Nastavení): shows the overview beside the main window, or brings
// it to the front. It is not modal; the main window goes on reading meanwhile.

#include "app/Unit_hl.h"

#include "app/overview/overview_window.h"
#include "ui_Unit_hl.h"

void Tqdx01::connectOverviewMenu() {
    connect(ui->mn_prehled, &QAction::triggered, this, guarded([this] { mn_prehledClick(); }));
}

void Tqdx01::mn_prehledClick() {
    if (prehled == nullptr) return;
    prehled->show();
    prehled->raise();
    prehled->activateWindow();
}
