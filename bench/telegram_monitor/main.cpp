// The monitor at full size: a million telegrams of typical sizes (measurements, table reads
// and writes, probes of an empty bus, now and then a silent or damaged reply) appended
// through the link's observer with the window open and following, then the "only failures"
// filter over all of them, and repaints of the visible rows at the bottom and after scrolling.
// Prints a table and, last, a summary line. Run offscreen: QT_QPA_PLATFORM=offscreen.

#include "app/monitor/monitor_window.h"
#include "link/frame.h"
#include "link/link.h"
#include "link/port/serial_line.h"
#include "link/tables.h"
#include "ui/clock.h"
#include "ui/pause.h"
#include "ui/qt_prompts.h"
#include "ui/qt_settings_store.h"
#include "ui_monitor_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

using namespace vx52;
using Bytes = std::vector<std::uint8_t>;
using SteadyClock = TelegramObserver::Clock;

namespace {

constexpr std::size_t kTelegrams = 1'000'000;
constexpr std::size_t kCheckEvery = 100; // telegrams between two looks at the clock
constexpr qint64 kWindowTimerMs = 50;     // the window's update delay
constexpr int kPaints = 41;

std::size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

Bytes variable(std::uint8_t da, std::uint8_t sa, std::uint8_t fc, const Bytes& data) {
    Bytes f(data.size() + 9);
    f.resize(buildVariableFrame(f, da, sa, fc, data));
    return f;
}

Bytes fixed(std::uint8_t da, std::uint8_t sa, std::uint8_t fc) {
    Bytes f(6);
    buildFixedFrame(f, da, sa, fc);
    return f;
}

// One exchange as the line sees it: the request and the reply (empty: silence).
struct Exchange {
    Bytes request;
    Bytes reply;
    int replyMs;
};

std::vector<Exchange> typicalExchanges() {
    std::vector<Exchange> x;
    Bytes meas(19, 0x41);
    x.push_back({variable(1, 0, kFcSendDataReply, Bytes{CMD_READ_MEAS}), variable(0, 1, kFcDataReply, meas), 48});
    for (int t : {1, 3, 7, 10}) {
        const auto n = static_cast<std::uint8_t>(payloadLength(t));
        x.push_back({variable(1, 0, kFcSendDataReply, Bytes{CMD_READ_TABLE, std::uint8_t(t), n, 0}),
                     variable(0, 1, kFcDataReply, Bytes(n, 0x3F)), 35});
    }
    Bytes write{CMD_WRITE_TABLE, 7, 12, 0};
    write.resize(16, 0x40);
    x.push_back({variable(1, 0, kFcSendDataAck, write), fixed(0, 1, kFcAck), 20});
    x.push_back({fixed(5, 0, kFcProbe), {}, 512});        // nobody at address 5
    x.push_back({fixed(1, 0, kFcProbe), fixed(0, 1, kFcAck), 12});
    Bytes damaged = variable(0, 1, kFcDataReply, meas);
    ++damaged[damaged.size() - 2];
    x.push_back({variable(1, 0, kFcSendDataReply, Bytes{CMD_READ_MEAS}), damaged, 48});
    x.push_back({variable(1, 0, kFcSendDataReply, Bytes{CMD_READ_MEAS}), {}, 556});
    return x;
}

// Mostly healthy traffic: every 50th exchange goes silent or comes back damaged.
const Exchange& pick(const std::vector<Exchange>& x, std::mt19937& rng) {
    const unsigned r = rng() % 100;
    if (r == 0) return x[x.size() - 1];
    if (r == 1) return x[x.size() - 2];
    return x[rng() % (x.size() - 2)];
}

struct Feed {
    std::vector<Exchange> exchanges = typicalExchanges();
    std::mt19937 rng{52};
    SteadyClock::time_point now = SteadyClock::now();
    std::size_t fed = 0;
    std::uint64_t bytes = 0;

