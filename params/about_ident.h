#pragma once
// The identification dialog: shows the device's type and version texts one second after it
// appeared, or the identification record of a device that needs other software.

#include "ui/app_context.h"

#include <QDialog>
#include <QTimer>

namespace Ui {
class Tabout_ident;
}

class Tabout_ident : public QDialog {
    Q_OBJECT

public:
    explicit Tabout_ident(vx52::AppContext& ctx, QWidget* parent = nullptr);
    ~Tabout_ident() override;

    void ShowIdentification();

    void FormShow();
    void Timer1Timer();

    QTimer* timer() { return &Timer1; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showForeignDevice();

    vx52::AppContext& ctx_;
    Ui::Tabout_ident* ui_;
    QTimer Timer1;
};
