// The kept runs (run/KeptRuns.h) drawn as layers over the current run, so that
// the class sees the runs of a lesson side by side: each in its own colour and
// dash (run/RunStyles.h), under the current run's curves, with one entry in
// the legend by its name. The law's view draws each run's points with its own
// predicted line w = w1·R1²/R² from its own start.
#pragma once

#include <QIcon>
#include <QPen>
#include <QString>
#include <vector>

#include "graphs/Views.h"
#include "run/KeptRuns.h"
#include "run/RunStyles.h"

class QCustomPlot;

namespace vozaz2 {

struct Layer {
  const RunSummary& summary;
  const SimRecord& record;  // at its end: its variant, R1 and w1
  QString name;
  QPen pen;
};

// A kept run's line: its colour and dash, wide enough for a projector.
QPen StylePen(const RunStyle& style);
// A sample of that line, for the menu.
QIcon StyleIcon(const RunStyle& style);

// The layers of the kept runs that are shown, the oldest first.
std::vector<Layer> ShownLayers(const KeptRuns& kept);

// Draws the layers over what DrawView drew for the current run (and so on
// its panels), below its curves in depth, after them in the legend.
void DrawLayers(QCustomPlot* plot, const ViewRow& row, const ViewSource& current, const std::vector<Layer>& layers);

// Over a graph with layers, in its top right corner, which run the curves
// of the legend's quantities belong to: "сейчас: VL = 0,2 м/с".
void NameCurrentRun(QCustomPlot* plot, const QString& name);

}  // namespace vozaz2
