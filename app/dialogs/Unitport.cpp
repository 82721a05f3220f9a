#include "app/dialogs/Unitport.h"

#include "app/dialogs/adapter_list.h"
#include "ui_Unitport.h"
#include "ui/guard.h"

#include <QKeyEvent>
#include <QPointer>
#include <QShowEvent>

#include <algorithm>
#include <array>
#include <chrono>
#include <utility>
#include <vector>

using vx52::Prompts;
using vx52::runGuarded;

namespace {

constexpr int kTableColumns = 16;
constexpr int kTableRows = 8;
constexpr int kLastAddress = 126; // 127 is the broadcast address, never probed
constexpr std::chrono::milliseconds kProbeGap{100}; // before each probe of the normal search;
                                                  // the fast probe is short, the next follows at once

constexpr std::array<int, 14> kSpeeds{110,   300,   600,   1200,  2400,   4800,   9600,
                                      19200, 38400, 56000, 57600, 115200, 128000, 256000};

const QString kSectionAddress = QStringLiteral("ADRESA");
const QString kSectionPort = QStringLiteral("PORT");
const QString kFastKey = QStringLiteral("RYCHLE"); // "Rychlé hledání" ticked

// An address entry outside 0..126 would select nothing and reach the link truncated.
int addressOrDefault(int value) { return value >= 0 && value <= kLastAddress ? value : 0; }

} // namespace

Tport::Tport(vx52::AppContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx), ui(new Ui::Tport), zarizeni_(new Tzarizeni(this)) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("port"));
    setFixedSize(475, 313);
    zarizeni_->setWindowModality(Qt::WindowModal);

    auto* table = ui->str_tab;
    for (int row = 0; row < kTableRows; ++row)
        for (int column = 0; column < kTableColumns; ++column)
            table->setItem(row, column, new QTableWidgetItem());
    table->setFixedSize(kTableColumns * 26 + 2 * table->frameWidth(),
                        kTableRows * 16 + 2 * table->frameWidth());
    // The table is disabled during a search; the found addresses and the search's current
    // cell must still read clearly.
    QPalette palette = table->palette();
    for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::Base, QPalette::Highlight,
                      QPalette::HighlightedText})
        palette.setColor(QPalette::Disabled, role, palette.color(QPalette::Active, role));
    table->setPalette(palette);
    table->installEventFilter(this);

    ctx_.worker.setOnLineReset([self = QPointer<Tport>(this)] {
        if (self) self->selectNoPort();
    });
    connect(&ctx_.worker, &vx52::LineWorker::busyChanged, this, [this] { enableControls(); });
    connectControls();
    runGuarded(ctx_.prompts, this, [this] { FormCreate(); });
}

Tport::~Tport() {
    // A search still running stops; what the dialog's pieces still report finds no dialog.
    if (search_piece_ != 0) ctx_.worker.cancel(search_piece_);
    ctx_.worker.setOnLineReset(nullptr);
    delete ui;
}

void Tport::connectControls() {
    auto& prompts = ctx_.prompts;
    // activated, not currentIndexChanged: only the operator's choice is a change; selecting
    // an entry from code must not reopen the line.
    connect(ui->cb_com, &QComboBox::activated, this,
            vx52::guard(prompts, this, [this] { cb_comChange(); }));
    connect(ui->cb_baudrate, &QComboBox::activated, this,
            vx52::guard(prompts, this, [this] { cb_baudrateChange(); }));
    connect(ui->cb_da, &QComboBox::activated, this,
            vx52::guard(prompts, this, [this] { cb_daChange(); }));
    connect(ui->cb_sa, &QComboBox::activated, this,
            vx52::guard(prompts, this, [this] { cb_saChange(); }));
    connect(ui->tl_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->tl_cancel, &QPushButton::clicked, this, [this] {
        // Storno closes whatever its handler did.
        runGuarded(ctx_.prompts, this, [this] { tl_cancelClick(); });
        reject();
    });
    connect(ui->tl_najit, &QPushButton::clicked, this,
            vx52::guard(prompts, this, [this] { tl_najitClick(); }));
    connect(ui->tl_prerusit, &QPushButton::clicked, this,
            vx52::guard(prompts, this, [this] { tl_prerusitClick(); }));
    connect(ui->tl_zarizeni, &QPushButton::clicked, this,
            vx52::guard(prompts, this, [this] { tl_zarizeniClick(); }));
    connect(ui->str_tab, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int column) { str_tabDblClick(row, column); });
}

void Tport::setPortOpenedFlag(bool* flag) { port_opened_ = flag ? flag : &own_port_opened_; }

int Tport::selectedCom() const { return ui->cb_com->currentIndex(); }

bool Tport::searching() const { return search_piece_ != 0; }

