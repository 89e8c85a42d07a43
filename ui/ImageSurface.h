// A drawing surface on a QImage: what the screens of the window show and what
// the headless runner saves. Needs QtGui only, no display.
#pragma once

#include <QImage>
#include <QRect>
#include <functional>

#include "run/ScaleMap.h"
#include "run/Surface.h"

namespace vozaz2 {

// The colour value red + 256*green + 65536*blue as a Qt colour.
inline QRgb ToQRgb(Colour c) { return qRgb(c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff); }

// Sets pixels of an image and collects the rectangle they span.
class ImagePen {
 public:
  ImagePen(QImage& image, Colour c) : image_(image), rgb_(ToQRgb(c)) {}
  void operator()(int x, int y) {
    reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = rgb_;
    area_ |= QRect(x, y, 1, 1);
  }
  const QRect& Area() const { return area_; }

 private:
  QImage& image_;
  QRgb rgb_;
  QRect area_;
};

class ImageSurface final : public Surface {
 public:
  ImageSurface(int width, int height);

  void Scale(float x1, float y1, float x2, float y2) override;
  void Cls() override;
  void PSet(float x, float y, Colour c) override;
  void Line(float x1, float y1, float x2, float y2, Colour c) override;
  void Circle(float x, float y, float radius, Colour c) override;

  const QImage& Image() const { return image_; }

  // Runs after a drawing operation that set pixels, with the rectangle of the
  // pixels it set (the whole image for Cls): a widget showing the image
  // repaints just those. Must leave the floating-point status flags as they
  // are, or a flag raised there would end a run as a divergence.
  std::function<void(const QRect&)> changed;

 private:
  void Changed(const QRect& area) {
    if (changed && !area.isEmpty()) changed(area);
  }

  QImage image_;
  ScaleMap map_;
};

}  // namespace vozaz2
