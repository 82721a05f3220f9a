// "&Komunikační port": the port dialog with the main window's timer paused. The dialog opens
// the line when it is shown and keeps it open while shown; the line is closed afterwards.

#include "app/Unit_hl.h"

#include "app/dialogs/Unitport.h"
#include "ui_Unit_hl.h"

void Tqdx01::connectPortMenu() {
    connect(ui->mn_port, &QAction::triggered, this, guarded([this] { mn_portClick(); }));
}

int Tqdx01::selectedLine() const { return port ? port->selectedCom() : ctx.line.comNumber(); }

void Tqdx01::mn_portClick() {
    withTimerPaused([this] {
        port_opened = false;
        port->exec();
        port_opened = false;
        vx52::Piece close;
        close.name = QStringLiteral("zavření linky");
        close.run = [](vx52::Session& s) { s.line().CloseLine(); };
        ctx.worker.submit(std::move(close));
    });
}
