// The link's operations against a scripted line: exact request bytes, read counts, reply
// checks, broadcast, purges and refusals.
#include "fixtures/scripted_line.h"
#include "link/link.h"
#include "link/telegram_decode.h"
#include "link/trace_line.h"

#include <QTest>

#include <cstring>
#include <functional>
#include <string>

using namespace vx52;
using test::Bytes;
using test::ScriptedLine;

Q_DECLARE_METATYPE(Bytes)

namespace {

// A data reply built independently of the code under test.
Bytes dataReply(std::uint8_t da, std::uint8_t sa, const Bytes& data, std::uint8_t fc = 0x08) {
    const auto le = static_cast<std::uint8_t>(data.size() + 3);
    Bytes f{0x68, le, le, 0x68, da, sa, fc};
    f.insert(f.end(), data.begin(), data.end());
    unsigned sum = 0;
    for (std::size_t i = 4; i < f.size(); ++i) sum += f[i];
    f.push_back(static_cast<std::uint8_t>(sum));
    f.push_back(0x16);
    return f;
}

Bytes ascii(const char* text) { return Bytes(text, text + std::strlen(text)); }

struct Fixture {
    ScriptedLine line;
    Link link;
    std::vector<std::pair<std::string, std::string>> notices;
    Fixture() {
        link.setLine(&line);
        link.SetDeviceAddress(1);
        link.SetHostAddress(0);
        link.setNotifier([this](const std::string& t, const std::string& c) {
            notices.emplace_back(t, c);
        });
    }
};

using Operation = std::function<std::uint8_t(Link&)>;

} // namespace

Q_DECLARE_METATYPE(Operation)

namespace {

// Decodes what the link puts on the line, as the monitor and `--trace --decode` do.
struct DecodingObserver : TelegramObserver {
    TelegramDecoder decoder;
    std::vector<TelegramRow> rows;
    std::vector<Bytes> bytes;
    void sent(std::span<const std::uint8_t> b, bool ok, Clock::time_point) override {
        rows.push_back(decoder.request(b, ok));
        bytes.emplace_back(b.begin(), b.end());
    }
    void received(std::span<const std::uint8_t> b, bool ok, Clock::time_point) override {
        rows.push_back(decoder.reply(b, ok, std::chrono::milliseconds(556)));
        bytes.emplace_back(b.begin(), b.end());
    }
    void late(std::span<const std::uint8_t> b, Clock::time_point) override {
        rows.push_back(decoder.late(b, std::chrono::milliseconds(700)));
        bytes.emplace_back(b.begin(), b.end());
    }
};

QStringList strings(const std::vector<std::string>& lines) {
    QStringList out;
    for (const auto& l : lines) out << QString::fromStdString(l);
    return out;
}

} // namespace

class TestLinkOps : public QObject {
    Q_OBJECT
private slots:
    void requestBytes_data() {
        QTest::addColumn<Operation>("op");
        QTest::addColumn<Bytes>("request");
        QTest::addColumn<int>("readSize");
        QTest::newRow("device type") << Operation([](Link& l) { return l.ReadDeviceType(); })
                                     << Bytes{0x68, 4, 4, 0x68, 1, 0, 0x6C, 0x00, 0x6D, 0x16} << 255;
        QTest::newRow("measurement") << Operation([](Link& l) { return l.ReadMeasurement(); })
                                     << Bytes{0x68, 4, 4, 0x68, 1, 0, 0x6C, 0x03, 0x70, 0x16} << 28;
        QTest::newRow("version") << Operation([](Link& l) { return l.ReadDeviceVersion(); })
                                 << Bytes{0x68, 4, 4, 0x68, 1, 0, 0x6C, 0x04, 0x71, 0x16} << 255;
        QTest::newRow("eeprom") << Operation([](Link& l) { return l.StoreToEeprom(); })
                                << Bytes{0x68, 4, 4, 0x68, 1, 0, 0x63, 0x06, 0x6A, 0x16} << 6;
        QTest::newRow("write table 0")
            << Operation([](Link& l) {
                   l.params().COMP.SP = 1.0f;
                   return l.WriteTable(0);
               })
            << Bytes{0x68, 0x0B, 0x0B, 0x68, 1, 0, 0x63, 2, 0, 4, 0, 0x3F, 0x80, 0, 0, 0x29, 0x16}
            << 6;
        QTest::newRow("probe 5") << Operation([](Link& l) {
            l.SetDeviceAddress(5);
            return l.ProbeStation();
        }) << Bytes{0x10, 0x05, 0x00, 0x69, 0x6E, 0x16} << 6;
        QTest::newRow("read table 7") << Operation([](Link& l) { return l.ReadTable(7); })
                                      << Bytes{0x68, 7, 7, 0x68, 1, 0, 0x6C, 1, 7, 0x0C, 0, 0x81, 0x16}
                                      << 21;
        QTest::newRow("foreign ident") << Operation([](Link& l) { return l.ReadForeignIdent(); })
                                       << Bytes{0x68, 4, 4, 0x68, 1, 0, 0x6C, 0x00, 0x6D, 0x16} << 254;
    }
    void requestBytes() {
        QFETCH(Operation, op);
        QFETCH(Bytes, request);
        QFETCH(int, readSize);
        Fixture f;
        QCOMPARE(op(f.link), std::uint8_t{0}); // nothing answers
        QCOMPARE(f.line.written.size(), std::size_t{1});
        QCOMPARE(f.line.written[0], request);
        // Silence fails the exchange; a second read of the same length waits for quiet.
        QCOMPARE(f.line.readSizes, std::vector<std::size_t>(2, std::size_t(readSize)));
    }

