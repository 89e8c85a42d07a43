#include "run/LineFit.h"

#include <algorithm>
#include <cmath>

namespace vozaz2 {

std::optional<LineFit> FitLine(const std::vector<double>& x, const std::vector<double>& y) {
  const std::size_t n = std::min(x.size(), y.size());
  if (n < 2) return std::nullopt;
  double mx = 0, my = 0;
  for (std::size_t i = 0; i < n; ++i) mx += x[i], my += y[i];
  mx /= static_cast<double>(n);
  my /= static_cast<double>(n);
  double sxx = 0, sxy = 0;
  for (std::size_t i = 0; i < n; ++i) {
    sxx += (x[i] - mx) * (x[i] - mx);
    sxy += (x[i] - mx) * (y[i] - my);
  }
  if (!(sxx > 0)) return std::nullopt;
  LineFit fit;
  fit.points = n;
  fit.slope = sxy / sxx;
  fit.intercept = my - fit.slope * mx;
  if (n > 2) {
    double squares = 0;
    for (std::size_t i = 0; i < n; ++i) {
      const double residual = y[i] - fit.intercept - fit.slope * x[i];
      squares += residual * residual;
    }
    fit.slopeError = std::sqrt(squares / static_cast<double>(n - 2) / sxx);
  }
  return fit;
}

std::vector<LawPoint> LawPoints(const std::vector<SeriesRow>& rows) {
  std::vector<LawPoint> points;
  for (const SeriesRow& row : rows) {
    if (row.end != SeriesEnd::kComplete) continue;
    const LawPoint p{row.run, row.R1 / row.R2, row.w2 / row.w1};
    if (p.radiusRatio > 0 && std::isfinite(p.radiusRatio) && p.omegaRatio > 0 && std::isfinite(p.omegaRatio))
      points.push_back(p);
  }
  return points;
}

std::optional<LineFit> FitLaw(const std::vector<LawPoint>& points) {
  std::vector<double> x, y;
  for (const LawPoint& p : points) {
    x.push_back(std::log(p.radiusRatio));
    y.push_back(std::log(p.omegaRatio));
  }
  return FitLine(x, y);
}

}  // namespace vozaz2
