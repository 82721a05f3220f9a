// The line worker over the simulated regulator: the order of exchanges and pauses of the
// editor's passes and the loading sequence, cancelling between exchanges, ticks that find
// the line busy, reports and telegrams in order on the GUI thread, and exchanges that never
// overlap.

#include "bus/line_worker.h"
#include "bus/table_passes.h"
#include "fixtures/loopback_line.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <numeric>
#include <semaphore>
#include <string>
#include <thread>
#include <vector>

using namespace vx52;
using namespace std::chrono_literals;

namespace {

using Log = std::vector<std::string>;

// The loopback line that writes down, in one log with the pauses, every open, close and
// request; it notes any exchange that runs outside the worker's thread or beside another,
// can silence given table reads, and can hold a read until the test lets it go.
class WatchedLine : public test::LoopbackLine {
public:
    std::mutex mutex;
    Log log;
    std::atomic<int> inside{0};
    std::atomic<bool> overlapped{false};
    std::atomic<bool> offThread{false};
    QThread* expected = nullptr;
    std::map<std::string, int> silence; // request name -> how many times it goes unanswered

    // A read of this request waits at the gate until released.
    std::string holdAt;
    std::atomic<bool> held{false};
    std::binary_semaphore gate{0};

    void note(const std::string& entry) {
        std::lock_guard lock(mutex);
        log.push_back(entry);
    }
    Log taken() {
        std::lock_guard lock(mutex);
        return log;
    }

    void OpenLine(int com) override {
        note("open " + std::to_string(com));
        LoopbackLine::OpenLine(com);
    }
    void CloseLine() override {
        if (isOpen()) note("close");
        LoopbackLine::CloseLine();
    }
    bool write(std::span<const std::uint8_t> bytes) override {
        enter();
        last_ = requestName(bytes);
        note(last_);
        bool ok = true;
        if (auto it = silence.find(last_); it != silence.end() && it->second > 0) {
            --it->second; // the device does not hear it: its read runs out
            purgeReceive();
        } else {
            ok = LoopbackLine::write(bytes);
        }
        leave();
        return ok;
    }
    ReadResult read(std::span<std::uint8_t> buffer) override {
        enter();
        if (!holdAt.empty() && last_ == holdAt && !held) {
            held = true;
            gate.acquire();
        }
        const auto r = LoopbackLine::read(buffer);
        leave();
        return r;
    }

    static std::string requestName(std::span<const std::uint8_t> f) {
        if (f.size() == 6 && f[0] == 0x10) return "probe " + std::to_string(f[1]);
        if (f.size() < 8) return "?";
        switch (f[7]) {
        case 0:
            return "type";
        case 1:
            return "read " + std::to_string(f[8]);
        case 2:
            return "write " + std::to_string(f[8]);
        case 3:
            return "meas";
        case 4:
            return "version";
        case 6:
            return "eeprom";
        default:
            return "?";
        }
    }

private:
    void enter() {
        if (QThread::currentThread() != expected) offThread = true;
        if (inside.fetch_add(1) != 0) overlapped = true;
        // Long enough for a second exchange to land inside this one if anything let it.
        std::this_thread::sleep_for(1ms);
    }
    void leave() { inside.fetch_sub(1); }
    std::string last_;
};

class LoggedPause : public Pause {
public:
    explicit LoggedPause(WatchedLine& line) : line_(line) {}
    void wait(std::chrono::milliseconds d) override {
        line_.note("pause " + std::to_string(d.count()));
    }

private:
    WatchedLine& line_;
};

// Telegrams as the GUI thread gets them, in the one log of what reached the GUI.
class GuiLog : public TelegramObserver {
public:
    Log entries;
    bool offGui = false;
    void sent(std::span<const std::uint8_t> b, bool, Clock::time_point) override {
        check();
        entries.push_back("TX " + WatchedLine::requestName(b));
    }
    void received(std::span<const std::uint8_t> b, bool, Clock::time_point) override {
        check();
        entries.push_back("RX " + std::to_string(b.size()));
    }
    void check() {
        if (QThread::currentThread() != qApp->thread()) offGui = true;
    }
};

Log expectedReads(const std::vector<int>& tables, const std::map<int, int>& failures,
                  long long after) {
    Log out;
    for (int t : tables) {
        const auto it = failures.find(t);
        const int fails = it == failures.end() ? 0 : it->second;
        out.push_back("read " + std::to_string(t));
        if (fails >= 1) {
            out.push_back("pause 300");
            out.push_back("read " + std::to_string(t));
        }
        out.push_back("pause " + std::to_string(after));
    }
    return out;
}

struct Rig {
    Link link;
    WatchedLine line;
    LoggedPause pause{line};
    GuiLog gui;
    std::unique_ptr<LineWorker> worker;

