#include "params/load_form.h"

#include "params/Unitmenumod.h"
#include "params/device_text.h"
#include "ui/guard.h"
#include "ui_load_form.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>
#include <chrono>
#include <cstring>

using namespace std::chrono_literals;

namespace {

struct KnownFirmware {
    const char* prefix;
    int result;
};
// Compared on the first ten characters, in this order.
constexpr KnownFirmware kFirmware[] = {
    {"FW-R-12-10", 4}, {"FW-R-11-01", 1}, {"FW-R-11-02", 2}, {"FW-R-11-03", 3}};
constexpr std::size_t kPrefixLength = 10;
constexpr int kRegulatorServed = Tmenu_mod::kRegulatorServed;

} // namespace

Tload_form::Tload_form(vx52::AppContext& ctx, Tmenu_mod& editor, QWidget* parent)
    : QDialog(parent), ctx_(ctx), editor_(editor), ui_(new Ui::Tload_form) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QFont big = ui_->Label1->font();
    big.setPixelSize(16);
    ui_->Label1->setFont(big);

    // Stops the load before the next table, as Esc does.
    tl_storno_ = new QPushButton(tr("Storno"), this);
    tl_storno_->setObjectName(QStringLiteral("tl_storno"));
    tl_storno_->setGeometry(222, 106, 75, 23); // below the device text, not over its end
    tl_storno_->setAutoDefault(false);
    connect(tl_storno_, &QPushButton::clicked, this, [this] { stop_ = true; });

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(5);
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

Tload_form::~Tload_form() {
    delete ui_;
}

void Tload_form::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (const QScreen* where = screen()) // centred on the screen, not over the main window
        move(where->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    vx52::runGuarded(ctx_.prompts, this, [this] { FormShow(); });
}

void Tload_form::FormShow() {
    ui_->lb_verze->setText(tr("neidentifikováno"));
    ui_->bar_load->setValue(0);
    setEditorDefaults();
    Timer1.start();
}

// What the editor's cards hold when the load does not fill them; cards 2 and 4..6 keep
// whatever they held. Every card holds nothing yet until it is read, opened or typed.
void Tload_form::setEditorDefaults() {
    editor_.forgetSources();
    const auto list = [this](const char* name, int position) { editor_.putDefault(name, position); };
    const auto entry = [this](const char* name, const QString& text) {
        editor_.putDefault(name, text);
    };
    for (const char* name : {"cb_rala1", "cb_re1", "cb_feed", "cb_ain", "cb_aout", "cb_filtr"})
        list(name, 0);
    list("cb_dp1", 1);
    list("cb_obr1", 1);
    list("cb_sens1", 4);
    for (const char* name : {"ed_splo1", "ed_strs1", "ed_adresa"})
        entry(name, QStringLiteral("0"));
    for (const char* name : {"ed_hyst1", "ed_pb", "ed_td"})
        entry(name, QStringLiteral("1"));
    for (const char* name : {"ed_ti", "ed_ends1"})
        entry(name, QStringLiteral("100"));
    entry("ed_dser", QStringLiteral("60"));
    entry("ed_dead", QStringLiteral("2"));
    entry("ed_pass1", QString::number(Tmenu_mod::kPasswordDefault));
}

void Tload_form::reject() {
    if (loading_) {
        stop_ = true;
        return;
    }
    QDialog::reject();
}

void Tload_form::Timer1Timer() {
    Timer1.stop();
    vx52::runGuarded(ctx_.prompts, this, [this] { LoadParameters(); });
    // Closed even after a failure: the dialog has no button to leave it by.
    accept();
}

int Tload_form::IdentifyDevice() {
    auto& link = ctx_.link;
    typeRead_ = link.ReadDeviceType() != 0;
    if (typeRead_)
        ui_->lb_verze->setText(vx52::deviceText(link.type_text.data(), link.type_text.size()));
    ui_->bar_load->setValue(20);
    QApplication::processEvents();
    versionRead_ = link.ReadDeviceVersion() != 0;
    if (!versionRead_) return 0;
    const char* version = link.version_text.data();
    for (const auto& known : kFirmware)
        if (strnlen(version, kPrefixLength) == kPrefixLength &&
            std::memcmp(version, known.prefix, kPrefixLength) == 0)
            return known.result;
    return 0;
}

void Tload_form::AdvanceBar(int step) {
    ui_->bar_load->setValue(std::min(100, ui_->bar_load->value() + step));
}

// What answered the identification, as the editor names it when it asks before writing.
QString Tload_form::deviceFound(int result) {
    if (result != 0) return tr("zařízení typu QDX 01");
    auto& link = ctx_.link;
    if (typeRead_) return vx52::deviceText(link.type_text.data(), link.type_text.size());
    if (versionRead_)
        return tr("zařízení s verzí firmwaru %1")
            .arg(vx52::deviceText(link.version_text.data(), link.version_text.size()));
    // Another family answers the type request in a record of its own: maker, model, version.
    if (link.ReadForeignIdent()) {
        constexpr std::size_t kBlock = 32;
        QStringList texts;
        for (std::size_t block = 0; block < 3; ++block) {
            const auto* at = reinterpret_cast<const char*>(link.foreign_ident.data()) + block * kBlock;
            const QString text = vx52::deviceText(at, kBlock).trimmed();
            if (!text.isEmpty()) texts << text;
        }
        return tr("zařízení jiného typu (%1)").arg(texts.join(QLatin1Char(' ')));
    }
    return tr("žádné zařízení neodpovědělo");
}

void Tload_form::LoadParameters() {
    const int cards = editor_.pageControl()->count();
    const int result = IdentifyDevice();
    editor_.setIdentification(result, deviceFound(result));
    const QString caption = tr("Komunikace");
    if (result == 0) {
        ctx_.prompts.message(this, tr("Chyba při čtení nebo neznámé zařízení"), caption,
                             vx52::Prompts::Icon::Error);
        return;
    }
    if (result != kRegulatorServed) {
        ctx_.prompts.message(this, tr("Identifikováno zařízení typu QDX 01"), caption,
                             vx52::Prompts::Icon::Error);
        return;
    }
    // A failed read is neither repeated nor reported: the editor reads everything again.
    loading_ = true;
    stop_ = false;
    std::vector<int> left;
    for (int t = 0; t < cards; ++t) {
        QApplication::processEvents(); // a "Storno" or Esc stops before the next table
        if (stop_) {
            for (int rest = t; rest < cards; ++rest)
                left.push_back(rest);
            break;
        }
        AdvanceBar(10);
        if (ctx_.link.ReadTable(t)) editor_.tableRead(t);
        ctx_.pause.wait(10ms);
    }
    loading_ = false;
    if (!left.empty())
        ctx_.prompts.message(
            this, tr("Čtení parametrů zastaveno, nenačteny karty: %1").arg(editor_.cardNames(left)),
            caption, vx52::Prompts::Icon::Information);
}