    // Appends n telegrams, running after every `every` of them what runs between them.
    template <typename Between> void run(TelegramStore& store, std::size_t n, std::size_t every, Between between) {
        for (std::size_t i = 0; i < n; i += 2) {
            const Exchange& x = pick(exchanges, rng);
            store.sent(x.request, true, now);
            now += std::chrono::milliseconds(x.replyMs);
            store.received(x.reply, true, now);
            now += std::chrono::milliseconds(5);
            fed += 2;
            bytes += x.request.size() + x.reply.size();
            if (fed % every == 0) between();
        }
    }
};

struct PaintResult {
    double ms;
    int rows;
};

// Repaints of the list's visible rows, drawn into an image the size of the list's viewport.
PaintResult paintVisibleRows(QTableView* view, bool scroll) {
    QWidget* port = view->viewport();
    QImage image(port->size(), QImage::Format_ARGB32_Premultiplied);
    std::vector<double> ms;
    std::mt19937 rng{7};
    QScrollBar* bar = view->verticalScrollBar();
    for (int i = 0; i < kPaints; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (scroll) bar->setValue(static_cast<int>(rng() % static_cast<unsigned>(bar->maximum() + 1)));
        QPainter painter(&image);
        port->render(&painter);
        painter.end();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    const int rows = view->rowAt(port->height() - 1) - view->rowAt(0) + 1;
    return {median(ms), rows};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QtSettingsStore settings(dir.filePath(QStringLiteral("bench.ini")));
    SerialLine line(ComPorts([](const QString&, const QString& fallback) { return fallback; }));
    QtPrompts prompts;
    SystemClock clock;
    SleepingPause pause;
    Link link;
    LineWorker worker{link, line, pause};
    AppContext ctx{link, line, settings, prompts, clock, pause, worker};

    // The store alone, for comparison: decoding and keeping, no window.
    double bareNs = 0;
    {
        TelegramStore bare;
        Feed feed;
        QElapsedTimer timer;
        timer.start();
        feed.run(bare, kTelegrams, kTelegrams, [] {});
        bareNs = double(timer.nsecsElapsed()) / double(kTelegrams);
    }

    const std::size_t heapBefore = heapInUse();
    TelegramStore store;
    Tmonitor window(ctx, store);
    window.resize(960, 560);
    window.show();
    QApplication::processEvents();
    QTableView* view = window.ui->gr_telegramy;

    // The window takes in news on its timer, 50 ms after the first new telegram; here the
    // telegrams come as fast as the store takes them, so it runs every 50 ms.
    Feed feed;
    std::vector<double> syncMs;
    QElapsedTimer timer;
    QElapsedTimer sinceSync;
    timer.start();
    sinceSync.start();
    const auto windowTimer = [&] {
        if (sinceSync.elapsed() < kWindowTimerMs) return;
        QElapsedTimer sync;
        sync.start();
        window.SyncTimer();
        QApplication::processEvents(); // the list's layout and repaint that follow
        syncMs.push_back(sync.nsecsElapsed() / 1e6);
        sinceSync.restart();
    };
    feed.run(store, kTelegrams, kCheckEvery, windowTimer);
    window.SyncTimer();
    const double appendNs = double(timer.nsecsElapsed()) / double(kTelegrams);
    QApplication::processEvents();
    const std::size_t heapAfter = heapInUse();
    const bool following =
        view->verticalScrollBar()->value() == view->verticalScrollBar()->maximum() &&
        window.model->rowCount() == int(kTelegrams);

    // Past the limit: every further telegram drops the oldest.
    QElapsedTimer fullTimer;
    fullTimer.start();
    feed.run(store, 100'000, kCheckEvery, windowTimer);
    window.SyncTimer();
    const double fullAppendNs = double(fullTimer.nsecsElapsed()) / 100'000.0;

    const std::uint64_t own = store.telegramBytes();
    const double bytesPerTelegram =
        double(store.memoryBytes() + window.model->view().memoryBytes() - own) / double(store.size());
    const double heapPerTelegram = (double(heapAfter - heapBefore) - double(own)) / double(kTelegrams);

    const PaintResult bottom = paintVisibleRows(view, false);
    const PaintResult scrolled = paintVisibleRows(view, true);

    // "Jen chyby" on and off again, as the operator ticks it.
    std::vector<double> filterMs, unfilterMs;
    std::size_t failures = 0;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        window.ui->check_chyby->setChecked(true);
        filterMs.push_back(t.nsecsElapsed() / 1e6);
        failures = std::size_t(window.model->rowCount());
        t.restart();
        window.ui->check_chyby->setChecked(false);
        unfilterMs.push_back(t.nsecsElapsed() / 1e6);
    }
    window.ui->check_chyby->setChecked(true);
    const PaintResult filtered = paintVisibleRows(view, false);
    std::vector<double> filteredSyncMs;
    feed.run(store, 10'000, 500, [&] {
        QElapsedTimer sync;
        sync.start();
        window.SyncTimer();
        QApplication::processEvents();
        filteredSyncMs.push_back(sync.nsecsElapsed() / 1e6);
    });

    std::printf("%-52s %14s\n", "measure", "value");
    std::printf("%-52s %14zu\n", "telegrams appended (window open, following)", kTelegrams);
    std::printf("%-52s %14.1f\n", "telegram bytes, mean", double(feed.bytes) / double(feed.fed));
    std::printf("%-52s %14.1f\n", "append, ns per telegram, store alone", bareNs);
    std::printf("%-52s %14.1f\n", "append, ns per telegram, window following", appendNs);
    std::printf("%-52s %14.1f\n", "append, ns per telegram, store full (drops)", fullAppendNs);
    std::printf("%-52s %14zu\n", "window updates (50 ms timer) while appending", syncMs.size());
    std::printf("%-52s %14.3f\n", "window update, sync and repaint, ms (median)", median(syncMs));
    std::printf("%-52s %14.3f\n", "window update, sync and repaint, ms (worst)",
                *std::max_element(syncMs.begin(), syncMs.end()));
    std::printf("%-52s %14s\n", "list follows the newest at the end", following ? "yes" : "NO");
    std::printf("%-52s %14zu\n", "telegrams kept", store.size());
    std::printf("%-52s %14.1f\n", "store bytes per telegram beyond its own (own count)", bytesPerTelegram);
    std::printf("%-52s %14.1f\n", "heap per telegram beyond its own, incl. list (alloc)", heapPerTelegram);
    std::printf("%-52s %14zu\n", "failures listed by \"Jen chyby\"", failures);
    std::printf("%-52s %14.2f\n", "filter \"Jen chyby\" on, ms (median of 5)", median(filterMs));
    std::printf("%-52s %14.2f\n", "filter off again, ms (median of 5)", median(unfilterMs));
    std::printf("%-52s %14.3f\n", "filtered sync and repaint per 500, ms (median)", median(filteredSyncMs));
    std::printf("%-52s %14d\n", "visible rows", bottom.rows);
    std::printf("%-52s %14.3f\n", "repaint visible rows at the bottom, ms (median)", bottom.ms);
    std::printf("%-52s %14.3f\n", "scroll to a random row and repaint, ms (median)", scrolled.ms);
    std::printf("%-52s %14.3f\n", "repaint visible rows, filtered, ms (median)", filtered.ms);
    std::printf("summary: telegrams=%zu append_ns=%.0f bytes_per_telegram=%.1f filter_ms=%.1f paint_ms=%.2f\n",
                kTelegrams, appendNs, bytesPerTelegram, median(filterMs),
                std::max({bottom.ms, scrolled.ms, filtered.ms}));
    return 0;
}