    Rig() {
        line.setComNumber(1);
        link.setLine(&line);
        link.SetDeviceAddress(1);
        worker = std::make_unique<LineWorker>(link, line, pause);
        line.expected = worker->workerThread();
        worker->setObserver(&gui);
    }
    ~Rig() {
        line.gate.release(); // never leave the worker stuck at the gate
        worker.reset();
    }

    // Submits and waits until the piece's end has been taken on the GUI thread.
    PieceEnd run(Piece piece) {
        PieceEnd end;
        bool over = false;
        piece.finished = [&](const PieceEnd& e) {
            end = e;
            over = true;
        };
        worker->submit(std::move(piece));
        if (!QTest::qWaitFor([&] { return over; }, 10000))
            QTest::qFail("piece never ended", __FILE__, __LINE__);
        return end;
    }
};

Piece onLine(std::function<void(Session&)> run, const char* name = "test") {
    Piece p;
    p.name = QString::fromLatin1(name);
    p.com = 1;
    p.run = std::move(run);
    return p;
}

} // namespace

class TestLineWorker : public QObject {
    Q_OBJECT

private slots:
    // Read-all: each table, a failed one once more after 300 ms, 100 ms after every table;
    // the line opened before and closed after; each table reported on the GUI thread after
    // its telegrams.
    void readAllPacesTheRegulator() {
        Rig rig;
        rig.line.silence = {{"read 3", 2}, {"read 5", 1}};
        TablePass pass;
        Log reports;
        bool reportsOffGui = false;
        const auto end = rig.run(onLine([&](Session& s) {
            pass = readTables(s, firstTables(12), [&](int t, bool ok) {
                s.report([&, t, ok] {
                    reportsOffGui |= QThread::currentThread() != qApp->thread();
                    rig.gui.entries.push_back("table " + std::to_string(t) +
                                              (ok ? " ok" : " failed"));
                    reports.push_back(std::to_string(t));
                });
            });
        }));
        QVERIFY(end.done());

        Log expected{"open 1"};
        for (const auto& e : expectedReads(firstTables(12), {{3, 2}, {5, 1}}, 100))
            expected.push_back(e);
        expected.push_back("close");
        QCOMPARE(rig.line.taken(), expected);
        QCOMPARE(pass.failed, std::vector<int>{3});
        QCOMPARE(pass.done.size(), std::size_t(11));
        QVERIFY(pass.left.empty());

        // On the GUI thread each table's report follows its own telegrams, in order.
        QVERIFY(!reportsOffGui);
        QVERIFY(!rig.gui.offGui);
        const Log& g = rig.gui.entries;
        const auto at = [&](const std::string& e) {
            return std::find(g.begin(), g.end(), e) - g.begin();
        };
        QCOMPARE(g.front(), std::string("TX read 0"));
        QCOMPARE(g[1], std::string("RX 13"));
        QCOMPARE(g[2], std::string("table 0 ok"));
        QVERIFY(at("table 3 failed") > at("TX read 3"));
        QCOMPARE(std::count(g.begin(), g.end(), std::string("TX read 3")), 2);
        QVERIFY(at("table 3 failed") < at("TX read 4"));
        QCOMPARE(g.back(), std::string("table 11 ok"));
    }

    // Write-all: 400 ms before a repeated write and after every table; a written address
    // card moves the link to the new address before anything else goes out.
    void writeAllPacesAndMovesTheAddress() {
        Rig rig;
        rig.line.silence = {{"write 1", 1}, {"write 2", 2}};
        rig.link.params().ADD.ADRESA = 1; // the regulator keeps its address: the next read works
        TablePass pass;
        QVERIFY(rig.run(onLine([&](Session& s) { pass = writeTables(s, {0, 1, 2, 11}); })).done());
        QCOMPARE(rig.line.taken(), (Log{"open 1", "write 0", "pause 400", "write 1", "pause 400",
                                        "write 1", "pause 400", "write 2", "pause 400", "write 2",
                                        "pause 400", "write 11", "pause 400", "close"}));
        QCOMPARE(pass.failed, std::vector<int>{2});
        QCOMPARE(pass.done, (std::vector<int>{0, 1, 11}));

        rig.link.SetDeviceAddress(1);
        rig.link.params().ADD.ADRESA = 9;
        QVERIFY(rig.run(onLine([&](Session& s) { pass = writeTables(s, {11}); })).done());
        QCOMPARE(rig.link.GetDeviceAddress(), std::uint8_t(9));
        // A failed address write leaves the link where it was.
        rig.link.SetDeviceAddress(1);
        rig.line.silence = {{"write 11", 2}};
        rig.link.params().ADD.ADRESA = 5;
        QVERIFY(rig.run(onLine([&](Session& s) { pass = writeTables(s, {11}); })).done());
        QCOMPARE(rig.link.GetDeviceAddress(), std::uint8_t(1));
    }

