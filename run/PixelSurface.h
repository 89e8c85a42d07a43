// A drawing surface that keeps its pixels in memory as colour values: the
// screens of a run where no image library is at hand (the core's tests, a
// build without Qt). Draws the same pixels as the window's screens.
#pragma once

#include <vector>

#include "run/ScaleMap.h"
#include "run/Surface.h"

namespace vozaz2 {

class PixelSurface final : public Surface {
 public:
  PixelSurface(int width, int height);

  void Scale(float x1, float y1, float x2, float y2) override;
  void Cls() override;
  void PSet(float x, float y, Colour c) override;
  void Line(float x1, float y1, float x2, float y2, Colour c) override;
  void Circle(float x, float y, float radius, Colour c) override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  Colour Pixel(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  // Row by row from the top-left corner.
  const std::vector<Colour>& Pixels() const { return pixels_; }

 private:
  auto Pen(Colour c) {
    return [this, c](int x, int y) { pixels_[static_cast<std::size_t>(y) * width_ + x] = c; };
  }

  int width_, height_;
  std::vector<Colour> pixels_;
  ScaleMap map_;
};

}  // namespace vozaz2
