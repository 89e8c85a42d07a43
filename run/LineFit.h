// The law across the runs of a series, and the straight line it is read
// with. A kept angular momentum L = m·ω·R² makes ω2/ω1 = (R1/R2)² in every
// run of a point load: on logarithmic axes the runs' points lie on a line of
// slope 2. The slope is fitted by least squares to the logarithms, with its
// standard error, so that a lesson can set the measured slope beside the 2
// that the law predicts.
#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <vector>

#include "run/Series.h"

namespace vozaz2 {

// y = intercept + slope·x by least squares.
struct LineFit {
  double slope = 0, intercept = 0;
  // The standard error of the slope: sqrt(Σ residual² / (n − 2) / Σ (x − x̄)²);
  // NaN for two points, which leave nothing to judge it by.
  double slopeError = std::numeric_limits<double>::quiet_NaN();
  std::size_t points = 0;
};
// Nothing for fewer than two points, or for points all at one x.
std::optional<LineFit> FitLine(const std::vector<double>& x, const std::vector<double>& y);

// The slope that L = m·ω·R² predicts.
inline constexpr double kLawSlope = 2;

// One run on the law's axes.
struct LawPoint {
  long long run;       // from 0
  double radiusRatio;  // R1 / R2
  double omegaRatio;   // ω2 / ω1
};
// The points of the runs that ended complete, where both ratios are
// positive and finite.
std::vector<LawPoint> LawPoints(const std::vector<SeriesRow>& rows);
// log(ω2/ω1) against log(R1/R2).
std::optional<LineFit> FitLaw(const std::vector<LawPoint>& points);

}  // namespace vozaz2
