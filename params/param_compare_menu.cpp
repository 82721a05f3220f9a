// The editor's comparisons and protocol: the cards against the regulator or a parameter file,
// the preview before write-all, and the printed or PDF protocol. All of them walk the cards'
// own field table and show values in the cards' own notation.

#include "params/Unitmenumod.h"

#include "params/card_texts.h"
#include "params/device_text.h"
#include "params/file_dialog_state.h"
#include "params/param_compare.h"
#include "params/param_file.h"
#include "params/param_report.h"
#include "params/param_values.h"
#include "ui/documents.h"
#include "ui/guard.h"
#include "ui_Unitmenumod.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTabBar>

#include <memory>

using vx52::guard;

namespace {

const QString kSettingsSection = QStringLiteral("PARAMETRY");
const QString kPreviewKey = QStringLiteral("NAHLED");
const char* const kMarked = "vx52_rozdil";
const QString kMarkStyle = QStringLiteral("background-color: #ffd24d;");
const QColor kMarkedTab(0xb0, 0x00, 0x00);

QString compareCaption() {
    return QCoreApplication::translate("Tmenu_mod", "Porovnání");
}
QString previewCaption() {
    return QCoreApplication::translate("Tmenu_mod", "Náhled zápisu");
}
QString cardColumn() {
    return QCoreApplication::translate("Tmenu_mod", "Karta");
}
QString fieldColumn() {
    return QCoreApplication::translate("Tmenu_mod", "Parametr");
}
QString onCardColumn() {
    return QCoreApplication::translate("Tmenu_mod", "Na kartě");
}
QString inRegulatorColumn() {
    return QCoreApplication::translate("Tmenu_mod", "V regulátoru");
}

// "1 parametr", "3 parametry", "7 parametrů".
QString parametersText(std::size_t n) {
    const QString word = n == 1 ? QCoreApplication::translate("Tmenu_mod", "parametr")
                         : (n >= 2 && n <= 4)
                             ? QCoreApplication::translate("Tmenu_mod", "parametry")
                             : QCoreApplication::translate("Tmenu_mod", "parametrů");
    return QStringLiteral("%1 %2").arg(n).arg(word);
}

// "SENS 2, PID": the captions of the cards in `cards`.
QString captions(const vx52::CardTexts& texts, vx52::CardMask cards) {
    QStringList names;
    for (int card = 0; card < vx52::kParamCards; ++card)
        if (cards.test(static_cast<std::size_t>(card))) names << texts.caption(card);
    return names.join(QStringLiteral(", "));
}

// One row per difference: card, field, our value, their value. Values that the cards' two
// decimals would show alike are given with every digit they need.
QList<QStringList> differenceRows(const vx52::CardTexts& texts, vx52::ParamSet& ours,
                                  vx52::ParamSet& theirs,
                                  const std::vector<vx52::FieldDifference>& found) {
    QList<QStringList> rows;
    // In the order the cards show their rows.
    std::vector<vx52::FieldDifference> shown;
    for (int card = 0; card < vx52::kParamCards; ++card)
        for (const vx52::CardEntry* e : texts.rows(card))
            for (const auto& d : found)
                if (d.entry == e) shown.push_back(d);
    for (const auto& d : shown) {
        QString mine = texts.value(ours, *d.entry);
        QString other = texts.value(theirs, *d.entry);
        if (mine == other) {
            mine = texts.exactValue(ours, *d.entry);
            other = texts.exactValue(theirs, *d.entry);
        }
        rows << QStringList{texts.caption(d.card), texts.label(*d.entry), mine, other};
    }
    return rows;
}

vx52::Prompts::FileDialog compareDialog() {
    auto d = vx52::openDialog();
    d.title = QCoreApplication::translate("Tmenu_mod", "Porovnat se souborem");
    return d;
}

vx52::Prompts::FileDialog pdfDialog() {
    return {QCoreApplication::translate("Tmenu_mod", "Uložit protokol jako PDF"),
            QCoreApplication::translate("Tmenu_mod", "Protokol PDF (*.pdf)"), QStringLiteral("pdf"),
            vx52::inDocuments(QCoreApplication::translate("Tmenu_mod", "QDX72-4xxx-protokol.pdf")),
            true};
}

// The file's entries that are missing or that no card takes: named apart, never compared.
bool amongProblems(const std::vector<vx52::EntryRead>& problems, const vx52::CardEntry* entry) {
    for (const auto& p : problems)
        if (qstrcmp(p.entry->control, entry->control) == 0) return true;
    return false;
}

} // namespace

