#include "params/param_report.h"

#include "params/param_compare.h"
#include "ui/regional.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFile>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

namespace vx52 {

namespace {

const QString kFontFamily = QStringLiteral("DejaVu Sans");
constexpr double kFontPoints = 8.5;
const QString kBlank = QStringLiteral("______________________________");

QString esc(const QString& text) {
    return text.toHtmlEscaped();
}

QString headerRow(const QString& name, const QString& value) {
    return QStringLiteral("<tr><td>%1</td><td><b>%2</b></td></tr>").arg(esc(name), esc(value));
}

QString orNotTold(const QString& text) {
    return text.trimmed().isEmpty() ? QCoreApplication::translate("ParamReport", "(nezjištěno)")
                                    : text;
}

QString headerTable(const Report& r) {
    QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\">");
    html += headerRow(QCoreApplication::translate("ParamReport", "Datum a čas:"),
                      r.when.date().toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char(' ') +
                          longTimeText(r.when.time()));
    html += headerRow(QCoreApplication::translate("ParamReport", "Typ přístroje:"),
                      orNotTold(r.deviceType));
    html += headerRow(QCoreApplication::translate("ParamReport", "Verze přístroje:"),
                      orNotTold(r.deviceVersion));
    html += headerRow(QCoreApplication::translate("ParamReport", "Adresa na sběrnici:"),
                      QString::number(r.address));
    if (!r.fileName.isEmpty())
        html +=
            headerRow(QCoreApplication::translate("ParamReport", "Soubor parametrů:"), r.fileName);
    return html + QStringLiteral("</table>");
}

// One table for all cards: a card's caption heads its rows.
QString cardsTable(const Report& r) {
    QString html =
        QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"1\" "
                       "style=\"border-collapse: collapse; border-color: #000000;\">"
                       "<thead><tr><th align=\"left\" width=\"12%\">%1</th>"
                       "<th align=\"left\" width=\"12%\">%2</th>"
                       "<th align=\"left\" width=\"36%\">%3</th>"
                       "<th align=\"left\" width=\"40%\">%4</th></tr></thead>")
            .arg(esc(QCoreApplication::translate("ParamReport", "Karta")),
                 esc(QCoreApplication::translate("ParamReport", "Parametr")),
                 esc(QCoreApplication::translate("ParamReport", "Hodnota")),
                 esc(QCoreApplication::translate("ParamReport", "Popis")));
    for (const auto& card : r.cards) {
        bool first = true;
        for (const auto& row : card.rows) {
            html += QStringLiteral("<tr>");
            if (first) {
                html += QStringLiteral("<td rowspan=\"%1\"><b>%2</b>")
                            .arg(card.rows.size())
                            .arg(esc(card.caption));
                if (!card.source.isEmpty())
                    html += QStringLiteral("<br><span style=\"font-size: 7pt;\">%1</span>")
                                .arg(esc(card.source));
                html += QStringLiteral("</td>");
            }
            first = false;
            html += QStringLiteral("<td>%1</td><td>%2</td><td>%3</td></tr>")
                        .arg(esc(row.label), esc(row.value), esc(row.description));
        }
    }
    return html + QStringLiteral("</table>");
}

// Filled in by hand: the technician's name and signature side by side.
QString signatureLines() {
    return QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\" "
                          "style=\"margin-top: 16px;\"><tr>"
                          "<td width=\"50%\">%1 %3</td>"
                          "<td width=\"50%\">%2 %3</td></tr></table>")
        .arg(esc(QCoreApplication::translate("ParamReport", "Jméno technika:")),
             esc(QCoreApplication::translate("ParamReport", "Podpis:")), kBlank);
}

} // namespace

QString reportTitle() {
    return QCoreApplication::translate("ParamReport", "Protokol nastavení regulátoru QDX 72-4xxx");
}

std::vector<ReportCard> reportCards(const CardTexts& texts, ParamSet& params) {
    std::vector<ReportCard> cards;
    for (int card = 0; card < kParamCards; ++card) {
        ReportCard c{texts.caption(card), {}, {}};
        for (const CardEntry* e : texts.rows(card))
            c.rows.push_back(
                {texts.shortLabel(*e), texts.value(params, *e), texts.description(*e)});
        cards.push_back(std::move(c));
    }
    return cards;
}

std::unique_ptr<QTextDocument> reportDocument(const Report& report) {
    auto doc = std::make_unique<QTextDocument>();
    QFont font(kFontFamily);
    font.setPointSizeF(kFontPoints);
    doc->setDefaultFont(font);
    doc->setDocumentMargin(0);
    doc->setHtml(
        QStringLiteral("<html><body><p style=\"font-size: 13pt; font-weight: bold; "
                       "margin-bottom: 6px;\">%1</p>%2<p></p>%3%4</body></html>")
            .arg(esc(reportTitle()), headerTable(report), cardsTable(report), signatureLines()));
    return doc;
}

int printReport(const Report& report, QPagedPaintDevice& device) {
    auto doc = reportDocument(report);
    QPainter painter;
    if (!painter.begin(&device)) return 0;
    auto* layout = doc->documentLayout();
    layout->setPaintDevice(&device);
    // Fonts and sizes below are in the device's own pixels.
    const QRectF paper = device.pageLayout().paintRectPixels(device.logicalDpiX());
    QFont footFont(kFontFamily);
    footFont.setPointSizeF(kFontPoints - 1);
    const qreal footHeight = QFontMetricsF(footFont, &device).height() * 2;
    const QSizeF body(paper.width(), paper.height() - footHeight);
    doc->setPageSize(body);

    const int pages = doc->pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0) device.newPage();
        painter.save();
        painter.translate(0, -page * body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, page * body.height(), body.width(), body.height());
        context.palette.setColor(QPalette::Text, Qt::black);
        layout->draw(&painter, context);
        painter.restore();

        painter.setFont(footFont);
        painter.setPen(Qt::black);
        const QRectF foot(0, body.height() + footHeight / 2, body.width(), footHeight / 2);
        painter.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter, reportTitle());
        painter.drawText(
            foot, Qt::AlignRight | Qt::AlignVCenter,
            QCoreApplication::translate("ParamReport", "Strana %1 z %2").arg(page + 1).arg(pages));
    }
    painter.end();
    return pages;
}

void setReportPage(QPagedPaintDevice& device) {
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(18, 12, 15, 12), QPageLayout::Millimeter);
}

bool writeReportPdf(const Report& report, const QString& path) {
    {
        QPdfWriter pdf(path);
        setReportPage(pdf);
        pdf.setResolution(300);
        pdf.setCreator(QStringLiteral("VX-52"));
        pdf.setTitle(reportTitle());
        if (printReport(report, pdf) == 0) return false;
    }
    QFile written(path);
    return written.exists() && written.size() > 0;
}

} // namespace vx52
