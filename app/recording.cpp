// The main window's recording: the record buffer with its header and data lines, the periodic
// write, the "Soubor" menu's entries, "Zápis do souboru" and "Rychlost záznamu".

#include "app/Unit_hl.h"

#include "app/dialogs/Rychlostzaznamu.h"
#include "app/record_file.h"
#include "app/trend_chart.h"
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

// Starts Timer1 when the scope ends, also after a failure: "Zápis do souboru" must not leave
// automatic reading stopped for good when its new recording or its save fails.
class TimerRestart {
public:
    explicit TimerRestart(QTimer& timer) : timer_(timer) { timer_.stop(); }
    ~TimerRestart() { timer_.start(); }
    TimerRestart(const TimerRestart&) = delete;
    TimerRestart& operator=(const TimerRestart&) = delete;

private:
    QTimer& timer_;
};

} // namespace

void Tqdx01::connectRecording() {
    SaveDialog1.filter = QStringLiteral("Textový soubor [*.txt] (*.txt)");
#ifdef Q_OS_WIN
    SaveDialog1.defaultSuffix = QStringLiteral("TXT");
#else
    SaveDialog1.defaultSuffix = QStringLiteral("txt"); // names are case-sensitive here
#endif
    SaveDialog1.initialName = defaultRecordFile();
    SaveDialog1.confirmOverwrite = false;

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
                                   QStringLiteral("Naměřená data nejsou uložena. Ukončit program "
                                                  "bez uložení?"),
                                   QStringLiteral("Dotaz"), vx52::Prompts::Icon::Question,
                                   vx52::Prompts::Buttons::YesNoDefaultNo) ==
               vx52::Prompts::Answer::Yes;
    };
}

QString Tqdx01::defaultRecordFile() {
    // The documents folder: the process's current folder is often one the user cannot write
    // (a desktop shortcut starts the program in its installation folder).
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    return QDir(folder).filePath(kRecordFileName + QStringLiteral(".txt"));
}

void Tqdx01::writeRecord(const QString& fileName) {
    vx52::writeRecordFile(fileName, record);
    record_unsaved = false;
}

void Tqdx01::NewRecord() {
    record.clear();
    record_unsaved = false;
    link_watch.restartCounts();
    const QDateTime now = ctx.clock.now();
    record.append(
        vx52::recordHeader1(vx52::shortDateText(now.date()), vx52::longTimeText(now.time())));
    record.append(vx52::recordHeader2());
    record.append(vx52::recordHeader3());
    tl_precistClick();
    RecordTick(); // the first data line when this tick completes a sample period
    ui->Chart1->clearAll();
    // An outage going on is shaded from the new recording's start.
    if (link_watch.failing())
        ui->Chart1->gaps().begin(TrendChart::toChartTime(ctx.clock.now()));
    sample_ticks = 0;
    save_ticks = 0;
}

void Tqdx01::AppendRecordLine() {
    const QDateTime now = ctx.clock.now();
    record.append(vx52::recordDataLine(
        ui->pa_meas1->text(), ui->pa_meas2->text(), ui->pa_meas3->text(), ui->pa_meas4->text(),
        vx52::longTimeText(now.time()), vx52::shortDateText(now.date())));
    record_unsaved = true;
}

void Tqdx01::SaveTick() {
    ++save_ticks;
    if (save_ticks < fileMinutes() * 60) return;
    save_ticks = 0;
    // Goes to the dialog's file name whether or not a file was chosen through it. A failure
    // is shown without holding the readings off: the buffer stays and the next period tries
    // again.
    try {
        writeRecord(SaveDialog1.initialName);
    } catch (const vx52::Failure& failure) {
        showCycleFailure(
            vx52::failureText(QString::fromStdString(failure.text())) +
            QStringLiteral(" Naměřená data zůstávají v paměti, čtení a záznam pokračují; další "
                           "pokus o zápis bude za %1 min")
                .arg(fileMinutes()));
    }
}

void Tqdx01::mn_ulozitClick() {
    if (ui->mn_novy->isChecked()) {
        writeRecord(SaveDialog1.initialName);
        return;
    }
    SaveDialog1.title = QStringLiteral("Uložit jako");
    const QString chosen = ctx.prompts.saveFile(this, SaveDialog1);
    if (chosen.isEmpty()) return;
    // The choice takes effect only once the file is written: a failed write keeps the
    // previous file as the target of the periodic writes.
    writeRecord(chosen);
    SaveDialog1.initialName = chosen;
    ui->pa_path->setText(QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath()));
    ui->mn_novy->setChecked(true);
}

void Tqdx01::mn_ulozitjakoClick() {
    ui->mn_novy->setChecked(false);
    SaveDialog1.confirmOverwrite = true; // stays on from now on
    mn_ulozitClick();
}

void Tqdx01::mn_novyClick() {
    NewRecord();
    mn_ulozitjakoClick();
}

void Tqdx01::check_zapisClick() {
    if (!ui->check_zapis->isChecked()) return;
    TimerRestart restart(*Timer1);
    const auto answer = ctx.prompts.message(this, QStringLiteral("Chceš vymazat naměřená data?"),
                                            QStringLiteral("Clear"), vx52::Prompts::Icon::Warning,
                                            vx52::Prompts::Buttons::YesNo);
    if (answer == vx52::Prompts::Answer::Yes) NewRecord();
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
