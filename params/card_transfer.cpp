// Moving cards between ParamSet and the regulator, with the retries and fixed waits that
// pace the regulator, as pieces of work on the line worker: a handler hands one over and
// returns; the transfer says how it ended when the piece is over: success in the status line,
// failures in a box naming the cards. "Storno" stops a transfer before its next exchange.

#include "params/Unitmenumod.h"

#include "bus/table_passes.h"
#include "link/failure.h"
#include "ui/guard.h"
#include "ui_Unitmenumod.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>

#include <algorithm>
#include <memory>

namespace {

QString caption() {
    return QCoreApplication::translate("Tmenu_mod", "Komunikace");
}
constexpr int kAddressCard = 11;

// The bar of a pass over the cards once table t is over: 4 at the start, 8 more per table.
int barAfter(int table) {
    return 4 + 8 * (table + 1);
}

// What a piece reports reaches the editor on the GUI thread, and only while it lives.
template <typename F> void tell(vx52::Session& s, const QPointer<Tmenu_mod>& editor, F f) {
    s.report([editor, f = std::move(f)] {
        if (editor) f(*editor);
    });
}

} // namespace

// A transfer runs on the line worker: meanwhile only "Storno" and Esc are taken, and they
// stop it before its next exchange.
class Tmenu_mod::Pass {
public:
    explicit Pass(Tmenu_mod& editor) : editor_(editor), focus_(QApplication::focusWidget()) {
        const auto disable = [this](QWidget* w) {
            if (w == editor_.tl_storno_ || !w->isEnabled()) return;
            w->setEnabled(false);
            disabled_.append(w);
        };
        for (auto* b : editor_.findChildren<QAbstractButton*>())
            disable(b);
        disable(editor_.ui_->PageControl);
        for (auto* menu : editor_.findChildren<QMenuBar*>())
            disable(menu);
        editor_.tl_storno_->show();
        editor_.tl_storno_->setFocus();
    }
    ~Pass() {
        editor_.tl_storno_->hide();
        for (auto& w : disabled_)
            if (w) w->setEnabled(true);
        if (focus_) focus_->setFocus();
    }
    Pass(const Pass&) = delete;
    Pass& operator=(const Pass&) = delete;

private:
    Tmenu_mod& editor_;
    QList<QPointer<QWidget>> disabled_;
    QPointer<QWidget> focus_;
};

void Tmenu_mod::PassEnd::operator()(Pass* pass) const {
    delete pass;
}

void Tmenu_mod::reject() {
    if (pass_) {
        stopTransfer();
        return;
    }
    QDialog::reject();
}

void Tmenu_mod::stopTransfer() {
    if (piece_ != 0 && worker_) worker_->cancel(piece_);
}

void Tmenu_mod::transfer(const QString& name, std::function<void(vx52::Session&)> run,
                         std::function<void(const vx52::PieceEnd&)> done) {
    pass_.reset(new Pass(*this));
    vx52::Piece piece;
    piece.name = name;
    piece.run = std::move(run);
    piece.finished = [editor = QPointer<Tmenu_mod>(this),
                      done = std::move(done)](const vx52::PieceEnd& end) {
        if (!editor) return; // the window is gone: nothing to show
        editor->piece_ = 0;
        editor->pass_.reset();
        vx52::runGuarded(editor->ctx_.prompts, editor, [&] {
            if (end.failed()) throw vx52::Failure(end.failure.toStdString());
            done(end);
        });
    };
    piece_ = ctx_.worker.submit(std::move(piece));
}

void Tmenu_mod::setBar(int value) {
    ui_->bar_load->setValue(value);
    ui_->bar_load->show();
}

void Tmenu_mod::hideBar() {
    ui_->bar_load->hide();
    ui_->bar_load->setValue(0);
}

void Tmenu_mod::communicationError(const QString& text) {
    ctx_.prompts.message(this, text, caption(), vx52::Prompts::Icon::Error);
}

