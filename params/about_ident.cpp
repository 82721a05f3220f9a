#include "params/about_ident.h"

#include "bus/table_passes.h"
#include "link/failure.h"
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
#include <memory>

namespace {

constexpr std::size_t kBlock = 32;
// The sentence without a trailing blank: 63 characters.
const char kForeignDevice[] = QT_TRANSLATE_NOOP(
    "Tabout_ident", "Identifikováno zařízení pro které je nutné použít jiný software");

} // namespace

Tabout_ident::Tabout_ident(vx52::AppContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx), ui_(new Ui::Tabout_ident), worker_(&ctx.worker) {
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
    if (piece_ != 0 && worker_) worker_->cancel(piece_);
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

// One piece on the line worker: type, version and, when neither answered, another family's
// record; the labels and the message follow when it is over.
void Tabout_ident::ShowIdentification() {
    struct Found {
        vx52::Identification ident;
        bool foreign = false;
        std::array<std::uint8_t, 255> record{};
    };
    auto found = std::make_shared<Found>();
    vx52::Piece piece;
    piece.name = QStringLiteral("Identifikace");
    piece.run = [found](vx52::Session& s) {
        found->ident = vx52::identify(s);
        if (found->ident.typeRead || found->ident.versionRead) return;
        found->foreign = s.exchange(&vx52::Link::ReadForeignIdent) == 1;
        if (found->foreign) found->record = s.link().foreign_ident;
    };
    piece.finished = [dialog = QPointer<Tabout_ident>(this), found](const vx52::PieceEnd& end) {
        if (!dialog) return; // the dialog is gone: nothing to show
        dialog->piece_ = 0;
        vx52::runGuarded(dialog->ctx_.prompts, dialog, [&] {
            if (end.failed()) throw vx52::Failure(end.failure.toStdString());
            if (end.cancelled()) return;
            const auto& ident = found->ident;
            if (ident.typeRead)
                dialog->ui_->lb_zarizeni->setText(
                    vx52::deviceText(ident.type.data(), ident.type.size()));
            if (ident.versionRead)
                dialog->ui_->lb_verze->setText(
                    vx52::deviceText(ident.version.data(), ident.version.size()));
            if (found->foreign) dialog->showForeignDevice(found->record);
        });
    };
    piece_ = ctx_.worker.submit(std::move(piece));
}

void Tabout_ident::done(int result) {
    // Closed before the identification began, it never begins; while it runs, it stops
    // before its next exchange.
    Timer1.stop();
    if (piece_ != 0 && worker_) worker_->cancel(piece_);
    QDialog::done(result);
}

// The message: the sentence, then the record's three 32-byte blocks, each after a CR; it
// ends at its first zero byte.
void Tabout_ident::showForeignDevice(const std::array<std::uint8_t, 255>& record) {
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
