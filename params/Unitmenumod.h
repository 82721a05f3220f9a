#pragma once
// The parameter editor: twelve cards, one per regulator table 0..11. A card's index, its tag
// and its table number are one number. The controls hold the operator's edits as text until
// a card is taken into ParamSet.

#include "ui/app_context.h"

#include <QDialog>
#include <QPointer>

#include <cstdint>

class QLineEdit;
class QTabWidget;

namespace Ui {
class Tmenu_mod;
}

class Tmenu_mod : public QDialog {
    Q_OBJECT

public:
    static constexpr int kCardCount = 12;
    // The password fields' fixed default code, shared with the loading dialog and the file.
    static constexpr int kPasswordDefault = 0;

    explicit Tmenu_mod(vx52::AppContext& ctx, QWidget* parent = nullptr);
    ~Tmenu_mod() override;

    // Takes the controls of card `index` into ParamSet: 0 when every control was taken,
    // non-zero when an entry failed. Any other index takes nothing and gives 0.
    int TakeCard(int index);
    // Fills the controls of card `index` from ParamSet; any other index does nothing.
    void ShowCard(int index);

    // One entry into its field: 0, or -1 after the warning (field 0, entry "0", focused).
    int TakeFloat(float& field, QLineEdit* entry);
    int TakeShort(std::int16_t& field, QLineEdit* entry);
    int TakeByte(std::uint8_t& field, QLineEdit* entry);

    // The read-all pass with its retries and waits; shows no card.
    void ReadAllCards();

    // The card whose controls were filled last (the page control's tag).
    int rememberedCard() const;

    QTabWidget* pageControl() const;

    // Handlers, as the toolkit calls them.
    void FormShow();
    void PageControlChange();
    void tl_cteniClick();
    void tl_zapisClick();
    void tl_eepromClick();
    void Button1Click();
    void Button2Click();
    void tl_pomClick();

    // --- parameter file (defined in params/param_file_menu.cpp) ---
    void tl_otevritClick();
    void tl_ulozitClick();
    // The menu items and hidden buttons bound to the two handlers; called once by the constructor.
    void connectFileMenu();
    // --- end parameter file ---

protected:
    void showEvent(QShowEvent* event) override;

private:
    void remember(int card);
    void selectCard(int card); // from program code: no change report
    void turnBackTo(int card);
    void turnToBadCard(int card);
    void setBar(int value);
    void hideBar();
    int refuse(QLineEdit* entry, const QString& text);
    void communicationError(const QString& text);
    void moveAfterAddressWrite();

    vx52::AppContext& ctx_;
    Ui::Tmenu_mod* ui_;
    QPointer<QLineEdit> last_bad_entry_;
};
