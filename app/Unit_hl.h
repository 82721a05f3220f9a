#pragma once
// The main window "VX-52": measured values, relays, trend chart, recording status and the
// menu that opens every dialog. It owns the settings store's entries DESKTOP, GRAF, ZAZNAM.
//
// Extending the window: each area declares its handlers in its own marked block below,
// defines them in its own file app/<area>.cpp together with a `void Tqdx01::connect<Area>()`
// that wires its controls through guard(), and adds that one call to the constructor's list.
// Controls are reached by name through `ui` (ui->pa_meas1, ui->Chart1, ui->mn_port ...);
// a test target reaches ui_Unit_hl.h by setting AUTOUIC_SEARCH_PATHS (see tests/app).

#include "app/chart_export.h"
#include "app/link_watch.h"
#include "app/notice_strip.h"
#include "app/periodic_write.h"
#include "app/record_buffer.h"
#include "link/param_set.h"
#include "publish/mqtt_publisher.h"
#include "ui/app_context.h"
#include "ui/guard.h"
#include "ui/prompts.h"
#include "ui/timer_pause.h"

#include <QColor>
#include <QDateTime>
#include <QMainWindow>

#include <cstdint>
#include <functional>
#include <utility>

class QLabel;
class QTimer;
class Tport;
class TAboutBox;
class Tabout_ident;
class Tmenu_mod;
class Trotace3D;
class Tform_zaznam;
class Tload_form;
class Tmonitor;
class Tmqtt;
class Tprehled;

namespace vx52 {
struct StationReading;
}

namespace Ui {
class Tqdx01;
}

class Tqdx01 : public QMainWindow {
    Q_OBJECT

public:
    explicit Tqdx01(vx52::AppContext& ctx, QWidget* parent = nullptr);
    ~Tqdx01() override;

    vx52::AppContext& ctx;
    Ui::Tqdx01* ui; // every control of the window, by its name
    QTimer* Timer1;  // 200 ms, running from creation

    // The designed place and size of the window (left, top, width, height).
    static constexpr int kDesignLeft = 192;
    static constexpr int kDesignTop = 107;
    static constexpr int kDesignWidth = 815;
    static constexpr int kDesignHeight = 574;

    // Fields, stored in section GRAF unless noted.
    std::int32_t point_limit = 200;
    bool view_3d = true;
    std::int32_t rotation_3d = 35;
    std::uint32_t pen_color1 = 0x000000FFu;
    std::uint32_t pen_color2 = 0x00008000u;
    std::uint32_t pen_color3 = 0x0000FFFFu;
    std::uint32_t pen_color4 = 0x00FF0000u;
    std::uint32_t wall_color = 0x8000000Fu;
    std::uint32_t panel_color = 0x8000000Fu;
    std::int32_t sample_ticks = 0; // not stored
    std::int32_t read_failures = 0; // not stored
    std::uint16_t last_second = 0; // not stored
    vx52::SettingsStore& settings;
    bool port_opened = false; // not stored

    // The other windows, created after this one by their owner; null until then.
    Tport* port = nullptr;
    TAboutBox* AboutBox = nullptr;
    Tabout_ident* about_ident = nullptr;
    Tmenu_mod* menu_mod = nullptr;
    Trotace3D* rotace3D = nullptr;
    Tform_zaznam* form_zaznam = nullptr;
    Tload_form* load_form = nullptr;
    Tmonitor* monitor = nullptr;
    Tprehled* prehled = nullptr;

    // Recording settings held in the status panels' tags: LIST, JEDNOTKY (1 or 60), SOUBOR.
    int recordList() const;
    int recordUnit() const;
    int fileMinutes() const;
    // Sets a tag and shows it in its panel ("s" / "min" for the unit).
    void setRecordList(int list);
    void setRecordUnit(int secondsPerUnit);
    void setFileMinutes(int minutes);

    // Wraps a handler for connect() through the failure display.
    template <typename F> auto guarded(F f) { return vx52::guard(ctx.prompts, this, std::move(f)); }
    // Runs work with Timer1 stopped and sets the timer back afterwards, also after a failure.
    template <typename F> void withTimerPaused(F&& work) {
        vx52::TimerPause pause(*Timer1);
        std::forward<F>(work)();
    }

    // ---- Start-up and closing (app/Unit_hl.cpp) ----
    void FormCreate();
    void FormClose();
    void mn_aboutClick();
    void mn_exitClick();
    void paintPenSwatches();
    // "&Konec" saves the recording ("&Uložit...") before closing; the recording area sets
    // this in its connect function. Closing by the close box does not run it. False keeps
    // the window open (the operator would rather not lose the lines not yet written).
    std::function<bool()> saveBeforeExit;

