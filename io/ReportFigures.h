// The report's figures, painted on a sheet (io/ReportPainting.h): the two
// screens drawn again with axes and legends, and the graphs of the angular
// momentum and of the energy account against time.
#pragma once

#include <QColor>
#include <vector>

#include "io/ReportPainting.h"
#include "io/ReportText.h"

namespace vozaz2::report {

// The oscillogram with its axes and legend, in the box from (x, y) of width
// w. Returns the height used.
double OscillogramFigure(Sheet& s, double x, double y, double w, const ReportContent& c);
// The path seen from above, the same way.
double PathFigure(Sheet& s, double x, double y, double w, const ReportContent& c);

// A line of a graph: a quantity of kQuantities drawn as it is.
struct GraphSeries {
  std::size_t quantity;
  QColor colour;
  double width = 0.3;  // mm
  Qt::PenStyle style = Qt::SolidLine;
};
// A panel of a graph: series of one unit on one value axis, and its share
// of the graph's height.
struct GraphPanel {
  std::vector<GraphSeries> series;
  double share = 1;
};
// The name of a series in a legend: the quantity's key, or what the key
// stands for ("±EVL", "(MKD2 − MKD1)/MKD1 — относительное отклонение").
QString SeriesName(std::size_t q);

// The panels of the graphs, one under another on one time axis: MKD1 (wide,
// dashed, under) and MKD2, and under them their relative deviation on a
// scale of its own; the terms of the energy balance with the balance itself.
std::vector<GraphPanel> MomentumPanels();
std::vector<GraphPanel> EnergyPanels();

// The graphs in the box (x, y, w, h), each under its title.
void MomentumGraph(Sheet& s, double x, double y, double w, double h, const ReportContent& c);
void EnergyGraph(Sheet& s, double x, double y, double w, double h, const ReportContent& c);

}  // namespace vozaz2::report
