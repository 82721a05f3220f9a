#pragma once
// The parameter editor: twelve cards, one per regulator table 0..11. A card's index, its tag
// and its table number are one number. The cards show the editor's model (EditorModel: per
// field the card's value, its origin and the regulator's last known value); an entry the
// operator edits stays text until its card is taken into the model.

#include "params/card_entries.h"
#include "params/card_source.h"
#include "params/editor_model.h"
#include "params/param_compare.h"
#include "params/param_report.h"
#include "ui/app_context.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
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
    // The identification result of the regulator this editor is made for.
    static constexpr int kRegulatorServed = 4;

    explicit Tmenu_mod(vx52::AppContext& ctx, QWidget* parent = nullptr);
    ~Tmenu_mod() override;

    // Controls -> model: takes the entries of card `index` that the operator edited since the
    // card was last shown, as typed values: 0 when taken, -1 when an entry was refused (one
    // message naming every refused entry; the first keeps the focus, every text stays as
    // typed, nothing of the card is taken). Untouched fields keep every digit they had. Any
    // other index takes nothing.
    int TakeCard(int index);
    // Model -> controls: fills the controls of card `index` from the model and forgets their
    // edits; any other index does nothing.
    void ShowCard(int index);

    const vx52::EditorModel& model() const { return model_; }

    // The read-all pass with its retries and waits, on the line worker; refreshes every card
    // as its table is read.
    void ReadAllCards();

    // The card whose controls were filled last (the page control's tag).
    int rememberedCard() const;

    QTabWidget* pageControl() const;

    // --- where the cards' contents came from ---
    // Card 0..11; Nothing for any other index.
    vx52::CardSource cardSource(int card) const;
    // The cards' tab captions ("ALARM 1"), joined for messages.
    QString cardNames(const std::vector<int>& cards) const;

    // --- for the loading dialog ---
    // A new session: every card holds nothing yet.
    void forgetSources();
    // A default of the loading dialog into a control and its field, with the origin Default.
    void putDefault(const char* control, const QString& text);
    void putDefault(const char* control, int position);
    // Table `table` was read from the regulator: its card shows it.
    void tableRead(int table);
    // What the identification found: the result 0..4 and, for anything but the regulator
    // served, the device's name for the questions before writing.
    void setIdentification(int result, const QString& device);

    // --- for the parameter file ---
    // Takes card `card` as Open filled it: every entry, a decimal point read like the comma.
    // Refused entries come back and the card shows its previous contents again.
    std::vector<vx52::EntryProblem> takeOpenedCard(int card);
    // The decimal field behind an edit box with every digit of its single value; a null
    // string for any other control.
    QString exactText(const char* control) const;

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

    // --- comparison and protocol (defined in params/param_compare_menu.cpp) ---
    void mn_porovnatClick();         // the cards against the regulator's tables
    void mn_porovnat_souborClick();  // the cards against a parameter file
    void mn_tiskClick();             // the protocol on a printer
    void mn_pdfClick();              // the protocol as a PDF file
    // Differences marked on the cards by a comparison go with the next read, write or open.
    void clearDifferenceMarks();
    // The parameter file that Open last loaded cards from; empty before any.
    QString cardsFile() const { return cards_file_; }
    // What the protocol says: the cards as shown, with where each came from, the device and the
    // file. The card on screen is taken first; nothing when it refuses an entry.
    std::optional<vx52::Report> protocol();
    // Before write-all sends `tables`, when the preview is chosen: reads them, lists what the
    // write would change in the regulator and asks; `write` runs when the operator agrees or
    // the preview is off, not when nothing would change or the operator declines.
    void confirmWriteChanges(const std::vector<int>& tables, std::function<void()> write);
    void connectCompareMenu();
    // --- end comparison and protocol ---

signals:
    void cardSourceChanged(int card, vx52::CardSource source);

public slots:
    // Esc and the close box stop a running transfer before its next exchange instead of
    // closing.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    // Hidden while a transfer runs: it stops before its next exchange.
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Pass;

    void remember(int card);
    void selectCard(int card); // from program code: no change report
    void turnBackTo(int card);
    void turnToBadCard(int card);
    void setBar(int value);
    void hideBar();
    void communicationError(const QString& text);
    void status(const QString& text);
    // Hands `run` to the line worker (the line as it stands); the controls that would start
    // another exchange are off until it ends, then `done` runs here. Nothing reaches an editor
    // that is gone.
    void transfer(const QString& name, std::function<void(vx52::Session&)> run,
                  std::function<void(const vx52::PieceEnd&)> done);
    void stopTransfer();
    void watchEdits();
    std::vector<vx52::EntryInput> cardInputs(int card, bool all) const;
    void refuse(int card, const std::vector<vx52::EntryProblem>& problems);
    bool deviceConfirmed();
    bool tablesToWrite(std::vector<int>& tables, std::vector<int>& unfilled);
    void writeTables(const std::vector<int>& tables, const std::vector<int>& unfilled);
    // The regulator's tables read beside the cards, in a pass that Storno can stop; `then`
    // takes them.
    void readRegulatorTables(vx52::CardMask tables,
                             std::function<void(const vx52::TablesRead&)> then);

    vx52::AppContext& ctx_;
    Ui::Tmenu_mod* ui_;
    QPointer<QLineEdit> last_bad_entry_;
    QLabel* lb_stav_ = nullptr;
    QPushButton* tl_storno_ = nullptr;
    vx52::EditorModel model_;
    std::optional<int> identification_;
    QString device_;
    QString cards_file_;
    QPointer<vx52::LineWorker> worker_;
    struct PassEnd {
        void operator()(Pass* pass) const;
    };
    std::unique_ptr<Pass, PassEnd> pass_; // while a transfer runs
    vx52::LineWorker::Id piece_ = 0; // its piece on the line worker
};
