// The graphs of a series (QCustomPlot): any result against the parameter,
// the run's number or another result, a point a run; and the law across
// the runs, ω2/ω1 against R1/R2 on logarithmic axes with the line fitted by
// least squares and the line of slope 2 that L = m·ω·R² predicts.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "run/LineFit.h"
#include "run/Series.h"

class QCustomPlot;

namespace vozaz2 {

// The axes a results graph can have: the run's number, the parameter's
// value (a series of files has none), then the columns of the series.
inline constexpr int kRunAxis = -2, kParameterAxis = -1;
QString AxisName(const SeriesPlan& plan, int axis);
double AxisValue(const SeriesPlan& plan, const SeriesRow& row, int axis);

// Draws afresh `y` against `x` for the rows, the axes fitted to them.
void DrawResults(QCustomPlot* plot, const SeriesPlan& plan, const std::vector<SeriesRow>& rows, int y, int x);

// Draws the law across the rows afresh; returns the fit it drew.
std::optional<LineFit> DrawLaw(QCustomPlot* plot, const std::vector<SeriesRow>& rows);

}  // namespace vozaz2