void Tport::SnapshotSettings() {
    saved_baudrate_ = baudrate();
    saved_device_addr_ = device_addr_;
    saved_host_addr_ = host_addr_;
    saved_com_number_ = com_number();
}

bool Tport::SettingsChanged() const {
    return saved_baudrate_ != baudrate() || saved_device_addr_ != device_addr_ ||
           saved_host_addr_ != host_addr_ || saved_com_number_ != com_number();
}

void Tport::FormCreate() {
    auto& settings = ctx_.settings;
    host_addr_ = addressOrDefault(settings.readInteger(kSectionAddress, QStringLiteral("SA"), 0));
    device_addr_ = addressOrDefault(settings.readInteger(kSectionAddress, QStringLiteral("DA"), 0));
    int com = settings.readInteger(kSectionPort, QStringLiteral("COM"), 1);
    if (com < 0 || com > vx52::ComPorts::kLast) com = 1;
    ctx_.line.setComNumber(com);
    ctx_.line.setBaudRate(settings.readInteger(kSectionPort, QStringLiteral("BAUDRATE"), 9600));

    ui->cb_sa->setCurrentIndex(host_addr_);
    ctx_.link.SetHostAddress(static_cast<std::uint8_t>(host_addr_));
    ui->cb_da->setCurrentIndex(device_addr_);
    ctx_.link.SetDeviceAddress(static_cast<std::uint8_t>(device_addr_));

    ui->check_rychle->setChecked(settings.readInteger(kSectionAddress, kFastKey, 0) != 0);

    fillSpeeds();
    selectSpeed(baudrate());
    ui->cb_com->setCurrentIndex(com);
    describeComEntries();
    SnapshotSettings();
}

void Tport::FormShow() {
    if (*port_opened_) {
        takeLinkSettings();
        return;
    }
    *port_opened_ = true;
    // The failure is shown, but the address is still taken from the link so the dialog never
    // shows (and later stores) a regulator address the link no longer uses.
    const int com = selectedCom();
    onLine(QStringLiteral("otevření linky"), [com](vx52::Session& s) { s.line().OpenLine(com); },
           [this] { takeLinkSettings(); });
}

void Tport::takeLinkSettings() {
    device_addr_ = ctx_.link.GetDeviceAddress();
    ui->cb_da->setCurrentIndex(device_addr_);
    describeComEntries();
    SnapshotSettings();
}

vx52::LineWorker::Id Tport::onLine(const QString& name, std::function<void(vx52::Session&)> run,
                                   std::function<void()> then) {
    vx52::Piece piece;
    piece.name = name;
    piece.run = std::move(run);
    piece.finished = [self = QPointer<Tport>(this), then = std::move(then)](const vx52::PieceEnd& end) {
        if (!self) return;
        if (end.failed()) vx52::showFailure(self->ctx_.prompts, self, end.failure);
        if (then) runGuarded(self->ctx_.prompts, self, then);
    };
    return ctx_.worker.submit(std::move(piece));
}

void Tport::FormClose() {
    auto& settings = ctx_.settings;
    settings.writeInteger(kSectionAddress, QStringLiteral("SA"), host_addr_);
    settings.writeInteger(kSectionAddress, QStringLiteral("DA"), device_addr_);
    settings.writeInteger(kSectionPort, QStringLiteral("BAUDRATE"), baudrate());
    // "žádný port" is never stored: the next start comes up on COM 1.
    if (com_number() == 0) ctx_.line.setComNumber(1);
    settings.writeInteger(kSectionPort, QStringLiteral("COM"), com_number());
    settings.writeInteger(kSectionAddress, kFastKey, fastSearch() ? 1 : 0);
    settings.flush();
}

void Tport::cb_comChange() {
    const int com = ui->cb_com->currentIndex();
    ctx_.line.setComNumber(com);
    // "žádný port" leaves the line open on the previous port until the dialog closes.
    if (com == 0) return;
    onLine(QStringLiteral("volba linky"), [com](vx52::Session& s) {
        s.line().CloseLine();
        s.line().OpenLine(com);
    });
}

void Tport::cb_baudrateChange() {
    ctx_.line.setBaudRate(ui->cb_baudrate->currentText().toInt());
    applyLineSettings();
}

void Tport::applyLineSettings() {
    onLine(QStringLiteral("rychlost linky"), [](vx52::Session& s) { s.line().ApplyLineSettings(); });
}

void Tport::cb_daChange() {
    device_addr_ = ui->cb_da->currentIndex();
    ctx_.link.SetDeviceAddress(static_cast<std::uint8_t>(device_addr_));
}

void Tport::cb_saChange() {
    host_addr_ = ui->cb_sa->currentIndex();
    ctx_.link.SetHostAddress(static_cast<std::uint8_t>(host_addr_));
}

