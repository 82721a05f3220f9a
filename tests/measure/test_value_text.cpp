// The texts of measured values: one decimal, five significant digits, the regional
// separator, scientific notation beyond five integer digits; and reading them back.

#include "link/failure.h"
#include "ui/value_text.h"

#include <QTest>

namespace {
const QLocale kCzech(QLocale::Czech, QLocale::CzechRepublic);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
} // namespace

class TestValueText : public QObject {
    Q_OBJECT

private slots:
    void czechTexts_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("1234.56") << 1234.56 << "1234,6";
        QTest::newRow("12345.67") << 12345.67 << "12346,0";
        QTest::newRow("0.04") << 0.04 << "0,0";
        QTest::newRow("0.05 rounds up") << 0.05 << "0,1";
        QTest::newRow("23.456") << 23.456 << "23,5";
        QTest::newRow("float 23.456") << double(23.456f) << "23,5";
        QTest::newRow("tie away from zero") << 21.25 << "21,3";
        QTest::newRow("negative tie") << -21.25 << "-21,3";
        QTest::newRow("negative") << -1234.56 << "-1234,6";
        QTest::newRow("negative to zero") << -0.04 << "0,0";
        QTest::newRow("zero") << 0.0 << "0,0";
        QTest::newRow("carry to five digits") << 9999.96 << "10000,0";
        QTest::newRow("99999.4") << 99999.4 << "99999,0";
        QTest::newRow("carry to six digits") << 99999.6 << "1,0000E+05";
        QTest::newRow("six digits") << 123456.0 << "1,2346E+05";
        QTest::newRow("large negative") << -2.5e9 << "-2,5000E+09";
        QTest::newRow("small") << 1e-7 << "0,0";
    }
    void czechTexts() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(vx52::valueText(value, kCzech), text);
    }

    void separatorFollowsTheRegion() {
        QCOMPARE(vx52::valueText(1234.56, kEnglish), QStringLiteral("1234.6"));
        QCOMPARE(vx52::valueText(123456.0, kEnglish), QStringLiteral("1.2346E+05"));
    }

    // Every shown text reads back as the number shown, in the same region.
    void textsReadBack() {
        for (double v : {23.456, -1234.56, 12345.67, 0.04, 123456.0, -2.5e9}) {
            const QString text = vx52::valueText(v, kCzech);
            QCOMPARE(vx52::valueFromText(text, kCzech), QString(text).replace(',', '.').toDouble());
        }
        QCOMPARE(vx52::valueFromText(QStringLiteral("0"), kCzech), 0.0);
    }

    void notANumberRaisesFailureNamingTheText() {
        for (const QString& text : {QStringLiteral("abc"), QStringLiteral("0.0"), QString()}) {
            try {
                vx52::valueFromText(text, kCzech);
                QFAIL(qPrintable(text + " was read"));
            } catch (const vx52::Failure& failure) {
                QVERIFY(QString::fromStdString(failure.text()).contains("'" + text + "'"));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestValueText)
#include "test_value_text.moc"
