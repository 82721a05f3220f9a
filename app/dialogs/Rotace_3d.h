#pragma once
// "GRAF 3D": the chart's 3D view, 3D depth, back wall and panel colours, and the number of
// points kept. Its handlers change the main window's chart at once; the main window presets
// the controls from its fields and, after the dialog, takes the values back or restores them.

#include "ui/app_context.h"

#include <QColor>
#include <QDialog>

#include <cstdint>
#include <memory>
#include <optional>

class QLineEdit;
class TrendChart;

namespace Ui {
class Trotace3D;
}

class Trotace3D : public QDialog {
    Q_OBJECT

public:
    explicit Trotace3D(vx52::AppContext& ctx, QWidget* parent = nullptr);
    ~Trotace3D() override;

    // The chart the handlers work on (the main window's Chart1).
    void setChart(TrendChart* chart) { chart_ = chart; }
    TrendChart* chart() const { return chart_; }

    // Presets the controls; setting the box and the bar also sets the chart through their
    // handlers, to the values it already has.
    void preset(bool view3d, std::uint32_t wallColor, std::uint32_t panelColor, int depth,
                int pointLimit);
    // The accepted number of points (valid after the dialog ended with OK).
    int pointLimit() const;

    // Each returns 0 on success and -1 on failure, as the entry checks of the small dialogs do.
    int CheckInteger(QLineEdit* edit);
    int CheckRange(int lower, int upper, QLineEdit* edit);

    void check_3DClick();
    void bar_3DChange();
    void tl_barva_mrizClick();
    void tl_barva_okrajClick();
    void ed_poc_merKeyPress(int key);
    void tl_okClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paintSwatch(QWidget* swatch, std::uint32_t color);
    std::optional<std::uint32_t> chooseColor();

    vx52::AppContext& ctx_;
    std::unique_ptr<Ui::Trotace3D> ui_;
    TrendChart* chart_ = nullptr;
    QColor last_color_{Qt::white}; // the colour dialog opens with the colour last chosen in it
};