void Tmenu_mod::connectCompareMenu() {
    auto& p = ctx_.prompts;
    connect(ui_->mn_porovnat, &QAction::triggered, this,
            guard(p, this, [this] { mn_porovnatClick(); }));
    connect(ui_->tl_porovnat, &QPushButton::clicked, this,
            guard(p, this, [this] { mn_porovnatClick(); }));
    connect(ui_->mn_porovnat_soubor, &QAction::triggered, this,
            guard(p, this, [this] { mn_porovnat_souborClick(); }));
    connect(ui_->mn_tisk, &QAction::triggered, this, guard(p, this, [this] { mn_tiskClick(); }));
    connect(ui_->mn_pdf, &QAction::triggered, this, guard(p, this, [this] { mn_pdfClick(); }));

    // The preview before write-all, on unless the operator turned it off.
    ui_->check_nahled->setChecked(ctx_.settings.readInteger(kSettingsSection, kPreviewKey, 1) != 0);
    connect(ui_->check_nahled, &QCheckBox::toggled, this, [this](bool on) {
        ctx_.settings.writeInteger(kSettingsSection, kPreviewKey, on ? 1 : 0);
    });

    // Connected after the handlers themselves: the marks go once the read, write or open ran.
    const auto clear = [this] { clearDifferenceMarks(); };
    for (auto* button : {ui_->tl_cteni, ui_->tl_zapis, ui_->Button1, ui_->Button2, ui_->tl_otevrit})
        connect(button, &QPushButton::clicked, this, clear);
    connect(ui_->Otevt1, &QAction::triggered, this, clear);
    connect(this, &QDialog::finished, this, clear);
}

void Tmenu_mod::clearDifferenceMarks() {
    for (int card = 0; card < kCardCount; ++card) {
        ui_->PageControl->tabBar()->setTabTextColor(card, QColor());
        for (const auto& e : vx52::cardEntries(card)) {
            auto* control = findChild<QWidget*>(QString::fromLatin1(e.control));
            if (!control || !control->property(kMarked).toBool()) continue;
            control->setProperty(kMarked, false);
            control->setStyleSheet(QString());
            control->setToolTip(QString());
        }
    }
}

// Marks each differing field on its card, with the other value in the field's tool tip.
static void markDifferences(Tmenu_mod& editor, const vx52::CardTexts& texts, vx52::ParamSet& theirs,
                            const QString& where, const std::vector<vx52::FieldDifference>& found) {
    for (const auto& d : found) {
        auto* control = editor.findChild<QWidget*>(QString::fromLatin1(d.entry->control));
        if (!control) continue;
        control->setProperty(kMarked, true);
        control->setStyleSheet(kMarkStyle);
        control->setToolTip(QStringLiteral("%1: %2").arg(where, texts.value(theirs, *d.entry)));
        editor.pageControl()->tabBar()->setTabTextColor(d.card, kMarkedTab);
    }
}

