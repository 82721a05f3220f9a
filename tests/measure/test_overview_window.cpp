// "Přehled sběrnice" over the simulated line with three regulators (1, 5 and 9), polled
// through the line worker as the operator drives it: the stations typed or taken from the
// address search, the rounds in order, a silent station marked at once, backed off and back,
// the CSV recording that loses nothing while its file cannot be written, and a station taken
// into the main window with a double click.

#include "app/overview/overview_window.h"
#include "app/overview/station_model.h"
#include "bus/bus_poller.h"
#include "fixtures/layout_check.h"
#include "link/frame.h"
#include "measure_rig.h"
#include "ui/value_text.h"
#include "ui_overview_window.h"

#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace vx52;
using test::MeasureRig;

namespace {

struct OverviewRig : MeasureRig {
    explicit OverviewRig(const QMap<QString, QString>& stored = {})
        : MeasureRig(withStations(stored)) {
        line.addStation(5).setProcessRunning(false);
        line.addStation(9).setProcessRunning(false);
        line.stations().station(5)->tables().MEAS = {50.25f, 1.0f, 2.0f, 3.0f, 0x05, 0};
        line.stations().station(9)->tables().MEAS = {90.0f, 9.0f, 9.5f, 99.0f, 0x0A, 0};
        ui().mn_prehled->trigger();
    }
    static QMap<QString, QString> withStations(QMap<QString, QString> stored) {
        if (!stored.contains(QStringLiteral("PREHLED/STANICE")))
            stored[QStringLiteral("PREHLED/STANICE")] = QStringLiteral("1, 5, 9");
        if (!stored.contains(QStringLiteral("PREHLED/PERIODA")))
            stored[QStringLiteral("PREHLED/PERIODA")] = QStringLiteral("0");
        return stored;
    }
    Tprehled& overview() { return *windows->prehled; }
    Ui::Tprehled& oui() { return *overview().ui; }
    BusPoller& poller() { return windows->poller(); }
    const StationStatus& station(std::uint8_t address) {
        return overview().board().stations()[std::size_t(overview().board().indexOf(address))];
    }
    QString cell(int row, int column) {
        return overview().model->index(row, column).data().toString();
    }
    // Stops polling and waits until the worker has let go of the line.
    bool stop() {
        oui().tl_zastavit->click();
        return QTest::qWaitFor([&] { return !poller().roundRunning(); }, 5000);
    }
    // Pixels of the trend's pen in the left part of a value cell, where the trend is drawn.
    int trendPixels(int row, int column) {
        QTableView* table = oui().tab_stanice;
        const QRect cell = table->visualRect(overview().model->index(row, column));
        const QImage image = table->viewport()->grab().toImage();
        int count = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x < cell.left() + cell.width() / 2; ++x)
                count += image.pixelColor(x, y).blue() > 150 && image.pixelColor(x, y).red() < 100;
        return count;
    }
    // The stations the measurement requests went to, in order.
    std::vector<int> measured() {
        std::vector<int> out;
        for (const auto& frame : line.written)
            if (frame.size() > 7 && frame[0] == kSD2 && frame[7] == CMD_READ_MEAS)
                out.push_back(frame[4]);
        return out;
    }
};

} // namespace

class TestOverviewWindow : public QObject {
    Q_OBJECT

private slots:
    void stationsTypedOrFromTheSearch() {
        OverviewRig rig;
        VX52_VERIFY_LAYOUT(&rig.overview());
        QCOMPARE(rig.oui().ed_stanice->text(), QStringLiteral("1, 5, 9"));
        QCOMPARE(rig.overview().model->rowCount(), 3);
        rig.oui().ed_stanice->setText(QStringLiteral("9,1, 4-6"));
        rig.oui().tl_pouzit->click();
        QCOMPARE(rig.oui().ed_stanice->text(), QStringLiteral("1, 4-6, 9"));
        QCOMPARE(rig.settings.entries.value("PREHLED/STANICE"), QStringLiteral("1, 4-6, 9"));
        QCOMPARE(rig.cell(1, StationModel::Address), QStringLiteral("4"));

        // A bad list is refused with a box and changes nothing.
        rig.oui().ed_stanice->setText(QStringLiteral("1, 127"));
        rig.oui().tl_pouzit->click();
        QCOMPARE(rig.prompts.asked.size(), 1);
        QCOMPARE(rig.prompts.asked[0].caption, QStringLiteral("CHYBA"));
        QVERIFY(rig.prompts.asked[0].text.contains(QStringLiteral("0 až 126")));
        QCOMPARE(rig.overview().model->rowCount(), 5);

        // The address search's finds: the port dialog's table.
        rig.oui().tl_z_hledani->click();
        QCOMPARE(rig.prompts.asked.size(), 2); // no search yet: told where to search
        rig.main().port->show();
        QVERIFY(rig.idle()); // the dialog has opened the line
        rig.main().port->findChild<QPushButton*>("tl_najit")->click();
        QVERIFY(QTest::qWaitFor([&] { return !rig.main().port->searching(); }, 60000));
        rig.main().port->findChild<QPushButton*>("tl_ok")->click();
        rig.oui().tl_z_hledani->click();
        QCOMPARE(rig.oui().ed_stanice->text(), QStringLiteral("1, 5, 9"));
    }

