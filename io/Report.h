// The lab report of a run: one A4 page in Russian with the set-up, both
// screens as vector pictures with axes and legends, the graphs of the angular
// momentum and of the energy account against time, the readout at the end
// and a verification paragraph. The same page goes to a PDF file and to a
// printer; the screens and graphs also go to SVG figures.
//
// Painting text needs a QGuiApplication (fonts); no display is needed.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "model/Modes.h"
#include "model/Record.h"
#include "run/RunHistory.h"
#include "run/Session.h"
#include "run/DrawingRecord.h"

class QIODevice;
class QPainter;
class QRectF;

namespace vozaz2 {

struct ReportContent {
  const SimRecord& record;  // at the end of the run
  const Modes& controls;    // as they stand at the end of the run
  const DrawingRecord& oscillogram;
  const DrawingRecord& path;
  const RunHistory& history;
  std::string title;  // the experiment's own title; empty: the variant says it
  QString version;    // the program's
  QDate date = QDate::currentDate();
  bool diverged = false;  // the run ended in the divergence message
};

// The report of the run a session holds: its experiment's title, this
// program's version, today's date.
ReportContent ContentOf(const Session& session);

// The variant of the run in words, one item per choice: rotation, what is
// driven and which way, the release, the shape of the load, the split.
QStringList VariantInWords(const SimRecord& r, const Modes& controls);

// One row of the readout: the label beside the box in the window, the value
// as the box shows it (with a decimal comma) and the unit.
struct ReadoutRow {
  QString label, value, unit;
};
std::vector<ReadoutRow> ReadoutRows(const SimRecord& r);

// The eleven parameters: the label of the box, the value, the unit.
std::vector<ReadoutRow> ParameterRows(const SimRecord& r);

// The verification paragraph: the largest drift of the angular momentum and
// of the energy balance over the run, whether the angular momentum was kept
// within the error of the integration, and why not where the model does not
// keep it or its balance is only approximate.
QString VerificationText(const ReportContent& c);

// Paints the page on a device whose page is `page` (device pixels).
void PaintReport(QPainter& painter, const QRectF& page, const ReportContent& c);

// Writes the page as a one-page A4 PDF to `out` (open for writing), or to a
// file that is written whole or not at all. Returns false when the writing
// failed.
bool WriteReportPdf(QIODevice& out, const ReportContent& c);
bool WriteReportPdf(const QString& fileName, const ReportContent& c);

// The SVG figures: the two screens with axes and legends, the two graphs.
enum class Figure { kOscillogram, kPath, kMomentum, kEnergy };
inline constexpr Figure kFigures[] = {Figure::kOscillogram, Figure::kPath, Figure::kMomentum, Figure::kEnergy};
// The end of the figure's file name: "-oscillogram.svg", "-path.svg",
// "-momentum.svg", "-energy.svg".
QString FigureFileSuffix(Figure f);
bool WriteSvgFigure(QIODevice& out, Figure f, const ReportContent& c);
// All four as PREFIX + suffix, each written whole or not at all.
bool WriteSvgFigures(const QString& prefix, const ReportContent& c);

}  // namespace vozaz2