    void tableReadAndItsChecks() {
        Fixture f;
        const Bytes payload{0x3F, 0x80, 0, 0, 0x40, 0, 0, 0, 0x40, 0x40, 0, 0};
        f.line.replies.push_back(dataReply(0, 1, payload));
        QCOMPARE(f.link.ReadTable(7), std::uint8_t{1});
        QCOMPARE(f.link.params().PID.PB, 1.0f);
        QCOMPARE(f.link.params().PID.TI, 2.0f);
        QCOMPARE(f.link.params().PID.TD, 3.0f);

        const ParamSet before = f.link.params();
        const Bytes other{0x41, 0x20, 0, 0, 0x41, 0x20, 0, 0, 0x41, 0x20, 0, 0};

        Bytes wrongFc = dataReply(0, 1, other, 0x09);
        f.line.replies.push_back(wrongFc);
        QCOMPARE(f.link.ReadTable(7), std::uint8_t{0});

        Bytes badSum = dataReply(0, 1, other);
        badSum[badSum.size() - 2] ^= 0x01;
        f.line.replies.push_back(badSum);
        QCOMPARE(f.link.ReadTable(7), std::uint8_t{0});

        Bytes badEnd = dataReply(0, 1, other);
        badEnd.back() = 0x17;
        f.line.replies.push_back(badEnd);
        QCOMPARE(f.link.ReadTable(7), std::uint8_t{0});

        Bytes lengthsDiffer = dataReply(0, 1, other);
        lengthsDiffer[2] = 0x0E;
        f.line.replies.push_back(lengthsDiffer);
        QCOMPARE(f.link.ReadTable(7), std::uint8_t{0});
        QVERIFY(f.link.params() == before);

        Bytes damagedSecondStart = dataReply(0, 1, other);
        damagedSecondStart[3] = 0x00;
        f.line.replies.push_back(damagedSecondStart);
        QCOMPARE(f.link.ReadTable(7), std::uint8_t{1});
        QCOMPARE(f.link.params().PID.PB, 10.0f);
    }

    void shortTableReadLeavesParamsAlone() {
        Fixture f;
        // A valid 20-byte frame (11-byte payload) where table 7 expects 21 bytes.
        f.line.replies.push_back(dataReply(0, 1, Bytes(11, 0x41)));
        const ParamSet before = f.link.params();
        QCOMPARE(f.link.ReadTable(7), std::uint8_t{0});
        QVERIFY(f.link.params() == before);
    }

    void failedExchangeWaitsForAQuietLine() {
        // r purge receive, t purge transmit, W write, R read. A healthy exchange reads once;
        // a failed one reads on until a read gets nothing (a read of the same length: its
        // whole time-out of quiet), then purges.
        Fixture f;
        QCOMPARE(f.link.ReadTable(3), std::uint8_t{0});
        QCOMPARE(f.line.calls, std::string("rtWRRtr"));
        QCOMPARE(f.line.readSizes, (std::vector<std::size_t>{20, 20}));
        f.line.calls.clear();
        f.line.replies.push_back({0x10, 0x00, 0x01, 0x00, 0x01, 0x16});
        QCOMPARE(f.link.StoreToEeprom(), std::uint8_t{1});
        QCOMPARE(f.line.calls, std::string("rtWR"));
        f.line.calls.clear();

        // A reply 700 ms late: the eeprom's acknowledgement would pass for the probe's.
        struct Late : TelegramObserver {
            std::vector<Bytes> chunks;
            int reads = 0;
            void sent(std::span<const std::uint8_t>, bool, Clock::time_point) override {}
            void received(std::span<const std::uint8_t>, bool, Clock::time_point) override { ++reads; }
            void late(std::span<const std::uint8_t> b, Clock::time_point) override {
                chunks.emplace_back(b.begin(), b.end());
            }
        } observer;
        f.link.setObserver(&observer);
        const Bytes ack{0x10, 0x00, 0x01, 0x00, 0x01, 0x16};
        f.line.replies = {{}, ack, {}};
        QCOMPARE(f.link.StoreToEeprom(), std::uint8_t{0});
        QCOMPARE(f.line.calls, std::string("rtWRRRtr"));
        QCOMPARE(observer.reads, 1);
        QCOMPARE(observer.chunks, std::vector<Bytes>{ack});
        QVERIFY(f.line.replies.empty());
        QCOMPARE(f.link.ProbeStation(), std::uint8_t{0}); // nothing left to take

        // A late table reply read in pieces of the failed read's length is one report, up to
        // the read that ends short.
        observer.chunks.clear();
        const Bytes table2 = dataReply(0, 1, Bytes(24, 0x41));
        f.line.replies = {{0x10}};
        for (std::size_t at = 0; at < table2.size(); at += 6)
            f.line.replies.emplace_back(table2.begin() + at,
                                        table2.begin() + std::min(at + 6, table2.size()));
        QCOMPARE(f.link.StoreToEeprom(), std::uint8_t{0});
        QCOMPARE(observer.chunks, std::vector<Bytes>{table2});

        // A line that never goes quiet is left after about a kilobyte.
        f.line.calls.clear();
        f.line.replies.assign(1000, Bytes(6, 0xFF));
        QCOMPARE(f.link.ProbeStation(), std::uint8_t{0});
        const std::size_t reads = std::size_t(std::count(f.line.calls.begin(), f.line.calls.end(), 'R'));
        QVERIFY2(reads > 100 && reads < 200, qPrintable(QString::number(reads)));
        QVERIFY(f.line.calls.ends_with("Rtr"));

        // A write that failed has nothing to wait for; neither has a refused table number.
        f.line.replies.clear();
        f.line.calls.clear();
        f.line.writeOk = false;
        QCOMPARE(f.link.ReadMeasurement(), std::uint8_t{0});
        QCOMPARE(f.line.calls, std::string("rtWtr"));
        f.line.calls.clear();
        QCOMPARE(f.link.ReadTable(14), std::uint8_t{0});
        QCOMPARE(f.line.calls, std::string());
    }

