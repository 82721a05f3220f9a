#pragma once
// "Přehled sběrnice": every station of the bus at a glance. The stations come from the last
// address search or are typed ("1, 5, 17-20") and are kept in the settings (section PREHLED).
// Each row shows the station's address, its type, the state of its link with the time of its
// last good reading, its four values and relays as the main window shows them, and a trend of
// the last minutes. The stations are polled in rounds through the line worker; a double click
// or Enter makes a station the station of the main window and the editor. The readings can be
// recorded, all stations in one CSV file. Not modal; closing it stops polling and writes what
// the recording still keeps.

#include "app/overview/overview_record.h"
#include "app/overview/station_board.h"
#include "app/periodic_write.h"
#include "ui/app_context.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

class QTimer;

namespace Ui {
class Tprehled;
}

namespace vx52 {
class BusPoller;
class StationModel;
} // namespace vx52

class Tprehled : public QWidget {
    Q_OBJECT

public:
    struct Hooks {
        // The stations the last address search found (empty when none or no search).
        std::function<std::vector<std::uint8_t>()> lastSearch;
        // Makes the station the one the main window reads and the editor works on.
        // False when it cannot be done now (an address search is running).
        std::function<bool(std::uint8_t)> takeStation;
    };

    Tprehled(vx52::AppContext& ctx, vx52::BusPoller& poller, Hooks hooks,
             QWidget* parent = nullptr);
    ~Tprehled() override;

    Ui::Tprehled* ui;
    vx52::StationModel* model;
    const vx52::StationBoard& board() const { return board_; }
    const vx52::OverviewRecord& record() const { return record_; }

    // The period choices of cb_perioda, in milliseconds; 0: as fast as the line allows.
    static const std::vector<int>& periods();

    void tl_pouzitClick();
    void tl_z_hledaniClick();
    void tl_spustitClick();
    void tl_zastavitClick();
    void cb_periodaChange();
    void check_zapisClick();
    void tl_souborClick();
    void tab_staniceDblClick(const QModelIndex& index);
    void WriteTimer(); // once a second while recording

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void readSettings();
    void writeSettings();
    bool applyStations(const QString& text);
    void showReading(const vx52::StationReading& reading);
    void showRound();
    void showPolling(bool running);
    void writeDone(const vx52::PeriodicWrite::Result& result);
    void stopRecording();

    vx52::AppContext& ctx_;
    vx52::BusPoller& poller_;
    Hooks hooks_;
    vx52::StationBoard board_;
    vx52::OverviewRecord record_;
    vx52::PeriodicWrite periodic_;
    QTimer* writeTimer_;
    QString lineFailure_; // why the last round could not open the line; empty after a round
    bool placed_ = false;
};
