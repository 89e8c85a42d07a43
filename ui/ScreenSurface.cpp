#include "ui/ScreenSurface.h"

#include <cmath>

#include "ui/FpFlags.h"

namespace vozaz2 {

namespace {

// A pixel coordinate as an int, held to [lo, hi] (NaN goes to lo) before the
// conversion, so that no value is out of an int's range.
int Held(double v, int lo, int hi) {
  if (!std::isgreater(v, lo)) return lo;
  if (!std::isless(v, hi)) return hi;
  return static_cast<int>(v);
}

}  // namespace

ScreenSurface::ScreenSurface(int width, int height)
    : image_(width, height), map_(0, 0, width - 1, height - 1, width, height) {}

void ScreenSurface::Scale(float x1, float y1, float x2, float y2) {
  image_.Scale(x1, y1, x2, y2);
  const KeepFpFlags keep;
  map_ = ScaleMap(x1, y1, x2, y2, image_.Image().width(), image_.Image().height());
}

void ScreenSurface::Cls() {
  image_.Cls();
  if (changed) changed(image_.Image().rect());
}

void ScreenSurface::PSet(float x, float y, Colour c) {
  image_.PSet(x, y, c);
  const KeepFpFlags keep;
  const double px = map_.PixelX(x), py = map_.PixelY(y);
  Touched(px, py, px, py, 1);
}

void ScreenSurface::Line(float x1, float y1, float x2, float y2, Colour c) {
  image_.Line(x1, y1, x2, y2, c);
  const KeepFpFlags keep;
  Touched(map_.PixelX(x1), map_.PixelY(y1), map_.PixelX(x2), map_.PixelY(y2), 1);
}

void ScreenSurface::Circle(float x, float y, float radius, Colour c) {
  image_.Circle(x, y, radius, c);
  const KeepFpFlags keep;
  const double px = map_.PixelX(x), py = map_.PixelY(y);
  const double r = std::fabs(map_.PixelsX(radius)) + 2;
  Touched(px - r, py - r, px + r, py + r, 1);
}

// Called with the floating-point flags kept by the caller.
void ScreenSurface::Touched(double px0, double py0, double px1, double py1, double margin) {
  if (!changed) return;
  const int w = image_.Image().width(), h = image_.Image().height();
  const int left = Held(std::floor(std::fmin(px0, px1) - margin), -1, w);
  const int right = Held(std::ceil(std::fmax(px0, px1) + margin), -1, w);
  const int top = Held(std::floor(std::fmin(py0, py1) - margin), -1, h);
  const int bottom = Held(std::ceil(std::fmax(py0, py1) + margin), -1, h);
  const QRect area = QRect(QPoint(left, top), QPoint(right, bottom)) & QRect(0, 0, w, h);
  if (!area.isEmpty()) changed(area);
}

}  // namespace vozaz2
