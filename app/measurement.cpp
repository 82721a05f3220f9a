// The main window's measurement cycle: the read, the 200 ms timer counting second ticks,
// the automatic sample, "Automatické čtení" and the relay panels.

#include "app/Unit_hl.h"

#include "app/trend_chart.h"
#include "ui/color_value.h"
#include "ui/regional.h"
#include "ui/value_text.h"
#include "ui_Unit_hl.h"

#include <QTimer>

#include <exception>
#include <utility>

namespace {

constexpr int kFailuresKeepingValues = 6; // failed reads in a row that still show the last values

// Closes the line when the read ends, also when it ends by a failure.
class LineCloser {
public:
    explicit LineCloser(vx52::ComLine& line) : line_(line) {}
    ~LineCloser() { line_.CloseLine(); }
    LineCloser(const LineCloser&) = delete;
    LineCloser& operator=(const LineCloser&) = delete;

private:
    vx52::ComLine& line_;
};

void paintPanel(QLabel* panel, std::uint32_t colour) {
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, vx52::colorFromValue(colour));
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
}

} // namespace

void Tqdx01::connectMeasurement() {
    // Handlers that start reads catch whatever escapes them (a lost line, a conversion, memory
    // after a very long recording), show it and let the program go on.
    const auto readGuarded = [this](auto handler) {
        return [this, handler] {
            try {
                (this->*handler)();
            } catch (const vx52::Failure& failure) {
                showCycleFailure(QString::fromStdString(failure.text()));
            } catch (const std::exception& error) {
                showCycleFailure(QString::fromUtf8(error.what()));
            } catch (...) {
                showCycleFailure(QStringLiteral("Neočekávaná chyba"));
            }
        };
    };
    connect(ui->tl_precist, &QPushButton::clicked, this, readGuarded(&Tqdx01::tl_precistClick));
    connect(ui->check_auto, &QCheckBox::clicked, this, readGuarded(&Tqdx01::check_autoClick));
    connect(Timer1, &QTimer::timeout, this, readGuarded(&Tqdx01::Timer1Timer));
}

void Tqdx01::showCycleFailure(const QString& text) {
    if (failure_box_open) return; // the box already open speaks for it
    failure_box_open = true;
    vx52::showFailure(ctx.prompts, this, text);
    failure_box_open = false;
}

void Tqdx01::showLinkState() { ui->pa_spojeni->setText(link_watch.panelText()); }

bool Tqdx01::noteOpenFailure() {
    const QDateTime at = ctx.clock.now();
    const bool begins = link_watch.openFailed(at);
    ui->Chart1->gaps().begin(TrendChart::toChartTime(at));
    showLinkState();
    return begins;
}

void Tqdx01::tl_precistClick() {
    try {
        ctx.line.OpenLine(selectedLine()); // a failure here leaves everything as it was
    } catch (const vx52::Failure&) {
        noteOpenFailure();
        throw;
    }
    takeReading(false);
}

bool Tqdx01::automaticRead() {
    try {
        vx52::KeepLineChoice keep(ctx.line);
        ctx.line.OpenLine(selectedLine());
    } catch (const vx52::Failure& failure) {
        if (noteOpenFailure())
            pending_outage = vx52::failureText(QString::fromStdString(failure.text())) +
                             QStringLiteral(" Automatické čtení to dál zkouší a samo pokračuje, "
                                            "až se port otevře a regulátor odpoví");
        return false;
    }
    takeReading(true);
    return true;
}

void Tqdx01::takeReading(bool automatic) {
    bool good = false;
    {
        LineCloser closer(ctx.line);
        QLabel* values[] = {ui->pa_meas1, ui->pa_meas2, ui->pa_meas3, ui->pa_meas4};
        QLabel* relays[] = {ui->pa_re1, ui->pa_re2, ui->pa_re3, ui->pa_re4};
        good = ctx.link.ReadMeasurement() == 1;
        if (good) {
            const auto& meas = ctx.link.params().MEAS;
            const float outs[] = {meas.OUT1, meas.OUT2, meas.OUT3, meas.OUT4};
            for (int n = 0; n < 4; ++n) {
                values[n]->setText(vx52::valueText(outs[n]));
                if (meas.RELAYS & (1u << n))
                    ShowRelayOn(relays[n]);
                else
                    ShowRelayOff(relays[n]);
            }
            read_failures = 0;
        } else if (read_failures < kFailuresKeepingValues) {
            ++read_failures;
        } else {
            // The bevels stay as the last good read left them.
            for (int n = 0; n < 4; ++n) {
                values[n]->setText(QStringLiteral("0"));
                paintPanel(relays[n], vx52::kButtonFace);
            }
        }
    }
    const QDateTime at = ctx.clock.now();
    const bool outageBegins = link_watch.readDone(good, at);
    if (good)
        ui->Chart1->gaps().end(TrendChart::toChartTime(at));
    else
        ui->Chart1->gaps().begin(TrendChart::toChartTime(at));
    showLinkState();
    if (outageBegins && automatic)
        pending_outage =
            QStringLiteral("Regulátor neodpovídá od %1. Automatické čtení to dál zkouší a samo "
                           "pokračuje, až regulátor odpoví")
                .arg(vx52::longTimeText(link_watch.failingSince().time()));
    AddChartPoints();
}

void Tqdx01::Timer1Timer() {
    const auto second = static_cast<std::uint16_t>(ctx.clock.now().time().second());
    if (second == last_second) return;
    last_second = second;
    if (!ui->check_auto->isChecked()) return;
    RecordTick();
    if (ui->check_zapis->isChecked()) SaveTick();
    // The outage's one box comes after the tick's work, so that the readings that go on
    // while it is open follow this one in the record.
    if (!pending_outage.isEmpty()) showCycleFailure(std::exchange(pending_outage, QString()));
}

void Tqdx01::RecordTick() {
    ++sample_ticks;
    if (recordList() * recordUnit() > sample_ticks) return;
    sample_ticks = 0;
    // No record line for a sample whose line could not be opened; a silent regulator's
    // sample is recorded with the values shown.
    if (!automaticRead()) return;
    AppendRecordLine();
}

void Tqdx01::check_autoClick() {
    if (!ui->check_auto->isChecked()) return;
    // Started again however the question ends, also after a failed new recording.
    struct TimerRestart {
        QTimer* timer;
        ~TimerRestart() { timer->start(); }
    } restart{Timer1};
    Timer1->stop();
    if (ui->Chart1->count(0) < 1) return;
    const auto answer = ctx.prompts.message(this, QStringLiteral("Chceš vymazat naměřená data?"),
                                            QStringLiteral("Clear"), vx52::Prompts::Icon::Warning,
                                            vx52::Prompts::Buttons::YesNo);
    if (answer != vx52::Prompts::Answer::Yes) return;
    NewRecord();
    if (ui->mn_novy->isChecked()) mn_ulozitjakoClick();
}

void Tqdx01::ShowRelayOn(QLabel* panel) {
    paintPanel(panel, vx52::kYellow);
    panel->setFrameShadow(QFrame::Raised);
}

void Tqdx01::ShowRelayOff(QLabel* panel) {
    paintPanel(panel, vx52::kButtonFace);
    panel->setFrameShadow(QFrame::Sunken);
}