void Tport::tl_cancelClick() {
    if (!SettingsChanged()) return;
    const auto answer =
        ctx_.prompts.message(this,
                             tr("Byly provedeny změny v nastavení.\n"
                                "Opravdu se chceš vrátit k původnímu nastavení?"),
                             tr("Dotaz"), Prompts::Icon::Question, Prompts::Buttons::YesNo);
    if (answer != Prompts::Answer::Yes) {
        SnapshotSettings();
        return;
    }
    // Each restore runs on its own: a line that cannot be reopened must not keep the
    // addresses the operator asked to take back.
    if (com_number() != saved_com_number_) {
        runGuarded(ctx_.prompts, this, [this] {
            ui->cb_com->setCurrentIndex(saved_com_number_);
            cb_comChange();
        });
    }
    if (baudrate() != saved_baudrate_) {
        runGuarded(ctx_.prompts, this, [this] {
            selectSpeed(saved_baudrate_);
            ctx_.line.setBaudRate(saved_baudrate_);
            applyLineSettings();
        });
    }
    if (device_addr_ != saved_device_addr_) {
        ui->cb_da->setCurrentIndex(saved_device_addr_);
        cb_daChange();
    }
    if (host_addr_ != saved_host_addr_) {
        ui->cb_sa->setCurrentIndex(saved_host_addr_);
        cb_saChange();
    }
}

void Tport::tl_najitClick() {
    // "Najít" during a search starts it again from address 0.
    if (search_piece_ != 0) ctx_.worker.cancel(search_piece_);
    const int round = ++search_round_;
    setSearchControls(true);
    for (int address = 0; address <= kLastAddress; ++address)
        ui->str_tab->item(address / kTableColumns, address % kTableColumns)
            ->setText(QStringLiteral(" "));
    search_addr_ = 0;

    const bool fast = fastSearch();
    vx52::Piece piece;
    piece.name = QStringLiteral("hledání adres");
    // What a round's reports change, only while it is the dialog's current round.
    const QPointer<Tport> self(this);
    const auto onGui = [self, round](vx52::Session& s, std::function<void()> f) {
        s.report([self, round, f = std::move(f)] {
            if (self && round == self->search_round_) f();
        });
    };
    piece.run = [this, fast, onGui](vx52::Session& s) {
        vx52::Link& link = s.link();
        const auto remembered = link.GetDeviceAddress();
        link.beginSearch();
        // The regulator address comes back however the search ends.
        struct Restore {
            vx52::Link& link;
            std::uint8_t address;
            ~Restore() {
                link.endSearch();
                link.SetDeviceAddress(address);
            }
        } restore{link, remembered};
        for (int address = 0; address <= kLastAddress; ++address) {
            if (!fast) s.pause(kProbeGap);
            s.checkpoint();
            onGui(s, [this, address] { showProbing(address); });
            link.SetDeviceAddress(static_cast<std::uint8_t>(address));
            const bool answered = (fast ? s.exchange(&vx52::Link::ProbeStationFast)
                                        : s.exchange(&vx52::Link::ProbeStation)) != 0;
            std::vector<std::uint8_t> late = link.takeLateStations();
            if (answered) late.push_back(static_cast<std::uint8_t>(address));
            onGui(s, [this, address, late] { showProbed(address, late); });
        }
    };
    piece.finished = [self, round](const vx52::PieceEnd& end) {
        if (!self || round != self->search_round_) return;
        self->search_piece_ = 0;
        self->setSearchControls(false);
        if (end.failed()) vx52::showFailure(self->ctx_.prompts, self, end.failure);
    };
    search_piece_ = ctx_.worker.submit(std::move(piece));
}

void Tport::showProbing(int address) {
    ui->str_tab->setCurrentCell(address / kTableColumns, address % kTableColumns);
}

void Tport::showProbed(int address, const std::vector<std::uint8_t>& answered) {
    for (const std::uint8_t station : answered)
        ui->str_tab->item(station / kTableColumns, station % kTableColumns)
            ->setText(QString::number(station));
    search_addr_ = address + 1;
}

void Tport::tl_prerusitClick() { stopSearch(); }

void Tport::stopSearch() {
    // The probe under way ends; no other follows it, and nothing more is shown of it.
    if (search_piece_ != 0) ctx_.worker.cancel(search_piece_);
    search_piece_ = 0;
    ++search_round_;
    setSearchControls(false);
}

void Tport::setSearchControls(bool searching) {
    searching_controls_ = searching;
    enableControls();
}

