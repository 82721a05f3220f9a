// The editor's "Soubor" menu: Open and Save of the parameter file, and the two file dialogs
// that live with the window.

#include "params/Unitmenumod.h"

#include "params/file_dialog_state.h"
#include "params/param_file.h"
#include "ui/guard.h"
#include "ui_Unitmenumod.h"

#include <QObject>

using vx52::guard;

static_assert(Tmenu_mod::kPasswordDefault == 0, "the file's password default is the editor's");

namespace {

// The editor's cards as the parameter file sees them.
class EditorCards : public vx52::WidgetCards {
public:
    explicit EditorCards(Tmenu_mod& editor) : WidgetCards(editor), editor_(editor) {}
    int pageCount() const override { return editor_.pageControl()->count(); }
    void ShowCard(int card) override { editor_.ShowCard(card); }
    std::vector<vx52::RefusedEntry> loadCard(int card) override {
        std::vector<vx52::RefusedEntry> refused;
        for (const auto& p : editor_.takeOpenedCard(card))
            refused.push_back({vx52::cardEntries(card)[p.entry].control, p.reason});
        loaded = loaded || refused.empty();
        return refused;
    }
    bool loaded = false; // at least one card came from the file
    // Decimals go to the file with every digit of the single value, not as shown.
    QString exactText(const char* control) const override {
        const QString exact = editor_.exactText(control);
        return exact.isNull() ? entryText(control) : exact;
    }

private:
    Tmenu_mod& editor_;
};

} // namespace

void Tmenu_mod::connectFileMenu() {
    vx52::fileDialogState(*this, QStringLiteral("dl_save"), vx52::saveDialog());
    vx52::fileDialogState(*this, QStringLiteral("dl_open"), vx52::openDialog());
    auto& p = ctx_.prompts;
    connect(ui_->Otevt1, &QAction::triggered, this,
            guard(p, this, [this] { tl_otevritClick(); }));
    connect(ui_->Uloit1, &QAction::triggered, this,
            guard(p, this, [this] { tl_ulozitClick(); }));
    connect(ui_->tl_otevrit, &QPushButton::clicked, this,
            guard(p, this, [this] { tl_otevritClick(); }));
    connect(ui_->tl_ulozit, &QPushButton::clicked, this,
            guard(p, this, [this] { tl_ulozitClick(); }));
}

void Tmenu_mod::tl_ulozitClick() {
    EditorCards cards(*this);
    vx52::saveParamFile(cards, ctx_.prompts, this,
                        vx52::fileDialogState(*this, QStringLiteral("dl_save"), vx52::saveDialog()));
}

void Tmenu_mod::tl_otevritClick() {
    EditorCards cards(*this);
    auto& dl_open = vx52::fileDialogState(*this, QStringLiteral("dl_open"), vx52::openDialog());
    vx52::openParamFile(cards, ctx_.prompts, this, dl_open);
    if (cards.loaded) cards_file_ = dl_open.initialName;
}
