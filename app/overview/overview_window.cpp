#include "app/overview/overview_window.h"

#include "app/overview/station_delegate.h"
#include "app/overview/station_model.h"
#include "bus/bus_poller.h"
#include "link/station_list.h"
#include "ui/guard.h"
#include "ui/regional.h"
#include "ui_overview_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStandardPaths>
#include <QTimer>

using namespace vx52;

namespace {

const QString kSection = QStringLiteral("PREHLED");
constexpr int kColumnWidths[StationModel::ColumnCount] = {55, 100, 250, 140, 140, 140, 140, 80};

QString periodText(int ms) {
    if (ms == 0) return Tprehled::tr("co nejrychleji");
    if (ms % 60000 == 0) return Tprehled::tr("každou %1 min").arg(ms / 60000);
    return Tprehled::tr("každé %1 s").arg(ms / 1000);
}

QString stationListProblem(const StationListError& e) {
    const QString item = QString::fromStdString(e.item);
    switch (e.kind) {
    case StationListError::Kind::Empty:
        return Tprehled::tr("Zadejte aspoň jednu stanici, např. 1, 5, 17-20.");
    case StationListError::Kind::NotANumber:
        return Tprehled::tr("„%1“ není adresa ani rozsah adres (např. 17-20).").arg(item);
    case StationListError::Kind::OutOfRange:
        return Tprehled::tr("„%1“: adresy stanic jsou 0 až 126.").arg(item);
    case StationListError::Kind::Backwards:
        return Tprehled::tr("„%1“: rozsah se píše od nižší adresy k vyšší.").arg(item);
    }
    return {};
}

QString addressList(const std::vector<std::uint8_t>& stations) {
    return QString::fromStdString(formatStationList(stations));
}

} // namespace

const std::vector<int>& Tprehled::periods() {
    static const std::vector<int> list{0, 1000, 2000, 5000, 10000, 30000, 60000};
    return list;
}

Tprehled::Tprehled(AppContext& ctx, BusPoller& poller, Hooks hooks, QWidget* parent)
    : QWidget(parent, Qt::Window), ui(new Ui::Tprehled), ctx_(ctx), poller_(poller),
      hooks_(std::move(hooks)), writeTimer_(new QTimer(this)) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("prehled"));
    model = new StationModel(board_, this);
    ui->tab_stanice->setModel(model);
    ui->tab_stanice->setItemDelegate(new StationDelegate(*model, ui->tab_stanice));
    ui->tab_stanice->verticalHeader()->hide();
    ui->tab_stanice->horizontalHeader()->setStretchLastSection(true);
    ui->tab_stanice->installEventFilter(this);
    for (const int ms : periods())
        ui->cb_perioda->addItem(periodText(ms), ms);
    writeTimer_->setInterval(1000);

    Prompts& prompts = ctx_.prompts;
    connect(ui->tl_pouzit, &QPushButton::clicked, this,
            guard(prompts, this, [this] { tl_pouzitClick(); }));
    connect(ui->ed_stanice, &QLineEdit::returnPressed, this,
            guard(prompts, this, [this] { tl_pouzitClick(); }));
    connect(ui->tl_z_hledani, &QPushButton::clicked, this,
            guard(prompts, this, [this] { tl_z_hledaniClick(); }));
    connect(ui->tl_spustit, &QPushButton::clicked, this,
            guard(prompts, this, [this] { tl_spustitClick(); }));
    connect(ui->tl_zastavit, &QPushButton::clicked, this,
            guard(prompts, this, [this] { tl_zastavitClick(); }));
    connect(ui->cb_perioda, &QComboBox::activated, this,
            guard(prompts, this, [this] { cb_periodaChange(); }));
    connect(ui->check_zapis, &QCheckBox::clicked, this,
            guard(prompts, this, [this] { check_zapisClick(); }));
    connect(ui->tl_soubor, &QPushButton::clicked, this,
            guard(prompts, this, [this] { tl_souborClick(); }));
    connect(ui->tab_stanice, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        runGuarded(ctx_.prompts, this, [&] { tab_staniceDblClick(index); });
    });
    connect(writeTimer_, &QTimer::timeout, this, guard(prompts, this, [this] { WriteTimer(); }));
    connect(&poller_, &BusPoller::reading, this, [this](const StationReading& r) {
        runGuarded(ctx_.prompts, this, [&] { showReading(r); });
    });
    connect(&poller_, &BusPoller::roundFinished, this, [this] {
        lineFailure_.clear();
        showRound();
    });
    connect(&poller_, &BusPoller::lineFailed, this, [this](const QString& text) {
        lineFailure_ = text;
        showRound();
    });
    connect(&poller_, &BusPoller::runningChanged, this, [this](bool on) { showPolling(on); });
    poller_.setWantsType([this](std::uint8_t s) { return board_.wantsType(s); });

    readSettings();
    showRound();
}