    // Loading: type, version, then every table once with 10 ms after each; the type text
    // reaches the GUI before the version is asked for.
    void loadingIdentifiesThenReadsEveryTable() {
        Rig rig;
        rig.line.silence = {{"read 4", 1}};
        Identification id;
        TablePass pass;
        std::string typeShown;
        std::size_t logWhenTypeShown = 0;
        QVERIFY(rig.run(onLine([&](Session& s) {
                       id = identify(s, [&](const Identification& found) {
                           s.report([&, found] {
                               typeShown = found.type;
                               logWhenTypeShown = rig.gui.entries.size();
                           });
                       });
                       if (id.result == kRegulatorServed) pass = loadTables(s, firstTables(12));
                   }))
                    .done());
        Log expected{"open 1", "type", "version"};
        for (int t = 0; t < 12; ++t) {
            expected.push_back("read " + std::to_string(t));
            expected.push_back("pause 10");
        }
        expected.push_back("close");
        QCOMPARE(rig.line.taken(), expected);
        QCOMPARE(id.result, 4);
        QCOMPARE(typeShown, std::string(sim::kRegulatorType));
        QCOMPARE(logWhenTypeShown, std::size_t(2)); // TX type, RX: nothing of the version yet
        QCOMPARE(pass.failed, std::vector<int>{4}); // no retry while loading

        // A QDX 01 is identified as such and no table is read.
        rig.line.log.clear();
        rig.line.setDeviceKind(sim::DeviceKind::Qdx01);
        QVERIFY(rig.run(onLine([&](Session& s) { id = identify(s); })).done());
        QCOMPARE(id.result, 2);
        QCOMPARE(rig.line.taken(), (Log{"open 1", "type", "version", "close"}));
    }

    void firmwareResult_data() {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<int>("result");
        QTest::newRow("served, longer") << QByteArray("FW-R-12-10 rev 3") << 4;
        QTest::newRow("QDX 01 first") << QByteArray("FW-R-11-01") << 1;
        QTest::newRow("QDX 01 third") << QByteArray("FW-R-11-03x") << 3;
        QTest::newRow("nine characters") << QByteArray("FW-R-12-1") << 0;
        QTest::newRow("other") << QByteArray("FW-R-12-11") << 0;
    }
    void firmwareResult() {
        QFETCH(QByteArray, version);
        QFETCH(int, result);
        QCOMPARE(vx52::firmwareResult(version.constData()), result);
    }

