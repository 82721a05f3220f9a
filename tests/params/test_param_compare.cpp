// Comparing parameter sets, the editor's comparisons with the regulator and a file, the
// preview before write-all, and the protocol's content, on the simulated regulator.

#include "czech_main.h"
#include "editor_rig.h"
#include "fixtures/operator_input.h"
#include "params/Unitmenumod.h"
#include "params/decimal_text.h"
#include "params/ini_file.h"
#include "params/param_compare.h"
#include "params/param_report.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextDocument>

#include <cmath>
#include <functional>
#include <memory>

using namespace vx52;
using namespace vx52::test;

namespace {

using Found = std::vector<std::pair<int, QString>>; // card, control

Found namesOf(const std::vector<FieldDifference>& found) {
    Found out;
    for (const auto& d : found)
        out.emplace_back(d.card, QString::fromLatin1(d.entry->control));
    return out;
}

QByteArray head(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(5) : QByteArray();
}

} // namespace

class TestParamCompare : public QObject {
    Q_OBJECT

    std::unique_ptr<EditorRig> rig;
    std::unique_ptr<Tmenu_mod> editor;
    QTemporaryDir dir;

    QLineEdit* entry(const char* name) { return editor->findChild<QLineEdit*>(name); }
    // The operator's doing; the transfer it starts, if any, is waited for.
    void press(const char* button) {
        editor->findChild<QPushButton*>(button)->click();
        settle();
    }
    void menu(const char* item) {
        editor->findChild<QAction*>(item)->trigger();
        settle();
    }
    void settle() { QTRY_VERIFY_WITH_TIMEOUT(!rig->worker.busy(), 20000); }
    ScriptedPrompts::Asked lastAsked() {
        return rig->prompts.asked.isEmpty() ? ScriptedPrompts::Asked{} : rig->prompts.asked.last();
    }
    void openEditor() {
        editor = std::make_unique<Tmenu_mod>(rig->ctx);
        editor->setIdentification(Tmenu_mod::kRegulatorServed, {}); // as the loading dialog found
        editor->show();                                             // reads and shows every card
        settle();
        rig->forget();
    }

private slots:
    void init() {
        rig = std::make_unique<EditorRig>();
        openEditor();
    }
    void cleanup() {
        editor.reset();
        rig.reset();
    }

    void differencesBetweenSets() {
        struct Case {
            const char* name;
            std::function<void(ParamSet&)> change;
            CardMask cards;
            Found expected;
        };
        const CardMask all = CardMask().set();
        const std::vector<Case> cases{
            {"equal sets", [](ParamSet&) {}, all, {}},
            {"float one bit apart",
             [](ParamSet& p) { p.COMP.SP = std::nextafter(1.0f, 2.0f); },
             all,
             {{0, "ed_sp"}}},
            {"minus zero is another value",
             [](ParamSet& p) { p.COMP.SP = -0.0f; },
             all,
             {{0, "ed_sp"}}},
            {"list, int16 and address",
             [](ParamSet& p) {
                 p.ALARM2.RELE = 1;
                 p.REGO.DSER = -5;
                 p.ADD.ADRESA = 9;
             },
             all,
             {{2, "cb_re2"}, {8, "ed_dser"}, {11, "ed_adresa"}}},
            {"tables off the cards are not compared",
             [](ParamSet& p) {
                 p.MEAS.OUT1 = 3;
                 p.AUX.V1 = 4;
             },
             all,
             {}},
            {"card order, taking order within a card",
             [](ParamSet& p) {
                 p.OSTAT.CON2 = 1;
                 p.SENS1.OBR = 3;
                 p.SENS1.STRS = 2;
             },
             all,
             {{3, "ed_strs1"}, {3, "cb_obr1"}, {10, "ed_con2"}}},
            {"cards left out",
             [](ParamSet& p) {
                 p.OSTAT.CON2 = 1;
                 p.SENS1.STRS = 2;
             },
             CardMask().set().reset(3),
             {{10, "ed_con2"}}},
        };
        for (const auto& c : cases) {
            ParamSet ours;
            ours.COMP.SP = 1.0f;
            ParamSet theirs = ours;
            c.change(theirs);
            QVERIFY2(namesOf(differences(ours, theirs, c.cards)) == c.expected, c.name);
        }
        // The same NaN on both sides is no change; bits compared, not arithmetic.
        ParamSet a;
        a.PID.TI = std::nanf("");
        QVERIFY(differences(a, a).empty());
    }

