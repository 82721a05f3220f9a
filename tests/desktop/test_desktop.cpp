// Qt's own dialog texts follow the user's language.
#include "ui/qt_translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>

class TestDesktop : public QObject {
    Q_OBJECT
private slots:
    void czechQuestionReadsAnoNe() {
        QVERIFY(vx52::installQtTranslations(*qApp, QLocale(QLocale::Czech, QLocale::Czechia)));
        QMessageBox box(QMessageBox::Question, QStringLiteral("Clear"),
                        QStringLiteral("Chceš vymazat naměřená data?"),
                        QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Ano"));
        QCOMPARE(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Ne"));
    }
    void unknownLanguageKeepsQtDefaults() {
        QVERIFY(!vx52::installQtTranslations(*qApp, QLocale(QLocale::Zulu, QLocale::SouthAfrica)));
    }
};

QTEST_MAIN(TestDesktop)
#include "test_desktop.moc"
