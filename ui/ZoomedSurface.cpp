#include "ui/ZoomedSurface.h"

#include <cmath>

#include "run/Raster.h"
#include "ui/FpFlags.h"
#include "ui/ImageSurface.h"

namespace vozaz2 {

ZoomedSurface::ZoomedSurface(int width, int height, double scale)
    : image_(static_cast<int>(std::lround(width * scale)), static_cast<int>(std::lround(height * scale)),
             QImage::Format_RGB32),
      scale_(scale),
      // A point covers its screen pixel's place: ceil(scale) device pixels,
      // so that neighbouring points leave no gap at a scale like 1.25.
      dot_(static_cast<int>(std::ceil(scale - 1e-9))),
      width_(width),
      height_(height),
      map_(0, 0, width - 1, height - 1, width, height) {
  image_.fill(ToQRgb(colours::kBackground));
}

void ZoomedSurface::Scale(float x1, float y1, float x2, float y2) {
  const KeepFpFlags keep;
  map_ = ScaleMap(x1, y1, x2, y2, width_, height_);
}

void ZoomedSurface::Cls() {
  image_.fill(ToQRgb(colours::kBackground));
  Changed(image_.rect());
}

void ZoomedSurface::PSet(float x, float y, Colour c) {
  const KeepFpFlags keep;
  ImagePen pen(image_, c);
  const double cx = Device(map_.PixelX(x)), cy = Device(map_.PixelY(y));
  const double first = -(dot_ - 1) / 2.0;
  for (int i = 0; i < dot_; ++i)
    for (int j = 0; j < dot_; ++j)
      raster::Point(cx + first + i, cy + first + j, image_.width(), image_.height(), pen);
  Changed(pen.Area());
}

void ZoomedSurface::Line(float x1, float y1, float x2, float y2, Colour c) {
  const KeepFpFlags keep;
  ImagePen pen(image_, c);
  raster::Segment(Device(map_.PixelX(x1)), Device(map_.PixelY(y1)), Device(map_.PixelX(x2)),
                  Device(map_.PixelY(y2)), image_.width(), image_.height(), pen);
  Changed(pen.Area());
}

void ZoomedSurface::Circle(float x, float y, float radius, Colour c) {
  const KeepFpFlags keep;
  ImagePen pen(image_, c);
  // The radius is in units of the x axis, in both directions.
  const double r = map_.PixelsX(radius) * scale_;
  raster::Ellipse(Device(map_.PixelX(x)), Device(map_.PixelY(y)), r, r, image_.width(), image_.height(), pen);
  Changed(pen.Area());
}

}  // namespace vozaz2
