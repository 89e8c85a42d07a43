// Drawing a view (graphs/Views.h) with QCustomPlot: its curves against time
// or against another quantity, the law on logarithmic axes, or bars; and
// over them the kept runs' layers (graphs/Layers.h).
#pragma once

#include <qcustomplot.h>

#include <vector>

#include "graphs/Layers.h"
#include "graphs/Views.h"

class QWidget;

namespace vozaz2 {

// A plot as the graphs window shows it: lines drawn fast, the axes moved by
// dragging and the wheel, the legend under the axes.
QCustomPlot* NewPlot(QWidget* parent);

// Draws the view afresh from the source, with the layers of the kept runs,
// and with `fit` sets the axes to the whole of it; without, they keep the
// ranges the user gave them.
void DrawView(QCustomPlot* plot, const ViewRow& row, const ViewSource& source, bool fit,
              const std::vector<Layer>& layers = {});

// The data a run's curves are drawn from, the current run's and the kept
// runs' alike.
// Against time: each bucket of steps as the span of its values; a quantity
// that never changes, as MKD1, only its two ends. On a logarithmic axis only
// what is above 0.
QVector<QCPGraphData> SpanData(const RunSummary& s, std::size_t q, bool logarithmic);
// Against the quantity x: the last step of each bucket.
QVector<QCPCurveData> AgainstData(const RunSummary& s, std::size_t x, std::size_t q);
// The law's points, y against x where both can go on logarithmic axes; lo
// and hi widen to the radii drawn.
QVector<QCPCurveData> LawPoints(const RunSummary& s, std::size_t x, std::size_t y, double& lo, double& hi);
bool OnLogAxes(double u, double v);
// A few words on a white ground in a top corner of the first panel, on the
// left (Qt::AlignLeft) or the right.
QCPItemText* CornerText(QCustomPlot* plot, Qt::Alignment side, const QString& words);
// The law's line w = w1·R1²/R² from a third below to half again beyond the
// radii [lo, hi], on the plot's axes; its name and pen are the caller's.
QCPGraph* DrawLawLine(QCustomPlot* plot, double R1, double w1, double lo, double hi);

}  // namespace vozaz2
