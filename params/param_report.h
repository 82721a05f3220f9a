#pragma once
// The parameter protocol: all twelve cards with their labels, values and descriptions as the
// editor shows them, the device, its bus address, the date and time, the file the cards came
// from, and lines for the technician's name and signature. Czech, A4, black on white.

#include "params/card_texts.h"

#include <QDateTime>
#include <QString>

#include <memory>
#include <vector>

class QPagedPaintDevice;
class QTextDocument;

namespace vx52 {

struct ReportRow {
    QString label;
    QString value;
    QString description;
};

struct ReportCard {
    QString caption;
    std::vector<ReportRow> rows;
    QString source; // where the card's contents came from ("ze souboru"); may be empty
};

struct Report {
    QDateTime when;
    QString deviceType;    // empty when the device did not tell its type
    QString deviceVersion; // empty when it did not tell its version
    int address = 0;       // the regulator's bus address
    QString fileName;      // the parameter file the cards came from; empty if none
    std::vector<ReportCard> cards;
};

// The report's title, in the language of the texts.
QString reportTitle();

// The twelve cards of `params` in the editor's notation and order.
std::vector<ReportCard> reportCards(const CardTexts& texts, ParamSet& params);

// The protocol as a document; the page size is set by whoever lays it out.
std::unique_ptr<QTextDocument> reportDocument(const Report& report);

// Lays the protocol out on the device's pages (A4 as the device is set up), with the title
// and page number at each page's foot. Gives the number of pages printed, 0 when the device
// could not be painted on.
int printReport(const Report& report, QPagedPaintDevice& device);

// A4 upright with the protocol's margins, for a PDF writer or a printer.
void setReportPage(QPagedPaintDevice& device);

// The protocol as an A4 PDF file; false when the file could not be written.
bool writeReportPdf(const Report& report, const QString& path);

} // namespace vx52
