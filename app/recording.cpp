// The main window's recording: the record buffer with its header and data lines, the periodic
// write, the "Soubor" menu's entries, "Zápis do souboru" and "Rychlost záznamu".

#include "app/Unit_hl.h"

#include "app/dialogs/Rychlostzaznamu.h"
#include "app/record_file.h"
#include "app/trend_chart.h"
#include "ui/documents.h"
#include "ui/regional.h"
#include "ui/tag.h"
#include "ui_Unit_hl.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTimer>

namespace {

// Holds the periodic write while a file is being chosen, also when choosing fails.
class HoldWrites {
public:
    explicit HoldWrites(vx52::PeriodicWrite& write) : write_(write), was_(write.held()) {
        write_.hold(true);
    }
    ~HoldWrites() { write_.hold(was_); }
    HoldWrites(const HoldWrites&) = delete;
    HoldWrites& operator=(const HoldWrites&) = delete;

private:
    vx52::PeriodicWrite& write_;
    bool was_;
};

} // namespace

void Tqdx01::connectRecording() {
    SaveDialog1.filter = tr("Textový soubor [*.txt] (*.txt)");
#ifdef Q_OS_WIN
    SaveDialog1.defaultSuffix = QStringLiteral("TXT");
#else
    SaveDialog1.defaultSuffix = QStringLiteral("txt"); // names are case-sensitive here
#endif
    SaveDialog1.initialName = defaultRecordFile();
    SaveDialog1.confirmOverwrite = false;
    showRecordFile();

    connect(ui->mn_novy, &QAction::triggered, this, guarded([this] {
                // The menu item's check mark means "a file is chosen"; a click must not
                // toggle it (Qt does so before the handler runs).
                ui->mn_novy->setChecked(!ui->mn_novy->isChecked());
                mn_novyClick();
            }));
    connect(ui->mn_ulozit, &QAction::triggered, this, guarded([this] { mn_ulozitClick(); }));
    connect(ui->mn_ulozitjako, &QAction::triggered, this,
            guarded([this] { mn_ulozitjakoClick(); }));
    connect(ui->check_zapis, &QCheckBox::clicked, this, guarded([this] { check_zapisClick(); }));
    connect(ui->mn_rychlost_zaznamu, &QAction::triggered, this,
            guarded([this] { mn_rychlost_zaznamuClick(); }));
    saveBeforeExit = [this] {
        mn_ulozitClick();
        if (!record_unsaved) return true;
        // The save dialog was cancelled with lines not yet written.
        return ctx.prompts.message(this,
                                   tr("Naměřená data nejsou uložena. Ukončit program "
                                      "bez uložení?"),
                                   tr("Dotaz"), vx52::Prompts::Icon::Question,
                                   vx52::Prompts::Buttons::YesNoDefaultNo) ==
               vx52::Prompts::Answer::Yes;
    };
}

QString Tqdx01::defaultRecordFile() {
    return vx52::inDocuments(tr("Záznam QDX72_4xxx") + QStringLiteral(".txt"));
}

void Tqdx01::writeRecord(const QString& fileName) {
    vx52::writeRecordFile(fileName, record);
    record_unsaved = false;
}

void Tqdx01::showRecordFile() {
    ui->pa_path->setText(QDir::toNativeSeparators(QFileInfo(SaveDialog1.initialName).absoluteFilePath()));
    ui->pa_path->setToolTip(ui->pa_path->text());
}

void Tqdx01::appendRecordHeader() {
    record.clear();
    record_unsaved = false;
    link_watch.restartCounts();
    showLinkState();
    periodic_write.restart();
    const QDateTime now = ctx.clock.now();
    record.append(
        vx52::recordHeader1(vx52::shortDateText(now.date()), vx52::longTimeText(now.time())));
    record.append(vx52::recordHeader2());
    record.append(vx52::recordHeader3());
}

void Tqdx01::NewRecord(std::function<void()> then) {
    appendRecordHeader();
    // The operator's read, then the first data line when this tick completes a sample
    // period; the chart starts empty after them. A read that cannot open the line ends here.
    vx52::Piece read = manualReadPiece();
    read.finished = [this, then = std::move(then), failed = read.finished](
                        const vx52::PieceEnd& end) {
        if (end.failed()) {
            failed(end);
            return;
        }
        RecordTick(
            [this, then] {
                vx52::runGuarded(ctx.prompts, this, [this, &then] {
                    startNewChart();
                    if (then) then();
                });
            },
            true);
    };
    ctx.worker.submit(std::move(read));
}

void Tqdx01::startNewChart() {
    ui->Chart1->clearAll();
    // An outage going on is shaded from the new recording's start.
    if (link_watch.failing())
        ui->Chart1->gaps().begin(TrendChart::toChartTime(ctx.clock.now()));
    sample_ticks = 0;
    periodic_write.restart();
}

