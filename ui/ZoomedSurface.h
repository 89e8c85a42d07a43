// A screen drawn larger for the window: the same drawings as the screen's own
// pixels (ImageSurface), on a QImage with `scale` device pixels to a screen
// pixel, so that a zoomed window, or a screen of high pixel density, shows
// sharp drawings instead of an enlarged bitmap.
//
// Everything keeps the thickness it has on the screen: a line or a circle is
// drawn with a square brush of the scale rounded to whole device pixels
// (2 at 200 %), along its true course at the finer resolution; a point
// becomes a square as large as a screen pixel (rounded up to whole device
// pixels) placed where it was computed, not where the screen's pixel grid
// put it. Every pixel is set in its colour or left alone: nothing is blurred.
//
// The path and the oscillogram are chains of points, one step apart, and the
// record the screen is drawn again from keeps one point per screen pixel. So
// that the chains stay joined at the finer resolution, a point is joined to
// the last point of its colour by the brush when their screen pixels touch,
// as they join on the screen.
//
// The drawing arithmetic runs inside a step, between the step's checks of the
// floating-point status flags, and leaves them as it found them: the numbers
// of a run do not depend on the zoom.
#pragma once

#include <QImage>
#include <QRect>
#include <functional>
#include <vector>

#include "run/ScaleMap.h"
#include "run/Surface.h"

namespace vozaz2 {

class ImagePen;

class ZoomedSurface final : public Surface {
 public:
  // A screen of width x height pixels drawn `scale` times as large. At a
  // scale of 1 it draws what ImageSurface draws.
  ZoomedSurface(int width, int height, double scale);

  void Scale(float x1, float y1, float x2, float y2) override;
  void Cls() override;
  void PSet(float x, float y, Colour c) override;
  void Line(float x1, float y1, float x2, float y2, Colour c) override;
  void Circle(float x, float y, float radius, Colour c) override;

  double DeviceScale() const { return scale_; }
  // The width of a line, in device pixels.
  int LineWidth() const { return line_; }
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
  // The point at the screen pixel coordinates (px, py) joined to the last of
  // its colour, when their screen pixels touch.
  void Join(Colour c, double px, double py, ImagePen& pen);

  // The last point drawn in a colour, in screen pixel coordinates.
  struct Last {
    Colour colour;
    double px, py;
  };

  QImage image_;
  double scale_;
  int dot_;   // the side of a point's square, in device pixels
  int line_;  // the width of a line
  int width_, height_;  // the screen's own size in pixels
  ScaleMap map_;
  std::vector<Last> last_;  // one for each colour
};

}  // namespace vozaz2
