// Moving cards between ParamSet and the regulator, with the retries and fixed waits that
// pace the regulator. Every transfer says how it ended: success in the status line, failures
// in a box naming the cards; a pass over several tables can be stopped between tables.

#include "params/Unitmenumod.h"

#include "ui_Unitmenumod.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>

#include <algorithm>
#include <chrono>

using namespace std::chrono_literals;

namespace {

QString caption() {
    return QCoreApplication::translate("Tmenu_mod", "Komunikace");
}
constexpr int kAddressCard = 11;

std::vector<int> from(int first, const std::vector<int>& tables) {
    std::vector<int> out;
    for (int t : tables)
        if (t >= first) out.push_back(t);
    return out;
}

} // namespace

// A pass over several tables: while it runs only "Storno" and Esc are taken, and they stop it
// before the next table. Opening the line for a transfer, should it be closed, belongs here.
class Tmenu_mod::Pass {
public:
    explicit Pass(Tmenu_mod& editor) : editor_(editor), focus_(QApplication::focusWidget()) {
        editor_.passing_ = true;
        editor_.stop_ = false;
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
        editor_.passing_ = false;
        if (focus_) focus_->setFocus();
    }
    Pass(const Pass&) = delete;
    Pass& operator=(const Pass&) = delete;

    // Between tables: the operator's "Storno" or Esc, if any came, is taken now.
    bool stopped() {
        QApplication::processEvents();
        return editor_.stop_;
    }

private:
    Tmenu_mod& editor_;
    QList<QPointer<QWidget>> disabled_;
    QPointer<QWidget> focus_;
};

void Tmenu_mod::reject() {
    if (passing_) {
        stop_ = true;
        return;
    }
    QDialog::reject();
}

void Tmenu_mod::setBar(int value) {
    ui_->bar_load->setValue(value);
    ui_->bar_load->show();
    // No events are handled during a transfer: paint now, the bar is the only sign of it.
    ui_->bar_load->repaint();
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
    const QString whole = ctx_.clock.now().time().toString(QStringLiteral("H:mm:ss")) +
                          QStringLiteral("  ") + text;
    lb_stav_->setToolTip(whole);
    lb_stav_->setText(fitted(*lb_stav_, whole));
}

// Later requests go to the address just written to the regulator.
void Tmenu_mod::moveAfterAddressWrite() {
    ctx_.link.SetDeviceAddress(ctx_.link.params().ADD.ADRESA);
}

void Tmenu_mod::tableRead(int table) {
    model_.tableRead(table);
    ShowCard(table);
}

bool Tmenu_mod::readWithRetry(int table) {
    if (ctx_.link.ReadTable(table)) return true;
    ctx_.pause.wait(300ms);
    return ctx_.link.ReadTable(table);
}

bool Tmenu_mod::writeWithRetry(int table) {
    if (ctx_.link.WriteTable(table)) return true;
    ctx_.pause.wait(400ms);
    return ctx_.link.WriteTable(table);
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
    const bool read = readWithRetry(t);
    setBar(100);
    if (read)
        tableRead(t);
    else // the card shows what the parameter set holds
        ShowCard(t);
    hideBar();
    if (read)
        status(tr("Karta %1 načtena z regulátoru").arg(cardNames({t})));
    else
        communicationError(tr("Chyba při čtení karty %1").arg(cardNames({t})));
}

void Tmenu_mod::tl_zapisClick() {
    const int t = ui_->PageControl->currentIndex();
    if (TakeCard(t) != 0 || !deviceConfirmed()) return;
    setBar(50);
    setBar(100);
    const bool written = ctx_.link.WriteTable(t);
    if (written) model_.tableWritten(t);
    // The card shows what was sent, in the card's notation.
    ShowCard(t);
    hideBar();
    if (!written) {
        communicationError(tr("Chyba při zápisu karty %1").arg(cardNames({t})));
        return;
    }
    if (t == kAddressCard) moveAfterAddressWrite();
    status(tr("Karta %1 zapsána do regulátoru").arg(cardNames({t})));
}

