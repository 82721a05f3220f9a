// The main window's measurement cycle: the read, the 200 ms timer counting second ticks,
// the automatic sample, "Automatické čtení" and the relay panels.

#include "app/Unit_hl.h"

#include "app/trend_chart.h"
#include "ui/color_value.h"
#include "ui/regional.h"
#include "ui/value_text.h"
#include "ui_Unit_hl.h"

#include <QApplication>
#include <QTimer>

#include <exception>
#include <utility>

namespace {

constexpr int kFailuresKeepingValues = 6; // failed reads in a row that still show the last values
constexpr int kSkipShownMs = 5000;        // how long the link panel names skipped samples

void paintPanel(QLabel* panel, std::uint32_t colour) {
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, vx52::colorFromValue(colour));
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
}

} // namespace

void Tqdx01::connectMeasurement() {
    connect(ui->tl_precist, &QPushButton::clicked, this, guarded([this] { tl_precistClick(); }));
    connect(ui->check_auto, &QCheckBox::clicked, this, guarded([this] { check_autoClick(); }));
    // No box from the timer: Qt fires a timer again only once its handler has returned, so a
    // box waiting for someone would stop automatic reading and recording with it.
    connect(Timer1, &QTimer::timeout, this, [this] { unattended([this] { Timer1Timer(); }); });
    skip_shown = new QTimer(this);
    skip_shown->setSingleShot(true);
    skip_shown->setInterval(kSkipShownMs);
    connect(skip_shown, &QTimer::timeout, this, [this] { showLinkPanel(); });
    // Nothing else starts an exchange while one runs.
    connect(&ctx.worker, &vx52::LineWorker::busyChanged, this, [this](bool busy) {
        ui->tl_precist->setEnabled(!busy);
        ui->mn_port->setEnabled(!busy);
        // The parameter dialogs keep their items off for as long as they are open.
        const bool dialogOpen = QApplication::activeModalWidget() != nullptr;
        for (QAction* entry : {ui->mn_parametry, ui->mn_ident})
            entry->setEnabled(!busy && !dialogOpen);
    });
    connect(&ctx.worker, &vx52::LineWorker::skippedTick, this, [this] {
        skip_shown->start();
        showLinkPanel();
    });
}

void Tqdx01::unattended(const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception& error) {
        noticeFailure(vx52::NoticeStrip::Kind::Reading, QString::fromUtf8(error.what()));
    } catch (...) {
        noticeFailure(vx52::NoticeStrip::Kind::Reading, tr("Neočekávaná chyba"));
    }
}

void Tqdx01::noticeFailure(vx52::NoticeStrip::Kind kind, const QString& text) {
    notices->post(kind, ctx.clock.now(), vx52::failureText(text));
}

void Tqdx01::showLinkState() {
    showLinkPanel();
    publishLink();
}

void Tqdx01::showLinkPanel() {
    QString text = link_watch.panelText();
    // A sample whose second came while the previous read still ran is left out, not queued.
    if (skip_shown->isActive())
        text += tr(" | vynechaná čtení: %1").arg(ctx.worker.skipped());
    ui->pa_spojeni->setText(text);
}

bool Tqdx01::noteOpenFailure(const QDateTime& at) {
    const bool begins = link_watch.openFailed(at);
    ui->Chart1->gaps().begin(TrendChart::toChartTime(at));
    showLinkState();
    return begins;
}

void Tqdx01::tl_precistClick() { ctx.worker.submit(manualReadPiece()); }

vx52::Piece Tqdx01::manualReadPiece() {
    // The operator's own read keeps its box, for a line that cannot be opened as for an
    // unforeseen failure.
    vx52::Piece piece = readingPiece(false, [this](const Reading& reading) {
        vx52::runGuarded(ctx.prompts, this, [this, &reading] { readingDone(reading); });
    });
    piece.finished = [this](const vx52::PieceEnd& end) {
        if (!end.failed()) return;
        noteOpenFailure(ctx.clock.now()); // a failed open leaves everything else as it was
        vx52::showFailure(ctx.prompts, this, end.failure);
    };
    return piece;
}

void Tqdx01::automaticRead(std::function<void()> then, bool queued) {
    vx52::Piece piece = readingPiece(true, [this](const Reading& reading) {
        unattended([this, &reading] { readingDone(reading); });
    });
    piece.keepLineChoice = true;
    piece.finished = [this, then](const vx52::PieceEnd& end) {
        if (end.failed()) {
            Reading reading;
            reading.sample = true;
            reading.openFailure = end.failure;
            reading.at = ctx.clock.now();
            unattended([this, &reading] { readingDone(reading); });
        }
        if (then) unattended(then);
    };
    if (queued) {
        ctx.worker.submit(std::move(piece));
        return;
    }
    // A sample whose second finds the previous read still running is skipped and counted.
    if (ctx.worker.offer(std::move(piece)) == 0 && then) then();
}