void Tqdx01::AppendRecordLine(const QDateTime& now) {
    record.append(vx52::recordDataLine(
        ui->pa_meas1->text(), ui->pa_meas2->text(), ui->pa_meas3->text(), ui->pa_meas4->text(),
        vx52::longTimeText(now.time()), vx52::shortDateText(now.date())));
    record_unsaved = true;
}

void Tqdx01::SaveTick() {
    // Goes to the dialog's file name whether or not a file was chosen through it.
    fileWriteDone(periodic_write.secondPassed(fileMinutes() * 60,
                                              [this] { writeRecord(SaveDialog1.initialName); }));
}

void Tqdx01::fileWriteDone(const vx52::PeriodicWrite::Result& result) {
    using Outcome = vx52::PeriodicWrite::Outcome;
    const QString file = QDir::toNativeSeparators(SaveDialog1.initialName);
    if (result.outcome == Outcome::Failed) {
        notices->post(vx52::NoticeStrip::Kind::File, ctx.clock.now(),
                      vx52::failureText(result.reason) +
                          tr(" Naměřená data zůstávají v paměti (%1 řádků), čtení a "
                             "záznam pokračují; další pokus o zápis bude za %2 min "
                             "(nezdařené pokusy: %3).")
                              .arg(record.count())
                              .arg(fileMinutes())
                              .arg(result.failures));
    } else if (result.outcome == Outcome::CaughtUp) {
        notices->post(vx52::NoticeStrip::Kind::File, ctx.clock.now(),
                      tr("Soubor \"%1\" je opět zapsán celý (%2 řádků), po %3 "
                         "nezdařených pokusech o zápis.")
                          .arg(file)
                          .arg(record.count())
                          .arg(result.failures));
    }
}

void Tqdx01::mn_ulozitClick() {
    if (ui->mn_novy->isChecked()) {
        writeRecord(SaveDialog1.initialName);
        return;
    }
    SaveDialog1.title = tr("Uložit jako");
    // Sampling goes on under the dialog; the periodic write waits for the choice.
    const QString chosen = [this] {
        HoldWrites hold(periodic_write);
        return ctx.prompts.saveFile(this, SaveDialog1);
    }();
    if (chosen.isEmpty()) return;
    // The choice takes effect only once the file is written: a failed write keeps the
    // previous file as the target of the periodic writes.
    writeRecord(chosen);
    SaveDialog1.initialName = chosen;
    showRecordFile();
    ui->mn_novy->setChecked(true);
}

void Tqdx01::mn_ulozitjakoClick() {
    ui->mn_novy->setChecked(false);
    SaveDialog1.confirmOverwrite = true; // stays on from now on
    mn_ulozitClick();
}

void Tqdx01::mn_novyClick() {
    NewRecord([this] { mn_ulozitjakoClick(); });
}

void Tqdx01::check_zapisClick() {
    if (!ui->check_zapis->isChecked()) return;
    // Sampling goes on while the question and the file dialog are open.
    const auto answer =
        ctx.prompts.message(this, tr("Chceš vymazat naměřená data?"), tr("Clear"),
                            vx52::Prompts::Icon::Warning, vx52::Prompts::Buttons::YesNo);
    if (answer == vx52::Prompts::Answer::Yes)
        NewRecord([this] { mn_ulozitjakoClick(); });
    else
        mn_ulozitjakoClick();
}

void Tqdx01::mn_rychlost_zaznamuClick() {
    if (!form_zaznam) return;
    form_zaznam->ed_soubor()->setText(ui->pa_soubor->text());
    form_zaznam->ed_sample()->setText(ui->pa_zaznam->text());
    (recordUnit() == 1 ? form_zaznam->rb_sec() : form_zaznam->rb_min())->setChecked(true);
    // The timer keeps running: readings and recording go on while the dialog is open.
    if (form_zaznam->exec() != QDialog::Accepted) return;
    ui->pa_soubor->setText(form_zaznam->ed_soubor()->text());
    vx52::setTag(ui->pa_soubor, form_zaznam->ed_soubor()->text().toInt());
    ui->pa_zaznam->setText(form_zaznam->ed_sample()->text());
    vx52::setTag(ui->pa_zaznam, form_zaznam->ed_sample()->text().toInt());
    setRecordUnit(form_zaznam->unitResult());
}

void Tqdx01::startUnattended(bool read, const QString& recordFile) {
    if (!recordFile.isEmpty()) {
        SaveDialog1.initialName = QFileInfo(recordFile).absoluteFilePath();
        ui->mn_novy->setChecked(true);
        showRecordFile();
        appendRecordHeader();
        sample_ticks = 0;
        ui->check_zapis->setChecked(true);
        // The header goes out at once: the file is there from the start, and a place that
        // cannot be written shows now, not a period later.
        fileWriteDone(periodic_write.writeNow([this] { writeRecord(SaveDialog1.initialName); }));
    }
    if (read || !recordFile.isEmpty()) ui->check_auto->setChecked(true);
}
