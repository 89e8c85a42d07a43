#include "run/PixelSurface.h"

#include <algorithm>

#include "run/Raster.h"

namespace vozaz2 {

PixelSurface::PixelSurface(int width, int height)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * height, colours::kBackground),
      map_(0, 0, width - 1, height - 1, width, height) {}

void PixelSurface::Scale(float x1, float y1, float x2, float y2) {
  map_ = ScaleMap(x1, y1, x2, y2, width_, height_);
}

void PixelSurface::Cls() { std::fill(pixels_.begin(), pixels_.end(), colours::kBackground); }

void PixelSurface::PSet(float x, float y, Colour c) {
  raster::Point(map_.PixelX(x), map_.PixelY(y), width_, height_, Pen(c));
}

void PixelSurface::Line(float x1, float y1, float x2, float y2, Colour c) {
  raster::Segment(map_.PixelX(x1), map_.PixelY(y1), map_.PixelX(x2), map_.PixelY(y2), width_,
                  height_, Pen(c));
}

void PixelSurface::Circle(float x, float y, float radius, Colour c) {
  // The radius is in units of the x axis, in both directions.
  const double r = map_.PixelsX(radius);
  raster::Ellipse(map_.PixelX(x), map_.PixelY(y), r, r, width_, height_, Pen(c));
}

}  // namespace vozaz2