vx52::Piece Tqdx01::readingPiece(bool sample, std::function<void(const Reading&)> done) {
    vx52::Piece piece;
    piece.name = sample ? QStringLiteral("vzorek") : QStringLiteral("čtení");
    piece.com = selectedLine(); // opened for the read, closed after it
    vx52::Clock& clock = ctx.clock;
    piece.run = [sample, &clock, done = std::move(done)](vx52::Session& session) {
        Reading reading;
        reading.sample = sample;
        reading.good = session.exchange(&vx52::Link::ReadMeasurement) == 1;
        if (reading.good) reading.meas = session.link().params().MEAS;
        reading.at = clock.now(); // the record's time is the reading's
        session.report([done, reading] { done(reading); });
    };
    return piece;
}

void Tqdx01::readingDone(const Reading& reading) {
    using Kind = vx52::NoticeStrip::Kind;
    if (!reading.openFailure.isEmpty()) {
        // Only samples come here: "Přečíst" shows its own failure in a box.
        if (noteOpenFailure(reading.at))
            notices->post(Kind::Link, reading.at,
                          vx52::failureText(reading.openFailure) +
                              tr(" Automatické čtení to dál zkouší a samo pokračuje, "
                                 "až se port otevře a regulátor odpoví."));
        return; // no record line for a sample whose line could not be opened
    }
    QLabel* values[] = {ui->pa_meas1, ui->pa_meas2, ui->pa_meas3, ui->pa_meas4};
    QLabel* relays[] = {ui->pa_re1, ui->pa_re2, ui->pa_re3, ui->pa_re4};
    if (reading.good) {
        const auto& meas = reading.meas;
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
    const bool wasOut = link_watch.inOutage();
    const QDateTime outSince = link_watch.failingSince();
    const bool outageBegins = link_watch.readDone(reading.good, reading.at);
    if (reading.good) publishReading(reading.at, reading.meas);
    if (reading.good)
        ui->Chart1->gaps().end(TrendChart::toChartTime(reading.at));
    else
        ui->Chart1->gaps().begin(TrendChart::toChartTime(reading.at));
    showLinkState();
    // A single "Přečíst" that fails is the operator's to see; it raises no outage notice.
    if (outageBegins && reading.sample)
        notices->post(Kind::Link, reading.at,
                      tr("Regulátor neodpovídá od %1. Automatické čtení to dál "
                         "zkouší a samo pokračuje, až regulátor odpoví.")
                          .arg(vx52::longTimeText(link_watch.failingSince().time())));
    if (wasOut && reading.good && notices->shows(Kind::Link))
        notices->post(
            Kind::Link, reading.at,
            tr("Regulátor opět odpovídá; výpadek trval od %1 do %2.")
                .arg(vx52::longTimeText(outSince.time()), vx52::longTimeText(reading.at.time())));
    AddChartPoints();
    // A silent regulator's sample is recorded with the values shown.
    if (reading.sample) AppendRecordLine(reading.at);
}

void Tqdx01::Timer1Timer() {
    const auto second = static_cast<std::uint16_t>(ctx.clock.now().time().second());
    if (second == last_second) return;
    last_second = second;
    if (!ui->check_auto->isChecked()) return;
    // The write's second counts even when the sample fails; it comes after the sample's line.
    const bool save = ui->check_zapis->isChecked();
    RecordTick([this, save] {
        if (save) SaveTick();
    });
}

void Tqdx01::RecordTick(std::function<void()> then, bool queued) {
    ++sample_ticks;
    if (recordList() * recordUnit() > sample_ticks) {
        if (then) then();
        return;
    }
    sample_ticks = 0;
    automaticRead(std::move(then), queued);
}

void Tqdx01::check_autoClick() {
    if (!ui->check_auto->isChecked()) return;
    // Sampling goes on while the question and the file dialog are open; a Yes clears what
    // came meanwhile together with the rest.
    if (ui->Chart1->count(0) < 1) return;
    const auto answer =
        ctx.prompts.message(this, tr("Chceš vymazat naměřená data?"), tr("Clear"),
                            vx52::Prompts::Icon::Warning, vx52::Prompts::Buttons::YesNo);
    if (answer != vx52::Prompts::Answer::Yes) return;
    NewRecord([this] {
        if (ui->mn_novy->isChecked()) mn_ulozitjakoClick();
    });
}

void Tqdx01::ShowRelayOn(QLabel* panel) {
    paintPanel(panel, vx52::kYellow);
    panel->setFrameShadow(QFrame::Raised);
}

void Tqdx01::ShowRelayOff(QLabel* panel) {
    paintPanel(panel, vx52::kButtonFace);
    panel->setFrameShadow(QFrame::Sunken);
}
