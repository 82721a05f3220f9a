// The monitor's store, view and export: bounded and exact at the limit, counters by cause,
// filters that follow the store, and a saved trace that decodes as the store did.
#include "app/monitor/telegram_export.h"
#include "app/monitor/telegram_model.h"
#include "link/trace_line.h"

#include <QTest>

using namespace vx52;
using Bytes = std::vector<std::uint8_t>;
using std::chrono::milliseconds;

namespace {

TelegramFilter onlyFailures() {
    TelegramFilter f;
    f.failuresOnly = true;
    return f;
}

Bytes frame(std::initializer_list<std::uint8_t> head, std::size_t payload, std::uint8_t fc) {
    Bytes f(head);
    f.push_back(fc);
    for (std::size_t i = 0; i < payload; ++i) f.push_back(static_cast<std::uint8_t>(i * 7));
    unsigned sum = 0;
    for (std::size_t i = 4; i < f.size(); ++i) sum += f[i];
    f.push_back(static_cast<std::uint8_t>(sum));
    f.push_back(0x16);
    return f;
}

const Bytes kMeasRequest{0x68, 0x04, 0x04, 0x68, 0x01, 0x00, 0x6C, 0x03, 0x70, 0x16};
const Bytes kMeasRequest2{0x68, 0x04, 0x04, 0x68, 0x02, 0x00, 0x6C, 0x03, 0x71, 0x16};
const Bytes kMeasReply = frame({0x68, 0x16, 0x16, 0x68, 0x00, 0x01}, 19, 0x08);

// A telegram of its own for each number, up to 255 bytes, to check bytes come back intact.
Bytes numbered(std::uint64_t n) {
    Bytes b(1 + n % 255);
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<std::uint8_t>(n + i);
    return b;
}

// One measurement exchange: ok, silent or with a damaged check sum.
enum class Outcome { Ok, Silent, BadSum };
void exchange(TelegramStore& store, Outcome outcome, std::int64_t ms, const Bytes& request = kMeasRequest) {
    store.appendRequest(request, true, ms);
    Bytes reply = outcome == Outcome::Silent ? Bytes{} : kMeasReply;
    if (outcome == Outcome::BadSum) ++reply[reply.size() - 2];
    store.appendReply(reply, true, ms + 40, milliseconds(outcome == Outcome::Silent ? 556 : 40));
}

} // namespace

class TestMonitorStore : public QObject {
    Q_OBJECT
private slots:
    void keepsTheLastTelegramsIntact() {
        TelegramStore store(1000);
        const std::uint64_t total = 12000; // about 1.5 MiB of bytes: chunks come and go
        for (std::uint64_t n = 0; n < total; ++n)
            store.appendRequest(numbered(n), true, static_cast<std::int64_t>(n));
        QCOMPARE(store.size(), std::size_t{1000});
        QCOMPARE(store.firstSeq(), total - 1000);
        QCOMPARE(store.endSeq(), total);
        std::uint64_t kept = 0;
        for (std::uint64_t seq = store.firstSeq(); seq < store.endSeq(); ++seq) {
            const auto bytes = store.bytes(store.at(seq));
            QCOMPARE(Bytes(bytes.begin(), bytes.end()), numbered(seq));
            QCOMPARE(store.at(seq).wallMs, static_cast<std::int64_t>(seq));
            kept += bytes.size();
        }
        QCOMPARE(store.telegramBytes(), kept);
        // Records plus at most the chunks the kept bytes touch and one being filled.
        QVERIFY(store.memoryBytes() <= 1000 * sizeof(StoredTelegram) + kept + 2 * (1u << 20));
        QCOMPARE(store.counters().requests, total); // the counters keep what dropped out

        store.clear();
        QCOMPARE(store.size(), std::size_t{0});
        QCOMPARE(store.firstSeq(), total); // numbers go on, so views see the clear
        QCOMPARE(store.counters().requests, std::uint64_t{0});
        store.appendRequest(numbered(3), true, 1);
        QCOMPARE(Bytes(store.bytes(store.at(total)).begin(), store.bytes(store.at(total)).end()),
                 numbered(3));
    }

