// Pixel patterns of points, lines and circles, clipped to a width x height
// grid before any loop runs, so that a coordinate far off the screen costs
// nothing and never overflows an integer. plot(x, y) receives only pixels
// inside the grid.
#pragma once

#include <algorithm>
#include <cmath>

namespace vozaz2::raster {

inline bool Inside(double px, double py, int width, int height) {
  return px > -0.5 && py > -0.5 && px < width - 0.5 && py < height - 0.5;
}

template <class Plot>
void Point(double px, double py, int width, int height, Plot&& plot) {
  if (!Inside(px, py, width, height)) return;  // also false for NaN
  plot(static_cast<int>(std::lround(px)), static_cast<int>(std::lround(py)));
}

// Liang-Barsky clipping of the segment to the grid rectangle (widened by half
// a pixel), then Bresenham between the rounded ends.
template <class Plot>
void Segment(double x0, double y0, double x1, double y1, int width, int height, Plot&& plot) {
  if (!(std::isfinite(x0) && std::isfinite(y0) && std::isfinite(x1) && std::isfinite(y1)))
    return;
  const double lo = -0.5, hiX = width - 0.5, hiY = height - 0.5;
  double t0 = 0, t1 = 1, dx = x1 - x0, dy = y1 - y0;
  auto clip = [&](double p, double q) {
    if (p == 0) return q >= 0;
    double t = q / p;
    if (p < 0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
    return true;
  };
  if (!clip(-dx, x0 - lo) || !clip(dx, hiX - x0) || !clip(-dy, y0 - lo) || !clip(dy, hiY - y0))
    return;
  auto toPixel = [](double v, int size) {
    return std::clamp(static_cast<int>(std::lround(v)), 0, size - 1);
  };
  int ax = toPixel(x0 + t0 * dx, width), ay = toPixel(y0 + t0 * dy, height);
  int bx = toPixel(x0 + t1 * dx, width), by = toPixel(y0 + t1 * dy, height);
  int sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
  int ex = std::abs(bx - ax), ey = -std::abs(by - ay), err = ex + ey;
  for (;;) {
    plot(ax, ay);
    if (ax == bx && ay == by) break;
    int e2 = 2 * err;
    if (e2 >= ey) {
      err += ey;
      ax += sx;
    }
    if (e2 <= ex) {
      err += ex;
      ay += sy;
    }
  }
}

// Outline of the ellipse with centre (cx, cy) and semi-axes rx, ry (pixels):
// one pixel per column, and one per row, on each side, which leaves no gaps.
// Only the columns and rows on the grid are visited.
template <class Plot>
void Ellipse(double cx, double cy, double rx, double ry, int width, int height, Plot&& plot) {
  rx = std::fabs(rx);
  ry = std::fabs(ry);
  if (!(std::isfinite(cx) && std::isfinite(cy) && std::isfinite(rx) && std::isfinite(ry))) return;
  auto onGrid = [&](double px, double py) { Point(px, py, width, height, plot); };
  if (rx < 0.5 && ry < 0.5) {
    onGrid(cx, cy);
    return;
  }
  double xFrom = std::max(std::ceil(cx - rx), 0.0), xTo = std::min(std::floor(cx + rx), width - 1.0);
  for (double x = xFrom; x <= xTo; x += 1) {
    double u = (x - cx) / rx;
    double v = ry * std::sqrt(std::max(0.0, 1 - u * u));
    onGrid(x, cy - v);
    onGrid(x, cy + v);
  }
  double yFrom = std::max(std::ceil(cy - ry), 0.0), yTo = std::min(std::floor(cy + ry), height - 1.0);
  for (double y = yFrom; y <= yTo; y += 1) {
    double u = (y - cy) / ry;
    double v = rx * std::sqrt(std::max(0.0, 1 - u * u));
    onGrid(cx - v, y);
    onGrid(cx + v, y);
  }
}

}  // namespace vozaz2::raster