    // ---- Measurement cycle (app/measurement.cpp) ----
    // What one read gave. readingDone takes it whoever made the exchange, so that the window
    // goes on from the result alone.
    struct Reading {
        bool sample = false;  // a sample of automatic reading (a record line), else "Přečíst"
        QString openFailure;  // set: the line could not be opened, and nothing below holds
        bool good = false;
        vx52::ParamSet::Meas meas{};
        QDateTime at;
    };
    void tl_precistClick();
    void Timer1Timer();
    // `then` runs once the tick's sample, if any, has ended (also when it was skipped); a
    // queued sample waits behind the work handed over before it instead of being skipped.
    void RecordTick(std::function<void()> then = {}, bool queued = false);
    void check_autoClick();
    void ShowRelayOn(QLabel* panel);
    void ShowRelayOff(QLabel* panel);
    // One sample of automatic reading: a line that cannot be opened, or a regulator that
    // stops answering, is noticed once at the start of the outage, and the chosen line stays
    // chosen so that the next sample tries it again.
    void automaticRead(std::function<void()> then = {}, bool queued = false);
    // The read as a piece of work for the line worker; done gets its result on this thread.
    vx52::Piece readingPiece(bool sample, std::function<void(const Reading&)> done);
    vx52::Piece manualReadPiece(); // "Přečíst": its failures in a box
    void readingDone(const Reading& reading);
    // Runs unattended work: a failure goes to the notice strip, never to a box.
    void unattended(const std::function<void()>& work);
    bool noteOpenFailure(const QDateTime& at); // true when an outage begins with it
    void connectMeasurement();
    // Unattended work never opens a box: what it has to say goes to the notice strip.
    vx52::NoticeStrip* notices = nullptr;
    void noticeFailure(vx52::NoticeStrip::Kind kind, const QString& text);
    // The link as the reads find it; its state, counts and last good reading are shown in
    // the status bar panel pa_spojeni, its outages shaded on the chart.
    vx52::LinkWatch link_watch;
    void showLinkState();
    void showLinkPanel();       // the panel alone, with the skipped samples while shown
    QTimer* skip_shown = nullptr; // runs while the panel names skipped samples
    // Start-up with --read / --record FILE: automatic reading, and recording to the file with
    // periodic writes, without a question.
    void startUnattended(bool read, const QString& recordFile);

    // ---- Trend chart (app/chart.cpp) ----
    void AddChartPoints();
    void tl_barva_pera1Click();
    void tl_barva_pera2Click();
    void tl_barva_pera3Click();
    void tl_barva_pera4Click();
    void mn_barvaClick();
    void mn_export_obrazekClick(); // the chart as a PNG picture
    void mn_export_csvClick();     // the chart's shown points as CSV
    void mn_export_csv_vseClick(); // every point the chart keeps as CSV
    void connectChart();
    QColor ColorDialog1{Qt::white}; // the pen colour dialog opens with its last choice

    // ---- Recording (app/recording.cpp) ----
    // The recording file before one is chosen: "Záznam QDX72_4xxx.txt", its name in the
    // program's language, in the user's documents folder (the home folder when there is none).
    static QString defaultRecordFile();
    // Data lines appended since the buffer was last written.
    bool record_unsaved = false;
    void writeRecord(const QString& fileName);
    // The periodic write of the recording; a failed one is tried again every period.
    vx52::PeriodicWrite periodic_write;
    void fileWriteDone(const vx52::PeriodicWrite::Result& result);
    void showRecordFile(); // the file periodic writes go to, in the path panel
    void appendRecordHeader();
    vx52::RecordBuffer record; // the record buffer, header and data lines
    // SaveDialog1: its initialName is the file every write goes to.
    vx52::Prompts::FileDialog SaveDialog1;
    // A new recording: the header, a read and the first sample, then `then`.
    void NewRecord(std::function<void()> then = {});
    void startNewChart();
    void SaveTick();
    void AppendRecordLine(const QDateTime& at); // the data line of a sample read at `at`
    void mn_novyClick();
    void mn_ulozitClick();
    void mn_ulozitjakoClick();
    void check_zapisClick();
    void mn_rychlost_zaznamuClick();
    void connectRecording();

    // ---- Port dialog (app/port_menu.cpp) ----
    void mn_portClick();
    void connectPortMenu();
    // The line chosen in the port dialog's list (0 = "žádný port"), which every read opens.
    int selectedLine() const;

    // ---- Telegram monitor (app/monitor_menu.cpp) ----
    void mn_monitorClick();
    void connectMonitorMenu();

    // ---- Publishing to MQTT (app/mqtt_menu.cpp) ----
    Tmqtt* mqtt_dialog = nullptr;        // "Publikování MQTT"
    vx52::MqttPublisher* mqtt = nullptr; // while publishing is on
    void mn_mqttClick();
    void connectMqtt();
    // (Re)starts publishing as the settings store has it: after FormCreate, and after the
    // dialog's OK.
    void startPublishing();
    void showMqttState();
    void publishReading(const QDateTime& at, const vx52::ParamSet::Meas& meas); // a good one
    void publishLink();                       // the link's state, when it has one
    void publishStation(const vx52::StationReading& reading); // one of the overview's stations
    static QString mqttStateText(const vx52::MqttPublisher::Status& s);

    // ---- Bus overview (app/overview_menu.cpp) ----
    void mn_prehledClick();
    void connectOverviewMenu();

    // ---- Parameter editor and identification (app/param_menu.cpp) ----
    void mn_parametryClick();
    void mn_identClick();
    void withLineOpen(std::function<void(std::function<void()> over)> dialogs);
    void connectParamMenu();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectStartup();
    void readDesktop();
    void writeDesktop();
    void readChartSettings();
    void writeChartSettings();
    void readRecordSettings();
    void writeRecordSettings();
    void applyChartSettings();
    void exportChartPoints(ChartPoints which);
    void setMenuPictures();
};
