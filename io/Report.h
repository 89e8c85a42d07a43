// The lab report of a run: an A4 page in Russian with the set-up, both
// screens as vector pictures with axes and legends, the graphs of the angular
// momentum and of the energy account against time, the readout at the end
// and a verification paragraph; a second page with the apparatus at the end
// of the run (io/ReportApparatus.h), and for an experiment with a task a third
// with the question and the answers (io/ReportTask.h). The same pages go to a PDF file and to
// a printer; the screens, the graphs and the apparatus also go to SVG figures.
//
// The writers: the report's words are in io/ReportText.h, its painting kit
// in io/ReportPainting.h, the figures in io/ReportFigures.h.
// Painting text needs a QGuiApplication (fonts); no display is needed.
#pragma once

#include <QString>

#include "io/ReportText.h"

class QIODevice;
class QPainter;
class QRectF;

namespace vozaz2 {

// Paints the page on a device whose page is `page` (device pixels); on a
// device of pages (a PDF, a printer) a second page follows with the
// apparatus at the end of the run, and the task's page after it.
void PaintReport(QPainter& painter, const QRectF& page, const ReportContent& c);

// Writes the report as an A4 PDF of two pages to `out` (open for writing), or to a
// file that is written whole or not at all. Returns false when the writing
// failed.
bool WriteReportPdf(QIODevice& out, const ReportContent& c);
bool WriteReportPdf(const QString& fileName, const ReportContent& c);

// The SVG figures: the two screens with axes and legends, the two graphs,
// the apparatus at the end (the second page's figure).
enum class Figure { kOscillogram, kPath, kMomentum, kEnergy, kApparatus };
inline constexpr Figure kFigures[] = {Figure::kOscillogram, Figure::kPath, Figure::kMomentum, Figure::kEnergy,
                                      Figure::kApparatus};
// The end of the figure's file name: "-oscillogram.svg", "-path.svg",
// "-momentum.svg", "-energy.svg", "-apparatus.svg".
QString FigureFileSuffix(Figure f);
bool WriteSvgFigure(QIODevice& out, Figure f, const ReportContent& c);
// All four as PREFIX + suffix, each written whole or not at all.
bool WriteSvgFigures(const QString& prefix, const ReportContent& c);

}  // namespace vozaz2
