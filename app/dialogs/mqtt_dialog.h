#pragma once
// "Publikování MQTT" (menu Nastavení): whether the readings go to an MQTT broker, which one,
// under which topic prefix, with which login and whether encrypted. Each showing starts from
// the settings store; OK checks the entries and stores them, Storno leaves the store alone.

#include "ui/app_context.h"

#include <QDialog>

namespace Ui {
class Tmqtt;
}

class Tmqtt : public QDialog {
    Q_OBJECT

public:
    explicit Tmqtt(vx52::AppContext& ctx, QWidget* parent = nullptr);
    ~Tmqtt() override;

    Ui::Tmqtt* ui;

    // The caption of its messages, as of the menu entry.
    static QString caption() { return tr("Publikování MQTT"); }

    void FormShow();
    void tl_okClick();
    void tl_caClick();
    void check_tlsClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool refuse(const QString& text, QWidget* entry);

    vx52::AppContext& ctx;
};
