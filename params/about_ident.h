#pragma once
// The identification dialog: shows the device's type and version texts one second after it
// appeared, or the identification record of a device that needs other software.

#include "ui/app_context.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <array>
#include <cstdint>

namespace Ui {
class Tabout_ident;
}

class Tabout_ident : public QDialog {
    Q_OBJECT

public:
    explicit Tabout_ident(vx52::AppContext& ctx, QWidget* parent = nullptr);
    ~Tabout_ident() override;

    // Hands the identification to the line worker; the labels follow when it is over.
    void ShowIdentification();

    void FormShow();
    void Timer1Timer();

    QTimer* timer() { return &Timer1; }

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showForeignDevice(const std::array<std::uint8_t, 255>& record);

    vx52::AppContext& ctx_;
    Ui::Tabout_ident* ui_;
    QTimer Timer1;
    QPointer<vx52::LineWorker> worker_;
    vx52::LineWorker::Id piece_ = 0; // the identification on the line worker, while it runs
};
