#include "app/monitor/monitor_window.h"

#include "app/monitor/telegram_delegate.h"
#include "app/monitor/telegram_export.h"
#include "app/window_fit.h"
#include "ui/documents.h"
#include "ui/guard.h"
#include "ui/language.h"
#include "ui/regional.h"
#include "ui_monitor_window.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <limits>

using namespace vx52;

namespace {

const QString kSection = QStringLiteral("MONITOR");
constexpr int kSyncDelayMs = 50; // telegrams arriving together are shown together

constexpr TelegramOperation kOperations[] = {TelegramOperation::Measurement, TelegramOperation::ReadTable,
                                     TelegramOperation::WriteTable,  TelegramOperation::DeviceType,
                                     TelegramOperation::Version,     TelegramOperation::Eeprom,
                                     TelegramOperation::Probe};

QString u8(const std::string& text) { return QString::fromUtf8(text); }

} // namespace

Tmonitor::Tmonitor(AppContext& ctx, TelegramStore& store, QWidget* parent)
    : QWidget(parent, Qt::Window), ui(new Ui::Tmonitor), ctx_(ctx), store_(store),
      syncTimer_(new QTimer(this)) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("monitor"));
    model = new TelegramModel(store_, this);
    ui->gr_telegramy->setModel(model);
    ui->gr_telegramy->setItemDelegate(new TelegramDelegate(ui->gr_telegramy));
    QHeaderView* rows = ui->gr_telegramy->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 4);
    rows->hide();
    ui->gr_telegramy->horizontalHeader()->setStretchLastSection(true);
    ui->splitter->setStretchFactor(0, 4);
    ui->splitter->setStretchFactor(1, 1);

    ui->cb_stanice->addItem(tr("všechny"), -1);
    for (int a = 0; a <= 127; ++a)
        ui->cb_stanice->addItem(QString::number(a), a);
    ui->cb_druh->addItem(tr("vše"), -1);
    for (const TelegramOperation op : kOperations)
        ui->cb_druh->addItem(u8(operationName(op, telegramText)), static_cast<int>(op));

    syncTimer_->setSingleShot(true);
    syncTimer_->setInterval(kSyncDelayMs);
    store_.onAppend = [this] {
        if (!syncTimer_->isActive()) syncTimer_->start();
    };

    Prompts& prompts = ctx_.prompts;
    connect(syncTimer_, &QTimer::timeout, this, guard(prompts, this, [this] { SyncTimer(); }));
    connect(ui->cb_stanice, &QComboBox::currentIndexChanged, this,
            guard(prompts, this, [this] { cb_filterChange(); }));
    connect(ui->cb_druh, &QComboBox::currentIndexChanged, this,
            guard(prompts, this, [this] { cb_filterChange(); }));
    connect(ui->check_chyby, &QCheckBox::toggled, this,
            guard(prompts, this, [this] { cb_filterChange(); }));
    connect(ui->tl_pozastavit, &QPushButton::toggled, this,
            guard(prompts, this, [this] { tl_pozastavitClick(); }));
    connect(ui->tl_vymazat, &QPushButton::clicked, this,
            guard(prompts, this, [this] { tl_vymazatClick(); }));
    connect(ui->tl_ulozit, &QPushButton::clicked, this,
            guard(prompts, this, [this] { tl_ulozitClick(); }));
    connect(ui->gr_telegramy->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            guard(prompts, this, [this] { ShowSelected(); }));
    connect(model, &QAbstractItemModel::modelReset, this,
            guard(prompts, this, [this] { ShowSelected(); }));
    // The list follows the newest row until the operator scrolls up, and again once they
    // scroll back to the end. The list takes in new rows lazily, so the range is followed
    // as it grows rather than the end being looked up right after a sync.
    QScrollBar* bar = ui->gr_telegramy->verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this,
            [this, bar](int value) { following_ = value >= bar->maximum(); });
    connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
        if (following_) bar->setValue(maximum);
    });
    ShowCounters();
}

Tmonitor::~Tmonitor() {
    store_.onAppend = nullptr;
    if (placed_) writeSettings();
    delete ui;
}

void Tmonitor::SyncTimer() {
    ShowCounters();
    if (ui->tl_pozastavit->isChecked()) return;
    QTableView* list = ui->gr_telegramy;
    QScrollBar* bar = list->verticalScrollBar();
    const bool following = following_;
    const int before = bar->value();
    const QModelIndex current = list->currentIndex();
    const TelegramModel::Sync sync = model->sync();
    if (sync.shifted && current.isValid()) { // the selection stays on its telegram
        const int row = current.row() - static_cast<int>(sync.dropped);
        if (row >= 0)
            list->setCurrentIndex(model->index(row, current.column()));
        else
            list->selectionModel()->clear();
    }
    if (following)
        list->scrollToBottom();
    else if (sync.dropped > 0) // keep the rows the operator is looking at in place
        bar->setValue(before - static_cast<int>(sync.dropped));
}

void Tmonitor::cb_filterChange() {
    TelegramFilter filter;
    const int station = ui->cb_stanice->currentData().toInt();
    if (station >= 0) filter.station = static_cast<std::uint8_t>(station);
    const int op = ui->cb_druh->currentData().toInt();
    if (op >= 0) filter.operation = static_cast<TelegramOperation>(op);
    filter.failuresOnly = ui->check_chyby->isChecked();
    model->setFilter(filter);
    ui->gr_telegramy->scrollToBottom();
}

void Tmonitor::tl_pozastavitClick() {
    if (!ui->tl_pozastavit->isChecked()) SyncTimer();
}

