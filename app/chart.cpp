// The main window's trend chart: one point per series after every read, the pen colour
// buttons and "Nastavení grafu".

#include "app/Unit_hl.h"

#include "app/chart_export.h"
#include "app/dialogs/Rotace_3d.h"
#include "app/trend_chart.h"
#include "ui/color_value.h"
#include "ui/documents.h"
#include "ui/value_text.h"
#include "ui_Unit_hl.h"

void Tqdx01::connectChart() {
    connect(ui->tl_barva_pera1, &QPushButton::clicked, this,
            guarded([this] { tl_barva_pera1Click(); }));
    connect(ui->tl_barva_pera2, &QPushButton::clicked, this,
            guarded([this] { tl_barva_pera2Click(); }));
    connect(ui->tl_barva_pera3, &QPushButton::clicked, this,
            guarded([this] { tl_barva_pera3Click(); }));
    connect(ui->tl_barva_pera4, &QPushButton::clicked, this,
            guarded([this] { tl_barva_pera4Click(); }));
    connect(ui->mn_barva, &QAction::triggered, this, guarded([this] { mn_barvaClick(); }));
    connect(ui->mn_export_obrazek, &QAction::triggered, this,
            guarded([this] { mn_export_obrazekClick(); }));
    connect(ui->mn_export_csv, &QAction::triggered, this,
            guarded([this] { mn_export_csvClick(); }));
    connect(ui->mn_export_csv_vse, &QAction::triggered, this,
            guarded([this] { mn_export_csv_vseClick(); }));
    // The chart's context menu offers the same exports.
    ui->Chart1->addAction(ui->mn_export_obrazek);
    ui->Chart1->addAction(ui->mn_export_csv);
    ui->Chart1->addAction(ui->mn_export_csv_vse);
}

void Tqdx01::AddChartPoints() {
    TrendChart* chart = ui->Chart1;
    // Tested before the append: the series grow to point_limit + 1 and then slide.
    if (chart->count(0) > point_limit)
        for (int n = 0; n < TrendChart::kSeriesCount; ++n)
            chart->deleteFirst(n);
    const double x = TrendChart::toChartTime(ctx.clock.now());
    const QLabel* values[] = {ui->pa_meas1, ui->pa_meas2, ui->pa_meas3, ui->pa_meas4};
    const std::uint32_t pens[] = {pen_color1, pen_color2, pen_color3, pen_color4};
    for (int n = 0; n < TrendChart::kSeriesCount; ++n)
        chart->append(n, x, vx52::valueFromText(values[n]->text()), QString(), pens[n]);
}

namespace {

// The colour dialog on OK: the pen's field and its swatch take the colour.
bool choosePen(Tqdx01& window, std::uint32_t& pen) {
    const auto chosen = window.ctx.prompts.chooseColor(&window, window.ColorDialog1);
    if (!chosen) return false;
    window.ColorDialog1 = *chosen;
    pen = vx52::valueFromColor(*chosen);
    window.paintPenSwatches();
    return true;
}

} // namespace

void Tqdx01::tl_barva_pera1Click() {
    choosePen(*this, pen_color1);
}
void Tqdx01::tl_barva_pera2Click() {
    choosePen(*this, pen_color2);
}
void Tqdx01::tl_barva_pera3Click() {
    choosePen(*this, pen_color3);
}
void Tqdx01::tl_barva_pera4Click() {
    choosePen(*this, pen_color4);
}

void Tqdx01::mn_barvaClick() {
    if (!rotace3D) return;
    TrendChart* chart = ui->Chart1;
    rotace3D->setChart(chart);
    rotace3D->preset(view_3d, wall_color, panel_color, rotation_3d, point_limit);
    if (rotace3D->exec() == QDialog::Accepted) {
        panel_color = chart->panelColor();
        wall_color = chart->backWallColor();
        rotation_3d = chart->depth3D();
        view_3d = chart->view3D();
        point_limit = rotace3D->pointLimit(); // takes effect at the next point
        return;
    }
    // The chart was the dialog's working copy: put the fields back on it.
    chart->setDepth3D(rotation_3d);
    chart->setView3D(view_3d);
    chart->setBackWallColor(wall_color);
    chart->setPanelColor(panel_color);
}

void Tqdx01::mn_export_obrazekClick() {
    const vx52::Prompts::FileDialog dialog{
        tr("Uložit graf jako obrázek"), tr("Obrázek PNG (*.png);;Všechny soubory (*)"),
        QStringLiteral("png"), vx52::inDocuments(tr("graf") + QStringLiteral(".png")), true};
    const QString path = ctx.prompts.saveFile(this, dialog);
    if (!path.isEmpty()) saveChartPicture(*ui->Chart1, path);
}

void Tqdx01::exportChartPoints(ChartPoints which) {
    const vx52::Prompts::FileDialog dialog{
        which == ChartPoints::Shown ? tr("Uložit zobrazené body grafu do CSV")
                                    : tr("Uložit všechny body grafu do CSV"),
        tr("Soubor CSV (*.csv);;Všechny soubory (*)"), QStringLiteral("csv"),
        vx52::inDocuments(tr("graf") + QStringLiteral(".csv")), true};
    const QString path = ctx.prompts.saveFile(this, dialog);
    if (!path.isEmpty()) saveChartPoints(*ui->Chart1, which, path);
}

void Tqdx01::mn_export_csvClick() {
    exportChartPoints(ChartPoints::Shown);
}

void Tqdx01::mn_export_csv_vseClick() {
    exportChartPoints(ChartPoints::All);
}