void Tmenu_mod::mn_porovnatClick() {
    // The card on screen is committed as leaving it would; its bad entry stops the comparison.
    if (TakeCard(ui_->PageControl->currentIndex()) != 0) return;
    clearDifferenceMarks();
    const vx52::CardMask all = vx52::CardMask().set();
    readRegulatorTables(all, [this](const vx52::TablesRead& read) {
        vx52::TablesRead device = read;
        const vx52::CardTexts texts(*this);
        if (device.read.none()) {
            if (device.stopped)
                status(QCoreApplication::translate("Tmenu_mod", "Porovnání zastaveno"));
            else
                communicationError(QCoreApplication::translate("Tmenu_mod", "Chyba při čtení"));
            return;
        }
        auto& ours = ctx_.link.params();
        const auto found = vx52::differences(ours, device.set, device.read);
        markDifferences(*this, texts, device.set, inRegulatorColumn(), found);

        QString text =
            found.empty()
                ? QCoreApplication::translate("Tmenu_mod", "Karty se shodují s regulátorem.")
                : QCoreApplication::translate("Tmenu_mod", "V regulátoru se liší %1.")
                      .arg(parametersText(found.size()));
        if (!device.read.all())
            text += QCoreApplication::translate("Tmenu_mod", " Nepřečteno, neporovnáno: %1.")
                        .arg(captions(texts, ~device.read));
        if (found.empty()) {
            ctx_.prompts.message(this, text, compareCaption(),
                                 device.read.all() ? vx52::Prompts::Icon::Information
                                                   : vx52::Prompts::Icon::Warning);
            return;
        }
        ctx_.prompts.table(this, text, compareCaption(),
                           {cardColumn(), fieldColumn(), onCardColumn(), inRegulatorColumn()},
                           differenceRows(texts, ours, device.set, found));
    });
}

void Tmenu_mod::mn_porovnat_souborClick() {
    if (TakeCard(ui_->PageControl->currentIndex()) != 0) return;
    auto& dialog = vx52::fileDialogState(*this, QStringLiteral("dl_porovnat"), compareDialog());
    const QString name = ctx_.prompts.openFile(this, dialog);
    if (name.isEmpty()) return;
    dialog.initialName = name;
    QByteArray bytes;
    const QString refusal = vx52::paramFileRefusal(name, bytes);
    if (!refusal.isEmpty()) {
        ctx_.prompts.message(nullptr, refusal, QStringLiteral("INI SOUBOR"),
                             vx52::Prompts::Icon::Error);
        return;
    }
    vx52::FileValues file = vx52::readFileValues(vx52::IniText(std::move(bytes)));
    const auto problems = file.problems();

    clearDifferenceMarks();
    const vx52::CardTexts texts(*this);
    auto& ours = ctx_.link.params();
    std::vector<vx52::FieldDifference> found;
    for (const auto& d : vx52::differences(ours, file.set))
        if (!amongProblems(problems, d.entry)) found.push_back(d);
    const QString where = QCoreApplication::translate("Tmenu_mod", "V souboru");
    markDifferences(*this, texts, file.set, where, found);
    QString text =
        found.empty()
            ? QCoreApplication::translate("Tmenu_mod", "Karty se shodují se souborem %1.").arg(name)
            : QCoreApplication::translate("Tmenu_mod", "Se souborem %1 se liší %2.")
                  .arg(name, parametersText(found.size()));
    if (!problems.empty()) {
        QStringList named;
        for (const auto& p : problems)
            named << vx52::FileValues::describe(p);
        text += QCoreApplication::translate("Tmenu_mod",
                                            "\nV souboru chybí nebo je chybné, neporovnáno:\n") +
                named.join(QLatin1Char('\n'));
    }
    if (found.empty()) {
        ctx_.prompts.message(this, text, compareCaption(),
                             problems.empty() ? vx52::Prompts::Icon::Information
                                              : vx52::Prompts::Icon::Warning);
        return;
    }
    ctx_.prompts.table(this, text, compareCaption(),
                       {cardColumn(), fieldColumn(), onCardColumn(), where},
                       differenceRows(texts, ours, file.set, found));
}