    void countsRepliesByCauseAndStation() {
        TelegramStore store;
        exchange(store, Outcome::Ok, 0);
        exchange(store, Outcome::Silent, 100);
        exchange(store, Outcome::BadSum, 800);
        exchange(store, Outcome::Ok, 900, kMeasRequest2); // station 2 answers as station 1
        const TelegramCounters& c = store.counters();
        QCOMPARE(c.requests, std::uint64_t{4});
        QCOMPARE(c.goodReplies, std::uint64_t{1});
        QCOMPARE(c.failureCount(), std::uint64_t{3});
        QCOMPARE(c.failures[std::size_t(TelegramResult::NoReply)], std::uint64_t{1});
        QCOMPARE(c.failures[std::size_t(TelegramResult::BadCheckSum)], std::uint64_t{1});
        QCOMPARE(c.failures[std::size_t(TelegramResult::WrongStation)], std::uint64_t{1});
        QCOMPARE(c.stations[1].requests, std::uint64_t{3});
        QCOMPARE(c.stations[1].good, std::uint64_t{1});
        QCOMPARE(c.stations[1].failed, std::uint64_t{2});
        QCOMPARE(c.stations[2].failed, std::uint64_t{1});
        QCOMPARE(c.timedReplies, std::uint64_t{3}); // silence has no reply time
        QCOMPARE(c.meanReplyMs(), 40.0);
        QCOMPARE(c.longestReplyMs, 40u);
        QCOMPARE(QString::fromStdString(resultText(store.at(3).row)),
                 QStringLiteral("bez odpovědi po 556 ms"));
    }

    void viewFollowsFilterAndDrops() {
        TelegramStore store(100);
        TelegramView all(store);
        TelegramView failures(store);
        failures.setFilter(onlyFailures());
        TelegramView station2(store);
        TelegramFilter second;
        second.station = 2;
        station2.setFilter(second);
        for (int i = 0; i < 30; ++i) exchange(store, i % 3 == 0 ? Outcome::Silent : Outcome::Ok, i * 100);
        auto c = failures.sync();
        QCOMPARE(c.addedAtBottom, std::size_t{10});
        QCOMPARE(failures.seqAt(0), std::uint64_t{1}); // the reply, not its request
        QCOMPARE(station2.sync().addedAtBottom, std::size_t{0});
        QCOMPARE(all.sync().addedAtBottom, std::size_t{60});

        for (int i = 0; i < 30; ++i) exchange(store, Outcome::Ok, 5000 + i * 100, kMeasRequest2);
        c = all.sync(); // 120 telegrams in a store of 100: 20 dropped at the top
        QCOMPARE(c.removedAtTop, std::size_t{20});
        QCOMPARE(c.addedAtBottom, std::size_t{60});
        QCOMPARE(all.rowCount(), std::size_t{100});
        QCOMPARE(all.seqAt(0), store.firstSeq());
        c = failures.sync();
        QCOMPARE(c.removedAtTop, std::size_t{4}); // replies 1, 7, 13, 19 have gone
        // 6 silent replies left, and the 30 answers of station 1 to station 2's requests.
        QCOMPARE(c.addedAtBottom, std::size_t{30});
        QCOMPARE(failures.rowCount(), std::size_t{36});
        QCOMPARE(station2.sync().addedAtBottom, std::size_t{60});

        // Not synced (paused) while everything shown drops out: the next sync starts afresh.
        for (int i = 0; i < 60; ++i) exchange(store, Outcome::Ok, 9000 + i);
        TelegramModel model(store);
        TelegramFilter measurements;
        measurements.operation = TelegramOperation::Measurement;
        model.setFilter(measurements);
        QCOMPARE(model.rowCount(), 100);
        for (int i = 0; i < 60; ++i) exchange(store, Outcome::Silent, 20000 + i);
        QVERIFY(model.telegram(0) == nullptr); // dropped, shown blank until the next sync
        QCOMPARE(model.data(model.index(0, TelegramModel::Result), Qt::DisplayRole), QVariant());
        model.sync();
        QCOMPARE(model.rowCount(), 100);
        QCOMPARE(model.data(model.index(99, TelegramModel::Result), Qt::DisplayRole).toString(),
                 QStringLiteral("bez odpovědi po 556 ms"));

        // A full store: the unfiltered list keeps its rows and shifts them up.
        TelegramModel everything(store);
        exchange(store, Outcome::BadSum, 30000);
        const TelegramModel::Sync shift = everything.sync();
        QVERIFY(shift.shifted);
        QCOMPARE(shift.dropped, std::size_t{2});
        QCOMPARE(everything.rowCount(), 100);
        QCOMPARE(everything.telegram(99), &store.at(store.endSeq() - 1));
        QCOMPARE(everything.data(everything.index(99, TelegramModel::Result), Qt::DisplayRole)
                     .toString(),
                 QStringLiteral("chybný kontrolní součet"));
    }

