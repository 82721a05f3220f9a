// "&Parametry regulátoru" and "&Identifikace": the dialogs that use the serial line. The line
// is opened on the line worker before them and closed there after them, with the main
// window's timer paused and the two menu items off meanwhile. Each step goes on when the one
// before it is over; the handlers return at once.

#include "app/Unit_hl.h"

#include "params/Unitmenumod.h"
#include "params/about_ident.h"
#include "params/load_form.h"
#include "ui_Unit_hl.h"

#include <QPointer>
#include <QTimer>

#include <memory>

void Tqdx01::connectParamMenu() {
    connect(ui->mn_parametry, &QAction::triggered, this, guarded([this] { mn_parametryClick(); }));
    connect(ui->mn_ident, &QAction::triggered, this, guarded([this] { mn_identClick(); }));
}

// Opens the chosen line, then `dialogs` runs with a function to call when they are over, which
// closes the line. A line that cannot be opened shows its failure instead.
void Tqdx01::withLineOpen(std::function<void(std::function<void()> over)> dialogs) {
    // Taken back when the last step lets go of it, whichever that is; what is gone by then
    // (the program closing with the dialogs open) is left alone.
    struct Session {
        QPointer<QTimer> timer;
        bool wasActive;
        QPointer<QAction> items[2];
        Session(QTimer* t, QAction* parametry, QAction* ident)
            : timer(t), wasActive(t->isActive()), items{parametry, ident} {
            timer->stop();
            for (QAction* item : items)
                item->setEnabled(false);
        }
        ~Session() {
            for (QAction* item : items)
                if (item) item->setEnabled(true);
            if (timer && wasActive) timer->start();
        }
    };
    auto session = std::make_shared<Session>(Timer1, ui->mn_parametry, ui->mn_ident);
    const int com = selectedLine();
    vx52::Piece open;
    open.name = QStringLiteral("Otevření linky");
    open.run = [com](vx52::Session& s) { s.line().OpenLine(com); };
    open.finished = [this, session, dialogs = std::move(dialogs)](const vx52::PieceEnd& end) {
        if (end.failed()) {
            vx52::showFailure(ctx.prompts, this, end.failure);
            return;
        }
        dialogs([this, session] {
            vx52::Piece close;
            close.name = QStringLiteral("Zavření linky");
            close.run = [](vx52::Session& s) { s.line().CloseLine(); };
            // The timer goes on, and the items come back, once the line is closed.
            close.finished = [session](const vx52::PieceEnd&) {};
            ctx.worker.submit(std::move(close));
        });
    };
    ctx.worker.submit(std::move(open));
}

// The editor opens after the loading dialog whatever it found: it reads every table itself.
void Tqdx01::mn_parametryClick() {
    withLineOpen([this](std::function<void()> over) {
        connect(
            load_form, &QDialog::finished, this,
            [this, over] {
                connect(menu_mod, &QDialog::finished, this, over, Qt::SingleShotConnection);
                menu_mod->open();
            },
            Qt::SingleShotConnection);
        load_form->open();
    });
}

void Tqdx01::mn_identClick() {
    withLineOpen([this](std::function<void()> over) {
        connect(about_ident, &QDialog::finished, this, over, Qt::SingleShotConnection);
        about_ident->open();
    });
}