namespace {

// The text as the label shows it: whole when it fits its lines, else cut after the last whole
// name of its list that fits, then "…".
QString fitted(const QLabel& label, const QString& whole) {
    const QFontMetrics metrics(label.font());
    const auto fits = [&](const QString& text) {
        const int flags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;
        return metrics.boundingRect(QRect(0, 0, label.width(), 1 << 20), flags, text).height() <=
               label.height();
    };
    if (fits(whole)) return whole;
    const QString comma = QStringLiteral(", ");
    for (qsizetype at = whole.lastIndexOf(comma); at > 0; at = whole.lastIndexOf(comma, at - 1)) {
        const QString cut = whole.left(at) + QStringLiteral(", …");
        if (fits(cut)) return cut;
    }
    return metrics.elidedText(whole, Qt::ElideMiddle, label.width());
}

} // namespace

void Tmenu_mod::status(const QString& text) {
    const QString whole =
        ctx_.clock.now().time().toString(QStringLiteral("H:mm:ss")) + QStringLiteral("  ") + text;
    lb_stav_->setToolTip(whole);
    lb_stav_->setText(fitted(*lb_stav_, whole));
}

void Tmenu_mod::tableRead(int table) {
    model_.tableRead(table);
    ShowCard(table);
}

// Writing to anything but the regulator served needs the operator's word.
bool Tmenu_mod::deviceConfirmed() {
    if (identification_ == kRegulatorServed) return true;
    const QString found = device_.isEmpty() ? tr("neidentifikované zařízení") : device_;
    const QString text = tr("Identifikace nenalezla regulátor QDX 72-4xxx, ale: %1.\n"
                            "Zapsat přesto do tohoto zařízení?")
                             .arg(found);
    return ctx_.prompts.message(this, text, tr("Dotaz"), vx52::Prompts::Icon::Question,
                                vx52::Prompts::Buttons::YesNo) == vx52::Prompts::Answer::Yes;
}

void Tmenu_mod::tl_cteniClick() {
    setBar(50);
    const int t = ui_->PageControl->currentIndex();
    setBar(95);
    auto read = std::make_shared<bool>(false);
    transfer(
        QStringLiteral("Čtení karty"),
        [read, t](vx52::Session& s) { *read = vx52::readWithRetry(s, t); },
        [this, read, t](const vx52::PieceEnd&) {
            setBar(100);
            if (*read)
                tableRead(t);
            else // the card shows what the parameter set holds
                ShowCard(t);
            hideBar();
            if (*read)
                status(tr("Karta %1 načtena z regulátoru").arg(cardNames({t})));
            else
                communicationError(tr("Chyba při čtení karty %1").arg(cardNames({t})));
        });
}

void Tmenu_mod::tl_zapisClick() {
    const int t = ui_->PageControl->currentIndex();
    if (TakeCard(t) != 0 || !deviceConfirmed()) return;
    setBar(50);
    setBar(100);
    auto written = std::make_shared<bool>(false);
    transfer(
        QStringLiteral("Zápis karty"),
        [written, t](vx52::Session& s) {
            *written = s.exchange(&vx52::Link::WriteTable, t) == 1;
            // Later requests go to the address just written to the regulator.
            if (*written && t == kAddressCard)
                s.link().SetDeviceAddress(s.link().params().ADD.ADRESA);
        },
        [this, written, t](const vx52::PieceEnd&) {
            if (*written) model_.tableWritten(t);
            // The card shows what was sent, in the card's notation.
            ShowCard(t);
            hideBar();
            if (!*written) {
                communicationError(tr("Chyba při zápisu karty %1").arg(cardNames({t})));
                return;
            }
            status(tr("Karta %1 zapsána do regulátoru").arg(cardNames({t})));
        });
}

