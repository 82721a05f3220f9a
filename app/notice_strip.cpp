#include "app/notice_strip.h"

#include "ui/regional.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace vx52 {

namespace {

const char* const kRowNames[NoticeStrip::kKinds] = {"notice_spojeni", "notice_soubor",
                                                    "notice_cteni"};

} // namespace

NoticeStrip::NoticeStrip(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("pa_oznameni"));
    setFrameShape(QFrame::StyledPanel);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(255, 248, 196)); // a pale note, not an alarm
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(6, 2, 2, 2);
    rows->setSpacing(0);
    for (int k = 0; k < kKinds; ++k) {
        Row& row = rows_[k];
        row.box = new QWidget(this);
        row.box->setObjectName(QLatin1String(kRowNames[k]));
        auto* line = new QHBoxLayout(row.box);
        line->setContentsMargins(0, 0, 0, 0);
        row.time = new QLabel(row.box);
        row.time->setObjectName(QStringLiteral("cas"));
        row.text = new QLabel(row.box);
        row.text->setObjectName(QStringLiteral("text"));
        row.text->setWordWrap(true);
        row.text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        auto* close = new QToolButton(row.box);
        close->setObjectName(QStringLiteral("tl_zavrit"));
        close->setText(QStringLiteral("×"));
        close->setToolTip(tr("Zavřít oznámení"));
        close->setAutoRaise(true);
        line->addWidget(row.time, 0, Qt::AlignTop);
        line->addWidget(row.text, 1);
        line->addWidget(close, 0, Qt::AlignTop);
        const Kind kind = static_cast<Kind>(k);
        connect(close, &QToolButton::clicked, this, [this, kind] { withdraw(kind); });
        rows->addWidget(row.box);
        row.box->hide();
    }
    hide();
}

void NoticeStrip::post(Kind kind, const QDateTime& at, const QString& text) {
    Row& row = rows_[index(kind)];
    row.at = at;
    row.time->setText(longTimeText(at.time()));
    row.text->setText(text);
    row.box->show();
    showIfAny();
}

void NoticeStrip::withdraw(Kind kind) {
    Row& row = rows_[index(kind)];
    row.box->hide();
    row.text->clear();
    row.time->clear();
    showIfAny();
}

bool NoticeStrip::shows(Kind kind) const { return !rows_[index(kind)].box->isHidden(); }

QString NoticeStrip::text(Kind kind) const {
    return shows(kind) ? rows_[index(kind)].text->text() : QString();
}

void NoticeStrip::showIfAny() {
    bool any = false;
    for (const Row& row : rows_) any = any || !row.box->isHidden();
    setVisible(any);
}

} // namespace vx52
