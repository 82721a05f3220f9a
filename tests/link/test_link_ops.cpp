// The link's operations against a scripted line: exact request bytes, read counts, reply
// checks, broadcast, purges and refusals.
#include "fixtures/scripted_line.h"
#include "link/link.h"

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
        QCOMPARE(f.line.readSizes, std::vector<std::size_t>{std::size_t(readSize)});
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

    void purgesAfterFailedTableTransfersOnly() {
        Fixture f;
        QCOMPARE(f.link.ReadTable(3), std::uint8_t{0});
        QCOMPARE(f.line.purgesTransmit, 2); // one before the write, one after the failure
        QCOMPARE(f.line.purgesReceive, 2);
        QCOMPARE(f.link.WriteTable(3), std::uint8_t{0});
        QCOMPARE(f.line.purgesTransmit, 4);
        QCOMPARE(f.link.ReadMeasurement(), std::uint8_t{0});
        QCOMPARE(f.link.StoreToEeprom(), std::uint8_t{0});
        QCOMPARE(f.line.purgesTransmit, 6); // only the purges of the two writes
        QCOMPARE(f.line.purgesReceive, 6);
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
        QCOMPARE(f.line.readSizes, std::vector<std::size_t>{6});

        f.line.writeOk = false;
        QCOMPARE(f.link.ReadMeasurement(), std::uint8_t{0});
    }

    void acknowledgements() {
        Fixture f;
        f.line.replies.push_back({0x10, 0x01, 0x00, 0x05, 0x06, 0x16});
        QCOMPARE(f.link.StoreToEeprom(), std::uint8_t{0}); // refusal with a right check sum
        f.line.replies.push_back({0x10, 0x01, 0x00, 0x00, 0x01, 0x16});
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
};

QTEST_APPLESS_MAIN(TestLinkOps)
#include "test_link_ops.moc"