void Tport::enableControls() {
    // While a piece of work runs on the line, nothing that changes the line or the link is
    // offered; a search keeps "Přerušit" and "Najít".
    const bool idle = !ctx_.worker.busy();
    ui->tl_prerusit->setEnabled(searching_controls_);
    ui->tl_najit->setEnabled(searching_controls_ || idle);
    for (QWidget* control : {static_cast<QWidget*>(ui->tl_ok), static_cast<QWidget*>(ui->tl_cancel),
                             static_cast<QWidget*>(ui->cb_sa), static_cast<QWidget*>(ui->cb_da),
                             static_cast<QWidget*>(ui->cb_com),
                             static_cast<QWidget*>(ui->cb_baudrate),
                             static_cast<QWidget*>(ui->tl_zarizeni),
                             static_cast<QWidget*>(ui->check_rychle),
                             static_cast<QWidget*>(ui->str_tab)})
        control->setEnabled(!searching_controls_ && idle);
}

void Tport::fillSpeeds() {
    ui->cb_baudrate->clear();
    for (int speed : kSpeeds) ui->cb_baudrate->addItem(QString::number(speed));
}

void Tport::selectSpeed(int baud) {
    // A speed that is not offered selects nothing; the line still runs at it.
    ui->cb_baudrate->setCurrentIndex(ui->cb_baudrate->findText(QString::number(baud)));
}

void Tport::selectNoPort() { ui->cb_com->setCurrentIndex(0); }

vx52::ComPorts Tport::comPorts() const {
    // The same mapping the serial line opens by.
    return vx52::ComPorts([this](const QString& key, const QString& fallback) {
        return ctx_.settings.readString(kSectionPort, key, fallback);
    });
}

void Tport::describeComEntries() {
    // The tip names the device really opened.
    const vx52::ComPorts ports = comPorts();
    for (int com = vx52::ComPorts::kFirst; com <= vx52::ComPorts::kLast; ++com)
        ui->cb_com->setItemData(com, ports.devicePath(com), Qt::ToolTipRole);
}

bool Tport::fastSearch() const { return ui->check_rychle->isChecked(); }

void Tport::tl_zarizeniClick() {
    // The adapter goes to the selected line; with "žádný port" to COM 1.
    const int com = std::max(selectedCom(), vx52::ComPorts::kFirst);
    zarizeni_->prepare(com, comPorts().devicePath(com));
    if (zarizeni_->exec() != QDialog::Accepted) return;
    const QString device = zarizeni_->chosenDevice();
    if (device.isEmpty()) return;
    ctx_.settings.writeString(kSectionPort, vx52::ComPorts::deviceKey(com), device);
    ctx_.settings.flush();
    describeComEntries();
    // As choosing a line does, the line opens on the chosen port at once.
    ui->cb_com->setCurrentIndex(com);
    cb_comChange();
}

bool Tport::takeFoundAddress(int row, int column) {
    const QTableWidgetItem* item = ui->str_tab->item(row, column);
    const int address = row * kTableColumns + column;
    if (item == nullptr || searching() || address > kLastAddress ||
        item->text().trimmed() != QString::number(address))
        return false;
    ui->cb_da->setCurrentIndex(address);
    cb_daChange();
    return true;
}

void Tport::str_tabDblClick(int row, int column) { takeFoundAddress(row, column); }

std::vector<std::uint8_t> Tport::foundAddresses() const {
    std::vector<std::uint8_t> found;
    for (int address = 0; address <= kLastAddress; ++address) {
        const QTableWidgetItem* item =
            ui->str_tab->item(address / kTableColumns, address % kTableColumns);
        if (item != nullptr && item->text().trimmed() == QString::number(address))
            found.push_back(static_cast<std::uint8_t>(address));
    }
    return found;
}

bool Tport::takeStation(int address) {
    if (address < 0 || address > kLastAddress || searching()) return false;
    ui->cb_da->setCurrentIndex(address);
    cb_daChange();
    ctx_.settings.writeInteger(kSectionAddress, QStringLiteral("DA"), device_addr_);
    ctx_.settings.flush();
    return true;
}

void Tport::str_tabKeyPress(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        takeFoundAddress(ui->str_tab->currentRow(), ui->str_tab->currentColumn());
}

bool Tport::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the address table takes the address; it never presses OK from there.
    if (watched == ui->str_tab && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            str_tabKeyPress(key);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tport::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void Tport::keyPressEvent(QKeyEvent* event) {
    // Esc is Storno's key: it runs Storno's handler, and does nothing while Storno is
    // disabled (during a search).
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (ui->tl_cancel->isEnabled()) ui->tl_cancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Tport::done(int result) {
    // Whatever closes the dialog (also its close box during a search) ends the search: its
    // probes would only fail once the main window has closed the line.
    stopSearch();
    runGuarded(ctx_.prompts, this, [this] { FormClose(); });
    QDialog::done(result);
}
