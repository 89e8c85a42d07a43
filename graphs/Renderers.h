// Drawing a view (graphs/Views.h) with QCustomPlot: its curves against time
// or against another quantity, the law on logarithmic axes, or bars.
#pragma once

#include "graphs/Views.h"

class QCustomPlot;
class QWidget;

namespace vozaz2 {

// A plot as the graphs window shows it: lines drawn fast, the axes moved by
// dragging and the wheel, the legend under the axes.
QCustomPlot* NewPlot(QWidget* parent);

// Draws the view afresh from the source, and with `fit` sets the axes to the
// whole of it; without, they keep the ranges the user gave them.
void DrawView(QCustomPlot* plot, const ViewRow& row, const ViewSource& source, bool fit);

}  // namespace vozaz2