    // Within an address search a late acknowledgement names its station: it is credited,
    // and the read goes on for the station asked; nothing waits for a quiet line.
    void searchCreditsLateAcknowledgements() {
        Fixture f;
        const auto ack = [](std::uint8_t from) {
            return Bytes{0x10, 0x00, from, 0x00, std::uint8_t(from), 0x16};
        };
        f.link.beginSearch();
        f.link.SetDeviceAddress(17);
        QCOMPARE(f.link.ProbeStationFast(), std::uint8_t{0});
        f.line.replies = {ack(17), ack(18)};
        f.link.SetDeviceAddress(18);
        QCOMPARE(f.link.ProbeStationFast(), std::uint8_t{1});
        QCOMPARE(f.link.takeLateStations(), std::vector<std::uint8_t>{17});
        QVERIFY(f.link.takeLateStations().empty());
        // Not yet probed, answered already, or (station 19, probed by now) to another PC:
        // another station's, as ever.
        for (const Bytes& stray : {ack(30), ack(18), Bytes{0x10, 0x05, 19, 0x00, 24, 0x16}}) {
            f.line.replies = {stray};
            f.link.SetDeviceAddress(19);
            QCOMPARE(f.link.ProbeStation(), std::uint8_t{0});
            QCOMPARE(f.link.lastFailure().cause, FailureCause::WrongStation);
        }
        QVERIFY(f.link.takeLateStations().empty());
        // Probes in a search keep what has arrived: no receive purge, no wait for quiet.
        QCOMPARE(f.line.calls, std::string("tWRtWRRtWRtWRtWR"));
        f.link.endSearch();

        // Outside a search the same late acknowledgement fails the probe.
        f.line.calls.clear();
        f.line.replies = {ack(17)};
        f.link.SetDeviceAddress(18);
        QCOMPARE(f.link.ProbeStation(), std::uint8_t{0});
        QVERIFY(f.link.takeLateStations().empty());
        QCOMPARE(f.line.calls, std::string("rtWRRtr"));
    }

