// The report's figures, painted on a sheet (io/ReportPainting.h): the two
// screens drawn again with axes and legends, and the graphs of the angular
// momentum and of the energy account against time.
#pragma once

#include "io/ReportPainting.h"
#include "io/ReportText.h"

namespace vozaz2::report {

// The oscillogram with its axes and legend, in the box from (x, y) of width
// w. Returns the height used.
double OscillogramFigure(Sheet& s, double x, double y, double w, const ReportContent& c);
// The path seen from above, the same way.
double PathFigure(Sheet& s, double x, double y, double w, const ReportContent& c);

// The graphs in the box (x, y, w, h): the angular momentum (as its change
// from MKD1 when that is small), and the terms of the energy balance with
// the balance itself.
void MomentumGraph(Sheet& s, double x, double y, double w, double h, const ReportContent& c);
void EnergyGraph(Sheet& s, double x, double y, double w, double h, const ReportContent& c);

}  // namespace vozaz2::report
