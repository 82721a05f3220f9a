#include "app/dialogs/about_box.h"

#include "ui/guard.h"
#include "ui_about_box.h"
#include "version_record.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>

vx52::VersionRecord TAboutBox::programVersionRecord() {
#ifdef Q_OS_WIN
    return vx52::VersionRecord::ofFile(QCoreApplication::applicationFilePath());
#else
    return vx52::VersionRecord(QByteArray(kProgramVersionRecord));
#endif
}

TAboutBox::TAboutBox(vx52::AppContext& ctx, QWidget* parent, vx52::VersionRecord record)
    : QDialog(parent), ui(new Ui::TAboutBox), ctx_(ctx), record_(std::move(record)) {
    ui->setupUi(this);
    // Dialog border with the system menu as the only border icon.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(324, 289);
    ui->Panel1Inner->lower();
    ui->ProgramIcon->setPixmap(QIcon(QStringLiteral(":/icons/vx52.svg")).pixmap(QSize(81, 73) * 2));
    connect(ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
    vx52::runGuarded(ctx_.prompts, this, [this] { FormCreate(); });
}

TAboutBox::~TAboutBox() { delete ui; }

// Nothing is ever reported: no record, or none for Czech in code page 1250, leaves the label empty.
void TAboutBox::FormCreate() {
    ui->Label5->clear();
    if (record_.size() == 0) return;
    if (const auto version = record_.query(vx52::kFileVersionQuery))
        ui->Label5->setText(tr("Verze %1").arg(*version));
}

// Centred on the screen at every showing.
void TAboutBox::showEvent(QShowEvent* event) {
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}
