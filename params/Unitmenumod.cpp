#include "params/Unitmenumod.h"

#include "params/glyphs.h"
#include "ui/guard.h"
#include "ui/tag.h"
#include "ui_Unitmenumod.h"

#include <QComboBox>
#include <QLabel>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>

using vx52::guard;

Tmenu_mod::Tmenu_mod(vx52::AppContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx), ui_(new Ui::Tmenu_mod), model_(ctx.link.params()),
      worker_(&ctx.worker) {
    ui_->setupUi(this);
    connect(&model_, &vx52::EditorModel::cardSourceChanged, this, &Tmenu_mod::cardSourceChanged);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    // No list has an entry chosen before anything has been shown.
    for (auto* list : findChildren<QComboBox*>())
        list->setCurrentIndex(-1);
    const QString code = QString::number(kPasswordDefault);
    ui_->ed_pass1->setText(code);
    ui_->ed_pass2->setText(code);
    // All twelve tabs in one row, as the cards were laid out.
    ui_->PageControl->tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 3px 5px; border: 1px solid #a0a0a0; border-bottom: none;"
        " background: #e4e4e4; margin-right: -1px; border-top-left-radius: 2px;"
        " border-top-right-radius: 2px; }"
        "QTabBar::tab:selected { background: palette(window); }"
        "QTabBar::tab:!selected { margin-top: 2px; }"));
    for (int i = 0; i < ui_->PageControl->count(); ++i)
        vx52::setTag(ui_->PageControl->widget(i), i);

    ui_->tl_eeprom->setIcon(vx52::eepromGlyph());
    ui_->Otevt1->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    ui_->Uloit1->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));

    // The status line says how the last transfer ended; "Storno" stops a pass between tables.
    QWidget* client = ui_->tl_cancel->parentWidget();
    lb_stav_ = new QLabel(client);
    lb_stav_->setObjectName(QStringLiteral("lb_stav"));
    // Two lines between the cards and the buttons; what does not fit is cut after a whole name,
    // and the tool tip and a click on the line give it whole.
    lb_stav_->setGeometry(24, 370, 482, 29);
    lb_stav_->setWordWrap(true);
    lb_stav_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lb_stav_->installEventFilter(this);
    tl_storno_ = new QPushButton(tr("Storno"), client);
    tl_storno_->setObjectName(QStringLiteral("tl_storno"));
    tl_storno_->setToolTip(tr("Zastavení přenosu po právě přenášené kartě (Esc)"));
    // In the place of "Porovnat s regulátorem", which a pass disables.
    tl_storno_->setGeometry(352, 400, 145, 25);
    tl_storno_->setAutoDefault(false);
    tl_storno_->hide();
    connect(tl_storno_, &QPushButton::clicked, this, [this] { stopTransfer(); });

    selectCard(0);
    remember(0);
    watchEdits();

    auto& p = ctx_.prompts;
    connect(ui_->PageControl, &QTabWidget::currentChanged, this,
            guard(p, this, [this] { PageControlChange(); }));
    connect(ui_->tl_cteni, &QPushButton::clicked, this,
            guard(p, this, [this] { tl_cteniClick(); }));
    connect(ui_->tl_zapis, &QPushButton::clicked, this,
            guard(p, this, [this] { tl_zapisClick(); }));
    connect(ui_->tl_eeprom, &QPushButton::clicked, this,
            guard(p, this, [this] { tl_eepromClick(); }));
    connect(ui_->Button1, &QPushButton::clicked, this, guard(p, this, [this] { Button1Click(); }));
    connect(ui_->Button2, &QPushButton::clicked, this, guard(p, this, [this] { Button2Click(); }));
    connect(ui_->tl_pom, &QPushButton::clicked, this, guard(p, this, [this] { tl_pomClick(); }));
    connect(ui_->tl_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connectFileMenu();
    connectCompareMenu();
}

Tmenu_mod::~Tmenu_mod() {
    stopTransfer(); // what it would report has nowhere to go
    pass_.reset();
    delete ui_;
}

QTabWidget* Tmenu_mod::pageControl() const {
    return ui_->PageControl;
}

int Tmenu_mod::rememberedCard() const {
    return vx52::tagOf(ui_->PageControl);
}

void Tmenu_mod::remember(int card) {
    vx52::setTag(ui_->PageControl, card);
}

void Tmenu_mod::selectCard(int card) {
    const QSignalBlocker quiet(ui_->PageControl);
    ui_->PageControl->setCurrentIndex(card);
}

void Tmenu_mod::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) vx52::runGuarded(ctx_.prompts, this, [this] { FormShow(); });
}

void Tmenu_mod::hideEvent(QHideEvent* event) {
    stopTransfer();
    QDialog::hideEvent(event);
}

void Tmenu_mod::FormShow() {
    selectCard(0);
    ReadAllCards();
    ShowCard(0);
    remember(0);
}

void Tmenu_mod::PageControlChange() {
    const int left = rememberedCard();
    const int card = ui_->PageControl->currentIndex();
    // The card left is checked on screen: a refused entry is shown, focused, on its own card.
    selectCard(left);
    if (TakeCard(left) != 0) {
        turnBackTo(left);
        return;
    }
    selectCard(card);
    ShowCard(card);
    remember(card);
}

void Tmenu_mod::turnBackTo(int card) {
    selectCard(card);
    remember(card);
    if (last_bad_entry_) last_bad_entry_->setFocus();
}

vx52::CardSource Tmenu_mod::cardSource(int card) const {
    return model_.cardSource(card);
}

void Tmenu_mod::forgetSources() {
    model_.forget();
}

QString Tmenu_mod::cardNames(const std::vector<int>& cards) const {
    QStringList names;
    for (int card : cards)
        names << ui_->PageControl->tabText(card);
    return names.join(QStringLiteral(", "));
}

void Tmenu_mod::setIdentification(int result, const QString& device) {
    identification_ = result;
    device_ = device;
}

bool Tmenu_mod::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lb_stav_ && event->type() == QEvent::MouseButtonRelease &&
        lb_stav_->text() != lb_stav_->toolTip())
        ctx_.prompts.message(this, lb_stav_->toolTip(), tr("Stav"),
                             vx52::Prompts::Icon::Information);
    return QDialog::eventFilter(watched, event);
}

void Tmenu_mod::tl_pomClick() {
    for (int card = 0; card < kCardCount; ++card)
        ShowCard(card);
}