    void comparingWithTheRegulatorLeavesTheCards() {
        rig->device().ALARM1.SPLO = 12.5f;
        rig->device().PID.TD = rig->params().PID.TD + 0.001f; // alike at two decimals
        type(entry("ed_sp"), QStringLiteral("3,5"));       // typed, not yet taken
        const QString shownSplo = entry("ed_splo1")->text();
        const float keptSplo = rig->params().ALARM1.SPLO;

        press("tl_porovnat");

        QCOMPARE(rig->tables(kReadTable), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
        QVERIFY(rig->tables(kWriteTable).empty());
        const auto asked = lastAsked();
        QCOMPARE(asked.kind, QStringLiteral("table"));
        QCOMPARE(asked.caption, QStringLiteral("Porovnání"));
        QCOMPARE(asked.text, QStringLiteral("V regulátoru se liší 3 parametry."));
        QCOMPARE(asked.rows.size(), 3);
        QCOMPARE(asked.rows[0][0], QStringLiteral("COMP"));
        QCOMPARE(asked.rows[0][1], QStringLiteral("SP"));
        QCOMPARE(asked.rows[0][2], QStringLiteral("3,50"));
        QCOMPARE(asked.rows[1], (QStringList{"ALARM 1", "ALA1", parameterText(keptSplo), "12,50"}));
        QCOMPARE(asked.rows[2][1], QStringLiteral("DER"));
        QVERIFY2(asked.rows[2][2] != asked.rows[2][3], "values alike at two decimals in full");

        // The cards and the editor's set hold what they held; the typed entry is taken.
        QCOMPARE(entry("ed_splo1")->text(), shownSplo);
        QCOMPARE(rig->params().ALARM1.SPLO, keptSplo);
        QCOMPARE(rig->params().COMP.SP, 3.5f);

        // Marked on the cards until the next read.
        QCOMPARE(entry("ed_splo1")->toolTip(), QStringLiteral("V regulátoru: 12,50"));
        QVERIFY(!entry("ed_splo1")->styleSheet().isEmpty());
        QVERIFY(entry("ed_hyst1")->styleSheet().isEmpty());
        auto* tabs = editor->pageControl()->tabBar();
        QVERIFY(tabs->tabTextColor(1) != tabs->tabTextColor(2));
        press("Button1");
        QVERIFY(entry("ed_splo1")->styleSheet().isEmpty());
        QVERIFY(entry("ed_splo1")->toolTip().isEmpty());

        // Nothing differs: said so in a box of its own.
        rig->forget();
        press("tl_porovnat");
        QCOMPARE(lastAsked().kind, QStringLiteral("message"));
        QCOMPARE(lastAsked().text, QStringLiteral("Karty se shodují s regulátorem."));

        // A silent regulator: a read error, and no comparison against stale values.
        rig->forget();
        rig->line.setFault(sim::Fault::Silent);
        press("tl_porovnat");
        QCOMPARE(rig->prompts.texts(), QStringList{"Chyba při čtení"});
        QCOMPARE(lastAsked().caption, QStringLiteral("Komunikace"));
    }

    void comparingWithAFile() {
        const QString path = dir.filePath(QStringLiteral("cmp.ini"));
        rig->prompts.paths.push_back(path);
        menu("Uloit1");
        type(entry("ed_sp"), QStringLiteral("7,25"));
        rig->forget();

        rig->prompts.paths.push_back(path);
        menu("mn_porovnat_soubor");
        const auto asked = lastAsked();
        QCOMPARE(asked.kind, QStringLiteral("table"));
        QCOMPARE(asked.text, QStringLiteral("Se souborem %1 se liší 1 parametr.").arg(path));
        QCOMPARE(asked.rows.size(), 1);
        QCOMPARE(asked.rows[0][2], QStringLiteral("7,25"));
        QCOMPARE(entry("ed_sp")->toolTip().left(10), QStringLiteral("V souboru:"));
        QVERIFY(rig->requests().empty());

        // Cancelled: nothing compared, nothing marked anew.
        rig->forget();
        press("Button1");
        menu("mn_porovnat_soubor");
        QCOMPARE(rig->prompts.asked.size(), 1);
        QCOMPARE(lastAsked().kind, QStringLiteral("open"));
        QVERIFY(entry("ed_sp")->toolTip().isEmpty());
    }

    // Entries a card refuses or the file lacks are no differences: they are named apart.
    void comparingWithAFileWithRefusedEntries() {
        const QString path = dir.filePath(QStringLiteral("refused.ini"));
        rig->prompts.paths.push_back(path);
        menu("Uloit1");
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        IniText ini(f.readAll());
        f.close();
        ini.writeString("SENS1", "STRS", "abc");
        ini.writeString("OSTAT", "FILT", "x");
        QByteArray bytes = ini.bytes();
        QVERIFY(bytes.contains("\r\nTI="));
        bytes.replace("\r\nTI=", "\r\nXTI="); // PID TI missing
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        type(entry("ed_sp"), QStringLiteral("7,25"));
        rig->forget();

        rig->prompts.paths.push_back(path);
        menu("mn_porovnat_soubor");
        const auto asked = lastAsked();
        QCOMPARE(asked.kind, QStringLiteral("table"));
        QCOMPARE(asked.rows.size(), 1);
        QCOMPARE(asked.rows[0][1], QStringLiteral("SP"));
        QVERIFY2(asked.text.startsWith(QStringLiteral("Se souborem %1 se liší 1 parametr.\n"
                                                      "V souboru chybí nebo je chybné, neporovnáno:")
                                           .arg(path)),
                 qPrintable(asked.text));
        QVERIFY2(asked.text.contains("[SENS1] STRS=abc: "), qPrintable(asked.text));
        QVERIFY(asked.text.contains("[PID] TI: chybí"));
        QVERIFY(asked.text.contains("[OSTAT] FILT=x: "));
        QCOMPARE(asked.text.count('\n'), 4);
        QVERIFY(entry("ed_strs1")->toolTip().isEmpty());
    }

    void previewBeforeWriteAll() {
        auto* preview = editor->findChild<QCheckBox*>("check_nahled");
        QVERIFY(preview->isChecked()); // on when nothing is remembered

        press("Button2");
        QCOMPARE(lastAsked().kind, QStringLiteral("message"));
        QVERIFY(lastAsked().text.contains(QStringLiteral("Nic se nezapisuje")));
        QVERIFY(rig->tables(kWriteTable).empty());

        type(entry("ed_sp"), QStringLiteral("9,5"));
        const float before = rig->device().COMP.SP;
        rig->forget();
        rig->prompts.answers.push_back(Prompts::Answer::No);
        press("Button2");
        QCOMPARE(lastAsked().kind, QStringLiteral("table"));
        QCOMPARE(lastAsked().buttons, Prompts::Buttons::YesNo);
        QCOMPARE(lastAsked().rows,
                 QList<QStringList>{(QStringList{"COMP", "SP", parameterText(before), "9,50"})});
        QVERIFY(rig->tables(kWriteTable).empty());
        QCOMPARE(rig->device().COMP.SP, before);

        rig->forget();
        press("Button2"); // answered Yes
        QVERIFY(!rig->tables(kWriteTable).empty());
        QCOMPARE(rig->device().COMP.SP, 9.5f);

        // Off, remembered for the next showing; write-all then asks nothing of its own.
        preview->setChecked(false);
        openEditor();
        QVERIFY(!editor->findChild<QCheckBox*>("check_nahled")->isChecked());
        type(entry("ed_sp"), QStringLiteral("8"));
        press("Button2");
        QCOMPARE(rig->device().COMP.SP, 8.0f);
        QVERIFY(rig->prompts.asked.isEmpty());
    }

    void protocolContent() {
        auto& p = rig->params();
        p.COMP.SP = 12.5f;
        p.SENS1.TYPE = 1;
        p.SENS2.TYPE = 4; // outside the list
        p.REGO.DEAD = 3;
        p.ADD.ADRESA = 5;
        const auto cards = reportCards(CardTexts(*editor), p);

        QCOMPARE(cards.size(), 12u);
        std::size_t rows = 0;
        for (const auto& c : cards)
            rows += c.rows.size();
        QCOMPARE(rows, 47u);
        const auto row = [&](int card, int i) {
            const auto& r = cards[static_cast<std::size_t>(card)].rows[static_cast<std::size_t>(i)];
            return QStringList{r.label, r.value, r.description};
        };
        QCOMPARE(cards[0].caption, QStringLiteral("COMP"));
        QCOMPARE(row(0, 0), (QStringList{"SP", "12,50", "žádaná hodnota"}));
        QCOMPARE(row(3, 0), (QStringList{"TYPE", "4 až 20 mA", "typ senzoru"}));
        QCOMPARE(row(4, 0)[1], QStringLiteral("(mimo seznam: 4)"));
        QCOMPARE(cards[8].caption, QStringLiteral("REGO"));
        // Rows from top to bottom as the card shows them, not in taking order.
        QCOMPARE(row(8, 2), (QStringList{"DEAD", "3", "necitlivost regulace [%]"}));
        QCOMPARE(row(1, 4)[0], QStringLiteral("RALA"));
        QCOMPARE(row(11, 0), (QStringList{"", "5", "adresa regulátoru"}));

        Report report{QDateTime(QDate(2026, 12, 8), QTime(13, 5, 9)),
                      "QDX 72-4xxx",
                      "QDX72_4x V.1.0",
                      7,
                      "/tmp/kotelna.ini",
                      cards};
        const QString text = reportDocument(report)->toPlainText();
        for (const QString& s :
             {reportTitle(), QStringLiteral("Datum a čas:"), QStringLiteral("08.12.2026 13:05:09"),
              QStringLiteral("QDX 72-4xxx"), QStringLiteral("QDX72_4x V.1.0"),
              QStringLiteral("Adresa na sběrnici:"), QStringLiteral("/tmp/kotelna.ini"),
              QStringLiteral("Jméno technika:"), QStringLiteral("Podpis:"),
              QStringLiteral("necitlivost regulace [%]")})
            QVERIFY2(text.contains(s), qPrintable(s));
        report.fileName.clear();
        report.deviceType.clear();
        const QString plain = reportDocument(report)->toPlainText();
        QVERIFY(!plain.contains(QStringLiteral("Soubor parametrů")));
        QVERIFY(plain.contains(QStringLiteral("(nezjištěno)")));

        // A4 on one or two pages.
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        const int pages = printReport(report, pdf);
        QVERIFY2(pages == 1 || pages == 2, qPrintable(QString::number(pages)));

        // From the editor: every card's source, and the file once cards came from one.
        auto fromEditor = editor->protocol();
        QVERIFY(fromEditor && fromEditor->fileName.isEmpty());
        QCOMPARE(fromEditor->cards[1].source, QStringLiteral("z regulátoru"));
        QCOMPARE(fromEditor->address, 1);
        const QString ini = dir.filePath(QStringLiteral("protokol.ini"));
        rig->prompts.paths = {ini, ini};
        menu("Uloit1");
        menu("Otevt1");
        fromEditor = editor->protocol();
        QCOMPARE(fromEditor->fileName, ini);
        QCOMPARE(fromEditor->cards[1].source, QStringLiteral("ze souboru"));
        QCOMPARE(fromEditor->deviceType, QString()); // never identified on this rig

        // From the menu: a PDF file, and the print dialog's printer.
        const QString file = dir.filePath(QStringLiteral("protokol.pdf"));
        rig->prompts.paths.push_back(file);
        menu("mn_pdf");
        QCOMPARE(head(file), QByteArray("%PDF-"));
        QVERIFY(QFileInfo(rig->prompts.asked.last().dialog.initialName).isAbsolute());
        const QString printed = dir.filePath(QStringLiteral("tisk.pdf"));
        rig->prompts.printer = [&printed](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printed);
            return true;
        };
        menu("mn_tisk");
        QCOMPARE(head(printed), QByteArray("%PDF-"));
    }
};

VX52_CZECH_TEST_MAIN(TestParamCompare)
#include "test_param_compare.moc"