    // Cancel while an exchange runs: that exchange ends, nothing further goes out (no retry,
    // no pause), the line is closed, and the pass says which tables it left.
    void cancelStopsBeforeTheNextExchange() {
        Rig rig;
        rig.line.silence = {{"read 2", 1}};
        rig.line.holdAt = "read 2";
        TablePass pass;
        PieceEnd end;
        bool over = false;
        Piece piece = onLine([&](Session& s) { pass = readTables(s, firstTables(12)); });
        piece.finished = [&](const PieceEnd& e) {
            end = e;
            over = true;
        };
        const auto id = rig.worker->submit(std::move(piece));
        // A second piece waiting behind it never starts once cancelled.
        bool secondRan = false, secondOver = false;
        PieceEnd secondEnd;
        Piece second = onLine([&](Session&) { secondRan = true; });
        second.finished = [&](const PieceEnd& e) {
            secondEnd = e;
            secondOver = true;
        };
        const auto id2 = rig.worker->submit(std::move(second));
        QTRY_VERIFY_WITH_TIMEOUT(rig.line.held.load(), 10000);
        QVERIFY(rig.worker->busy());
        rig.worker->cancel(id2);
        rig.worker->cancel(id);
        rig.line.gate.release();
        QTRY_VERIFY_WITH_TIMEOUT(over && secondOver, 10000);
        QVERIFY(end.cancelled());
        QVERIFY(secondEnd.cancelled());
        QVERIFY(!secondRan);
        QCOMPARE(rig.line.taken(),
                 (Log{"open 1", "read 0", "pause 100", "read 1", "pause 100", "read 2", "close"}));
        QCOMPARE(pass.done, (std::vector<int>{0, 1}));
        QCOMPARE(pass.left, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
        QVERIFY(!rig.worker->busy());

        // Between two exchanges with no wait between them: the version request never goes out.
        rig.line.log.clear();
        rig.line.holdAt = "type";
        rig.line.held = false;
        over = false;
        Piece ident = onLine([](Session& s) { identify(s); });
        ident.finished = [&](const PieceEnd& e) {
            end = e;
            over = true;
        };
        const auto id3 = rig.worker->submit(std::move(ident));
        QTRY_VERIFY_WITH_TIMEOUT(rig.line.held.load(), 10000);
        rig.worker->cancel(id3);
        rig.line.gate.release();
        QTRY_VERIFY_WITH_TIMEOUT(over, 10000);
        QVERIFY(end.cancelled());
        QCOMPARE(rig.line.taken(), (Log{"open 1", "type", "close"}));

        // The worker goes on with the next piece as usual.
        rig.line.log.clear();
        QVERIFY(rig.run(onLine([](Session& s) { s.exchange(&Link::ReadMeasurement); })).done());
        QCOMPARE(rig.line.taken(), (Log{"open 1", "meas", "close"}));
    }

    // The real timer offers a read every 10 ms; while one read is held on the line, the ticks
    // are skipped and counted, none queued; once it ends, the next tick reads again.
    void ticksFindingTheLineBusyAreSkipped() {
        Rig rig;
        rig.line.holdAt = "meas";
        int ran = 0, offered = 0, taken = 0;
        QTimer tick;
        tick.setInterval(10);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            ++offered;
            Piece p = onLine([](Session& s) { s.exchange(&Link::ReadMeasurement); }, "meas");
            p.finished = [&](const PieceEnd&) { ++ran; };
            if (rig.worker->offer(std::move(p))) ++taken;
        });
        QSignalSpy skipped(rig.worker.get(), &LineWorker::skippedTick);
        tick.start();
        QTRY_VERIFY_WITH_TIMEOUT(rig.line.held.load(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(rig.worker->skipped() >= 5, 10000);
        QCOMPARE(taken, 1);
        rig.line.gate.release();
        QTRY_VERIFY_WITH_TIMEOUT(ran >= 3, 10000);
        tick.stop();
        QTRY_VERIFY_WITH_TIMEOUT(!rig.worker->busy(), 10000);
        QCOMPARE(ran, taken);
        QCOMPARE(rig.worker->skipped(), offered - taken);
        QCOMPARE(skipped.count(), rig.worker->skipped());
        const Log log = rig.line.taken();
        QCOMPARE(std::count(log.begin(), log.end(), std::string("meas")), taken);
    }

    // Pieces handed over in a burst run one after another on the worker's thread, each with
    // its own open and close, and no exchange ever runs beside another.
    void exchangesNeverOverlap() {
        Rig rig;
        int ended = 0;
        std::vector<int> order;
        for (int i = 0; i < 12; ++i) {
            Piece p = onLine([i](Session& s) {
                s.exchange(&Link::ReadMeasurement);
                s.exchange(&Link::ReadTable, i % 12);
            });
            p.finished = [&, i](const PieceEnd&) {
                ++ended;
                order.push_back(i);
            };
            rig.worker->submit(std::move(p));
        }
        QTRY_COMPARE_WITH_TIMEOUT(ended, 12, 20000);
        QVERIFY(!rig.line.overlapped);
        QVERIFY(!rig.line.offThread);
        std::vector<int> inOrder(12);
        std::iota(inOrder.begin(), inOrder.end(), 0);
        QCOMPARE(order, inOrder);
        Log expected;
        for (int i = 0; i < 12; ++i)
            expected.insert(expected.end(),
                            {"open 1", "meas", "read " + std::to_string(i), "close"});
        QCOMPARE(rig.line.taken(), expected);
    }

    // A line that cannot be opened ends the piece with its text, before anything is sent;
    // the choice falls back to "žádný port" and the owner hears of it on the GUI thread,
    // unless the piece keeps the choice (automatic reading trying again).
    void openFailureEndsThePiece() {
        Rig rig;
        bool resetOnGui = false, resetHeard = false;
        rig.worker->setOnLineReset([&] {
            resetHeard = true;
            resetOnGui = QThread::currentThread() == qApp->thread();
        });
        bool ran = false;
        Piece kept = onLine([&](Session&) { ran = true; });
        kept.com = 3;
        kept.keepLineChoice = true;
        rig.line.setComNumber(3);
        PieceEnd end = rig.run(kept);
        QVERIFY(end.failed());
        QCOMPARE(end.failure, QStringLiteral("Sériový port COM3 nelze otevřít"));
        QCOMPARE(rig.line.comNumber(), 3);
        QVERIFY(!resetHeard);

        kept.keepLineChoice = false;
        end = rig.run(kept);
        QVERIFY(end.failed());
        QVERIFY(!ran);
        QCOMPARE(rig.line.comNumber(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(resetHeard, 5000);
        QVERIFY(resetOnGui);
        QCOMPARE(rig.line.taken(), (Log{"open 3", "open 3"}));
    }
};

QTEST_GUILESS_MAIN(TestLineWorker)
#include "test_line_worker.moc"
