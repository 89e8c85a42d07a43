// A screen drawn larger for the window: the same drawings as the screen's own
// pixels (ImageSurface), on a QImage with `scale` device pixels to a screen
// pixel, so that a zoomed window, or a screen of high pixel density, shows
// sharp drawings instead of an enlarged bitmap.
//
// Lines and circles stay one device pixel wide and follow their true course
// at the finer resolution. A point becomes a square as large as a screen pixel
// (rounded up to whole device pixels) placed where it was computed, not where
// the screen's pixel grid put it: the path and the oscillogram are chains of
// points, one step apart, and must still join into curves when the screen is
// drawn again from its record, which keeps one point per screen pixel.
//
// The drawing arithmetic runs inside a step, between the step's checks of the
// floating-point status flags, and leaves them as it found them: the numbers
// of a run do not depend on the zoom.
#pragma once

#include <QImage>
#include <QRect>
#include <functional>

#include "run/ScaleMap.h"
#include "run/Surface.h"

namespace vozaz2 {

class ZoomedSurface final : public Surface {
 public:
  // A screen of width x height pixels drawn `scale` times as large
  // (scale >= 1).
  ZoomedSurface(int width, int height, double scale);

  void Scale(float x1, float y1, float x2, float y2) override;
  void Cls() override;
  void PSet(float x, float y, Colour c) override;
  void Line(float x1, float y1, float x2, float y2, Colour c) override;
  void Circle(float x, float y, float radius, Colour c) override;

  double DeviceScale() const { return scale_; }
  const QImage& Image() const { return image_; }
  QImage& Image() { return image_; }

  // Runs after a drawing with the rectangle of the image's pixels it set, as
  // ImageSurface::changed.
  std::function<void(const QRect&)> changed;

 private:
  // From a screen pixel coordinate (centres on whole numbers) to the image's.
  double Device(double pixel) const { return (pixel + 0.5) * scale_ - 0.5; }
  void Changed(const QRect& area) {
    if (changed && !area.isEmpty()) changed(area);
  }

  QImage image_;
  double scale_;
  int dot_;  // the side of a point's square, in device pixels
  int width_, height_;  // the screen's own size in pixels
  ScaleMap map_;
};

}  // namespace vozaz2