    // Every reply that does not count fails the exchange the same way, and says why.
    void failureCauses_data() {
        QTest::addColumn<Operation>("op");
        QTest::addColumn<Bytes>("reply");
        QTest::addColumn<int>("cause");
        QTest::addColumn<QString>("text");
        const Operation table7([](Link& l) { return l.ReadTable(7); });
        const Operation meas([](Link& l) { return l.ReadMeasurement(); });
        const Operation eeprom([](Link& l) { return l.StoreToEeprom(); });
        const Operation probe([](Link& l) { return l.ProbeStation(); });
        const auto row = [](const char* name, Operation op, Bytes reply, FailureCause cause,
                            const char* text) {
            QTest::newRow(name) << op << reply << int(cause) << QString::fromUtf8(text);
        };
        const Bytes pid(12, 0x41);
        Bytes ghost = dataReply(0, 1, Bytes(1, 0x03)); // a 10-byte frame, LE 4, then filler
        ghost.resize(21, 0x42);
        Bytes badSum = dataReply(0, 1, Bytes(19, 0));
        badSum[26] ^= 0x01;
        Bytes badEnd = dataReply(0, 1, pid);
        badEnd.back() = 0x17;
        Bytes lengthsDiffer = dataReply(0, 1, pid);
        lengthsDiffer[2] = 0x0E;

        row("silent probe", probe, {}, FailureCause::NoReply, "no reply after *");
        row("meas: 10 of 28 bytes", meas, dataReply(0, 1, Bytes(1, 0)), FailureCause::ShortReply,
            "short reply: 10 of 28 bytes");
        row("table 7: LE 4 and filler", table7, ghost, FailureCause::BadLength,
            "bad length: LE 4, expected 15");
        row("table 7: LE bytes differ", table7, lengthsDiffer, FailureCause::BadLength,
            "bad length: LE 15, expected 15");
        row("table 7: from station 2", table7, dataReply(0, 2, pid), FailureCause::WrongStation,
            "reply from station 2, asked 1");
        row("table 7: to PC 5", table7, dataReply(5, 1, pid), FailureCause::WrongStation,
            "reply from station 1 to 5, asked 1 from 0");
        row("table 7: bad end byte", table7, badEnd, FailureCause::BadFrame,
            "not the awaited frame (byte 17)");
        row("table 7: refusal instead of data", table7, {0x10, 0x00, 0x01, 0x05, 0x06, 0x16},
            FailureCause::Refused, "refused (FC 05)");
        row("meas: bad check sum", meas, badSum, FailureCause::BadCheckSum, "bad check sum");
        row("meas: FC 09", meas, dataReply(0, 1, Bytes(19, 0), 0x09), FailureCause::BadFrame,
            "not the awaited frame (byte 09)");
        row("type: from station 3", Operation([](Link& l) { return l.ReadDeviceType(); }),
            dataReply(0, 3, ascii("QDX")), FailureCause::WrongStation,
            "reply from station 3, asked 1");
        row("eeprom: refused", eeprom, {0x10, 0x00, 0x01, 0x05, 0x06, 0x16},
            FailureCause::Refused, "refused (FC 05)");
        row("eeprom: ack of station 2", eeprom, {0x10, 0x00, 0x02, 0x00, 0x02, 0x16},
            FailureCause::WrongStation, "reply from station 2, asked 1");
        row("eeprom: ack without its end byte", eeprom, {0x10, 0x00, 0x01, 0x00, 0x01, 0x17},
            FailureCause::BadFrame, "not the awaited frame (byte 17)");
        row("meas: ack of station 2 where data was due", meas,
            {0x10, 0x00, 0x02, 0x00, 0x02, 0x16}, FailureCause::WrongStation,
            "reply from station 2, asked 1");
        row("probe: the request echoed", probe, {0x10, 0x01, 0x00, 0x00, 0x01, 0x16},
            FailureCause::WrongStation, "reply from station 0 to 1, asked 1 from 0");
        row("write 11: ack from the old address", Operation([](Link& l) {
                l.params().ADD.ADRESA = 9;
                return l.WriteTable(11);
            }),
            {0x10, 0x00, 0x01, 0x00, 0x01, 0x16}, FailureCause::None, "no failure");
        row("table 14", Operation([](Link& l) { return l.ReadTable(14); }), {},
            FailureCause::BadTable, "table number out of range");
    }
    void failureCauses() {
        QFETCH(Operation, op);
        QFETCH(Bytes, reply);
        QFETCH(int, cause);
        QFETCH(QString, text);
        Fixture f;
        if (!reply.empty()) f.line.replies.push_back(reply);
        const ParamSet before = f.link.params();
        const std::uint8_t result = op(f.link);
        QCOMPARE(result, std::uint8_t(cause == int(FailureCause::None) ? 1 : 0));
        QCOMPARE(int(f.link.lastFailure().cause), cause);
        const QString said = QString::fromStdString(f.link.lastFailure().text());
        if (text.endsWith('*')) // the time waited is the clock's
            QVERIFY2(said.startsWith(text.chopped(1)), qPrintable(said));
        else
            QCOMPARE(said, text);
        if (result == 0) {
            QVERIFY(f.link.params() == before);
            // Any failed reply is followed by a wait for a quiet line and a purge.
            QCOMPARE(f.line.calls.ends_with("RRtr"), !f.line.written.empty());
        }
        // The next success clears the cause.
        f.line.replies.push_back({0x10, 0x00, 0x01, 0x00, 0x01, 0x16});
        QCOMPARE(f.link.ProbeStation(), std::uint8_t{1});
        QVERIFY(!f.link.lastFailure().failed());
    }

    void broadcast() {
        Fixture f;
        f.link.SetDeviceAddress(127);
        const ParamSet before = f.link.params();
        QCOMPARE(f.link.ReadTable(0), std::uint8_t{1});
        QCOMPARE(f.link.ReadMeasurement(), std::uint8_t{1});
        QVERIFY(f.line.readSizes.empty());
        QVERIFY(f.link.params() == before);
        QCOMPARE(f.line.written[0][4], std::uint8_t{127});

        QCOMPARE(f.link.WriteTable(0), std::uint8_t{0}); // waits for an acknowledgement in vain
        QCOMPARE(f.line.readSizes, (std::vector<std::size_t>{6, 6}));

        f.line.writeOk = false;
        QCOMPARE(f.link.ReadMeasurement(), std::uint8_t{0});
    }

    void acknowledgements() {
        Fixture f;
        f.line.replies.push_back({0x10, 0x00, 0x01, 0x05, 0x06, 0x16});
        QCOMPARE(f.link.StoreToEeprom(), std::uint8_t{0}); // refusal with a right check sum
        f.line.replies.push_back({0x10, 0x00, 0x01, 0x00, 0x01, 0x16});
        QCOMPARE(f.link.StoreToEeprom(), std::uint8_t{1});
        f.line.replies.push_back({0x10, 0x00, 0x01, 0x00, 0x01, 0x16});
        QCOMPARE(f.link.WriteTable(11), std::uint8_t{1});
        f.line.replies.push_back({0x10, 0x00, 0x01, 0x00, 0x02, 0x16});
        QCOMPARE(f.link.ProbeStation(), std::uint8_t{0});
        f.line.replies.push_back({0x10, 0x00, 0x01, 0x00, 0x01});
        QCOMPARE(f.link.ProbeStation(), std::uint8_t{0});
    }

