#include "app/dialogs/Rychlostzaznamu.h"

#include "ui/guard.h"
#include "ui_Rychlostzaznamu.h"

#include <QKeyEvent>
#include <QTabBar>

using vx52::Prompts;

Tform_zaznam::Tform_zaznam(vx52::AppContext& context, QWidget* parent)
    : QDialog(parent), ctx(context), ui(std::make_unique<Ui::Tform_zaznam>()) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("form_zaznam"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(240, 236);
    fitPageCaptions();

    // Enter in an edit checks that edit only; the dialog must not take it as a click on OK.
    ui->ed_sample->installEventFilter(this);
    ui->ed_soubor->installEventFilter(this);
    ui->tl_ok->setDefault(false);

    connect(ui->tl_ok, &QPushButton::clicked, this,
            vx52::guard(ctx.prompts, this, [this] { tl_okClick(); }));
    connect(ui->tl_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

Tform_zaznam::~Tform_zaznam() = default;

// The page captions were laid out for a narrow 8-point face; with a wider one the two tabs
// would not fit side by side and would need scroll arrows, so their font gives way a little.
void Tform_zaznam::fitPageCaptions() {
    QTabBar* tabs = ui->PageControl1->tabBar();
    QFont font = tabs->font();
    while (tabs->sizeHint().width() > ui->PageControl1->width() && font.pointSizeF() > 6.0) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        tabs->setFont(font);
    }
}

QLineEdit* Tform_zaznam::ed_sample() const {
    return ui->ed_sample;
}
QLineEdit* Tform_zaznam::ed_soubor() const {
    return ui->ed_soubor;
}
QRadioButton* Tform_zaznam::rb_sec() const {
    return ui->rb_sec;
}
QRadioButton* Tform_zaznam::rb_min() const {
    return ui->rb_min;
}
QTabWidget* Tform_zaznam::PageControl1() const {
    return ui->PageControl1;
}
QPushButton* Tform_zaznam::tl_ok() const {
    return ui->tl_ok;
}

int Tform_zaznam::CheckInteger(QLineEdit* edit) {
    bool ok = false;
    edit->text().toInt(&ok, 10);
    if (ok) return 0;
    ctx.prompts.message(this, tr("Je nutné zadávat pouze číslice"), tr("CHYBA"),
                        Prompts::Icon::Warning, Prompts::Buttons::Ok);
    edit->setText(QStringLiteral("1"));
    edit->setFocus();
    return -1;
}

int Tform_zaznam::CheckRange(int lower, int upper, QLineEdit* edit) {
    bool ok = false;
    const int v = edit->text().toInt(&ok, 10);
    if (ok && lower <= v && v <= upper) return 0;
    ctx.prompts.message(
        this, tr("Je nutné zadávat pouze čísla v rozsahu %1 až %2\n").arg(lower).arg(upper),
        tr("EDIT"), Prompts::Icon::Error, Prompts::Buttons::Ok);
    return -1;
}

void Tform_zaznam::enterInEdit(QLineEdit* edit, int lower, int upper) {
    if (CheckInteger(edit) != 0) return;
    if (CheckRange(lower, upper, edit) != 0) {
        edit->setFocus();
        return;
    }
    ui->tl_ok->setFocus();
}

void Tform_zaznam::ed_sampleKeyPress(char16_t key) {
    if (key == 13) enterInEdit(ui->ed_sample, kSampleMin, kSampleMax);
}

void Tform_zaznam::ed_souborKeyPress(char16_t key) {
    if (key == 13) enterInEdit(ui->ed_soubor, kSouborMin, kSouborMax);
}

void Tform_zaznam::tl_okClick() {
    // Each entry runs both checks, so the operator sees every message that applies.
    const int sampleInteger = CheckInteger(ui->ed_sample);
    const int sampleRange = CheckRange(kSampleMin, kSampleMax, ui->ed_sample);
    const bool sampleBad = sampleInteger != 0 || sampleRange != 0;
    if (sampleBad) {
        ui->PageControl1->setCurrentWidget(ui->TabSheet1);
        ui->ed_sample->setFocus();
    }
    const int souborInteger = CheckInteger(ui->ed_soubor);
    const int souborRange = CheckRange(kSouborMin, kSouborMax, ui->ed_soubor);
    const bool souborBad = souborInteger != 0 || souborRange != 0;
    if (souborBad) {
        ui->PageControl1->setCurrentWidget(ui->TabSheet2);
        ui->ed_soubor->setFocus();
    }
    if (sampleBad || souborBad) return;
    unit_result = ui->rb_min->isChecked() ? 60 : 1;
    accept();
}

bool Tform_zaznam::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            vx52::runGuarded(ctx.prompts, this, [&] {
                if (watched == ui->ed_sample) ed_sampleKeyPress(13);
                if (watched == ui->ed_soubor) ed_souborKeyPress(13);
            });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