void Tmonitor::tl_vymazatClick() {
    store_.clear();
    model->restart();
    ShowCounters();
}

void Tmonitor::tl_ulozitClick() {
    Prompts::FileDialog dialog;
    dialog.title = tr("Uložit telegramy");
    dialog.filter = tr("Záznam komunikace (*.txt);;CSV (*.csv)");
    dialog.defaultSuffix = QStringLiteral("txt");
    dialog.initialName = inDocuments(tr("Komunikace.txt"));
    dialog.confirmOverwrite = true;
    const QString fileName = ctx_.prompts.saveFile(this, dialog);
    if (fileName.isEmpty()) return;
    saveTelegrams(fileName, store_, model->view());
}

void Tmonitor::ShowSelected() {
    const QModelIndex current = ui->gr_telegramy->selectionModel()->currentIndex();
    const StoredTelegram* t = current.isValid() ? model->telegram(current.row()) : nullptr;
    if (t == nullptr) {
        ui->ed_pole->clear();
        return;
    }
    const QChar separator = decimalSeparator();
    const char sep = separator.unicode() < 128 ? static_cast<char>(separator.unicode()) : '.';
    QString text = TelegramModel::timeText(t->wallMs) + ' ' + u8(rowText(t->row, telegramText)) +
                   '\n' + QString::fromLatin1(hexText(store_.bytes(*t)));
    // The station's own texts come in its code page; field lines are plain ASCII.
    QStringDecoder fromDevice("windows-1250");
    for (const std::string& line : fieldLines(t->row, store_.bytes(*t), sep))
        text += '\n' + fromDevice.decode(QByteArrayView(line.data(), qsizetype(line.size())));
    ui->ed_pole->setPlainText(text);
}

void Tmonitor::ShowCounters() {
    const TelegramCounters& c = store_.counters();
    const QLocale locale = QLocale::system();
    QString text = tr("Požadavky: %1   Dobré odpovědi: %2   Chyby: %3")
                       .arg(c.requests)
                       .arg(c.goodReplies)
                       .arg(c.failureCount());
    QStringList causes;
    for (int r = 1; r < kTelegramResultCount; ++r)
        if (c.failures[static_cast<std::size_t>(r)] > 0)
            causes << QStringLiteral("%1 %2")
                          .arg(u8(resultName(static_cast<TelegramResult>(r), telegramText)))
                          .arg(c.failures[static_cast<std::size_t>(r)]);
    if (!causes.isEmpty()) text += QStringLiteral(" (") + causes.join(QStringLiteral(", ")) + ')';
    if (c.lateReplies > 0) text += tr("   Pozdní odpovědi: %1").arg(c.lateReplies);
    text += tr("   Odezva: průměr %1 ms, nejdelší %2 ms")
                .arg(locale.toString(c.meanReplyMs(), 'f', 1))
                .arg(c.longestReplyMs);
    ui->lb_citace->setText(text);

    QStringList stations;
    for (std::size_t a = 0; a < c.stations.size(); ++a) {
        const auto& s = c.stations[a];
        if (s.requests == 0 && s.good == 0 && s.failed == 0) continue;
        stations << tr("stanice %1: %2 → / %3 OK / %4 chyb")
                        .arg(a)
                        .arg(s.requests)
                        .arg(s.good)
                        .arg(s.failed);
    }
    ui->lb_stanice->setText(stations.join(QStringLiteral("; ")));
}

void Tmonitor::showEvent(QShowEvent* event) {
    if (!placed_) {
        placed_ = true;
        readSettings();
    }
    SyncTimer();
    ui->gr_telegramy->scrollToBottom();
    QWidget::showEvent(event);
}

void Tmonitor::hideEvent(QHideEvent* event) {
    writeSettings();
    QWidget::hideEvent(event);
}

// Read at the first showing, so that the start-up reads only what the start-up needs.
void Tmonitor::readSettings() {
    SettingsStore& s = ctx_.settings;
    // Without a stored place the window is centred, as one off every screen.
    const int off = std::numeric_limits<int>::min();
    vx52::placeWindow(*this,
                      QPoint(s.readInteger(kSection, QStringLiteral("Left"), off),
                             s.readInteger(kSection, QStringLiteral("Top"), off)),
                      QSize(s.readInteger(kSection, QStringLiteral("Width"), width()),
                            s.readInteger(kSection, QStringLiteral("Height"), height())),
                      minimumSizeHint());
    QHeaderView* header = ui->gr_telegramy->horizontalHeader();
    static constexpr int kWidths[TelegramModel::ColumnCount] = {95, 40, 55, 130, 170, 50, 190, 300};
    for (int c = 0; c < TelegramModel::ColumnCount; ++c)
        header->resizeSection(
            c, std::max(20, s.readInteger(kSection, QStringLiteral("Col%1").arg(c), kWidths[c])));
}

void Tmonitor::writeSettings() {
    SettingsStore& s = ctx_.settings;
    s.writeInteger(kSection, QStringLiteral("Left"), x());
    s.writeInteger(kSection, QStringLiteral("Top"), y());
    s.writeInteger(kSection, QStringLiteral("Width"), width());
    s.writeInteger(kSection, QStringLiteral("Height"), height());
    const QHeaderView* header = ui->gr_telegramy->horizontalHeader();
    for (int c = 0; c < TelegramModel::ColumnCount; ++c)
        s.writeInteger(kSection, QStringLiteral("Col%1").arg(c), header->sectionSize(c));
}
