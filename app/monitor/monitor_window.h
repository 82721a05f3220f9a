#pragma once
// "Monitor komunikace": every telegram of the link as one row, newest at the bottom, with
// the selected row's fields below, filters, pause, clear, counters and "Uložit…". Not modal;
// closing it only hides it, the store goes on collecting. Its place, size and column widths
// are kept in the settings store (section MONITOR).

#include "app/monitor/telegram_model.h"
#include "ui/app_context.h"

#include <QWidget>

class QTimer;

namespace Ui {
class Tmonitor;
}

class Tmonitor : public QWidget {
    Q_OBJECT

public:
    Tmonitor(vx52::AppContext& ctx, vx52::TelegramStore& store, QWidget* parent = nullptr);
    ~Tmonitor() override;

    Ui::Tmonitor* ui;
    vx52::TelegramModel* model;
    bool following() const { return following_; }

    // Takes the store's news into the list now (a timer does it shortly after each telegram).
    void SyncTimer();
    void cb_filterChange();
    void tl_pozastavitClick();
    void tl_vymazatClick();
    void tl_ulozitClick();
    void ShowSelected();
    void ShowCounters();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void readSettings();
    void writeSettings();

    vx52::AppContext& ctx_;
    vx52::TelegramStore& store_;
    QTimer* syncTimer_;
    bool placed_ = false; // geometry taken from the store at the first showing
    bool following_ = true; // the list shows the newest row
};
