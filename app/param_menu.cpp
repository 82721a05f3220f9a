// "&Parametry regulátoru" and "&Identifikace": the dialogs that use the serial line, with the
// main window's timer paused and the line open around them.

#include "app/Unit_hl.h"

#include "params/Unitmenumod.h"
#include "params/about_ident.h"
#include "params/load_form.h"
#include "ui_Unit_hl.h"

namespace {

// Closes the line when the work around it ends, also when a failure cut it short.
class OpenedLine {
public:
    OpenedLine(vx52::ComLine& line, int com) : line_(line) { line_.OpenLine(com); }
    ~OpenedLine() { line_.CloseLine(); }
    OpenedLine(const OpenedLine&) = delete;
    OpenedLine& operator=(const OpenedLine&) = delete;

private:
    vx52::ComLine& line_;
};

} // namespace

void Tqdx01::connectParamMenu() {
    connect(ui->mn_parametry, &QAction::triggered, this, guarded([this] { mn_parametryClick(); }));
    connect(ui->mn_ident, &QAction::triggered, this, guarded([this] { mn_identClick(); }));
}

// The editor opens after the loading dialog whatever it found: it reads every table itself.
void Tqdx01::mn_parametryClick() {
    withTimerPaused([this] {
        OpenedLine line(ctx.line, selectedLine());
        load_form->exec();
        menu_mod->exec();
    });
}

void Tqdx01::mn_identClick() {
    withTimerPaused([this] {
        OpenedLine line(ctx.line, selectedLine());
        about_ident->exec();
    });
}
