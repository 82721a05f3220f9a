#pragma once
// The loading dialog shown before every opening of the parameter editor: identifies the
// device by its firmware version text and, for the regulator served, reads every table.

#include "ui/app_context.h"

#include <QDialog>
#include <QPointer>
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

    // Adds step to the progress bar, never beyond 100.
    void AdvanceBar(int step);
    // Hands the identification and the tables to the line worker as one piece; the dialog
    // closes when it is over.
    void LoadParameters();

    void FormShow();
    void Timer1Timer();

    QTimer* timer() { return &Timer1; }

public slots:
    // Esc stops a running load before its next exchange instead of closing.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setEditorDefaults();
    void stopLoad();
    // The load is over: the editor learns what answered, and the operator what went wrong.
    struct Loaded;
    void loadOver(const vx52::PieceEnd& end, const Loaded& loaded, int cards);
    static QString deviceFound(const Loaded& loaded);

    vx52::AppContext& ctx_;
    Tmenu_mod& editor_;
    Ui::Tload_form* ui_;
    QTimer Timer1;
    QPushButton* tl_storno_ = nullptr;
    QPointer<vx52::LineWorker> worker_;
    vx52::LineWorker::Id piece_ = 0; // the load on the line worker, while it runs
};
