#include "ui/ImageSurface.h"

#include "run/Raster.h"

namespace vozaz2 {

ImageSurface::ImageSurface(int width, int height)
    : image_(width, height, QImage::Format_RGB32), map_(0, 0, width - 1, height - 1, width, height) {
  image_.fill(ToQRgb(colours::kBackground));
}

void ImageSurface::Scale(float x1, float y1, float x2, float y2) {
  map_ = ScaleMap(x1, y1, x2, y2, image_.width(), image_.height());
}

void ImageSurface::Cls() {
  image_.fill(ToQRgb(colours::kBackground));
  Changed(image_.rect());
}

void ImageSurface::PSet(float x, float y, Colour c) {
  ImagePen pen(image_, c);
  raster::Point(map_.PixelX(x), map_.PixelY(y), image_.width(), image_.height(), pen);
  Changed(pen.Area());
}

void ImageSurface::Line(float x1, float y1, float x2, float y2, Colour c) {
  ImagePen pen(image_, c);
  raster::Segment(map_.PixelX(x1), map_.PixelY(y1), map_.PixelX(x2), map_.PixelY(y2),
                  image_.width(), image_.height(), pen);
  Changed(pen.Area());
}

void ImageSurface::Circle(float x, float y, float radius, Colour c) {
  ImagePen pen(image_, c);
  // The radius is in units of the x axis, in both directions.
  const double r = map_.PixelsX(radius);
  raster::Ellipse(map_.PixelX(x), map_.PixelY(y), r, r, image_.width(), image_.height(), pen);
  Changed(pen.Area());
}

}  // namespace vozaz2