void Tmenu_mod::ReadAllCards() {
    setBar(4);
    auto pass = std::make_shared<vx52::TablePass>();
    const QPointer<Tmenu_mod> editor(this);
    transfer(
        QStringLiteral("Čtení všech karet"),
        [pass, editor](vx52::Session& s) {
            *pass =
                vx52::readTables(s, vx52::firstTables(kCardCount), [&s, editor](int t, bool ok) {
                    tell(s, editor, [t, ok](Tmenu_mod& e) {
                        if (ok) e.tableRead(t);
                        e.setBar(barAfter(t));
                    });
                });
        },
        [this, pass](const vx52::PieceEnd&) {
            hideBar();
            std::vector<int> notRead = pass->failed;
            notRead.insert(notRead.end(), pass->left.begin(), pass->left.end());
            if (notRead.empty())
                status(tr("Všechny karty načteny z regulátoru"));
            else
                status((pass->stopped() ? tr("Čtení zastaveno, ") : QString()) +
                       tr("nenačteny karty: %1").arg(cardNames(notRead)));
            if (!pass->failed.empty())
                communicationError(tr("Chyba při čtení karet: %1").arg(cardNames(pass->failed)));
        });
}

// Read-all into a set of its own, for comparing: the cards and the editor's set stay.
void Tmenu_mod::readRegulatorTables(vx52::CardMask tables,
                                    std::function<void(const vx52::TablesRead&)> then) {
    std::vector<int> wanted;
    for (int t = 0; t < kCardCount; ++t)
        if (tables.test(static_cast<std::size_t>(t))) wanted.push_back(t);
    setBar(4);
    auto out = std::make_shared<vx52::TablesRead>();
    const QPointer<Tmenu_mod> editor(this);
    transfer(
        QStringLiteral("Čtení k porovnání"),
        [out, wanted, editor](vx52::Session& s) {
            vx52::ParamSet& live = s.link().params();
            const vx52::ParamSet kept = live;
            const auto pass = vx52::readTables(s, wanted, [&s, editor](int t, bool) {
                tell(s, editor, [t](Tmenu_mod& e) { e.setBar(barAfter(t)); });
            });
            for (int t : pass.done)
                out->read.set(static_cast<std::size_t>(t));
            out->stopped = pass.stopped();
            // The link reads into its own set: the values go to ours, its set back as it was.
            out->set = live;
            live = kept;
        },
        [this, out, then = std::move(then)](const vx52::PieceEnd&) {
            hideBar();
            then(*out);
        });
}

void Tmenu_mod::Button1Click() {
    ReadAllCards();
}

// The cards a write-all sends, after the questions: cards holding a field that came from
// neither the regulator, a file nor the operator, and a new regulator address, go only with
// the operator's word. False when the operator cancelled.
bool Tmenu_mod::tablesToWrite(std::vector<int>& tables, std::vector<int>& unfilled) {
    for (int t = 0; t < kCardCount; ++t)
        (model_.holdsDefaults(t) ? unfilled : tables).push_back(t);
    if (!unfilled.empty()) {
        const auto answer = ctx_.prompts.message(
            this,
            tr("Karty %1 obsahují hodnoty, které nebyly načteny z regulátoru ani ze "
               "souboru a nebyly zadány.\nZapsat do regulátoru i je?")
                .arg(cardNames(unfilled)),
            tr("Dotaz"), vx52::Prompts::Icon::Question, vx52::Prompts::Buttons::YesNoCancel);
        if (answer == vx52::Prompts::Answer::Cancel) return false;
        if (answer == vx52::Prompts::Answer::Yes) {
            tables.insert(tables.end(), unfilled.begin(), unfilled.end());
            std::sort(tables.begin(), tables.end());
        } else {
            unfilled.clear();
        }
    }
    const int address = ctx_.link.params().ADD.ADRESA;
    const int station = ctx_.link.GetDeviceAddress();
    if (!tables.empty() && tables.back() == kAddressCard && address != station) {
        const auto answer = ctx_.prompts.message(
            this,
            tr("Karta ADD nastavuje adresu regulátoru %1, regulátor je nyní na adrese "
               "%2.\nZápisem karty ADD se regulátor přesune na adresu %1. Zapsat i "
               "kartu ADD?")
                .arg(address)
                .arg(station),
            tr("Dotaz"), vx52::Prompts::Icon::Question, vx52::Prompts::Buttons::YesNo);
        if (answer != vx52::Prompts::Answer::Yes) tables.pop_back();
    }
    return true;
}

