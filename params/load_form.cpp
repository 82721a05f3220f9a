#include "params/load_form.h"

#include "bus/table_passes.h"
#include "link/failure.h"
#include "params/Unitmenumod.h"
#include "params/device_text.h"
#include "ui/guard.h"
#include "ui_load_form.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>
#include <array>
#include <memory>

namespace {

constexpr int kRegulatorServed = Tmenu_mod::kRegulatorServed;

} // namespace

// What the loading piece found, handed from the worker's thread to the dialog.
struct Tload_form::Loaded {
    vx52::Identification found;
    bool foreign = false; // another family's record, read when nothing else answered
    std::array<std::uint8_t, 255> record{};
    vx52::TablePass pass;
    bool identified = false; // the identification ran to its end
};

Tload_form::Tload_form(vx52::AppContext& ctx, Tmenu_mod& editor, QWidget* parent)
    : QDialog(parent), ctx_(ctx), editor_(editor), ui_(new Ui::Tload_form), worker_(&ctx.worker) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QFont big = ui_->Label1->font();
    big.setPixelSize(16);
    ui_->Label1->setFont(big);

    // Stops the load before the next table, as Esc does.
    tl_storno_ = new QPushButton(tr("Storno"), this);
    tl_storno_->setObjectName(QStringLiteral("tl_storno"));
    tl_storno_->setGeometry(222, 106, 75, 23); // below the device text, not over its end
    tl_storno_->setAutoDefault(false);
    connect(tl_storno_, &QPushButton::clicked, this, [this] { stopLoad(); });

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(5);
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

Tload_form::~Tload_form() {
    stopLoad(); // what it would report has nowhere to go
    delete ui_;
}

void Tload_form::stopLoad() {
    if (piece_ != 0 && worker_) worker_->cancel(piece_);
}

void Tload_form::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (const QScreen* where = screen()) // centred on the screen, not over the main window
        move(where->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    vx52::runGuarded(ctx_.prompts, this, [this] { FormShow(); });
}

void Tload_form::FormShow() {
    ui_->lb_verze->setText(tr("neidentifikováno"));
    ui_->bar_load->setValue(0);
    setEditorDefaults();
    Timer1.start();
}

// What the editor's cards hold when the load does not fill them; cards 2 and 4..6 keep
// whatever they held. Every card holds nothing yet until it is read, opened or typed.
void Tload_form::setEditorDefaults() {
    editor_.forgetSources();
    const auto list = [this](const char* name, int position) {
        editor_.putDefault(name, position);
    };
    const auto entry = [this](const char* name, const QString& text) {
        editor_.putDefault(name, text);
    };
    for (const char* name : {"cb_rala1", "cb_re1", "cb_feed", "cb_ain", "cb_aout", "cb_filtr"})
        list(name, 0);
    list("cb_dp1", 1);
    list("cb_obr1", 1);
    list("cb_sens1", 4);
    for (const char* name : {"ed_splo1", "ed_strs1", "ed_adresa"})
        entry(name, QStringLiteral("0"));
    for (const char* name : {"ed_hyst1", "ed_pb", "ed_td"})
        entry(name, QStringLiteral("1"));
    for (const char* name : {"ed_ti", "ed_ends1"})
        entry(name, QStringLiteral("100"));
    entry("ed_dser", QStringLiteral("60"));
    entry("ed_dead", QStringLiteral("2"));
    entry("ed_pass1", QString::number(Tmenu_mod::kPasswordDefault));
}

void Tload_form::reject() {
    if (piece_ != 0) {
        stopLoad();
        return;
    }
    QDialog::reject();
}

void Tload_form::Timer1Timer() {
    Timer1.stop();
    // Closed once the load is over, even after a failure: the dialog has no button to leave
    // it by.
    if (!vx52::runGuarded(ctx_.prompts, this, [this] { LoadParameters(); })) accept();
}

void Tload_form::AdvanceBar(int step) {
    ui_->bar_load->setValue(std::min(100, ui_->bar_load->value() + step));
}