    void refusedTableNumbersSendNothing() {
        Fixture f;
        QCOMPARE(f.link.ReadTable(14), std::uint8_t{0});
        QCOMPARE(f.link.ReadTable(-1), std::uint8_t{0});
        QCOMPARE(f.link.WriteTable(12), std::uint8_t{0});
        QVERIFY(f.line.written.empty());
        QCOMPARE(f.notices.size(), std::size_t{3});
        QCOMPARE(f.notices[0].first, std::string("Chyba, číslo tabulky mimo rozsah."));
        QCOMPARE(f.notices[0].second, std::string("Sériový Port"));
        QCOMPARE(f.notices[2].first, std::string("Nepředvídaná chyba, špatně zadaná tabulka"));
        QCOMPARE(f.notices[2].second, std::string("DATA"));
        f.line.replies.push_back(dataReply(0, 1, Bytes(12, 0)));
        QCOMPARE(f.link.ReadTable(13), std::uint8_t{1}); // read-only table, readable
    }

    void textReplies() {
        Fixture f;
        const Bytes twenty = ascii("FW-R-12-10 QDX72-4xx");
        f.line.replies.push_back(dataReply(0, 1, twenty));
        QCOMPARE(f.line.replies.front().size(), std::size_t{29});
        QCOMPARE(f.link.ReadDeviceType(), std::uint8_t{1});
        QCOMPARE(std::string(f.link.typeText()), std::string("FW-R-12-10 QDX72-4xx"));
        QCOMPARE(f.link.type_text[20], '\0');

        f.line.replies.push_back(dataReply(0, 1, ascii("FW-R-11-02")));
        QCOMPARE(f.link.ReadDeviceVersion(), std::uint8_t{1});
        QCOMPARE(std::string(f.link.versionText()), std::string("FW-R-11-02"));

        // A shorter text replaces a longer one completely.
        f.line.replies.push_back(dataReply(0, 1, ascii("AB")));
        QCOMPARE(f.link.ReadDeviceType(), std::uint8_t{1});
        QCOMPARE(std::string(f.link.typeText()), std::string("AB"));
    }

    void textRepliesThatFail() {
        Fixture f;
        f.line.replies.push_back(dataReply(0, 1, ascii("GOOD")));
        QCOMPARE(f.link.ReadDeviceType(), std::uint8_t{1});

        // LE of 128 or more is negative as a signed byte: never a match.
        f.line.replies.push_back(dataReply(0, 1, Bytes(125, 'x')));
        QCOMPARE(f.line.replies.front()[1], std::uint8_t{128});
        QCOMPARE(f.link.ReadDeviceType(), std::uint8_t{0});

        // LE below 3 has no data field; refused and nothing copied.
        f.line.replies.push_back({0x68, 2, 2, 0x68, 0x08, 0x00, 0x08, 0x16});
        QCOMPARE(f.link.ReadDeviceType(), std::uint8_t{0});

        // One byte more than LE + 6.
        Bytes longer = dataReply(0, 1, ascii("NEW"));
        longer.push_back(0);
        f.line.replies.push_back(longer);
        QCOMPARE(f.link.ReadDeviceType(), std::uint8_t{0});
        QCOMPARE(std::string(f.link.typeText()), std::string("GOOD"));
    }

    void foreignIdentification() {
        Fixture f;
        Bytes record(1 + 96, 0);
        record[0] = 0x55; // first data byte is not copied
        const char* name = "ABCDEFGHIJ";
        std::memcpy(record.data() + 1, name, 10);
        std::memcpy(record.data() + 33, "other", 5);
        f.line.replies.push_back(dataReply(0, 1, record, 0x08));
        QCOMPARE(f.link.ReadForeignIdent(), std::uint8_t{1});
        QCOMPARE(std::string(reinterpret_cast<const char*>(f.link.foreign_ident.data())),
                 std::string(name));
        QCOMPARE(std::string(reinterpret_cast<const char*>(f.link.foreign_ident.data() + 32)),
                 std::string("other"));

        // Nobody answers now: the earlier record still lies in rx_buf but must not count.
        QCOMPARE(f.link.ReadForeignIdent(), std::uint8_t{0});

        // Lenient as it is, the record must come from the station asked and go to this PC.
        f.line.replies.push_back(dataReply(0, 2, record, 0x08));
        QCOMPARE(f.link.ReadForeignIdent(), std::uint8_t{0});
        QCOMPARE(f.link.lastFailure().text(), std::string("reply from station 2, asked 1"));
        f.line.replies.push_back(dataReply(5, 1, record, 0x08));
        QCOMPARE(f.link.ReadForeignIdent(), std::uint8_t{0});
        QCOMPARE(f.link.lastFailure().cause, FailureCause::WrongStation);
        // A record cut short of its LE.
        Bytes cut = dataReply(0, 1, record, 0x08);
        cut.resize(60);
        f.line.replies.push_back(cut);
        QCOMPARE(f.link.ReadForeignIdent(), std::uint8_t{0});
        QCOMPARE(f.link.lastFailure().cause, FailureCause::ShortReply);

        // No check sum or end byte test, but LE must exceed 4.
        f.line.replies.push_back({0x68, 4, 4, 0x68, 0, 1, 0x08, 0x00, 0x09, 0x16});
        QCOMPARE(f.link.ReadForeignIdent(), std::uint8_t{0});
        f.line.replies.push_back({0x68, 5, 5, 0x68, 0, 1, 0x33, 0x00, 'Z', 0x00, 0x00});
        QCOMPARE(f.link.ReadForeignIdent(), std::uint8_t{1});
        QCOMPARE(f.link.foreign_ident[0], std::uint8_t{'Z'});
        QCOMPARE(f.link.foreign_ident[1], std::uint8_t{0});
    }