void Tmenu_mod::Button2Click() {
    // Every card first: nothing is written while an entry is refused.
    for (int t = 0; t < kCardCount; ++t) {
        if (TakeCard(t) != 0) {
            turnToBadCard(t);
            return;
        }
    }
    std::vector<int> tables, unfilled;
    if (!deviceConfirmed() || !tablesToWrite(tables, unfilled)) return;
    confirmWriteChanges(tables, [this, tables, unfilled] { writeTables(tables, unfilled); });
}

// The write-all pass over `tables` in table order; `unfilled` are those the operator sent
// with their defaults. The address card, when sent, goes last of all.
void Tmenu_mod::writeTables(const std::vector<int>& tables, const std::vector<int>& unfilled) {
    setBar(4);
    auto pass = std::make_shared<vx52::TablePass>();
    const QPointer<Tmenu_mod> editor(this);
    transfer(
        QStringLiteral("Zápis všech karet"),
        [pass, tables, editor](vx52::Session& s) {
            *pass = vx52::writeTables(s, tables, [&s, editor](int t, bool ok) {
                tell(s, editor, [t, ok](Tmenu_mod& e) {
                    if (ok) e.model_.tableWritten(t);
                    e.setBar(barAfter(t));
                });
            });
        },
        [this, pass, tables, unfilled](const vx52::PieceEnd&) {
            hideBar();
            // The card on screen shows what was sent.
            ShowCard(ui_->PageControl->currentIndex());
            std::vector<int> notWritten = pass->failed;
            notWritten.insert(notWritten.end(), pass->left.begin(), pass->left.end());
            for (int t = 0; t < kCardCount; ++t)
                if (std::find(tables.begin(), tables.end(), t) == tables.end())
                    notWritten.push_back(t);
            std::sort(notWritten.begin(), notWritten.end());
            std::vector<int> sentUnfilled;
            for (int t : unfilled)
                if (std::find(notWritten.begin(), notWritten.end(), t) == notWritten.end())
                    sentUnfilled.push_back(t);
            QString text = notWritten.empty()
                               ? tr("Všechny karty zapsány do regulátoru")
                               : tr("Nezapsány karty: %1").arg(cardNames(notWritten));
            if (!sentUnfilled.empty())
                text += tr("; zapsány i nenačtené hodnoty karet: %1").arg(cardNames(sentUnfilled));
            status(text);
            if (!pass->failed.empty())
                communicationError(tr("Chyba při zápisu karet: %1").arg(cardNames(pass->failed)));
        });
}

// A write-all stopped on a card not on screen turns to it so that its bad entry can take the
// focus. The card being left is committed first, as any card change does.
void Tmenu_mod::turnToBadCard(int card) {
    const int onScreen = ui_->PageControl->currentIndex();
    if (onScreen == card) return;
    if (onScreen > card && TakeCard(onScreen) != 0) return; // its own bad entry has the focus
    turnBackTo(card);
}

void Tmenu_mod::tl_eepromClick() {
    if (!deviceConfirmed()) return;
    setBar(100);
    auto stored = std::make_shared<bool>(false);
    transfer(
        QStringLiteral("Uložení do EEPROM"),
        [stored](vx52::Session& s) { *stored = s.exchange(&vx52::Link::StoreToEeprom) == 1; },
        [this, stored](const vx52::PieceEnd&) {
            hideBar();
            if (*stored)
                status(tr("Parametry uloženy do EEPROM regulátoru"));
            else
                communicationError(tr("Chyba při zápisu do EEPROM"));
        });
}
