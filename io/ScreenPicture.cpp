#include "io/ScreenPicture.h"

#include <QPainter>
#include <cmath>
#include <vector>

#include "run/ScaleMap.h"

namespace vozaz2 {

QImage ToImage(const PixelSurface& pixels) {
  QImage image(pixels.Width(), pixels.Height(), QImage::Format_RGB32);
  for (int y = 0; y < pixels.Height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < pixels.Width(); ++x) line[x] = ToQColor(pixels.Pixel(x, y)).rgb();
  }
  return image;
}

QImage ScreenImage(const DrawingRecord& record) {
  PixelSurface pixels(record.Width(), record.Height());
  record.Replay(pixels);
  return ToImage(pixels);
}

void PaintScreen(QPainter& p, const DrawingRecord& record, const QRectF& target,
                 const PictureStyle& style) {
  const int w = record.Width(), h = record.Height();
  std::vector<ScaleMap> maps;
  for (const DrawingRecord::Rect& r : record.Scales()) maps.emplace_back(r.x1, r.y1, r.x2, r.y2, w, h);
  // Pixel centre i of the screen lies at (i + 1/2) device pixels of size k.
  const double kx = target.width() / w, ky = target.height() / h;
  auto at = [&](const ScaleMap& m, float x, float y) {
    return QPointF(target.left() + (m.PixelX(x) + 0.5) * kx, target.top() + (m.PixelY(y) + 0.5) * ky);
  };

  p.save();
  p.setClipRect(target);
  p.fillRect(target, ToQColor(colours::kBackground));
  p.setRenderHint(QPainter::Antialiasing, style.antialias);
  p.setBrush(Qt::NoBrush);
  const double dot = style.pointSize * kx;
  QPen pen;
  pen.setWidthF(style.lineWidth * kx);
  pen.setCosmetic(style.lineWidth == 0);
  pen.setCapStyle(Qt::SquareCap);
  record.ForEach([&](const DrawingRecord::Op& op) {
    const ScaleMap& m = maps[op.scale];
    const QColor colour = ToQColor(op.colour);
    switch (op.kind) {
      case DrawingRecord::Kind::kPoint: {
        QPointF c = at(m, op.x1, op.y1);
        if (style.snapPoints)
          c = QPointF(target.left() + (std::round(m.PixelX(op.x1)) + 0.5) * kx,
                      target.top() + (std::round(m.PixelY(op.y1)) + 0.5) * ky);
        p.fillRect(QRectF(c.x() - dot / 2, c.y() - dot / 2, dot, dot), colour);
        break;
      }
      case DrawingRecord::Kind::kLine:
        pen.setColor(colour);
        p.setPen(pen);
        p.drawLine(at(m, op.x1, op.y1), at(m, op.x2, op.y2));
        break;
      case DrawingRecord::Kind::kCircle: {
        pen.setColor(colour);
        p.setPen(pen);
        const double r = std::fabs(m.PixelsX(op.x2));  // in units of the x axis, both ways
        p.drawEllipse(at(m, op.x1, op.y1), r * kx, r * kx);
        break;
      }
    }
  });
  p.restore();
}

QImage ZoomedScreen(const DrawingRecord& record, int zoom, const PictureStyle& style) {
  if (zoom <= 1) return ScreenImage(record);
  QImage image(record.Width() * zoom, record.Height() * zoom, QImage::Format_RGB32);
  QPainter p(&image);
  PaintScreen(p, record, QRectF(image.rect()), style);
  return image;
}

}  // namespace vozaz2