Tprehled::~Tprehled() {
    poller_.stop();
    if (placed_) writeSettings();
    delete ui;
}

void Tprehled::readSettings() {
    SettingsStore& s = ctx_.settings;
    const QString stations = s.readString(kSection, QStringLiteral("STANICE"), QString());
    const StationListResult list = parseStationList(stations.toStdString());
    if (list.ok()) {
        ui->ed_stanice->setText(addressList(list.stations));
        model->setStations(list.stations);
        poller_.setStations(list.stations);
    }
    const int period = s.readInteger(kSection, QStringLiteral("PERIODA"), 1000);
    const int index = ui->cb_perioda->findData(period);
    ui->cb_perioda->setCurrentIndex(index >= 0 ? index : ui->cb_perioda->findData(1000));
    poller_.setPeriod(std::chrono::milliseconds(ui->cb_perioda->currentData().toInt()));
    record_.setFile(s.readString(kSection, QStringLiteral("SOUBOR"), QString()));
}

// The window's place and columns, at the first showing and when it closes.
void Tprehled::writeSettings() {
    SettingsStore& s = ctx_.settings;
    s.writeInteger(kSection, QStringLiteral("Left"), x());
    s.writeInteger(kSection, QStringLiteral("Top"), y());
    s.writeInteger(kSection, QStringLiteral("Width"), width());
    s.writeInteger(kSection, QStringLiteral("Height"), height());
    const QHeaderView* header = ui->tab_stanice->horizontalHeader();
    for (int c = 0; c < StationModel::ColumnCount; ++c)
        s.writeInteger(kSection, QStringLiteral("Col%1").arg(c), header->sectionSize(c));
}

void Tprehled::showEvent(QShowEvent* event) {
    if (!placed_) {
        placed_ = true;
        SettingsStore& s = ctx_.settings;
        resize(s.readInteger(kSection, QStringLiteral("Width"), width()),
               s.readInteger(kSection, QStringLiteral("Height"), height()));
        const int left = s.readInteger(kSection, QStringLiteral("Left"), -1);
        const int top = s.readInteger(kSection, QStringLiteral("Top"), -1);
        if (left >= 0 && top >= 0) move(left, top);
        QHeaderView* header = ui->tab_stanice->horizontalHeader();
        for (int c = 0; c < StationModel::ColumnCount; ++c)
            header->resizeSection(
                c, std::max(20, s.readInteger(kSection, QStringLiteral("Col%1").arg(c),
                                              kColumnWidths[c])));
    }
    QWidget::showEvent(event);
}

void Tprehled::closeEvent(QCloseEvent* event) {
    runGuarded(ctx_.prompts, this, [this] {
        poller_.stop();
        stopRecording();
        writeSettings();
    });
    QWidget::closeEvent(event);
}

