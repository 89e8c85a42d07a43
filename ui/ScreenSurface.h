// The surface that a screen of the main window gives the experiment.
//
// It draws into the screen's image (an ImageSurface) and tells the screen
// which pixels each drawing may have touched, so that the screen repaints just
// those: a step sets a handful of pixels, and copying a whole screen to the
// display for them, sixty times a second, would cost more than the steps.
#pragma once

#include <QRect>
#include <functional>

#include "run/ScaleMap.h"
#include "run/Surface.h"
#include "ui/ImageSurface.h"

namespace vozaz2 {

class ScreenSurface final : public Surface {
 public:
  ScreenSurface(int width, int height);

  void Scale(float x1, float y1, float x2, float y2) override;
  void Cls() override;
  void PSet(float x, float y, Colour c) override;
  void Line(float x1, float y1, float x2, float y2, Colour c) override;
  void Circle(float x, float y, float radius, Colour c) override;

  const QImage& Image() const { return image_.Image(); }

  // Runs after every drawing with the rectangle of image pixels that it may
  // have changed (never empty, always inside the image).
  std::function<void(const QRect&)> changed;

 private:
  // Reports the pixels within `margin` of the box spanned by the two points.
  void Touched(double px0, double py0, double px1, double py1, double margin);

  ImageSurface image_;
  ScaleMap map_;
};

}  // namespace vozaz2
