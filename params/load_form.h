#pragma once
// The loading dialog shown before every opening of the parameter editor: identifies the
// device by its firmware version text and, for the regulator served, reads every table.

#include "ui/app_context.h"

#include <QDialog>
#include <QTimer>

class QPushButton;
class Tmenu_mod;

namespace Ui {
class Tload_form;
}

class Tload_form : public QDialog {
    Q_OBJECT

public:
    Tload_form(vx52::AppContext& ctx, Tmenu_mod& editor, QWidget* parent = nullptr);
    ~Tload_form() override;

    // 4 the regulator served, 1..3 a device of type QDX 01, 0 anything else or no answer.
    int IdentifyDevice();
    // Adds step to the progress bar, never beyond 100.
    void AdvanceBar(int step);
    void LoadParameters();

    void FormShow();
    void Timer1Timer();

    QTimer* timer() { return &Timer1; }

public slots:
    // Esc stops a running load before its next table instead of closing.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setEditorDefaults();
    QString deviceFound(int result);

    vx52::AppContext& ctx_;
    Tmenu_mod& editor_;
    Ui::Tload_form* ui_;
    QTimer Timer1;
    QPushButton* tl_storno_ = nullptr;
    bool typeRead_ = false;    // the last identification read a type text
    bool versionRead_ = false; // and a version text
    bool loading_ = false;
    bool stop_ = false;
};