bool Tprehled::eventFilter(QObject* watched, QEvent* event) {
    // Enter on a station takes it, as a double click does.
    if (watched == ui->tab_stanice && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            runGuarded(ctx_.prompts, this,
                       [this] { tab_staniceDblClick(ui->tab_stanice->currentIndex()); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool Tprehled::applyStations(const QString& text) {
    const StationListResult list = parseStationList(text.toStdString());
    if (!list.ok()) {
        ctx_.prompts.message(this, stationListProblem(*list.error), QStringLiteral("CHYBA"),
                             Prompts::Icon::Warning);
        ui->ed_stanice->setFocus();
        return false;
    }
    ui->ed_stanice->setText(addressList(list.stations));
    model->setStations(list.stations);
    poller_.setStations(list.stations);
    ctx_.settings.writeString(kSection, QStringLiteral("STANICE"), addressList(list.stations));
    showRound();
    return true;
}

void Tprehled::tl_pouzitClick() {
    applyStations(ui->ed_stanice->text());
}

void Tprehled::tl_z_hledaniClick() {
    const std::vector<std::uint8_t> found =
        hooks_.lastSearch ? hooks_.lastSearch() : std::vector<std::uint8_t>{};
    if (found.empty()) {
        ctx_.prompts.message(this,
                             tr("Hledání adres zatím žádnou stanici nenašlo. Hledá se v okně "
                                "Komunikační port, tlačítkem Najít adresy."),
                             tr("Přehled sběrnice"), Prompts::Icon::Information);
        return;
    }
    applyStations(addressList(found));
}

void Tprehled::tl_spustitClick() {
    if (board_.stations().empty() && !applyStations(ui->ed_stanice->text())) return;
    poller_.start();
}

void Tprehled::tl_zastavitClick() {
    poller_.stop();
}

void Tprehled::cb_periodaChange() {
    const int ms = ui->cb_perioda->currentData().toInt();
    poller_.setPeriod(std::chrono::milliseconds(ms));
    ctx_.settings.writeInteger(kSection, QStringLiteral("PERIODA"), ms);
}

void Tprehled::showPolling(bool running) {
    ui->tl_spustit->setEnabled(!running);
    ui->tl_zastavit->setEnabled(running);
    showRound();
}

void Tprehled::showReading(const StationReading& reading) {
    model->take(reading);
    if (ui->check_zapis->isChecked()) record_.add(reading);
}

void Tprehled::showRound() {
    QStringList parts;
    if (!poller_.running())
        parts << tr("Sběr stojí.");
    else
        parts << tr("Kolo %1.").arg(poller_.rounds());
    if (!lineFailure_.isEmpty()) parts << tr("Linku nelze otevřít: %1").arg(lineFailure_);
    const std::vector<std::uint8_t> skipped = poller_.schedule().backedOffStations();
    if (!skipped.empty())
        parts << tr("Mlčí a dotazují se jen každé %1. kolo: %2")
                     .arg(PollSchedule::kBackedOffEvery)
                     .arg(addressList(skipped));
    ui->lb_stav->setText(parts.join(QLatin1Char(' ')));
}

void Tprehled::tab_staniceDblClick(const QModelIndex& index) {
    if (!index.isValid() || !hooks_.takeStation) return;
    const int address = model->data(index, StationModel::kAddressRole).toInt();
    if (!hooks_.takeStation(static_cast<std::uint8_t>(address))) {
        ui->lb_stav->setText(tr("Stanici %1 teď převzít nelze: běží hledání adres.").arg(address));
        return;
    }
    ui->lb_stav->setText(tr("Stanice %1 je teď stanicí hlavního okna a editoru.").arg(address));
}

void Tprehled::tl_souborClick() {
    QString initial = record_.file();
    if (initial.isEmpty()) {
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
        initial = QDir(folder).filePath(tr("Přehled sběrnice") + QStringLiteral(".csv"));
    }
    const Prompts::FileDialog dialog{tr("Zápis přehledu do souboru"),
                                     tr("Soubor CSV (*.csv);;Všechny soubory (*)"),
                                     QStringLiteral("csv"), initial, false};
    const QString chosen = ctx_.prompts.saveFile(this, dialog);
    if (chosen.isEmpty()) return;
    // Rows kept for the old file go there first, if it can be written.
    if (ui->check_zapis->isChecked()) writeDone(periodic_.writeNow([this] { record_.write(); }));
    record_.setFile(chosen);
    ctx_.settings.writeString(kSection, QStringLiteral("SOUBOR"), chosen);
    ui->lb_zapis->setText(tr("Soubor: %1").arg(QDir::toNativeSeparators(chosen)));
}

void Tprehled::check_zapisClick() {
    if (!ui->check_zapis->isChecked()) {
        stopRecording();
        return;
    }
    if (record_.file().isEmpty()) tl_souborClick();
    if (record_.file().isEmpty()) {
        ui->check_zapis->setChecked(false);
        return;
    }
    periodic_.restart();
    writeTimer_->start();
    ui->lb_zapis->setText(tr("Zapisuje se do %1").arg(QDir::toNativeSeparators(record_.file())));
}

void Tprehled::stopRecording() {
    writeTimer_->stop();
    ui->check_zapis->setChecked(false);
    if (record_.keptRows() > 0) writeDone(periodic_.writeNow([this] { record_.write(); }));
}

void Tprehled::WriteTimer() {
    writeDone(periodic_.secondPassed(1, [this] { record_.write(); }));
}

void Tprehled::writeDone(const PeriodicWrite::Result& result) {
    using Outcome = PeriodicWrite::Outcome;
    const QString file = QDir::toNativeSeparators(record_.file());
    switch (result.outcome) {
    case Outcome::NotDue:
        return;
    case Outcome::Written:
    case Outcome::CaughtUp:
        ui->lb_zapis->setStyleSheet(QString());
        ui->lb_zapis->setText(tr("Zapisuje se do %1").arg(file));
        return;
    case Outcome::Failed:
        // Never a box: the rows wait in memory and the next second tries again.
        ui->lb_zapis->setStyleSheet(QStringLiteral("color: #b00000"));
        ui->lb_zapis->setText(tr("Zápis do %1 se nezdařil (%2× za sebou): %3. %4 řádků čeká "
                                 "v paměti a zapíše se, jakmile to půjde.")
                                  .arg(file)
                                  .arg(result.failures)
                                  .arg(result.reason)
                                  .arg(record_.keptRows()));
        return;
    }
}