    void measurement() {
        Fixture f;
        Bytes payload{0x41, 0xAC, 0, 0, 0, 0, 0, 0, 0x42, 0xC8, 0, 0, 0x40, 0xE9, 0x99, 0x9A, 0x05,
                      0, 0};
        f.line.replies.push_back(dataReply(0, 1, payload));
        QCOMPARE(f.link.ReadMeasurement(), std::uint8_t{1});
        QCOMPARE(f.link.params().MEAS.OUT1, 21.5f);
        QCOMPARE(f.link.params().MEAS.RELAYS, std::uint8_t{5});
        payload[16] = 0x0F;
        Bytes cut = dataReply(0, 1, payload);
        cut.pop_back();
        f.line.replies.push_back(cut);
        QCOMPARE(f.link.ReadMeasurement(), std::uint8_t{0});
        QCOMPARE(f.link.params().MEAS.RELAYS, std::uint8_t{5});
    }

    void deadOrMissingLine() {
        Fixture f;
        f.line.readOk = false;
        f.line.replies.push_back({0x10, 0x00, 0x01, 0x00, 0x01, 0x16});
        QCOMPARE(f.link.ProbeStation(), std::uint8_t{0});
        QCOMPARE(f.link.lastFailure().cause, FailureCause::LineFailed);
        f.line.writeOk = false;
        f.line.readOk = true;
        QCOMPARE(f.link.ProbeStation(), std::uint8_t{0});
        QCOMPARE(f.line.readSizes.size(), std::size_t{1}); // a failed write reads nothing

        Link unconnected;
        QCOMPARE(unconnected.ReadMeasurement(), std::uint8_t{0});
        QCOMPARE(unconnected.ReadTable(0), std::uint8_t{0});
        QCOMPARE(unconnected.StoreToEeprom(), std::uint8_t{0});
    }

    void observerSeesEveryTelegram() {
        struct Trace : TelegramObserver {
            std::vector<std::pair<char, Bytes>> events;
            void sent(std::span<const std::uint8_t> b, bool, Clock::time_point) override {
                events.emplace_back('T', Bytes(b.begin(), b.end()));
            }
            void received(std::span<const std::uint8_t> b, bool, Clock::time_point) override {
                events.emplace_back('R', Bytes(b.begin(), b.end()));
            }
        } trace;
        Fixture f;
        f.link.setObserver(&trace);
        f.line.replies.push_back({0x10, 0x00, 0x01, 0x00, 0x01, 0x16});
        QCOMPARE(f.link.StoreToEeprom(), std::uint8_t{1});
        QCOMPARE(f.link.ReadMeasurement(), std::uint8_t{0});
        QCOMPARE(trace.events.size(), std::size_t{4});
        QCOMPARE(trace.events[0].first, 'T');
        QCOMPARE(trace.events[1].second, (Bytes{0x10, 0x00, 0x01, 0x00, 0x01, 0x16}));
        QCOMPARE(trace.events[3].first, 'R');
        QVERIFY(trace.events[3].second.empty());
    }

