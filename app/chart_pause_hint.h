#pragma once
// The hint a held view shows over the chart: "Pozastavený pohled" and a button back to the
// live view.

#include <QFrame>

class QPushButton;

class ChartPauseHint : public QFrame {
    Q_OBJECT

public:
    explicit ChartPauseHint(QWidget* parent);
    QPushButton* liveButton() const { return live_; }

private:
    QPushButton* live_;
};
