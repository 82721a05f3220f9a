// Table catalogue and wire encodings.
#include "link/param_set.h"
#include "link/tables.h"

#include <QTest>

#include <array>
#include <vector>

using namespace vx52;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes encode(const ParamSet& p, int table) {
    Bytes out(payloadLength(table));
    encodePayload(p, table, out);
    return out;
}

// Gives every field of every table a distinct value that survives a float round trip.
ParamSet distinctValues() {
    ParamSet p;
    int k = 1;
    for (int t = 0; t < kTableCount; ++t) {
        const TableDef& def = catalogue()[t];
        for (const FieldDef& f : def.fields) {
            auto ref = findField(p, std::string(def.group) + "." + std::string(f.key));
            const double v = f.type == FieldType::Float   ? -1234.5 + 17.25 * k
                             : f.type == FieldType::Int16 ? -300 + 97 * k
                                                          : (k * 37) % 256;
            Q_ASSERT(ref && ref->set(v));
            ++k;
        }
    }
    return p;
}

} // namespace

class TestTables : public QObject {
    Q_OBJECT
private slots:
    void payloadLengthsMatchFields() {
        const std::array<std::size_t, kTableCount> expected{4, 11, 11, 11, 11, 11, 11,
                                                            12, 6, 2, 14, 1, 19, 12};
        for (int t = 0; t < kTableCount; ++t) {
            std::size_t sum = 0;
            for (const FieldDef& f : catalogue()[t].fields) sum += wireSize(f.type);
            QCOMPARE(sum, expected[t]);
            QCOMPARE(payloadLength(t), expected[t]);
        }
    }

    void encodings() {
        ParamSet p;
        p.COMP.SP = 1.0f;
        QCOMPARE(encode(p, 0), (Bytes{0x3F, 0x80, 0x00, 0x00}));

        const Bytes minusTen{0xC1, 0x20, 0x00, 0x00};
        decodePayload(p, 0, minusTen);
        QCOMPARE(p.COMP.SP, -10.0f);

        p.REGO = {};
        p.REGO.DSER = 60;
        p.REGO.DEAD = -2;
        QCOMPARE(encode(p, 8), (Bytes{0x00, 0x00, 0x3C, 0xFF, 0xFE, 0x00}));

        p.ALARM1 = {1.0f, 1.0f, 0, 1, 0};
        QCOMPARE(encode(p, 1),
                 (Bytes{0x3F, 0x80, 0, 0, 0x3F, 0x80, 0, 0, 0x00, 0x01, 0x00}));
    }

    void wireOrderDiffersFromFileOrder() {
        ParamSet p;
        p.OSTAT.VERZE = 2;
        p.OSTAT.CON1 = 1.0f;
        p.OSTAT.CON2 = -2.0f;
        p.OSTAT.PASS1 = 0x0102;
        p.OSTAT.PASS2 = -1;
        p.OSTAT.FILT = 15;
        QCOMPARE(encode(p, 10), (Bytes{0x02, 0x3F, 0x80, 0, 0, 0xC0, 0x00, 0, 0, 0x01, 0x02,
                                       0xFF, 0xFF, 0x0F}));
        p.SENS3 = {1, 2, 0.5f, 100.0f, 4};
        QCOMPARE(encode(p, 5), (Bytes{0x01, 0x02, 0x3F, 0, 0, 0, 0x42, 0xC8, 0, 0, 0x04}));
    }

    void measurementRelays() {
        ParamSet p;
        const Bytes payload{0x41, 0xAC, 0, 0, 0, 0, 0, 0, 0x42, 0xC8, 0, 0,
                            0x40, 0xE9, 0x99, 0x9A, 0x05, 0x12, 0x34};
        decodePayload(p, kMeasTable, payload);
        QCOMPARE(p.MEAS.OUT1, 21.5f);
        QCOMPARE(p.MEAS.OUT3, 100.0f);
        QCOMPARE(p.MEAS.RELAYS, std::uint8_t{5});
        QCOMPARE(p.MEAS.WORD, std::int16_t{0x1234});
        QVERIFY(p.MEAS.RELAYS & 0x01);
        QVERIFY(!(p.MEAS.RELAYS & 0x02));
        QVERIFY(p.MEAS.RELAYS & 0x04);
        QVERIFY(!(p.MEAS.RELAYS & 0x08));
    }

    void auxTableTouchesOnlyAux() {
        ParamSet p = distinctValues();
        ParamSet before = p;
        const Bytes payload{0x3F, 0x80, 0, 0, 0x40, 0, 0, 0, 0x40, 0x40, 0, 0};
        decodePayload(p, 13, payload);
        QCOMPARE(p.AUX.V3, 3.0f);
        before.AUX = p.AUX;
        QVERIFY(p == before);
    }

    void roundTripOfEveryTable() {
        const ParamSet source = distinctValues();
        ParamSet copy;
        for (int t = 0; t < kTableCount; ++t) {
            const Bytes wire = encode(source, t);
            decodePayload(copy, t, wire);
            QCOMPARE(encode(copy, t), wire);
        }
        QVERIFY(copy == source);
    }

    void linkBufferOffsets() {
        ParamSet p;
        p.COMP.SP = 1.0f;
        std::array<std::uint8_t, 256> tx{};
        QCOMPARE(EncodeTable(p, 0, tx), std::size_t{15});
        QCOMPARE(tx[11], std::uint8_t{0x3F});
        QCOMPARE(tx[12], std::uint8_t{0x80});
        std::array<std::uint8_t, 256> rx{};
        rx[7] = 0xC1;
        rx[8] = 0x20;
        DecodeTable(p, 0, rx);
        QCOMPARE(p.COMP.SP, -10.0f);
    }

    void fieldsByName() {
        ParamSet p;
        auto splo = findField(p, "ALARM1.SPLO");
        QVERIFY(splo);
        QCOMPARE(splo->table, 1);
        QVERIFY(splo->set(12.5));
        QCOMPARE(p.ALARM1.SPLO, 12.5f);
        QCOMPARE(p.ALARM2.SPLO, 0.0f);

        auto adresa = findField(p, "ADD.ADRESA");
        QVERIFY(adresa && adresa->set(-56));
        QCOMPARE(p.ADD.ADRESA, std::uint8_t{200});
        QVERIFY(!adresa->set(256));
        QVERIFY(!adresa->set(1.5));

        auto dser = findField(p, "REGO.DSER");
        QVERIFY(dser && !dser->set(32768) && dser->set(-32768));
        QCOMPARE(dser->get(), -32768.0);

        QVERIFY(!findField(p, "ALARM3.SPLO"));
        QVERIFY(!findField(p, "COMP"));
        QVERIFY(!findField(p, "COMP.sp"));
    }
};

QTEST_APPLESS_MAIN(TestTables)
#include "test_tables.moc"