    // Every reply the link can meet, decoded against its request: the row's text, its fields,
    // and whether the link took the exchange as a success.
    void decodedReplies_data() {
        QTest::addColumn<Operation>("op");
        QTest::addColumn<Bytes>("reply");
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<bool>("linkAccepts");
        const Operation meas = [](Link& l) { return l.ReadMeasurement(); };
        const Operation pid = [](Link& l) { return l.ReadTable(7); };
        const Operation eeprom = [](Link& l) { return l.StoreToEeprom(); };
        const Bytes measPayload{0x41, 0xC4, 0x00, 0x00, 0x3F, 0x80, 0x00, 0x00, 0xC1, 0x20,
                                0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0xFF, 0xFE};
        const Bytes pidPayload{0x3F, 0xC0, 0, 0, 0x42, 0xC8, 0, 0, 0x3F, 0x80, 0, 0};
        const QString measRequest = "→ 1 | požadavek FC 6C | měření | 10 B | OK";
        const QString pidRequest = "→ 1 | požadavek FC 6C | čtení tabulky 7 PID | 13 B | OK";

        QTest::newRow("measurement") << meas << dataReply(0, 1, measPayload) << measRequest
                                     << "← 1 | data FC 08 | měření | 28 B | OK"
                                     << QStringList{"MEAS.OUT1 = 24,5", "MEAS.OUT2 = 1",
                                                    "MEAS.OUT3 = -10", "MEAS.OUT4 = 0",
                                                    "MEAS.RELAYS = 5", "MEAS.WORD = -2"}
                                     << true;
        QTest::newRow("table") << pid << dataReply(0, 1, pidPayload) << pidRequest
                               << "← 1 | data FC 08 | čtení tabulky 7 PID | 21 B | OK"
                               << QStringList{"PID.PB = 1,5", "PID.TI = 100", "PID.TD = 1"}
                               << true;
        QTest::newRow("silence") << pid << Bytes{} << pidRequest
                                 << "← 1 | — | čtení tabulky 7 PID | 0 B | bez odpovědi po 556 ms"
                                 << QStringList{} << false;
        Bytes shortReply = dataReply(0, 1, pidPayload);
        shortReply.resize(10);
        QTest::newRow("short") << pid << shortReply << pidRequest
                               << "← 1 | data FC 08 | čtení tabulky 7 PID | 10 B | krátká odpověď: 10 z 21 B"
                               << QStringList{} << false;
        Bytes badSum = dataReply(0, 1, pidPayload);
        ++badSum[badSum.size() - 2];
        QTest::newRow("check sum") << pid << badSum << pidRequest
                                   << "← 1 | data FC 08 | čtení tabulky 7 PID | 21 B | chybný kontrolní součet"
                                   << QStringList{} << false;
        QTest::newRow("wrong station") << pid << dataReply(0, 2, pidPayload) << pidRequest
                                       << "← 1 | data FC 08 | čtení tabulky 7 PID | 21 B | cizí stanice 2"
                                       << QStringList{} << false;
        QTest::newRow("to another PC") << pid << dataReply(5, 1, pidPayload) << pidRequest
                                       << "← 1 | data FC 08 | čtení tabulky 7 PID | 21 B | odpověď jinému adresátovi"
                                       << QStringList{} << false;
        Bytes trailing = dataReply(0, 1, ascii("QDX"));
        trailing.push_back(0x16);
        QTest::newRow("a byte after the frame")
            << Operation([](Link& l) { return l.ReadDeviceType(); }) << trailing
            << "→ 1 | požadavek FC 6C | typ zařízení | 10 B | OK"
            << "← 1 | data FC 08 | typ zařízení | 13 B | chybná délka" << QStringList{} << false;
        QTest::newRow("wrong FC") << meas << dataReply(0, 1, measPayload, 0x09) << measRequest
                                  << "← 1 | data FC 09 | měření | 28 B | chybný rámec"
                                  << QStringList{} << false;
        Bytes filler = dataReply(0, 1, {0x03});
        filler.resize(21, 0x20);
        QTest::newRow("short frame in filler") << pid << filler << pidRequest
                                               << "← 1 | data FC 08 | čtení tabulky 7 PID | 21 B | chybná délka"
                                               << QStringList{} << false;
        Bytes noise{0x00, 0xFF};
        const Bytes good = dataReply(0, 1, measPayload);
        noise.insert(noise.end(), good.begin(), good.end() - 2);
        QTest::newRow("noise") << meas << noise << measRequest
                               << "← 1 | neznámý rámec | měření | 28 B | chybný rámec"
                               << QStringList{} << false;
        QTest::newRow("refusal instead of data")
            << meas << Bytes{0x10, 0x00, 0x01, 0x05, 0x06, 0x16} << measRequest
            << "← 1 | odmítnutí FC 05 | měření | 6 B | odmítnuto (FC 05)" << QStringList{} << false;
        const QString eepromRequest = "→ 1 | požadavek FC 63 | EEPROM | 10 B | OK";
        QTest::newRow("acknowledged") << eeprom << Bytes{0x10, 0x00, 0x01, 0x00, 0x01, 0x16}
                                      << eepromRequest
                                      << "← 1 | potvrzení FC 00 | EEPROM | 6 B | OK"
                                      << QStringList{} << true;
        QTest::newRow("data where an acknowledgement was due")
            << eeprom << dataReply(0, 1, {0x00}) << eepromRequest
            << "← 1 | data | EEPROM | 6 B | chybný rámec" << QStringList{}
            << false;
        QTest::newRow("type text")
            << Operation([](Link& l) { return l.ReadDeviceType(); })
            << dataReply(0, 1, ascii("QDX 72-4xxx")) << "→ 1 | požadavek FC 6C | typ zařízení | 10 B | OK"
            << "← 1 | data FC 08 | typ zařízení | 20 B | OK" << QStringList{"QDX 72-4xxx"}
            << true;
        QTest::newRow("probe") << Operation([](Link& l) { return l.ProbeStation(); })
                               << Bytes{0x10, 0x00, 0x01, 0x00, 0x01, 0x16}
                               << "→ 1 | požadavek FC 69 | hledání stanice | 6 B | OK"
                               << "← 1 | potvrzení FC 00 | hledání stanice | 6 B | OK"
                               << QStringList{} << true;
    }

    void decodedReplies() {
        QFETCH(Operation, op);
        QFETCH(Bytes, reply);
        QFETCH(QString, request);
        QFETCH(QString, row);
        QFETCH(QStringList, fields);
        QFETCH(bool, linkAccepts);
        Fixture f;
        DecodingObserver trace;
        f.link.setObserver(&trace);
        f.line.replies.push_back(reply);
        const std::uint8_t result = op(f.link);
        QCOMPARE(trace.rows.size(), std::size_t{2});
        QCOMPARE(QString::fromStdString(rowText(trace.rows[0])), request);
        QCOMPARE(QString::fromStdString(rowText(trace.rows[1])), row);
        QCOMPARE(strings(fieldLines(trace.rows[1], trace.bytes[1], ',')), fields);
        QCOMPARE(result == 1, linkAccepts);
        // The monitor shows the link's own judgement.
        QCOMPARE(int(trace.rows[1].result), int(f.link.lastFailure().cause));
    }

