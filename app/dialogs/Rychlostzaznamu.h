#pragma once
// "Rychlost záznamu": the recording rate (a count of seconds or minutes) and the period of
// the periodic file write, in minutes. The caller presets the edits and the unit, shows the
// dialog modally and, on OK, takes the two texts and unitResult().

#include "ui/app_context.h"

#include <QDialog>

#include <memory>

class QLineEdit;
class QRadioButton;
class QTabWidget;
class QPushButton;

namespace Ui {
class Tform_zaznam;
}

class Tform_zaznam : public QDialog {
    Q_OBJECT

public:
    explicit Tform_zaznam(vx52::AppContext& ctx, QWidget* parent = nullptr);
    ~Tform_zaznam() override;

    // Bounds of the two entries.
    static constexpr int kSampleMin = 1;
    static constexpr int kSampleMax = 1000;
    static constexpr int kSouborMin = 1;
    static constexpr int kSouborMax = 60;

    // Seconds per unit chosen at the last OK: 1 ("sekundy") or 60 ("minuty").
    int unitResult() const { return unit_result; }

    QLineEdit* ed_sample() const;
    QLineEdit* ed_soubor() const;
    QRadioButton* rb_sec() const;
    QRadioButton* rb_min() const;
    QTabWidget* PageControl1() const;
    QPushButton* tl_ok() const;

    // 0 when the edit holds an integer; otherwise warns, resets the edit to "1", focuses it
    // and gives -1.
    int CheckInteger(QLineEdit* edit);
    // 0 when the edit's integer lies within [lower, upper]; otherwise reports the range and
    // gives -1.
    int CheckRange(int lower, int upper, QLineEdit* edit);

    // Key handlers of the two edits; only Enter (13) acts.
    void ed_sampleKeyPress(char16_t key);
    void ed_souborKeyPress(char16_t key);
    void tl_okClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void enterInEdit(QLineEdit* edit, int lower, int upper);
    void fitPageCaptions();

    vx52::AppContext& ctx;
    std::unique_ptr<Ui::Tform_zaznam> ui;
    int unit_result = 60;
};