// What answered the identification, as the editor names it when it asks before writing.
QString Tload_form::deviceFound(const Loaded& loaded) {
    const auto& found = loaded.found;
    if (found.result != 0) return tr("zařízení typu QDX 01");
    if (found.typeRead) return vx52::deviceText(found.type.data(), found.type.size());
    if (found.versionRead)
        return tr("zařízení s verzí firmwaru %1")
            .arg(vx52::deviceText(found.version.data(), found.version.size()));
    // Another family answers the type request in a record of its own: maker, model, version.
    if (loaded.foreign) {
        constexpr std::size_t kBlock = 32;
        QStringList texts;
        for (std::size_t block = 0; block < 3; ++block) {
            const auto* at = reinterpret_cast<const char*>(loaded.record.data()) + block * kBlock;
            const QString text = vx52::deviceText(at, kBlock).trimmed();
            if (!text.isEmpty()) texts << text;
        }
        return tr("zařízení jiného typu (%1)").arg(texts.join(QLatin1Char(' ')));
    }
    return tr("žádné zařízení neodpovědělo");
}

// One piece on the line worker: the identification, then for the regulator served every table
// once. The dialog shows the type as soon as it came and each table as it is read.
void Tload_form::LoadParameters() {
    const int cards = editor_.pageControl()->count();
    auto loaded = std::make_shared<Loaded>();
    const QPointer<Tload_form> dialog(this);
    const auto tell = [dialog](vx52::Session& s, auto f) {
        s.report([dialog, f] {
            if (dialog) f(*dialog);
        });
    };
    vx52::Piece piece;
    piece.name = QStringLiteral("Načtení parametrů");
    piece.run = [loaded, cards, tell](vx52::Session& s) {
        loaded->found = vx52::identify(s, [&s, tell](const vx52::Identification& found) {
            tell(s, [found](Tload_form& d) {
                if (found.typeRead)
                    d.ui_->lb_verze->setText(
                        vx52::deviceText(found.type.data(), found.type.size()));
                d.ui_->bar_load->setValue(20);
            });
        });
        const auto& found = loaded->found;
        if (found.result == 0 && !found.typeRead && !found.versionRead) {
            loaded->foreign = s.exchange(&vx52::Link::ReadForeignIdent) == 1;
            if (loaded->foreign) loaded->record = s.link().foreign_ident;
        }
        loaded->identified = true;
        if (found.result != kRegulatorServed) return;
        // A failed read is neither repeated nor reported: the editor reads everything again.
        loaded->pass = vx52::loadTables(s, vx52::firstTables(cards), [&s, tell](int t, bool ok) {
            tell(s, [t, ok](Tload_form& d) {
                d.AdvanceBar(10);
                if (ok) d.editor_.tableRead(t);
            });
        });
    };
    piece.finished = [dialog, loaded, cards](const vx52::PieceEnd& end) {
        if (!dialog) return; // the dialog is gone: nothing to show
        dialog->piece_ = 0;
        vx52::runGuarded(dialog->ctx_.prompts, dialog,
                         [&] { dialog->loadOver(end, *loaded, cards); });
        dialog->accept();
    };
    piece_ = ctx_.worker.submit(std::move(piece));
}

void Tload_form::loadOver(const vx52::PieceEnd& end, const Loaded& loaded, int cards) {
    if (end.failed()) throw vx52::Failure(end.failure.toStdString());
    const QString caption = tr("Komunikace");
    const int result = loaded.identified ? loaded.found.result : 0;
    editor_.setIdentification(result, deviceFound(loaded));
    std::vector<int> left = loaded.pass.left;
    if (!loaded.identified) // stopped before the identification was over
        left = vx52::firstTables(cards);
    if (!left.empty()) {
        ctx_.prompts.message(
            this, tr("Čtení parametrů zastaveno, nenačteny karty: %1").arg(editor_.cardNames(left)),
            caption, vx52::Prompts::Icon::Information);
        return;
    }
    if (result == 0) {
        ctx_.prompts.message(this, tr("Chyba při čtení nebo neznámé zařízení"), caption,
                             vx52::Prompts::Icon::Error);
        return;
    }
    if (result != kRegulatorServed)
        ctx_.prompts.message(this, tr("Identifikováno zařízení typu QDX 01"), caption,
                             vx52::Prompts::Icon::Error);
}
