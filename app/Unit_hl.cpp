#include "app/Unit_hl.h"

#include "app/dialogs/about_box.h"
#include "app/trend_chart.h"
#include "app/window_fit.h"
#include "ui/anchors.h"
#include "ui/codepage.h"
#include "ui/color_value.h"
#include "ui/regional.h"
#include "ui/tag.h"
#include "ui_Unit_hl.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QIcon>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kDesktop = QStringLiteral("DESKTOP");
const QString kGraf = QStringLiteral("GRAF");
const QString kZaznam = QStringLiteral("ZAZNAM");

// The window's client area as designed; anchored controls keep their distances to it.
constexpr QSize kDesignClient(807, 526);
// The status bar as designed (807 by 31) with a second row for the link's state panel.
constexpr QSize kDesignStatusBar(807, 57);

constexpr std::int32_t asStored(std::uint32_t colour) { return static_cast<std::int32_t>(colour); }
constexpr std::uint32_t asColour(std::int32_t stored) { return static_cast<std::uint32_t>(stored); }

} // namespace

Tqdx01::Tqdx01(vx52::AppContext& context, QWidget* parent)
    : QMainWindow(parent), ctx(context), ui(new Ui::Tqdx01), Timer1(new QTimer(this)),
      settings(context.settings) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("qdx01"));

    QFont valueFont(QStringLiteral("Arial"));
    valueFont.setPixelSize(16);
    valueFont.setBold(true);
    for (QLabel* value : {ui->pa_meas1, ui->pa_meas2, ui->pa_meas3, ui->pa_meas4}) {
        value->setFont(valueFont);
        value->setText(vx52::zeroValueText());
    }

    // The notice strip takes the top of the chart's place while it has something to say.
    auto* chartArea = new QWidget(ui->centralwidget);
    chartArea->setObjectName(QStringLiteral("pa_graf"));
    chartArea->setGeometry(ui->Chart1->geometry());
    auto* column = new QVBoxLayout(chartArea);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    notices = new vx52::NoticeStrip(chartArea);
    column->addWidget(notices);
    column->addWidget(ui->Chart1, 1);
    auto* anchors = new vx52::Anchors(ui->centralwidget, kDesignClient);
    anchors->follow(chartArea, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);
    anchors->follow(ui->Panel4, Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge);
    auto* statusAnchors = new vx52::Anchors(ui->Panel4, kDesignStatusBar);
    for (QWidget* panel : {static_cast<QWidget*>(ui->pa_soubor), static_cast<QWidget*>(ui->Panel5),
                           static_cast<QWidget*>(ui->pa_zaznam),
                           static_cast<QWidget*>(ui->pa_jednotky)})
        statusAnchors->follow(panel, Qt::RightEdge | Qt::TopEdge);
    statusAnchors->follow(ui->pa_spojeni, Qt::LeftEdge | Qt::RightEdge | Qt::TopEdge);
    // While publishing, the broker's panel covers the right end of the link's panel.
    statusAnchors->follow(ui->pa_mqtt, Qt::RightEdge | Qt::TopEdge);

    // The menu's separators carry their names too.
    int separator = 0;
    for (QAction* item : ui->mn_soubor->actions())
        if (item->isSeparator()) item->setObjectName(QStringLiteral("N%1").arg(++separator));
    setMenuPictures();
    setWindowIcon(QIcon(QStringLiteral(":/icons/vx52.svg")));

    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(200);

    // One line per area: each area wires its own controls.
    connectStartup();
    connectMeasurement();
    connectChart();
    connectRecording();
    connectPortMenu();
    connectParamMenu();
    connectMonitorMenu();
    connectMqtt();
    connectOverviewMenu();

    vx52::runGuarded(ctx.prompts, this, [this] { FormCreate(); });
    vx52::runGuarded(ctx.prompts, this, [] { vx52::requireCodePage(); });
    vx52::runGuarded(ctx.prompts, this, [this] { startPublishing(); });
    Timer1->start();
}

Tqdx01::~Tqdx01() {
    delete mqtt; // its last status signal must not find the controls gone
    delete ui;
}

