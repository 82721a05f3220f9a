#pragma once
// The port dialog "Komunikační port": chooses the serial line, its speed, the regulator's and
// the PC's bus addresses, and searches the bus for answering stations. It keeps the four
// settings for the whole run; every change takes effect at once and Storno can undo the
// changes made since the dialog was shown.

#include "link/port/com_ports.h"
#include "ui/app_context.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <vector>

class Tzarizeni;

namespace Ui {
class Tport;
}

class Tport : public QDialog {
    Q_OBJECT

public:
    explicit Tport(vx52::AppContext& ctx, QWidget* parent = nullptr);
    ~Tport() override;

    // The main window's flag "the dialog has opened the line during this showing"; without it
    // the dialog uses a flag of its own.
    void setPortOpenedFlag(bool* flag);

    vx52::ComLine& line() { return ctx_.line; }
    // The line number the main window opens: the selected entry of cb_com.
    int selectedCom() const;

    int baudrate() const { return ctx_.line.baudRate(); }
    int com_number() const { return ctx_.line.comNumber(); }
    int device_addr() const { return device_addr_; }
    int host_addr() const { return host_addr_; }
    int search_addr() const { return search_addr_; }
    bool searching() const;

    void SnapshotSettings();
    bool SettingsChanged() const;

    // Event handlers; the controls call them through guard().
    void FormCreate();
    void FormShow();
    void FormClose();
    void cb_comChange();
    void cb_baudrateChange();
    void cb_daChange();
    void cb_saChange();
    void tl_cancelClick();
    void tl_najitClick();
    void tl_prerusitClick();
    void tl_zarizeniClick();
    // The addresses the last search found (so far, while it runs), ascending.
    std::vector<std::uint8_t> foundAddresses() const;
    // Makes the station the regulator's address, as choosing it in cb_da does, and stores it
    // at once, as closing the dialog would. False while a search runs (it moves the address).
    bool takeStation(int address);
    // A double click or Enter on a found address takes it as the regulator's address.
    void str_tabDblClick(int row, int column);
    void str_tabKeyPress(int key);

    // The adapter list that "Zařízení…" shows.
    Tzarizeni* zarizeni() const { return zarizeni_; }
    bool fastSearch() const;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    void done(int result) override;

private:
    void connectControls();
    void fillSpeeds();
    void selectSpeed(int baud);
    void selectNoPort();
    void setSearchControls(bool searching);
    void enableControls();
    void takeLinkSettings();
    void applyLineSettings();
    // The search's progress: the address being probed, then the stations that answered.
    void showProbing(int address);
    void showProbed(int address, const std::vector<std::uint8_t>& answered);
    // Hands the line worker a piece; its failure is shown, then `then` runs.
    vx52::LineWorker::Id onLine(const QString& name, std::function<void(vx52::Session&)> run,
                                std::function<void()> then = {});
    void stopSearch();
    void describeComEntries();
    vx52::ComPorts comPorts() const;
    bool takeFoundAddress(int row, int column);

    vx52::AppContext& ctx_;
    Ui::Tport* ui;
    Tzarizeni* zarizeni_;
    bool own_port_opened_ = false;
    bool* port_opened_ = &own_port_opened_;

    int device_addr_ = 0;
    int host_addr_ = 0;
    int search_addr_ = 0;
    int saved_baudrate_ = 0;
    int saved_device_addr_ = 0;
    int saved_host_addr_ = 0;
    int saved_com_number_ = 0;
    vx52::LineWorker::Id search_piece_ = 0; // the search on the line worker, while it runs
    int search_round_ = 0;                  // reports of an earlier round are dropped
    bool searching_controls_ = false;
};