void Tmenu_mod::confirmWriteChanges(const std::vector<int>& tables, std::function<void()> write) {
    if (!ui_->check_nahled->isChecked() || tables.empty()) {
        write();
        return;
    }
    vx52::CardMask toWrite;
    for (int t : tables)
        toWrite.set(static_cast<std::size_t>(t));
    readRegulatorTables(toWrite, [this, toWrite,
                                  write = std::move(write)](const vx52::TablesRead& read) {
        vx52::TablesRead device = read;
        if (device.stopped) {
            status(QCoreApplication::translate("Tmenu_mod", "Zápis zastaven, nic nezapsáno"));
            return;
        }
        const vx52::CardTexts texts(*this);
        auto& ours = ctx_.link.params();
        const auto found = vx52::differences(ours, device.set, device.read);
        const vx52::CardMask unread = toWrite & ~device.read;
        if (found.empty() && unread.none()) {
            ctx_.prompts.message(
                this,
                QCoreApplication::translate("Tmenu_mod",
                                            "Zápis by v regulátoru nic nezměnil: karty se s ním "
                                            "shodují. Nic se nezapisuje."),
                previewCaption(), vx52::Prompts::Icon::Information);
            status(QCoreApplication::translate("Tmenu_mod",
                                               "Karty se shodují s regulátorem, nic nezapsáno"));
            return;
        }
        QString text =
            found.empty() ? QCoreApplication::translate("Tmenu_mod",
                                                        "V přečtených kartách zápis nic nezmění.")
                          : QCoreApplication::translate("Tmenu_mod", "Zápis změní v regulátoru %1.")
                                .arg(parametersText(found.size()));
        if (unread.any())
            text += QCoreApplication::translate("Tmenu_mod",
                                                " Nepřečteno, zapíše se bez porovnání: %1.")
                        .arg(captions(texts, unread));
        text += QCoreApplication::translate("Tmenu_mod", "\n\nPokračovat v zápisu?");
        if (ctx_.prompts.table(this, text, previewCaption(),
                               {cardColumn(), fieldColumn(), inRegulatorColumn(),
                                QCoreApplication::translate("Tmenu_mod", "Po zápisu")},
                               differenceRows(texts, device.set, ours, found),
                               vx52::Prompts::Buttons::YesNo) == vx52::Prompts::Answer::Yes)
            write();
    });
}

std::optional<vx52::Report> Tmenu_mod::protocol() {
    if (TakeCard(ui_->PageControl->currentIndex()) != 0) return std::nullopt;
    auto& link = ctx_.link;
    vx52::Report r;
    r.when = ctx_.clock.now();
    r.deviceType = vx52::deviceText(link.type_text.data(), link.type_text.size());
    r.deviceVersion = vx52::deviceText(link.version_text.data(), link.version_text.size());
    r.address = link.GetDeviceAddress();
    r.cards = vx52::reportCards(vx52::CardTexts(*this), link.params());
    bool fromFile = false;
    for (int card = 0; card < kCardCount; ++card) {
        const auto source = cardSource(card);
        r.cards[static_cast<std::size_t>(card)].source = vx52::cardSourceText(source);
        fromFile = fromFile || source == vx52::CardSource::File;
    }
    if (fromFile) r.fileName = cards_file_;
    return r;
}

void Tmenu_mod::mn_tiskClick() {
    const auto report = protocol();
    if (!report) return;
    QPrinter printer(QPrinter::HighResolution);
    vx52::setReportPage(printer);
    printer.setDocName(vx52::reportTitle());
    if (!ctx_.prompts.choosePrinter(this, printer)) return;
    if (vx52::printReport(*report, printer) == 0)
        throw vx52::Failure(
            QCoreApplication::translate("Tmenu_mod", "Protokol nelze vytisknout na %1")
                .arg(printer.printerName())
                .toStdString());
}

void Tmenu_mod::mn_pdfClick() {
    const auto report = protocol();
    if (!report) return;
    auto& dialog = vx52::fileDialogState(*this, QStringLiteral("dl_protokol"), pdfDialog());
    const QString path = ctx_.prompts.saveFile(this, dialog);
    if (path.isEmpty()) return;
    dialog.initialName = path;
    if (!vx52::writeReportPdf(*report, path))
        throw vx52::Failure(QStringLiteral("Unable to write to %1").arg(path).toStdString());
    status(QCoreApplication::translate("Tmenu_mod", "Protokol uložen do %1").arg(path));
}