void Tqdx01::connectStartup() {
    connect(ui->mn_about, &QAction::triggered, this, guarded([this] { mn_aboutClick(); }));
    connect(ui->mn_exit, &QAction::triggered, this, guarded([this] { mn_exitClick(); }));
}

void Tqdx01::setMenuPictures() {
    const auto picture = [](const char* name) {
        return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
    };
    ui->mn_novy->setIcon(picture("new_record"));
    ui->mn_ulozit->setIcon(picture("save"));
    ui->mn_port->setIcon(picture("port"));
    ui->mn_parametry->setIcon(picture("parameters"));
    ui->mn_barva->setIcon(picture("chart"));
    ui->mn_rychlost_zaznamu->setIcon(picture("rate"));
    ui->mn_about->setIcon(picture("about"));
    ui->mn_ident->setIcon(picture("ident"));
    QIcon read;
    read.addFile(QStringLiteral(":/icons/read.svg"), QSize(), QIcon::Normal);
    read.addFile(QStringLiteral(":/icons/read_disabled.svg"), QSize(), QIcon::Disabled);
    ui->tl_precist->setIcon(read);
}

int Tqdx01::recordList() const { return vx52::tagOf(ui->pa_zaznam); }
int Tqdx01::recordUnit() const { return vx52::tagOf(ui->pa_jednotky); }
int Tqdx01::fileMinutes() const { return vx52::tagOf(ui->pa_soubor); }

void Tqdx01::setRecordList(int list) {
    vx52::setTag(ui->pa_zaznam, list);
    ui->pa_zaznam->setText(QString::number(list));
}

void Tqdx01::setRecordUnit(int secondsPerUnit) {
    vx52::setTag(ui->pa_jednotky, secondsPerUnit);
    ui->pa_jednotky->setText(secondsPerUnit == 1 ? QStringLiteral("s") : QStringLiteral("min"));
}

void Tqdx01::setFileMinutes(int minutes) {
    vx52::setTag(ui->pa_soubor, minutes);
    ui->pa_soubor->setText(QString::number(minutes));
}

void Tqdx01::FormCreate() {
    readDesktop();
    readChartSettings();
    readRecordSettings();
    // Show the recording settings.
    setRecordList(recordList());
    setFileMinutes(fileMinutes());
    setRecordUnit(recordUnit());
    paintPenSwatches();
    applyChartSettings();
    sample_ticks = 0;
    read_failures = 0;
}

void Tqdx01::readDesktop() {
    const int left = settings.readInteger(kDesktop, QStringLiteral("Left"), kDesignLeft);
    const int top = settings.readInteger(kDesktop, QStringLiteral("Top"), kDesignTop);
    const int height = settings.readInteger(kDesktop, QStringLiteral("Height"), kDesignHeight);
    const int width = settings.readInteger(kDesktop, QStringLiteral("Width"), kDesignWidth);
    // Taken only where it fits: a stored 32767 by 32767 window, or one of no size or off
    // every screen, would come up unusable at every start.
    vx52::placeWindow(*this, QPoint(left, top), QSize(width, height),
                      QSize(kDesignWidth, kDesignHeight));
}

void Tqdx01::readChartSettings() {
    const auto colour = [this](const char* key, std::uint32_t fallback) {
        return asColour(settings.readInteger(kGraf, QLatin1String(key), asStored(fallback)));
    };
    pen_color1 = colour("PERO1", 0x000000FFu);
    pen_color2 = colour("PERO2", 0x00008000u);
    pen_color3 = colour("PERO3", 0x0000FFFFu);
    pen_color4 = colour("PERO4", 0x00FF0000u);
    wall_color = colour("MRIZ", vx52::kButtonFace);
    panel_color = colour("POZADI", vx52::kButtonFace);
    view_3d = settings.readInteger(kGraf, QStringLiteral("G3D"), 1) != 0;
    // The chart takes depths of 1 to 100 only; one out of range is brought to the nearest.
    rotation_3d = std::clamp(settings.readInteger(kGraf, QStringLiteral("R3D"), 35), 1, 100);
    // A stored count outside what the chart dialog allows is taken to the nearest bound: a
    // negative one would have the first trimming delete from an empty series.
    point_limit = std::clamp(settings.readInteger(kGraf, QStringLiteral("POCET"), 200), 10, 100000);
}

