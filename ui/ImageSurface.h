// A drawing surface on a QImage: what the screens of the window show and what
// the headless runner saves. Needs QtGui only, no display.
#pragma once

#include <QImage>
#include <functional>

#include "run/ScaleMap.h"
#include "run/Surface.h"

namespace vozaz2 {

class ImageSurface final : public Surface {
 public:
  ImageSurface(int width, int height);

  void Scale(float x1, float y1, float x2, float y2) override;
  void Cls() override;
  void PSet(float x, float y, Colour c) override;
  void Line(float x1, float y1, float x2, float y2, Colour c) override;
  void Circle(float x, float y, float radius, Colour c) override;

  const QImage& Image() const { return image_; }

  // Runs after every drawing operation; a widget showing the image repaints
  // on it. Must not do floating-point work that could raise a fault flag.
  std::function<void()> changed;

 private:
  void Put(int x, int y, QRgb rgb) { reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = rgb; }
  void Changed() {
    if (changed) changed();
  }

  QImage image_;
  ScaleMap map_;
};

// The colour value red + 256*green + 65536*blue as a Qt colour.
inline QRgb ToQRgb(Colour c) { return qRgb(c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff); }

}  // namespace vozaz2