    // Bytes discarded while waiting for a quiet line show as a late reply to the request
    // before them, decoded as such.
    void lateReplyShowsWithItsDecoding() {
        Fixture f;
        DecodingObserver trace;
        f.link.setObserver(&trace);
        const Bytes pidPayload{0x3F, 0xC0, 0, 0, 0x42, 0xC8, 0, 0, 0x3F, 0x80, 0, 0};
        f.line.replies = {{}, dataReply(0, 1, pidPayload)};
        QCOMPARE(f.link.ReadTable(7), std::uint8_t{0});
        QCOMPARE(trace.rows.size(), std::size_t{3});
        QCOMPARE(QString::fromStdString(rowText(trace.rows[2])),
                 QStringLiteral("← 1 | data FC 08 | čtení tabulky 7 PID | 21 B | pozdní odpověď"));
        QCOMPARE(strings(fieldLines(trace.rows[2], trace.bytes[2], ',')),
                 (QStringList{"PID.PB = 1,5", "PID.TI = 100", "PID.TD = 1"}));
        f.line.replies = {{}, {0x10, 0x00, 0x01}};
        QCOMPARE(f.link.ReadTable(7), std::uint8_t{0});
        QCOMPARE(QString::fromStdString(resultText(trace.rows.back())),
                 QStringLiteral("pozdní odpověď, krátká odpověď"));
    }

    void writeRequestShowsItsFieldsAndLineFailuresShow() {
        Fixture f;
        DecodingObserver trace;
        f.link.setObserver(&trace);
        f.link.params().COMP.SP = 2.5f;
        f.line.replies.push_back({0x10, 0x00, 0x01, 0x00, 0x01, 0x16});
        QCOMPARE(f.link.WriteTable(0), std::uint8_t{1});
        QCOMPARE(QString::fromStdString(rowText(trace.rows[0])),
                 QStringLiteral("→ 1 | požadavek FC 63 | zápis tabulky 0 COMP | 17 B | OK"));
        QCOMPARE(strings(fieldLines(trace.rows[0], trace.bytes[0], '.')),
                 QStringList{"COMP.SP = 2.5"});
        f.line.writeOk = false;
        QCOMPARE(f.link.ReadMeasurement(), std::uint8_t{0});
        QCOMPARE(QString::fromStdString(resultText(trace.rows[2])), QStringLiteral("chyba linky"));
        f.line.writeOk = true;
        f.line.readOk = false;
        QCOMPARE(f.link.ReadMeasurement(), std::uint8_t{0});
        QCOMPARE(trace.rows[4].result, TelegramResult::LineFailed);
    }

    // The trace's one line format: what the writer gives, the reader takes back; the decoded
    // text of --decode and foreign lines are not telegrams.
    void traceLinesReadBack() {
        const Bytes probe{0x10, 0x05, 0x00, 0x69, 0x6E, 0x16};
        const std::string sent = traceLineText(TelegramDirection::Request, 12, probe, true);
        QCOMPARE(QString::fromStdString(sent), QStringLiteral("TX 12 10 05 00 69 6E 16"));
        const std::string silence = traceLineText(TelegramDirection::Reply, 530, {}, true);
        QCOMPARE(QString::fromStdString(silence), QStringLiteral("RX 530"));
        const std::string failed = traceLineText(TelegramDirection::Request, 7, probe, false);
        QCOMPARE(QString::fromStdString(failed), QStringLiteral("TX 7 10 05 00 69 6E 16 (line failed)"));
        const std::string late = traceLineText(TelegramDirection::Reply, 900, probe, true, true);
        QCOMPARE(QString::fromStdString(late), QStringLiteral("RX 900 10 05 00 69 6E 16 (late)"));

        const std::string text = sent + "\n  → 5 | požadavek FC 69 | hledání stanice | 6 B | OK\n" +
                                 silence + "\r\n" + failed + "\nRX 9 6G\nRX -3 10\nhello\n" +
                                 late + "\n\n";
        const TraceText trace = parseTrace(text);
        QCOMPARE(trace.telegrams.size(), std::size_t{4});
        QVERIFY(trace.telegrams[3].late);
        QVERIFY(!trace.telegrams[1].late);
        QCOMPARE(trace.telegrams[3].bytes, probe);
        QCOMPARE(trace.unreadable, 3);
        QCOMPARE(trace.telegrams[0].bytes, probe);
        QCOMPARE(trace.telegrams[0].ms, 12LL);
        QVERIFY(trace.telegrams[1].direction == TelegramDirection::Reply);
        QVERIFY(trace.telegrams[1].bytes.empty());
        QVERIFY(trace.telegrams[1].lineOk);
        QVERIFY(!trace.telegrams[2].lineOk);
        QCOMPARE(trace.telegrams[2].bytes, probe);
    }
};

QTEST_APPLESS_MAIN(TestLinkOps)
#include "test_link_ops.moc"
