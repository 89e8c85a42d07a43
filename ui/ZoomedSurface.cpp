#include "ui/ZoomedSurface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "run/Raster.h"
#include "ui/FpFlags.h"
#include "ui/ImageSurface.h"

namespace vozaz2 {

namespace {

// Draws `course(dx, dy)` once for each device pixel of a `side` x `side`
// brush about the course, at the offsets (dx, dy) from its centre.
template <class Course>
void Brush(int side, Course&& course) {
  const double first = -(side - 1) / 2.0;
  for (int i = 0; i < side; ++i)
    for (int j = 0; j < side; ++j) course(first + i, first + j);
}

}  // namespace

ZoomedSurface::ZoomedSurface(int width, int height, double scale)
    : image_(static_cast<int>(std::lround(width * scale)), static_cast<int>(std::lround(height * scale)),
             QImage::Format_RGB32),
      scale_(scale),
      // A point covers its screen pixel's place: ceil(scale) device pixels,
      // so that neighbouring points leave no gap at a scale like 1.25.
      dot_(static_cast<int>(std::ceil(scale - 1e-9))),
      // A line as thick as on the screen, to the whole device pixel.
      line_(std::max(1, static_cast<int>(std::lround(scale)))),
      width_(width),
      height_(height),
      map_(0, 0, width - 1, height - 1, width, height) {
  image_.fill(ToQRgb(colours::kBackground));
}

void ZoomedSurface::Scale(float x1, float y1, float x2, float y2) {
  const KeepFpFlags keep;
  map_ = ScaleMap(x1, y1, x2, y2, width_, height_);
  last_.clear();
}

void ZoomedSurface::Cls() {
  image_.fill(ToQRgb(colours::kBackground));
  last_.clear();
  Changed(image_.rect());
}

void ZoomedSurface::PSet(float x, float y, Colour c) {
  const KeepFpFlags keep;
  ImagePen pen(image_, c);
  const double px = map_.PixelX(x), py = map_.PixelY(y);
  const double cx = Device(px), cy = Device(py);
  Brush(dot_, [&](double dx, double dy) { raster::Point(cx + dx, cy + dy, image_.width(), image_.height(), pen); });
  if (dot_ > 1) Join(c, px, py, pen);
  Changed(pen.Area());
}

void ZoomedSurface::Join(Colour c, double px, double py, ImagePen& pen) {
  auto last = std::find_if(last_.begin(), last_.end(), [c](const Last& l) { return l.colour == c; });
  if (!raster::Inside(px, py, width_, height_)) {  // off the screen, or undefined: the chain breaks
    if (last != last_.end()) last_.erase(last);
    return;
  }
  if (last == last_.end()) {
    last_.push_back({c, px, py});
    return;
  }
  if (std::abs(std::lround(px) - std::lround(last->px)) <= 1 && std::abs(std::lround(py) - std::lround(last->py)) <= 1)
    Brush(dot_, [&](double dx, double dy) {
      raster::Segment(Device(last->px) + dx, Device(last->py) + dy, Device(px) + dx, Device(py) + dy, image_.width(),
                      image_.height(), pen);
    });
  *last = {c, px, py};
}

void ZoomedSurface::Line(float x1, float y1, float x2, float y2, Colour c) {
  const KeepFpFlags keep;
  ImagePen pen(image_, c);
  const double ax = Device(map_.PixelX(x1)), ay = Device(map_.PixelY(y1));
  const double bx = Device(map_.PixelX(x2)), by = Device(map_.PixelY(y2));
  Brush(line_, [&](double dx, double dy) {
    raster::Segment(ax + dx, ay + dy, bx + dx, by + dy, image_.width(), image_.height(), pen);
  });
  Changed(pen.Area());
}

void ZoomedSurface::Circle(float x, float y, float radius, Colour c) {
  const KeepFpFlags keep;
  ImagePen pen(image_, c);
  // The radius is in units of the x axis, in both directions.
  const double r = map_.PixelsX(radius) * scale_;
  const double cx = Device(map_.PixelX(x)), cy = Device(map_.PixelY(y));
  Brush(line_, [&](double dx, double dy) {
    raster::Ellipse(cx + dx, cy + dy, r, r, image_.width(), image_.height(), pen);
  });
  Changed(pen.Area());
}

}  // namespace vozaz2
