// The report of a series: one A4 page in Russian with the set-up (the
// experiment, what changes from run to run and how long each goes), the
// table of results (one row a run), and the law across the runs: ω2/ω1
// against R1/R2 on logarithmic axes with the fitted line, the line of
// slope 2 that L = m·ω·R² predicts, and the fitted slope with its error
// set beside the 2. Painting text needs a QGuiApplication (fonts).
#pragma once

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "run/LineFit.h"
#include "run/Series.h"

class QIODevice;
class QPainter;
class QRectF;

namespace vozaz2 {

struct SeriesReportContent {
  const SeriesPlan& plan;
  const std::vector<SeriesRow>& rows;  // in the order of the runs
  QString version;                     // the program's
  QDate date = QDate::currentDate();
};

// The fitted slope with its standard error, each to the error's second
// significant digit, in the report's notation: "2,00013 ± 0,00042"; an
// error below a millionth is "2,000000 ± менее 0,000001".
QString SlopeText(const LineFit& fit);
// The law across the runs in a sentence or two: the slope fitted to how many
// runs, beside the 2 predicted, and whether they agree within the error.
QString LawText(const std::optional<LineFit>& fit);

// What the series changes, in a sentence: "VL, м/с: 20 значений от 0,02 до
// 0,4 через равные промежутки; каждый опыт — 2400 шагов."
QString SeriesSentence(const Series& s);

// Paints the page on a device whose page is `page` (device pixels).
void PaintSeriesReport(QPainter& painter, const QRectF& page, const SeriesReportContent& c);
// The page as a one-page A4 PDF to `out` (open for writing), or to a file
// written whole or not at all. Returns false when the writing failed.
bool WriteSeriesReportPdf(QIODevice& out, const SeriesReportContent& c);
bool WriteSeriesReportPdf(const QString& fileName, const SeriesReportContent& c);

}  // namespace vozaz2
