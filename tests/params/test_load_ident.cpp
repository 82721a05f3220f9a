// The loading dialog and the identification dialog against the simulated devices: the
// regulator served, a QDX 01, a device of another family, and nothing at all.

#include "czech_main.h"
#include "editor_rig.h"
#include "params/Unitmenumod.h"
#include "params/about_ident.h"
#include "params/load_form.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>

#include <functional>
#include <memory>
#include <set>
#include <utility>

using namespace vx52;
using namespace vx52::test;

namespace {

constexpr int kTypeCommand = 0;

// Passes the link's exchanges to the loopback line, except that the device stays silent
// to the commands named in `muted`.
class MutingLine : public ByteLine {
public:
    explicit MutingLine(LoopbackLine& line) : line_(line) {}
    std::set<int> muted;
    std::function<void()> atType; // the operator's doing, on the GUI thread, as the type is asked
    bool write(std::span<const std::uint8_t> bytes) override {
        if (atType && bytes.size() > 7 && bytes[0] == 0x68 && bytes[7] == kTypeCommand)
            RecordingPause::onGuiThread(std::exchange(atType, nullptr));
        silent_ = bytes.size() > 7 && bytes[0] == 0x68 && muted.contains(bytes[7]);
        if (silent_) {
            line_.written.emplace_back(bytes.begin(), bytes.end());
            return true;
        }
        return line_.write(bytes);
    }
    ReadResult read(std::span<std::uint8_t> buffer) override {
        return silent_ ? ReadResult{true, 0} : line_.read(buffer);
    }
    void purgeReceive() override { line_.purgeReceive(); }
    void purgeTransmit() override { line_.purgeTransmit(); }

private:
    LoopbackLine& line_;
    bool silent_ = false;
};

const QString kUnknown = QStringLiteral("Chyba při čtení nebo neznámé zařízení");
const QString kQdx01 = QStringLiteral("Identifikováno zařízení typu QDX 01");
const QString kForeign =
    QStringLiteral("Identifikováno zařízení pro které je nutné použít jiný software");

} // namespace

class TestLoadIdent : public QObject {
    Q_OBJECT

    std::unique_ptr<EditorRig> rig;
    std::unique_ptr<Tmenu_mod> editor;
    std::unique_ptr<Tload_form> loading;
    std::unique_ptr<Tabout_ident> ident;

    void build(sim::RegulatorConfig config = {}) {
        ident.reset();
        loading.reset();
        editor.reset();
        rig = std::make_unique<EditorRig>(std::move(config));
        editor = std::make_unique<Tmenu_mod>(rig->ctx);
        loading = std::make_unique<Tload_form>(rig->ctx, *editor);
        ident = std::make_unique<Tabout_ident>(rig->ctx);
    }
    QLineEdit* entry(const char* name) { return editor->findChild<QLineEdit*>(name); }
    QComboBox* list(const char* name) { return editor->findChild<QComboBox*>(name); }
    QString loadLabel() { return loading->findChild<QLabel*>("lb_verze")->text(); }
    QProgressBar* loadBar() { return loading->findChild<QProgressBar*>("bar_load"); }
    QString identLabel(const char* name) { return ident->findChild<QLabel*>(name)->text(); }
    void settle() { QTRY_VERIFY_WITH_TIMEOUT(!rig->worker.busy(), 20000); }
    // The identification as the dialog's timer starts it, waited for.
    void identify() {
        ident->ShowIdentification();
        settle();
    }

private slots:
    void cleanup() {
        if (rig) {
            rig->worker.cancelAll();
            settle();
        }
        ident.reset();
        loading.reset();
        editor.reset();
        rig.reset();
    }

