#include "params/about_ident.h"

#include "params/device_text.h"
#include "ui/guard.h"
#include "ui_about_ident.h"

#include <QFile>
#include <QIcon>
#include <QScreen>
#include <QShowEvent>
#include <QStringEncoder>

#include <array>
#include <cstring>

namespace {

constexpr std::size_t kBlock = 32;
// The sentence without a trailing blank: 63 characters.
const char kForeignDevice[] = QT_TRANSLATE_NOOP(
    "Tabout_ident", "Identifikováno zařízení pro které je nutné použít jiný software");

} // namespace

Tabout_ident::Tabout_ident(vx52::AppContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx), ui_(new Ui::Tabout_ident) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // The program's picture comes with the program's resources, when they are linked in.
    const QString picture = QStringLiteral(":/icons/vx52.svg");
    if (QFile::exists(picture)) ui_->ProgramIcon->setPixmap(QIcon(picture).pixmap(QSize(81, 81)));

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(ui_->OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

Tabout_ident::~Tabout_ident() {
    delete ui_;
}

void Tabout_ident::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (const QScreen* where = screen()) // centred on the screen, not over the main window
        move(where->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    vx52::runGuarded(ctx_.prompts, this, [this] { FormShow(); });
}

// The labels are not reset: they keep what the last identification put there.
void Tabout_ident::FormShow() {
    Timer1.start();
}

void Tabout_ident::Timer1Timer() {
    Timer1.stop();
    vx52::runGuarded(ctx_.prompts, this, [this] { ShowIdentification(); });
}

void Tabout_ident::ShowIdentification() {
    auto& link = ctx_.link;
    const bool type = link.ReadDeviceType();
    if (type)
        ui_->lb_zarizeni->setText(vx52::deviceText(link.type_text.data(), link.type_text.size()));
    const bool version = link.ReadDeviceVersion();
    if (version)
        ui_->lb_verze->setText(
            vx52::deviceText(link.version_text.data(), link.version_text.size()));
    if (!type && !version && link.ReadForeignIdent()) showForeignDevice();
}

// The message: the sentence, then the record's three 32-byte blocks, each after a CR; it
// ends at its first zero byte.
void Tabout_ident::showForeignDevice() {
    const auto& record = ctx_.link.foreign_ident;
    const QByteArray sentence = QStringEncoder("windows-1250")(tr(kForeignDevice));
    std::array<char, 512> message{};
    std::size_t at = 0;
    std::memcpy(message.data(), sentence.constData(), static_cast<std::size_t>(sentence.size()));
    at += static_cast<std::size_t>(sentence.size());
    for (std::size_t block = 0; block < 3; ++block) {
        message[at++] = '\r';
        std::memcpy(message.data() + at, record.data() + block * kBlock, kBlock);
        at += kBlock;
    }
    ui_->lb_zarizeni->setText(tr("jiné zařízení"));
    ui_->lb_verze->setText(
        vx52::deviceText(reinterpret_cast<const char*>(record.data()) + 2 * kBlock, kBlock));
    // The carriage returns break the lines of the box, as the operator is meant to see them.
    QString text = vx52::deviceText(message.data(), message.size());
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    ctx_.prompts.message(this, text, QStringLiteral("ERROR"), vx52::Prompts::Icon::Warning);
}
