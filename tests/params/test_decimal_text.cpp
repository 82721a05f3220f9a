// How the editor writes and reads numbers, on a Czech and on a point-separated system.

#include "params/decimal_text.h"

#include <QTest>

#include <limits>

using vx52::parameterText;

class TestDecimalText : public QObject {
    Q_OBJECT

    const QLocale czech{QLocale::Czech, QLocale::Czechia};
    const QLocale english{QLocale::English, QLocale::UnitedStates};

private slots:
    void shows_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("czech");
        QTest::newRow("zero") << 0.0f << "0,00";
        QTest::newRow("one and a half") << 1.5f << "1,50";
        QTest::newRow("five digits") << 1234.567f << "1234,60";
        QTest::newRow("five integer digits") << 12345.67f << "12346,00";
        QTest::newRow("carry to five digits") << 9999.96f << "10000,00";
        QTest::newRow("carry past five digits") << 99999.7f << "1,0000E+05";
        QTest::newRow("six integer digits") << 123456.0f << "1,2346E+05";
        QTest::newRow("largest single") << std::numeric_limits<float>::max() << "3,4028E+38";
        QTest::newRow("negative") << -12.25f << "-12,25";
        // Small values show the decimals their five digits need, never "0,00".
        QTest::newRow("three decimals") << 0.125f << "0,125";
        QTest::newRow("negative, three decimals") << -0.375f << "-0,375";
        QTest::newRow("a thousandth") << -0.001f << "-0,001";
        QTest::newRow("single 0.005") << 0.005f << "0,005";
        QTest::newRow("five digits of a small value") << 0.015625f << "0,015625";
        QTest::newRow("rounded to five digits") << 0.123456789f << "0,12346";
        QTest::newRow("smallest in fixed point") << 0.0001f << "0,0001";
        QTest::newRow("below it in exponent notation") << 0.00001234f << "1,2340E-05";
        QTest::newRow("three integer digits") << 999.994f << "999,99";
        QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << "NAN";
        QTest::newRow("infinite") << -std::numeric_limits<float>::infinity() << "-INF";
    }
    void shows() {
        QFETCH(float, value);
        QFETCH(QString, czech);
        QCOMPARE(parameterText(value, this->czech), czech);
        QString point = czech;
        point.replace(',', '.');
        QCOMPARE(parameterText(value, english), point);
    }

    // What the editor shows it takes back as the same single value (for values it can show
    // exactly), so showing and taking a card never drifts.
    void shownTextIsTakenBack_data() {
        QTest::addColumn<float>("value");
        for (float v : {0.0f, 1.5f, -4.0f, 12.25f, 1234.5f, -99.75f, 123450.0f, 1.0e20f})
            QTest::newRow(qPrintable(QString::number(v))) << v;
    }
    void shownTextIsTakenBack() {
        QFETCH(float, value);
        const auto back = vx52::parseDecimal(parameterText(value, czech), czech);
        QVERIFY(back.has_value());
        QCOMPARE(*back, value);
    }

    // The file keeps every digit of the single value: the text reads back exactly.
    void exactTextReadsBack_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("czech");
        QTest::newRow("whole") << 100.0f << "100,00";
        QTest::newRow("a tenth") << 0.1f << "0,10";
        QTest::newRow("0.005") << 0.005f << "0,005";
        QTest::newRow("six integer digits") << 123456.0f << "123456,00";
        QTest::newRow("many digits") << 0.12345679f << "0,12345679";
        QTest::newRow("negative") << -12.3456f << "-12,3456";
        QTest::newRow("tiny") << 1e-10f << "1E-10";
        QTest::newRow("huge") << 3.4028235e38f << "3,4028235E+38";
    }
    void exactTextReadsBack() {
        QFETCH(float, value);
        QFETCH(QString, czech);
        QCOMPARE(vx52::exactText(value, this->czech), czech);
        QCOMPARE(vx52::parseDecimal(czech, this->czech), value);
    }

    void parsesDecimals_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("czechSystem");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<float>("value");
        QTest::newRow("comma on czech") << "12,5" << true << true << 12.5f;
        QTest::newRow("point on czech") << "12.5" << true << false << 0.0f;
        QTest::newRow("point on czech, from a file") << "p12.5" << true << true << 12.5f;
        QTest::newRow("point and comma from a file") << "p1.2,5" << true << false << 0.0f;
        QTest::newRow("point elsewhere") << "12.5" << false << true << 12.5f;
        QTest::newRow("comma elsewhere") << "12,5" << false << false << 0.0f;
        QTest::newRow("signed exponent") << "-1,5E+2" << true << true << -150.0f;
        QTest::newRow("small exponent") << "2,5e-3" << true << true << 0.0025f;
        QTest::newRow("plus sign") << "+7" << true << true << 7.0f;
        QTest::newRow("blanks around") << " 3,25 " << true << true << 3.25f;
        QTest::newRow("group separator") << "1 234,5" << true << false << 0.0f;
        QTest::newRow("letters") << "abc" << true << false << 0.0f;
        QTest::newRow("empty") << "" << true << false << 0.0f;
        QTest::newRow("beyond single range") << "1e39" << true << false << 0.0f;
        QTest::newRow("infinity text") << "inf" << true << false << 0.0f;
    }
    void parsesDecimals() {
        QFETCH(QString, text);
        QFETCH(bool, czechSystem);
        QFETCH(bool, ok);
        QFETCH(float, value);
        // "p": read as from a file, where a decimal point counts like the comma.
        const bool file = text.startsWith('p');
        const auto parsed =
            vx52::parseDecimal(file ? text.mid(1) : text, czechSystem ? czech : english, file);
        QCOMPARE(parsed.has_value(), ok);
        if (ok) QCOMPARE(*parsed, value);
    }

    void parsesIntegers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "42" << -32768 << 32767 << true << 42;
        QTest::newRow("signed") << "-32768" << -32768 << 32767 << true << -32768;
        QTest::newRow("plus") << "+12" << -32768 << 32767 << true << 12;
        QTest::newRow("above") << "32768" << -32768 << 32767 << false << 0;
        QTest::newRow("below") << "-129" << -128 << 255 << false << 0;
        QTest::newRow("decimal") << "1,5" << -32768 << 32767 << false << 0;
        QTest::newRow("hex") << "0x10" << -32768 << 32767 << false << 0;
        QTest::newRow("sign alone") << "-" << -32768 << 32767 << false << 0;
        QTest::newRow("blank inside") << "1 2" << -32768 << 32767 << false << 0;
        QTest::newRow("huge") << "99999999999999999999" << -32768 << 32767 << false << 0;
    }
    void parsesIntegers() {
        QFETCH(QString, text);
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(bool, ok);
        QFETCH(int, value);
        const auto parsed = vx52::parseInteger(text, low, high);
        QCOMPARE(parsed.has_value(), ok);
        if (ok) QCOMPARE(*parsed, value);
    }
};

QTEST_GUILESS_MAIN(TestDecimalText)
#include "test_decimal_text.moc"
