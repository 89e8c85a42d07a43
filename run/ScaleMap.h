// The mapping between a screen's user coordinates and its pixels.
#pragma once

namespace vozaz2 {

// Maps the user rectangle (x1, y1)-(x2, y2) onto the pixel centres 0..width-1
// and 0..height-1, so that both edges of the range fall on visible pixels.
// Immutable; a new Scale makes a new map.
class ScaleMap {
 public:
  ScaleMap() = default;
  ScaleMap(double x1, double y1, double x2, double y2, int width, int height)
      : x1_(x1), y1_(y1), sx_((width - 1) / (x2 - x1)), sy_((height - 1) / (y2 - y1)) {}

  // Pixel coordinates, unrounded (pixel centres are whole numbers).
  double PixelX(double x) const { return (x - x1_) * sx_; }
  double PixelY(double y) const { return (y - y1_) * sy_; }
  // A length along the x axis in pixels.
  double PixelsX(double length) const { return length * sx_; }
  double PixelsY(double length) const { return length * sy_; }

 private:
  double x1_ = 0, y1_ = 0, sx_ = 1, sy_ = 1;
};

}  // namespace vozaz2
