// The report's view of the apparatus at the end of the run: the window
// "Установка" in perspective, as a vector figure, with every vector, the
// last turns of the path and the scales of the vectors.
#pragma once

#include "io/ReportPainting.h"
#include "io/ReportText.h"

namespace vozaz2::report {

// The figure in the box from (x, y) of width w (mm); returns the height used.
double ApparatusFigure(Sheet& s, double x, double y, double w, const ReportContent& c);

// The report's second page: its heading and the figure.
void ApparatusPage(QPainter& p, const QRectF& page, const ReportContent& c);

}  // namespace vozaz2::report
