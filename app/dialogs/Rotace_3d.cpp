#include "app/dialogs/Rotace_3d.h"

#include "app/trend_chart.h"
#include "ui/color_value.h"
#include "ui/guard.h"
#include "ui_Rotace_3d.h"

#include <QKeyEvent>

namespace {
constexpr int kLowestLimit = 10;
constexpr int kHighestLimit = 100000;
} // namespace

Trotace3D::Trotace3D(vx52::AppContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx), ui_(std::make_unique<Ui::Trotace3D>()) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    setFixedSize(192, 230);

    auto& prompts = ctx_.prompts;
    connect(ui_->check_3D, &QCheckBox::toggled, this,
            vx52::guard(prompts, this, [this] { check_3DClick(); }));
    connect(ui_->bar_3D, &QScrollBar::valueChanged, this,
            vx52::guard(prompts, this, [this] { bar_3DChange(); }));
    connect(ui_->tl_barva_mriz, &QPushButton::clicked, this,
            vx52::guard(prompts, this, [this] { tl_barva_mrizClick(); }));
    connect(ui_->tl_barva_okraj, &QPushButton::clicked, this,
            vx52::guard(prompts, this, [this] { tl_barva_okrajClick(); }));
    connect(ui_->tl_ok, &QPushButton::clicked, this,
            vx52::guard(prompts, this, [this] { tl_okClick(); }));
    connect(ui_->tl_cancel, &QPushButton::clicked, this, &QDialog::reject);
    ui_->ed_poc_mer->installEventFilter(this);
}

Trotace3D::~Trotace3D() = default;

void Trotace3D::preset(bool view3d, std::uint32_t wallColor, std::uint32_t panelColor, int depth,
                       int pointLimit) {
    ui_->check_3D->setChecked(view3d);
    paintSwatch(ui_->pa_barva_mriz, wallColor);
    paintSwatch(ui_->pa_barva_okraj, panelColor);
    ui_->bar_3D->setValue(depth);
    ui_->ed_poc_mer->setText(QString::number(pointLimit));
}

int Trotace3D::pointLimit() const {
    return ui_->ed_poc_mer->text().trimmed().toInt();
}

int Trotace3D::CheckInteger(QLineEdit* edit) {
    bool ok = false;
    edit->text().trimmed().toInt(&ok);
    if (ok) return 0;
    ctx_.prompts.message(this, tr("Chyba při zadání číselného textu"), tr("CHYBA"),
                         vx52::Prompts::Icon::Warning);
    edit->setText(QStringLiteral("0"));
    edit->setFocus();
    return -1;
}

int Trotace3D::CheckRange(int lower, int upper, QLineEdit* edit) {
    const int v = edit->text().trimmed().toInt();
    if (lower <= v && v <= upper) return 0;
    // The text is fixed: it names the window length's bounds whatever the caller passes.
    ctx_.prompts.message(nullptr, tr("Je nutné zadávat pouze čísla v rozsahu 10 až 100000"),
                         tr("EDIT"), vx52::Prompts::Icon::Error);
    return -1;
}

void Trotace3D::check_3DClick() {
    if (chart_) chart_->setView3D(ui_->check_3D->isChecked());
}

void Trotace3D::bar_3DChange() {
    if (chart_) chart_->setDepth3D(ui_->bar_3D->value());
}

void Trotace3D::tl_barva_mrizClick() {
    if (auto color = chooseColor()) {
        if (chart_) chart_->setBackWallColor(*color);
        paintSwatch(ui_->pa_barva_mriz, *color);
    }
}

void Trotace3D::tl_barva_okrajClick() {
    if (auto color = chooseColor()) {
        if (chart_) chart_->setPanelColor(*color);
        paintSwatch(ui_->pa_barva_okraj, *color);
    }
}

void Trotace3D::ed_poc_merKeyPress(int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
    if (CheckInteger(ui_->ed_poc_mer) != 0) return;
    if (CheckRange(kLowestLimit, kHighestLimit, ui_->ed_poc_mer) != 0)
        ui_->ed_poc_mer->setFocus();
    else
        ui_->tl_ok->setFocus();
}

void Trotace3D::tl_okClick() {
    if (CheckInteger(ui_->ed_poc_mer) != 0) return;
    if (CheckRange(kLowestLimit, kHighestLimit, ui_->ed_poc_mer) != 0) {
        ui_->ed_poc_mer->setFocus();
        return;
    }
    accept();
}

bool Trotace3D::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->ed_poc_mer && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            vx52::runGuarded(ctx_.prompts, this, [this, key] { ed_poc_merKeyPress(key); });
            return true; // Enter checks the entry; it does not press a default button
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Trotace3D::paintSwatch(QWidget* swatch, std::uint32_t color) {
    QPalette pal = swatch->palette();
    pal.setColor(QPalette::Window, vx52::colorFromValue(color));
    swatch->setPalette(pal);
}

std::optional<std::uint32_t> Trotace3D::chooseColor() {
    const auto chosen = ctx_.prompts.chooseColor(this, last_color_);
    if (!chosen) return std::nullopt;
    last_color_ = *chosen;
    return vx52::valueFromColor(*chosen);
}