    // A saved trace read back and decoded gives the rows the monitor showed, also when the
    // filter left the requests out; the CSV carries ISO 8601 times.
    void savedTraceDecodesAsShown() {
        TelegramStore store;
        exchange(store, Outcome::Ok, 1'700'000'000'000);
        exchange(store, Outcome::BadSum, 1'700'000'000'100);
        exchange(store, Outcome::Silent, 1'700'000'000'200);
        store.appendRequest(kMeasRequest, false, 1'700'000'001'000);
        TelegramView failures(store);
        failures.setFilter(onlyFailures());
        const QByteArray trace = traceExport(store, failures);
        const TraceText read = parseTrace(trace.toStdString());
        QCOMPARE(read.unreadable, 0);
        QCOMPARE(read.telegrams.size(), std::size_t{5}); // two failed replies, their requests, the failed write
        QCOMPARE(read.telegrams[0].ms, 0LL);
        QCOMPARE(read.telegrams[4].ms, 900LL);
        QVERIFY(!read.telegrams[4].lineOk);
        TelegramDecoder decoder;
        const std::uint64_t seqs[] = {2, 3, 4, 5, 6};
        for (std::size_t i = 0; i < read.telegrams.size(); ++i) {
            const TraceLine& t = read.telegrams[i];
            const TelegramRow row = t.direction == TelegramDirection::Request
                                        ? decoder.request(t.bytes, t.lineOk)
                                        : decoder.reply(t.bytes, t.lineOk, milliseconds(store.at(seqs[i]).row.waitMs));
            QCOMPARE(QString::fromStdString(rowText(row)),
                     QString::fromStdString(rowText(store.at(seqs[i]).row)));
        }

        TelegramView all(store);
        const QList<QByteArray> csv = csvExport(store, all).split('\n');
        QCOMPARE(csv.size(), 9); // header, 7 telegrams, empty rest after the last line end
        QCOMPARE(QString::fromUtf8(csv[0]),
                 QStringLiteral("čas,směr,stanice,rámec,obsah,délka,výsledek,bajty"));
        const QStringList first = QString::fromUtf8(csv[1]).split(',');
        QCOMPARE(first.size(), 8);
        const QDateTime when = QDateTime::fromString(first[0], Qt::ISODateWithMs);
        QCOMPARE(when.toMSecsSinceEpoch(), 1'700'000'000'000LL);
        QCOMPARE(first[7], QStringLiteral("68 04 04 68 01 00 6C 03 70 16"));
        QCOMPARE(QString::fromUtf8(csv[4]).section(',', 6, 6), QStringLiteral("chybný kontrolní součet"));
    }
};

QTEST_MAIN(TestMonitorStore)
#include "test_monitor_store.moc"