void Tqdx01::readRecordSettings() {
    // Damaged entries are taken into what the rate dialog allows: a rate or file period of 0
    // would sample, and rewrite the whole recording file, at every second tick. A unit other
    // than seconds is minutes, as the status bar already shows it.
    const int unit = settings.readInteger(kZaznam, QStringLiteral("JEDNOTKY"), 1) == 1 ? 1 : 60;
    vx52::setTag(ui->pa_jednotky, unit);
    vx52::setTag(ui->pa_zaznam,
                 std::clamp(settings.readInteger(kZaznam, QStringLiteral("LIST"), 1), 1, 1000));
    vx52::setTag(ui->pa_soubor,
                 std::clamp(settings.readInteger(kZaznam, QStringLiteral("SOUBOR"), 15), 1, 60));
}

void Tqdx01::paintPenSwatches() {
    const std::uint32_t pens[] = {pen_color1, pen_color2, pen_color3, pen_color4};
    QLabel* swatches[] = {ui->pa_barva_pera1, ui->pa_barva_pera2, ui->pa_barva_pera3,
                          ui->pa_barva_pera4};
    for (int i = 0; i < 4; ++i) {
        QPalette palette = swatches[i]->palette();
        palette.setColor(QPalette::Window, vx52::colorFromValue(pens[i]));
        swatches[i]->setPalette(palette);
        ui->Chart1->setPenColor(i, pens[i]); // the chart's legend
    }
}

void Tqdx01::applyChartSettings() {
    ui->Chart1->setPanelColor(panel_color);
    ui->Chart1->setBackWallColor(wall_color);
    ui->Chart1->setDepth3D(rotation_3d);
    ui->Chart1->setView3D(view_3d);
}

void Tqdx01::closeEvent(QCloseEvent* event) {
    vx52::runGuarded(ctx.prompts, this, [this] { FormClose(); });
    QMainWindow::closeEvent(event);
}

void Tqdx01::FormClose() {
    writeDesktop();
    writeChartSettings();
    writeRecordSettings();
    settings.flush();
}

void Tqdx01::writeDesktop() {
    settings.writeInteger(kDesktop, QStringLiteral("Top"), y());
    settings.writeInteger(kDesktop, QStringLiteral("Left"), x());
    settings.writeInteger(kDesktop, QStringLiteral("Height"), height());
    settings.writeInteger(kDesktop, QStringLiteral("Width"), width());
}

void Tqdx01::writeChartSettings() {
    settings.writeInteger(kGraf, QStringLiteral("PERO1"), asStored(pen_color1));
    settings.writeInteger(kGraf, QStringLiteral("PERO2"), asStored(pen_color2));
    settings.writeInteger(kGraf, QStringLiteral("PERO3"), asStored(pen_color3));
    settings.writeInteger(kGraf, QStringLiteral("PERO4"), asStored(pen_color4));
    settings.writeInteger(kGraf, QStringLiteral("MRIZ"), asStored(wall_color));
    settings.writeInteger(kGraf, QStringLiteral("POZADI"), asStored(panel_color));
    settings.writeInteger(kGraf, QStringLiteral("G3D"), view_3d ? 1 : 0);
    settings.writeInteger(kGraf, QStringLiteral("R3D"), rotation_3d);
    settings.writeInteger(kGraf, QStringLiteral("POCET"), point_limit);
}

void Tqdx01::writeRecordSettings() {
    settings.writeInteger(kZaznam, QStringLiteral("LIST"), recordList());
    settings.writeInteger(kZaznam, QStringLiteral("SOUBOR"), fileMinutes());
    settings.writeInteger(kZaznam, QStringLiteral("JEDNOTKY"), recordUnit());
}

// "&O aplikaci": shown modally while the timer goes on, so automatic reading continues.
void Tqdx01::mn_aboutClick() {
    if (AboutBox) AboutBox->exec();
}

// "&Konec": the recording is saved first ("&Uložit..."), then the window closes.
void Tqdx01::mn_exitClick() {
    if (saveBeforeExit && !saveBeforeExit()) return; // a failed save keeps it open too
    close();
}
