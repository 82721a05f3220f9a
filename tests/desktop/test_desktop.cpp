// The language of the texts: chosen from the desktop's locale or --lang, and Qt's own
// dialog texts following the same choice.
#include "ui/language.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>

using vx52::Language;

class TestDesktop : public QObject {
    Q_OBJECT
private slots:
    void languageFollowsTheDesktop_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("czech");
        QTest::newRow("cs_CZ") << "cs_CZ" << true;
        QTest::newRow("cs") << "cs" << true;
        QTest::newRow("sk_SK") << "sk_SK" << false;
        QTest::newRow("de_DE") << "de_DE" << false;
        QTest::newRow("en_US") << "en_US" << false;
        QTest::newRow("C") << "C" << false;
    }
    void languageFollowsTheDesktop() {
        QFETCH(QString, locale);
        QFETCH(bool, czech);
        QCOMPARE(vx52::languageFor(QLocale(locale)), czech ? Language::Czech : Language::English);
    }
    void langOptionNamesOneOfTwo() {
        QCOMPARE(vx52::languageNamed(QStringLiteral("cs")), Language::Czech);
        QCOMPARE(vx52::languageNamed(QStringLiteral("en")), Language::English);
        QVERIFY(!vx52::languageNamed(QStringLiteral("de")));
        QVERIFY(!vx52::languageNamed(QString()));
    }
    void czechQuestionReadsAnoNe() {
        QVERIFY(vx52::installLanguage(*qApp, Language::Czech));
        QMessageBox box(QMessageBox::Question, QStringLiteral("Clear"),
                        QStringLiteral("Chceš vymazat naměřená data?"),
                        QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Ano"));
        QCOMPARE(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Ne"));
    }
};

QTEST_MAIN(TestDesktop)
#include "test_desktop.moc"