    void versionDecidesTheDevice_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("said"); // nothing: the regulator, and its tables are read
        QTest::newRow("regulator with more text") << "FW-R-12-10 rev 3.07" << "";
        QTest::newRow("regulator exactly") << "FW-R-12-10" << "";
        QTest::newRow("QDX 01 first") << "FW-R-11-01" << kQdx01;
        QTest::newRow("QDX 01 second") << "FW-R-11-02x" << kQdx01;
        QTest::newRow("QDX 01 third") << "FW-R-11-03" << kQdx01;
        QTest::newRow("unknown firmware") << "FW-R-11-04" << kUnknown;
        QTest::newRow("nine characters") << "FW-R-12-1" << kUnknown;
        QTest::newRow("letter case counts") << "fw-r-12-10" << kUnknown;
    }
    void versionDecidesTheDevice() {
        QFETCH(QString, version);
        QFETCH(QString, said);
        build({.versionText = version.toStdString()});
        QCOMPARE(loading->exec(), int(QDialog::Accepted));
        QCOMPARE(loadLabel(), QStringLiteral("QDX 72-4xxx"));
        QCOMPARE(rig->prompts.texts(), said.isEmpty() ? QStringList{} : QStringList{said});
        QCOMPARE(rig->tables(kReadTable).size(), said.isEmpty() ? 12u : 0u);
        QCOMPARE(loadBar()->value(), said.isEmpty() ? 100 : 20);
    }

    void loadingTheRegulatorFillsEveryCard() {
        build();
        auto& device = rig->device();
        device.COMP.SP = 33.5f;
        device.SENS4.ENDS = 1234.567f;
        device.OSTAT.FILT = 7;
        device.ADD.ADRESA = 200;
        QCOMPARE(loading->exec(), int(QDialog::Accepted));
        QCOMPARE(rig->tables(kReadTable), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
        QCOMPARE(rig->waits(), std::vector<long long>(12, 10));
        QVERIFY(rig->prompts.asked.isEmpty());
        QCOMPARE(loadLabel(), QStringLiteral("QDX 72-4xxx"));
        QCOMPARE(loadBar()->value(), 100);
        QCOMPARE(entry("ed_sp")->text(), QStringLiteral("33,50"));
        QCOMPARE(entry("ed_ends4")->text(), QStringLiteral("1234,60"));
        QCOMPARE(list("cb_filtr")->currentIndex(), 7);
        QCOMPARE(entry("ed_adresa")->text(), QStringLiteral("-56"));
        QCOMPARE(list("cb_obr4")->currentIndex(), int(device.SENS4.OBR));
        QCOMPARE(entry("ed_dser")->text(), QString::number(device.REGO.DSER));
        for (int card = 0; card < 12; ++card)
            QCOMPARE(editor->cardSource(card), CardSource::Regulator);
    }

    // "Storno" or Esc stops the load before its next table and names the cards not read.
    void loadStopsBetweenTables() {
        for (const bool escape : {false, true}) {
            build();
            auto* storno = loading->findChild<QPushButton*>("tl_storno");
            rig->pause.onWait = [&] {
                if (rig->pause.waits.size() == 2) escape ? loading->reject() : storno->click();
            };
            QCOMPARE(loading->exec(), int(QDialog::Accepted));
            QCOMPARE(rig->tables(kReadTable), (std::vector<int>{0, 1}));
            QCOMPARE(rig->prompts.texts(),
                     QStringList{"Čtení parametrů zastaveno, nenačteny karty: ALARM 2, SENS 1, "
                                 "SENS 2, SENS 3, SENS 4, PID, REGO, DACO, OST_, ADD"});
            QCOMPARE(editor->cardSource(1), CardSource::Regulator);
            QCOMPARE(editor->cardSource(2), CardSource::Nothing);
        }
    }

    // The operator acts while the type is asked: "Storno" stops the load before the next
    // request and names every card; a dialog destroyed stops it too and hears nothing more.
    void loadingStoppedAtTheTypeRequest_data() {
        QTest::addColumn<bool>("destroy");
        QTest::newRow("Storno") << false;
        QTest::newRow("destroyed") << true;
    }
    void loadingStoppedAtTheTypeRequest() {
        QFETCH(bool, destroy);
        build();
        MutingLine line(rig->line);
        rig->link.setLine(&line);
        line.atType = [&] {
            if (destroy)
                loading.reset();
            else
                loading->findChild<QPushButton*>("tl_storno")->click();
        };
        loading->show();
        QTRY_VERIFY_WITH_TIMEOUT(!line.atType, 20000);
        settle();
        QCOMPARE(rig->line.written.size(), 1u); // the type request alone
        if (destroy) {
            QVERIFY(rig->prompts.asked.isEmpty());
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(!loading->isVisible(), 20000);
        QCOMPARE(rig->prompts.texts(),
                 QStringList{"Čtení parametrů zastaveno, nenačteny karty: COMP, ALARM 1, ALARM 2, "
                             "SENS 1, SENS 2, SENS 3, SENS 4, PID, REGO, DACO, OST_, ADD"});
        QCOMPARE(loadLabel(), QStringLiteral("QDX 72-4xxx"));
    }

    // The identification dialog closed before its second has passed asks nothing; closed or
    // destroyed while it asks, it stops before the next request.
    void identificationClosedEarlyStops_data() {
        QTest::addColumn<bool>("destroy");
        QTest::newRow("closed") << false;
        QTest::newRow("destroyed") << true;
    }
    void identificationClosedEarlyStops() {
        QFETCH(bool, destroy);
        build();
        ident->show();
        ident->accept();
        QVERIFY(!ident->timer()->isActive());
        MutingLine line(rig->line);
        rig->link.setLine(&line);
        line.atType = [&] {
            if (destroy)
                ident.reset();
            else
                ident->accept();
        };
        ident->show();
        QTRY_VERIFY_WITH_TIMEOUT(!line.atType, 5000);
        settle();
        QCOMPARE(rig->line.written.size(), 1u);
        if (!destroy)
            QCOMPARE(identLabel("lb_verze"), QStringLiteral("Verze zařízení - neidentifikováno"));
    }

    void unreadableTypeKeepsTheLabel() {
        build();
        MutingLine muting(rig->line);
        muting.muted.insert(kTypeCommand);
        rig->link.setLine(&muting);
        loading->findChild<QLabel*>("lb_verze")->setText("from before");
        QCOMPARE(loading->exec(), int(QDialog::Accepted));
        QCOMPARE(loadLabel(), QStringLiteral("neidentifikováno"));
        QCOMPARE(rig->tables(kReadTable).size(), 12u);
        QVERIFY(rig->prompts.asked.isEmpty());
    }

    void qdx01IsNamedAndNothingIsRead() {
        build({.kind = sim::DeviceKind::Qdx01});
        QCOMPARE(loading->exec(), int(QDialog::Accepted));
        QCOMPARE(rig->prompts.texts(), QStringList{kQdx01});
        QCOMPARE(rig->prompts.asked[0].caption, QStringLiteral("Komunikace"));
        QCOMPARE(rig->prompts.asked[0].icon, Prompts::Icon::Error);
        QVERIFY(rig->tables(kReadTable).empty());
        QCOMPARE(loadLabel(), QStringLiteral("QDX 01"));

        // Writing to it asks first, naming what was found.
        rig->prompts.answers = {Prompts::Answer::No};
        editor->findChild<QPushButton*>("tl_eeprom")->click();
        settle();
        QCOMPARE(rig->prompts.asked.last().caption, QStringLiteral("Dotaz"));
        QVERIFY(rig->prompts.asked.last().text.contains("zařízení typu QDX 01"));
        QCOMPARE(rig->line.regulator().eepromStores(), 0);

        // The editor opens afterwards and reads the tables itself.
        editor->show();
        settle();
        QCOMPARE(rig->tables(kReadTable).size(), 12u);
    }

    // The question before writing names what answered the identification.
    void writeQuestionNamesWhatAnswered_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("typeSilent");
        QTest::addColumn<QString>("named");
        QTest::newRow("another family") << int(sim::DeviceKind::Foreign) << false
                                        << "zařízení jiného typu (ACME Messtechnik MT-900 "
                                           "Datalogger V4.2.1)";
        QTest::newRow("QDX 01") << int(sim::DeviceKind::Qdx01) << false << "zařízení typu QDX 01";
        QTest::newRow("unknown firmware") << int(sim::DeviceKind::Regulator) << false
                                          << "QDX 72-4xxx";
        QTest::newRow("unknown firmware, type silent")
            << int(sim::DeviceKind::Regulator) << true
            << "zařízení s verzí firmwaru FW-R-11-04";
        QTest::newRow("nothing") << int(sim::DeviceKind::Nothing) << false
                                 << "žádné zařízení neodpovědělo";
    }
    void writeQuestionNamesWhatAnswered() {
        QFETCH(int, kind);
        QFETCH(bool, typeSilent);
        QFETCH(QString, named);
        const bool regulator = kind == int(sim::DeviceKind::Regulator);
        build({.kind = sim::DeviceKind(kind), .versionText = regulator ? "FW-R-11-04" : ""});
        MutingLine muting(rig->line);
        if (typeSilent) muting.muted.insert(kTypeCommand);
        rig->link.setLine(&muting);
        QCOMPARE(loading->exec(), int(QDialog::Accepted));
        rig->forget();
        rig->prompts.answers = {Prompts::Answer::No};
        editor->findChild<QPushButton*>("tl_eeprom")->click();
        settle();
        QCOMPARE(rig->prompts.texts(),
                 QStringList{"Identifikace nenalezla regulátor QDX 72-4xxx, ale: " + named +
                             ".\nZapsat přesto do tohoto zařízení?"});
    }

    // At each showing the loading dialog sets its defaults on some controls of the editor and
    // their fields (what the card shows is what a write sends), leaves the others, and every
    // card holds nothing yet.
    void noDeviceLeavesTheEditorDefaults() {
        build({.kind = sim::DeviceKind::Nothing});
        rig->params().COMP.SP = 4;
        const ParamSet before = rig->params();
        for (auto* e : editor->findChildren<QLineEdit*>())
            e->setText("old");
        for (auto* c : editor->findChildren<QComboBox*>())
            c->setCurrentIndex(c->count() - 1);
        loadBar()->setValue(60);

        QCOMPARE(loading->exec(), int(QDialog::Accepted));
        QCOMPARE(rig->prompts.texts(), QStringList{kUnknown});
        QCOMPARE(loadLabel(), QStringLiteral("neidentifikováno"));
        QCOMPARE(loadBar()->value(), 20);
        ParamSet expected = before;
        expected.ALARM1.RALA = expected.ALARM1.RELE = 0;
        expected.REGO.FEED = expected.DACO.AIN = expected.DACO.AOUT = expected.OSTAT.FILT = 0;
        expected.SENS1 = {255, 1, 0.0f, 100.0f, 1};
        expected.ALARM1.SPLO = 0;
        expected.ALARM1.HYST = expected.PID.PB = expected.PID.TD = 1;
        expected.PID.TI = 100;
        expected.REGO.DSER = 60;
        expected.REGO.DEAD = 2;
        expected.OSTAT.PASS1 = Tmenu_mod::kPasswordDefault;
        expected.ADD.ADRESA = 0;
        QVERIFY(rig->params() == expected);
        for (int card = 0; card < 12; ++card)
            QCOMPARE(editor->cardSource(card), CardSource::Nothing);

        for (const char* name : {"cb_rala1", "cb_re1", "cb_feed", "cb_ain", "cb_aout", "cb_filtr"})
            QVERIFY2(list(name)->currentIndex() == 0, name);
        QCOMPARE(list("cb_dp1")->currentIndex(), 1);
        QCOMPARE(list("cb_obr1")->currentIndex(), 1);
        QCOMPARE(list("cb_sens1")->currentIndex(), -1);
        const QList<QPair<const char*, QString>> texts = {
            {"ed_splo1", "0"},
            {"ed_strs1", "0"},
            {"ed_adresa", "0"},
            {"ed_hyst1", "1"},
            {"ed_pb", "1"},
            {"ed_td", "1"},
            {"ed_ti", "100"},
            {"ed_ends1", "100"},
            {"ed_dser", "60"},
            {"ed_dead", "2"},
            {"ed_pass1", QString::number(Tmenu_mod::kPasswordDefault)}};
        for (const auto& [name, text] : texts)
            QVERIFY2(entry(name)->text() == text, name);
        // Untouched: the second password, the other alarm and sensor cards.
        QCOMPARE(entry("ed_pass2")->text(), QStringLiteral("old"));
        QCOMPARE(entry("ed_splo2")->text(), QStringLiteral("old"));
        QCOMPARE(list("cb_sens2")->currentIndex(), 2);

        // Then the editor reports its own read once.
        rig->prompts.clear();
        editor->show();
        settle();
        QCOMPARE(rig->prompts.texts().size(), 1);
        QVERIFY(rig->prompts.texts()[0].startsWith("Chyba při čtení karet: COMP, ALARM 1"));
    }

    void identificationShowsTypeAndVersion() {
        build();
        identify();
        QCOMPARE(identLabel("lb_zarizeni"), QStringLiteral("QDX 72-4xxx"));
        QCOMPARE(identLabel("lb_verze"), QStringLiteral("FW-R-12-10 rev 3.07"));
        QVERIFY(rig->prompts.asked.isEmpty());

        // Nothing connected afterwards: no message, the labels keep the last identification.
        rig->line.setDeviceKind(sim::DeviceKind::Nothing);
        identify();
        QVERIFY(rig->prompts.asked.isEmpty());
        QCOMPARE(identLabel("lb_zarizeni"), QStringLiteral("QDX 72-4xxx"));
        QCOMPARE(identLabel("lb_verze"), QStringLiteral("FW-R-12-10 rev 3.07"));
    }

    void nothingConnectedKeepsTheFirstLabels() {
        build({.kind = sim::DeviceKind::Nothing});
        identify();
        QVERIFY(rig->prompts.asked.isEmpty());
        QCOMPARE(identLabel("lb_zarizeni"), QStringLiteral("Typ zařízení - neidentifikováno"));
        QCOMPARE(identLabel("lb_verze"), QStringLiteral("Verze zařízení - neidentifikováno"));
    }

    void foreignDeviceNeedsOtherSoftware() {
        build({.kind = sim::DeviceKind::Foreign,
               .foreignMaker = "Maker",
               .foreignModel = "Model 9",
               .foreignVersion = "V1.2"});
        identify();
        QCOMPARE(rig->prompts.texts(), QStringList{kForeign + "\nMaker"});
        QCOMPARE(rig->prompts.asked[0].caption, QStringLiteral("ERROR"));
        QCOMPARE(rig->prompts.asked[0].icon, Prompts::Icon::Warning);
        QCOMPARE(identLabel("lb_zarizeni"), QStringLiteral("jiné zařízení"));
        QCOMPARE(identLabel("lb_verze"), QStringLiteral("V1.2"));
    }

    // Each block is 32 raw bytes: a zero byte in block 1 ends the whole message there.
    void foreignMessageEndsAtTheFirstZeroByte() {
        build({.kind = sim::DeviceKind::Foreign,
               .foreignMaker = "0123456789",
               .foreignModel = "never shown",
               .foreignVersion = "V9"});
        identify();
        QCOMPARE(rig->prompts.texts(), QStringList{kForeign + "\n0123456789"});
        QCOMPARE(identLabel("lb_verze"), QStringLiteral("V9"));
    }

    void foreignBlocksOfFullLengthRunOn() {
        const std::string full(32, 'A');
        build({.kind = sim::DeviceKind::Foreign,
               .foreignMaker = full,
               .foreignModel = full,
               .foreignVersion = full});
        identify();
        const QString block = QString(32, 'A');
        QCOMPARE(rig->prompts.texts(),
                 QStringList{kForeign + "\n" + block + "\n" + block + "\n" + block});
        QCOMPARE(identLabel("lb_verze"), block);
    }

    // The identification runs once, a second after the dialog appeared.
    void identificationWaitsOneSecondAfterShowing() {
        build();
        ident->show();
        QVERIFY(ident->timer()->isActive());
        QCOMPARE(ident->timer()->interval(), 1000);
        QVERIFY(rig->line.written.empty());
        QTRY_COMPARE_WITH_TIMEOUT(identLabel("lb_zarizeni"), QStringLiteral("QDX 72-4xxx"), 3000);
        QVERIFY(!ident->timer()->isActive());
        QCOMPARE(rig->line.written.size(), 2u); // type and version, once
        ident->accept();
    }
};

VX52_CZECH_TEST_MAIN(TestLoadIdent)
#include "test_load_ident.moc"