void Tmenu_mod::ReadAllCards() {
    Pass pass(*this);
    setBar(4);
    std::vector<int> failed, left;
    for (int t = 0; t < kCardCount; ++t) {
        if (pass.stopped()) {
            for (int rest = t; rest < kCardCount; ++rest)
                left.push_back(rest);
            break;
        }
        if (readWithRetry(t))
            tableRead(t);
        else
            failed.push_back(t);
        ctx_.pause.wait(100ms);
        setBar(ui_->bar_load->value() + 8);
    }
    hideBar();
    std::vector<int> notRead = failed;
    notRead.insert(notRead.end(), left.begin(), left.end());
    if (notRead.empty())
        status(tr("Všechny karty načteny z regulátoru"));
    else
        status((left.empty() ? QString() : tr("Čtení zastaveno, ")) +
               tr("nenačteny karty: %1").arg(cardNames(notRead)));
    if (!failed.empty()) communicationError(tr("Chyba při čtení karet: %1").arg(cardNames(failed)));
}

// Read-all into a set of its own, for comparing: the cards and the editor's set stay.
vx52::TablesRead Tmenu_mod::readRegulatorTables(vx52::CardMask tables) {
    vx52::ParamSet& live = ctx_.link.params();
    const vx52::ParamSet kept = live;
    vx52::TablesRead out;
    Pass pass(*this);
    setBar(4);
    for (int t = 0; t < kCardCount; ++t) {
        if (!tables.test(static_cast<std::size_t>(t))) continue;
        if (pass.stopped()) {
            out.stopped = true;
            break;
        }
        out.read.set(static_cast<std::size_t>(t), readWithRetry(t));
        ctx_.pause.wait(100ms);
        setBar(ui_->bar_load->value() + 8);
    }
    hideBar();
    // The link reads into its own set: the values go to ours, its set back as it was.
    out.set = live;
    live = kept;
    return out;
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
    if (!deviceConfirmed() || !tablesToWrite(tables, unfilled) || !confirmWriteChanges(tables))
        return;
    writeTables(tables, unfilled);
}

// The write-all pass over `tables` in table order; `unfilled` are those the operator sent
// with their defaults. The address card, when sent, goes last of all.
void Tmenu_mod::writeTables(const std::vector<int>& tables, const std::vector<int>& unfilled) {

    Pass pass(*this);
    setBar(4);
    std::vector<int> failed, left;
    for (int t = 0; t < kCardCount; ++t) {
        if (std::find(tables.begin(), tables.end(), t) == tables.end()) {
            left.push_back(t);
            setBar(ui_->bar_load->value() + 8);
            continue;
        }
        if (pass.stopped()) {
            const auto rest = from(t, tables);
            left.insert(left.end(), rest.begin(), rest.end());
            break;
        }
        if (!writeWithRetry(t)) {
            failed.push_back(t);
        } else {
            model_.tableWritten(t);
            if (t == kAddressCard) moveAfterAddressWrite();
        }
        ctx_.pause.wait(400ms);
        setBar(ui_->bar_load->value() + 8);
    }
    hideBar();
    // The card on screen shows what was sent.
    ShowCard(ui_->PageControl->currentIndex());
    std::vector<int> notWritten = failed;
    notWritten.insert(notWritten.end(), left.begin(), left.end());
    std::sort(notWritten.begin(), notWritten.end());
    std::vector<int> sentUnfilled;
    for (int t : unfilled)
        if (std::find(notWritten.begin(), notWritten.end(), t) == notWritten.end())
            sentUnfilled.push_back(t);
    QString text = notWritten.empty() ? tr("Všechny karty zapsány do regulátoru")
                                      : tr("Nezapsány karty: %1").arg(cardNames(notWritten));
    if (!sentUnfilled.empty())
        text += tr("; zapsány i nenačtené hodnoty karet: %1").arg(cardNames(sentUnfilled));
    status(text);
    if (!failed.empty())
        communicationError(tr("Chyba při zápisu karet: %1").arg(cardNames(failed)));
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
    const bool stored = ctx_.link.StoreToEeprom();
    hideBar();
    if (stored)
        status(tr("Parametry uloženy do EEPROM regulátoru"));
    else
        communicationError(tr("Chyba při zápisu do EEPROM"));
}
