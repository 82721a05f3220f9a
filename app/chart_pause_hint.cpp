#include "app/chart_pause_hint.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

ChartPauseHint::ChartPauseHint(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("pa_pozastaveno"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(255, 243, 196));
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 2, 2);
    layout->setSpacing(6);
    auto* text = new QLabel(tr("Pozastavený pohled"), this);
    text->setObjectName(QStringLiteral("lb_pozastaveno"));
    live_ = new QPushButton(tr("Živý pohled"), this);
    live_->setObjectName(QStringLiteral("tl_zivy"));
    live_->setToolTip(tr("Vrátí graf k živému pohledu, který sleduje nové body "
                         "(klávesa Home nebo dvojklik do grafu)"));
    layout->addWidget(text);
    layout->addWidget(live_);
    hide();
}