    void roundsAskEachStationInTurnAndBackOffASilentOne() {
        OverviewRig rig;
        rig.line.stations().setSilent(9, true);
        // The row as it stands when the first reading it missed comes in (the window takes
        // each reading before this test's slot sees it).
        QString atFirstFailure;
        QObject::connect(
            &rig.poller(), &BusPoller::reading, &rig.overview(), [&](const StationReading& r) {
                if (r.station == 9 && r.state == StationState::Failed && atFirstFailure.isEmpty())
                    atFirstFailure = rig.cell(2, StationModel::LinkState);
            });
        rig.oui().tl_spustit->click();
        QVERIFY(!rig.oui().tl_spustit->isEnabled());
        // Marked at once, and not hidden.
        QTRY_VERIFY_WITH_TIMEOUT(!atFirstFailure.isEmpty(), 10000);
        QVERIFY2(atFirstFailure.startsWith(QStringLiteral("bez odpovědi")),
                 qPrintable(atFirstFailure));
        QCOMPARE(rig.overview().model->rowCount(), 3);
        // Three silent rounds: asked every tenth round, and the window says so.
        QTRY_VERIFY_WITH_TIMEOUT(rig.oui().lb_stav->text().contains(QStringLiteral("10. kolo: 9")),
                                 10000);
        QTRY_VERIFY_WITH_TIMEOUT(rig.poller().rounds() >= 16, 20000);
        QVERIFY(rig.stop());
        const std::vector<int> asked = rig.measured();
        // Every round asks 1 and 5 in turn; 9 only in rounds 1-3, 13, 23, ...
        std::vector<int> expected;
        for (long long r = 1; r <= rig.poller().rounds(); ++r) {
            expected.insert(expected.end(), {1, 5});
            if (r <= 3 || (r - 3) % 10 == 0) expected.push_back(9);
        }
        QCOMPARE(asked, expected);
        QCOMPARE(rig.station(5).typeText, QStringLiteral("QDX 72-4xxx")); // told once
        // Behind each value a trend of the last minutes; none for a station never heard.
        QVERIFY(rig.trendPixels(1, StationModel::Out2) > 10);
        QCOMPARE(rig.trendPixels(2, StationModel::Out2), 0);
        QCOMPARE(rig.cell(1, StationModel::Out1), valueText(50.25));
        QVERIFY(rig.cell(1, StationModel::LinkState).startsWith(QStringLiteral("spojeno")));

        // Back on the bus: answers when next asked, and the backoff ends.
        rig.line.stations().setSilent(9, false);
        rig.oui().tl_spustit->click();
        QTRY_VERIFY_WITH_TIMEOUT(rig.station(9).good >= 1, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.oui().lb_stav->text().contains(QStringLiteral("kolo: 9")),
                                 5000);
        QCOMPARE(rig.cell(2, StationModel::Out4), valueText(99.0));
        QVERIFY(rig.stop());
    }

    void recordingKeepsRowsUntilTheFileCanBeWritten() {
        OverviewRig rig;
        const QString folder = rig.folder.filePath(QStringLiteral("later"));
        const QString file = folder + QStringLiteral("/bus.csv");
        rig.prompts.paths.push_back(file);
        rig.oui().check_zapis->click(); // no file yet: the dialog first
        QVERIFY(rig.oui().check_zapis->isChecked());
        QCOMPARE(rig.settings.entries.value("PREHLED/SOUBOR"), file);
        rig.oui().tl_spustit->click();
        // The folder is missing: the writes fail, the rows wait, no box opens.
        QTRY_VERIFY_WITH_TIMEOUT(rig.oui().lb_zapis->text().contains(QStringLiteral("čeká")),
                                 10000);
        QVERIFY(rig.prompts.asked.size() == 1);
        QVERIFY(rig.stop());
        const qsizetype kept = rig.overview().record().keptRows();
        QVERIFY(kept >= 3);
        QVERIFY(QDir().mkpath(folder));
        // Unticking writes what is kept.
        rig.oui().check_zapis->click();
        QCOMPARE(rig.overview().record().keptRows(), 0);
        QFile csv(file);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList rows = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(rows[0], QStringLiteral("čas,stanice,OUT 1,OUT 2,OUT 3,OUT 4,relé,stav"));
        QCOMPARE(rows.size(), 1 + kept);
        QCOMPARE(kept % 3, 0); // one row per station per round
        for (int i = 1; i < rows.size(); ++i)
            QCOMPARE(rows[i].section(',', 1, 1), QString::number(QList<int>{1, 5, 9}[(i - 1) % 3]));
        QVERIFY(rows[2].endsWith(QStringLiteral(",5,50.25,1,2,3,1010,ok")));
    }

    void doubleClickTakesAStationIntoTheMainWindow() {
        OverviewRig rig;
        rig.oui().tl_spustit->click();
        QTRY_VERIFY_WITH_TIMEOUT(rig.station(5).good >= 1, 10000);
        QVERIFY(rig.stop());
        QTableView* table = rig.oui().tab_stanice;
        const QModelIndex five = rig.overview().model->index(1, StationModel::Address);
        table->setCurrentIndex(five);
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(rig.main().port->device_addr(), 5);
        QCOMPARE(rig.settings.entries.value("ADRESA/DA"), QStringLiteral("5"));
        // The main window's next reading is station 5's.
        rig.read();
        QTRY_COMPARE_WITH_TIMEOUT(rig.ui().pa_meas1->text(), valueText(50.25), 5000);
    }
};

QTEST_MAIN(TestOverviewWindow)
#include "test_overview_window.moc"
