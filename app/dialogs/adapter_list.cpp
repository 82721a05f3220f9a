#include "app/dialogs/adapter_list.h"

#include "ui_adapter_list.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

enum Column { kDevice, kDescription, kMaker, kSerial, kUsb };

// A device is kept by its whole name: a path on Linux, a port name (COM12) on Windows.
bool wholePath(const QString& device) {
#ifdef Q_OS_WIN
    return !device.isEmpty();
#else
    return QDir::isAbsolutePath(device);
#endif
}

// "/dev/serial/by-id/usb-… → /dev/ttyUSB0", or the device with a note that it is not there.
QString whereItLeads(const QString& device) {
#ifdef Q_OS_WIN
    return device;
#else
    const QFileInfo info(device);
    if (!info.exists()) return Tzarizeni::tr("%1 (nyní neexistuje)").arg(device);
    const QString real = info.canonicalFilePath();
    return real == device ? device : QStringLiteral("%1 → %2").arg(device, real);
#endif
}

} // namespace

Tzarizeni::Tzarizeni(QWidget* parent)
    : QDialog(parent), ui(new Ui::Tzarizeni), Timer1(new QTimer(this)),
      list_([] { return vx52::systemSerialDevices(); }) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("zarizeni"));
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    ui->str_zarizeni->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(ui->str_zarizeni, &QTreeWidget::itemSelectionChanged, this,
            [this] { str_zarizeniSelect(); });
    connect(ui->str_zarizeni, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (!chosenDevice().isEmpty()) accept();
    });
    connect(ui->ed_cesta, &QLineEdit::textEdited, this, [this] { ed_cestaEdited(); });
    connect(ui->tl_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->tl_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

Tzarizeni::~Tzarizeni() { delete ui; }

void Tzarizeni::prepare(int com, const QString& device) {
    ui->lb_com->setText(tr("Sériový port pro linku COM %1:").arg(com));
    ui->lb_nyni->setText(tr("COM %1 nyní otevírá %2").arg(com).arg(whereItLeads(device)));
    current_ = device;
    devices_.clear();
    ui->str_zarizeni->clear();
    ui->ed_cesta->clear();
    refresh();
    selectDevice(device);
    str_zarizeniSelect();
}

QString Tzarizeni::typedDevice() const {
    return ui->ed_cesta->text().trimmed();
}

QString Tzarizeni::selectedDevice() const {
    QTreeWidgetItem* item = ui->str_zarizeni->currentItem();
    if (item == nullptr || !item->isSelected()) return {};
    const int row = ui->str_zarizeni->indexOfTopLevelItem(item);
    return row >= 0 && row < static_cast<int>(devices_.size())
               ? devices_[static_cast<std::size_t>(row)].storedName()
               : QString();
}

QString Tzarizeni::chosenDevice() const {
    const QString typed = typedDevice();
    if (typed.isEmpty()) return selectedDevice();
    return wholePath(typed) ? typed : QString();
}

void Tzarizeni::ed_cestaEdited() {
    // A typed path stands instead of the list's choice.
    if (!typedDevice().isEmpty()) ui->str_zarizeni->clearSelection();
    str_zarizeniSelect();
}

void Tzarizeni::Timer1Timer() { refresh(); }

void Tzarizeni::str_zarizeniSelect() {
    // Picking a port in the list takes the place of a typed path.
    if (!selectedDevice().isEmpty()) ui->ed_cesta->clear();
    const QString chosen = chosenDevice();
    ui->tl_ok->setEnabled(!chosen.isEmpty());
    if (!chosen.isEmpty())
        ui->lb_nazev->setText(tr("Uloží se: %1").arg(whereItLeads(chosen)));
    else if (!typedDevice().isEmpty())
        ui->lb_nazev->setText(tr("Zadejte celou cestu, např. /dev/pts/3."));
    else if (devices_.empty())
        ui->lb_nazev->setText(tr("Systém nemá žádný sériový port."));
    else
        ui->lb_nazev->setText(tr("Vyberte port ze seznamu."));
}

void Tzarizeni::refresh() {
    std::vector<vx52::SerialDevice> now = list_ ? list_() : std::vector<vx52::SerialDevice>{};
    const auto same = [](const vx52::SerialDevice& a, const vx52::SerialDevice& b) {
        return a.location == b.location && a.stableName == b.stableName &&
               a.description == b.description && a.serialNumber == b.serialNumber;
    };
    if (std::equal(now.begin(), now.end(), devices_.begin(), devices_.end(), same)) return;

    // Keep the operator's choice across a refresh; an unplugged port drops out of it.
    const QString chosen = selectedDevice();
    const bool typed = !typedDevice().isEmpty();
    devices_ = std::move(now);
    auto* list = ui->str_zarizeni;
    list->clear();
    for (const vx52::SerialDevice& d : devices_) {
        auto* item = new QTreeWidgetItem(
            list, {d.location, d.description, d.manufacturer, d.serialNumber, d.usbId()});
        if (!d.stableName.isEmpty()) item->setToolTip(kDevice, d.stableName);
    }
    if (typed)
        list->clearSelection();
    else
        selectDevice(chosen.isEmpty() ? current_ : chosen);
    str_zarizeniSelect();
}

void Tzarizeni::selectDevice(const QString& device) {
    for (std::size_t row = 0; row < devices_.size(); ++row) {
        if (devices_[row].isNamedBy(device)) {
            ui->str_zarizeni->setCurrentItem(
                ui->str_zarizeni->topLevelItem(static_cast<int>(row)));
            return;
        }
    }
    ui->str_zarizeni->clearSelection();
}

void Tzarizeni::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Timer1->start();
}

void Tzarizeni::hideEvent(QHideEvent* event) {
    Timer1->stop();
    QDialog::hideEvent(event);
}
