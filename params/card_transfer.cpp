// Moving cards between ParamSet and the regulator, with the retries and fixed waits that
// pace the regulator.

#include "params/Unitmenumod.h"

#include "ui_Unitmenumod.h"

#include <chrono>

using namespace std::chrono_literals;

namespace {

const QString kCaption = QStringLiteral("Komunikace");
constexpr int kAddressCard = 11;

} // namespace

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
    ctx_.prompts.message(this, text, kCaption, vx52::Prompts::Icon::Error);
}

// Later requests go to the address just written to the regulator.
void Tmenu_mod::moveAfterAddressWrite() {
    ctx_.link.SetDeviceAddress(ctx_.link.params().ADD.ADRESA);
}

void Tmenu_mod::tl_cteniClick() {
    setBar(50);
    const int t = ui_->PageControl->currentIndex();
    setBar(95);
    if (!ctx_.link.ReadTable(t)) {
        ctx_.pause.wait(300ms);
        if (!ctx_.link.ReadTable(t)) communicationError(QStringLiteral("Chyba při čtení"));
    }
    setBar(100);
    ShowCard(t);
    hideBar();
}

void Tmenu_mod::tl_zapisClick() {
    setBar(50);
    const int t = ui_->PageControl->currentIndex();
    setBar(100);
    if (TakeCard(t) == 0) {
        if (!ctx_.link.WriteTable(t))
            communicationError(QStringLiteral("Chyba při zápisu"));
        else if (t == kAddressCard)
            moveAfterAddressWrite();
    }
    hideBar();
}

void Tmenu_mod::ReadAllCards() {
    setBar(4);
    int failures = 0;
    for (int t = 0; t < kCardCount; ++t) {
        if (!ctx_.link.ReadTable(t)) {
            ctx_.pause.wait(300ms);
            if (!ctx_.link.ReadTable(t)) ++failures;
        }
        ctx_.pause.wait(100ms);
        setBar(ui_->bar_load->value() + 8);
    }
    if (failures > 0) communicationError(QStringLiteral("Chyba při čtení"));
    hideBar();
}

void Tmenu_mod::Button1Click() {
    ReadAllCards();
    ShowCard(ui_->PageControl->currentIndex());
}

void Tmenu_mod::Button2Click() {
    setBar(4);
    int failures = 0;
    for (int t = 0; t < kCardCount; ++t) {
        if (TakeCard(t) != 0) {
            hideBar();
            turnToBadCard(t);
            return;
        }
        bool written = ctx_.link.WriteTable(t);
        if (!written) {
            ctx_.pause.wait(400ms);
            written = ctx_.link.WriteTable(t);
        }
        if (!written)
            ++failures;
        else if (t == kAddressCard)
            moveAfterAddressWrite();
        ctx_.pause.wait(400ms);
        setBar(ui_->bar_load->value() + 8);
    }
    if (failures > 0) communicationError(QStringLiteral("Chyba při zápisu"));
    hideBar();
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
    setBar(100);
    if (!ctx_.link.StoreToEeprom())
        communicationError(QStringLiteral("Chyba při zápisu do EEPROM"));
    hideBar();
}
