#include "ui/artwork/Artwork.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QVector>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace vozaz2 {

// ---------------------------------------------------------------------------
// The icon: a cone standing on its base, apex up, lit from the left. Every
// pixel is decided by its centre (no smoothing), so the picture keeps to a
// small palette of greys, as the old 16-colour icons did.

namespace {

// Palette: 0 transparent, 1 the outline, 2.. the greys of the surface from
// dark to light.
const QVector<QRgb> kConePalette = {
    qRgba(0, 0, 0, 0),  qRgb(48, 48, 48),    qRgb(96, 96, 96),    qRgb(128, 128, 128),
    qRgb(160, 160, 160), qRgb(192, 192, 192), qRgb(224, 224, 224),
};
constexpr int kOutline = 1;
constexpr int kFirstGrey = 2;
constexpr int kGreys = 5;

struct Cone {
  double cx, apexY, baseY, rx, ry;  // apex, and the base ellipse's centre and radii

  // Half the width of the silhouette at height y; negative outside.
  double HalfWidth(double y) const {
    if (y < apexY || y > baseY + ry) return -1;
    if (y <= baseY) return rx * (y - apexY) / (baseY - apexY);
    const double t = (y - baseY) / ry;
    return rx * std::sqrt(1 - t * t);
  }
  bool Inside(double x, double y) const { return std::abs(x - cx) <= HalfWidth(y); }
};

}  // namespace

QImage ConeImage(int size) {
  size = std::max(size, 8);
  const double s = size;
  const Cone cone{s / 2, 0.04 * s, 0.76 * s, 0.40 * s, 0.16 * s};

  QImage image(size, size, QImage::Format_Indexed8);
  image.setColorTable(kConePalette);
  image.fill(0);
  auto inside = [&](int px, int py) {
    return px >= 0 && py >= 0 && px < size && py < size && cone.Inside(px + 0.5, py + 0.5);
  };
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      if (!inside(px, py)) continue;
      const bool edge =
          !inside(px - 1, py) || !inside(px + 1, py) || !inside(px, py - 1) || !inside(px, py + 1);
      if (edge) {
        image.setPixel(px, py, kOutline);
        continue;
      }
      // Across the cone from its left edge (-1) to its right edge (+1). The
      // light comes from the upper left, so the brightest band lies left of
      // the middle and the right side falls into shade.
      const double y = py + 0.5;
      const double across =
          std::clamp((px + 0.5 - cone.cx) / std::max(cone.HalfWidth(y), 0.5), -1.0, 1.0);
      const double light = 1 - std::abs(across + 0.4) * 0.75;
      const int band = std::clamp(static_cast<int>(std::lround(light * (kGreys - 1))), 0, kGreys - 1);
      image.setPixel(px, py, kFirstGrey + band);
    }
  }
  return image;
}

QIcon ConeIcon() {
  QIcon icon;
  for (int size : {16, 32}) icon.addPixmap(QPixmap::fromImage(ConeImage(size)));
  return icon;
}

// ---------------------------------------------------------------------------
// The apparatus. Side view on the left and below: the string comes down from
// its driven upper end, runs through the movable sleeve inside the fixed guide
// sleeve, and slants to the load, which circles in the horizontal plane h2
// below the sleeve. View from above at the top right: the load at radius R2
// and angle alpha, and the dumbbell on the string L2.

namespace {

constexpr double kPi = std::numbers::pi;

class Sketch {
 public:
  // Draws in the picture's own pixels on an image `scale` times as large:
  // the labels and arrowheads grow with it, the lines stay one pixel of the
  // image wide.
  Sketch(QImage& image, double scale) : p_(&image) {
    if (scale != 1) {
      p_.scale(scale, scale);
      pen_.setCosmetic(true);
    }
    p_.setRenderHint(QPainter::Antialiasing, false);
    p_.setPen(pen_);
    p_.setBrush(Qt::NoBrush);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    font.setStyleStrategy(QFont::NoAntialias);
    p_.setFont(font);
    QFont greek = font;
    greek.setPixelSize(11);
    greek_ = greek;
  }

  void Line(QPointF a, QPointF b) { p_.drawLine(a, b); }

  void Dashed(QPointF a, QPointF b) {
    QPen pen = pen_;
    pen.setDashPattern({3, 3});
    p_.setPen(pen);
    p_.drawLine(a, b);
    p_.setPen(pen_);
  }

  // A filled arrowhead at `tip`, pointing away from `from`.
  void Head(QPointF from, QPointF tip, double length = 6, double halfWidth = 2.5) {
    const QPointF d = tip - from;
    const double n = std::hypot(d.x(), d.y());
    if (n == 0) return;
    const QPointF u = d / n, v(-u.y(), u.x());
    const QPointF base = tip - u * length;
    p_.setBrush(Qt::black);
    p_.drawPolygon(QPolygonF({tip, base + v * halfWidth, base - v * halfWidth}));
    p_.setBrush(Qt::NoBrush);
  }

  void Arrow(QPointF from, QPointF tip) {
    Line(from, tip);
    Head(from, tip);
  }

  // An arc of a circle, angles in degrees counter-clockwise from the +x
  // direction of the page, as a chain of straight pieces.
  QPointF ArcPoint(QPointF c, double r, double deg) const {
    const double a = deg * kPi / 180;
    return c + QPointF(r * std::cos(a), -r * std::sin(a));
  }
  void Arc(QPointF c, double r, double fromDeg, double toDeg) {
    const int pieces = std::max(4, static_cast<int>(std::abs(toDeg - fromDeg) * r / 120));
    QPointF last = ArcPoint(c, r, fromDeg);
    for (int i = 1; i <= pieces; ++i) {
      const QPointF next = ArcPoint(c, r, fromDeg + (toDeg - fromDeg) * i / pieces);
      Line(last, next);
      last = next;
    }
  }
  // A turning arrow: an arc with a head at its end.
  void ArcArrow(QPointF c, double r, double fromDeg, double toDeg) {
    Arc(c, r, fromDeg, toDeg);
    const double step = toDeg > fromDeg ? -8 : 8;
    Head(ArcPoint(c, r, toDeg + step * 48 / std::max(r, 6.0)), ArcPoint(c, r, toDeg), 5, 2.5);
  }

  void Circle(QPointF c, double r) { p_.drawEllipse(c, r, r); }
  void Dot(QPointF c, double r) {
    p_.setBrush(Qt::black);
    p_.drawEllipse(c, r, r);
    p_.setBrush(Qt::NoBrush);
  }
  void Rect(int x, int y, int w, int h) { p_.drawRect(x, y, w, h); }

  // A label with its baseline starting at (x, y).
  void Text(int x, int y, const QString& text) { p_.drawText(x, y, text); }
  void Greek(int x, int y, const QString& text) {
    const QFont plain = p_.font();
    p_.setFont(greek_);
    p_.drawText(x, y, text);
    p_.setFont(plain);
  }

 private:
  QPainter p_;
  QPen pen_{Qt::black, 1};
  QFont greek_;
};

// --- Side view ---------------------------------------------------------------
constexpr double kAxisX = 36;  // the rotation axis, on which the string comes down
constexpr double kSleeveTop = 94, kSleeveBottom = 118;
constexpr QPointF kOrigin(kAxisX, 212);  // centre of the circle of rotation
constexpr QPointF kLoad(156, 212);       // the load, on the X axis
constexpr QPointF kSleeveExit(kAxisX, kSleeveBottom);

// The upper end of the string, which the drive pulls up or lets down.
void StringEnd(Sketch& d) {
  d.Line({kAxisX - 4, 4}, {kAxisX + 4, 4});
  d.Line({kAxisX, 4}, {kAxisX, kSleeveTop});
  d.Text(static_cast<int>(kAxisX) + 5, 52, QStringLiteral("Lh2"));
}

// The fixed guide sleeve, fastened on both sides, and the movable sleeve in
// it, with the string running through; beside them the drive of the string
// end or the sleeve, up or down.
void Sleeves(Sketch& d) {
  const double guideTop = 80, guideBottom = 110;
  d.Line({kAxisX - 8, guideTop}, {kAxisX - 8, guideBottom});
  d.Line({kAxisX + 8, guideTop}, {kAxisX + 8, guideBottom});
  for (double y = guideTop + 4; y <= guideBottom; y += 6) {
    d.Line({kAxisX - 8, y}, {kAxisX - 13, y - 5});
    d.Line({kAxisX + 8, y}, {kAxisX + 13, y - 5});
  }
  d.Rect(static_cast<int>(kAxisX) - 5, static_cast<int>(kSleeveTop), 10,
         static_cast<int>(kSleeveBottom - kSleeveTop));
  d.Line({kAxisX, kSleeveTop}, {kAxisX, kSleeveBottom});

  d.Arrow({kAxisX + 20, 104}, {kAxisX + 20, 86});
  d.Arrow({kAxisX + 20, 104}, {kAxisX + 20, 122});
  d.Text(static_cast<int>(kAxisX) + 25, 108, QStringLiteral("VL"));
}

// Axes: Z up the rotation axis, X to the right, Y into the page; and the
// path of the load, the circle of radius R2 about the axis, seen at a slant
// (the Y direction drawn at half length, up to the right).
void SideAxes(Sketch& d) {
  d.Dashed({kAxisX, kOrigin.y()}, {kAxisX, kSleeveBottom + 14});
  d.Head({kAxisX, kOrigin.y()}, {kAxisX, kSleeveBottom + 10});
  d.Text(static_cast<int>(kAxisX) - 12, 140, QStringLiteral("Z"));
  d.Arrow(kOrigin, {222, kOrigin.y()});
  d.Text(219, 226, QStringLiteral("X"));
  d.Arrow(kOrigin, kOrigin + QPointF(28, -28));
  d.Text(static_cast<int>(kOrigin.x()) + 30, static_cast<int>(kOrigin.y()) - 26, QStringLiteral("Y"));

  const double radius = kLoad.x() - kOrigin.x();
  for (int deg = -50; deg <= 14; deg += 3) {
    const double a = deg * kPi / 180;
    const QPointF pt = kOrigin + QPointF(radius * std::cos(a) + 0.5 * radius * std::sin(a) * 0.7071,
                                         -0.5 * radius * std::sin(a) * 0.7071);
    if (deg > -4 && deg < 4) continue;  // leave the load itself clear
    d.Line(pt, pt + QPointF(1, 0));
  }
}

// The inclined string from the sleeve to the load, the string force on the
// load (pointing to the sleeve) and its speed along the path, towards +Y.
void StringAndLoad(Sketch& d) {
  d.Line(kSleeveExit, kLoad);
  d.Dot(kLoad, 4.5);

  const QPointF along = (kSleeveExit - kLoad) / std::hypot(kLoad.x() - kAxisX, kLoad.y() - kSleeveBottom);
  d.Head(kLoad, kLoad + along * 40, 7, 3);
  d.Text(static_cast<int>(kLoad.x()) - 36, static_cast<int>(kLoad.y()) - 37, QStringLiteral("FL"));

  d.Arrow(kLoad + QPointF(4, -4), kLoad + QPointF(26, -26));
  d.Text(static_cast<int>(kLoad.x()) + 29, static_cast<int>(kLoad.y()) - 12, QStringLiteral("V2"));
}

// The height of the sleeve above the plane of rotation, and the angle
// between the axis and the inclined string, at the sleeve.
void HeightAndAngle(Sketch& d) {
  const double dimX = 12;
  d.Line({dimX - 4, kSleeveBottom}, {kAxisX - 9, kSleeveBottom});
  d.Line({dimX - 4, kOrigin.y()}, {kAxisX - 3, kOrigin.y()});
  d.Arrow({dimX, (kSleeveBottom + kOrigin.y()) / 2}, {dimX, kSleeveBottom + 1});
  d.Arrow({dimX, (kSleeveBottom + kOrigin.y()) / 2}, {dimX, kOrigin.y() - 1});
  d.Text(static_cast<int>(dimX) + 4, 190, QStringLiteral("h2"));

  const double stringDeg = std::atan2(-(kLoad.y() - kSleeveBottom), kLoad.x() - kAxisX) * 180 / kPi;
  d.Arc(kSleeveExit, 22, -90, stringDeg);
  d.Greek(static_cast<int>(kAxisX) + 4, static_cast<int>(kSleeveBottom) + 34, QStringLiteral("β"));
}

// --- View from above -----------------------------------------------------------
constexpr QPointF kAbove(150, 62);  // the rotation axis
constexpr double kR2 = 44;

// The circle of radius R2 and the axes; the 2 kg load at radius R2 and angle
// alpha, turning with w2.
void LoadFromAbove(Sketch& d) {
  const QPointF c = kAbove;
  const double r = kR2;
  d.Circle(c, r);
  d.Arrow(c + QPointF(-r - 8, 0), c + QPointF(r + 20, 0));
  d.Text(static_cast<int>(c.x() + r) + 14, static_cast<int>(c.y()) + 12, QStringLiteral("X"));
  d.Arrow(c + QPointF(0, r + 8), c + QPointF(0, -r - 16));
  d.Text(static_cast<int>(c.x()) - 11, 12, QStringLiteral("Y"));

  const double alphaDeg = 40;
  const QPointF mass = d.ArcPoint(c, r, alphaDeg);
  d.Line(c, mass);
  d.Dot(mass, 4);
  d.Text(static_cast<int>(mass.x()) + 6, static_cast<int>(mass.y()) - 6, QStringLiteral("m=2 kg"));
  d.Text(static_cast<int>(c.x()) + 5, static_cast<int>(c.y()) - 22, QStringLiteral("R2"));
  d.Arc(c, 15, 0, alphaDeg);
  d.Greek(static_cast<int>(c.x()) + 18, static_cast<int>(c.y()) - 3, QStringLiteral("α"));
  d.ArcArrow(c, r + 8, alphaDeg + 10, alphaDeg + 38);
  d.Text(static_cast<int>(c.x()) + 30, 12, QStringLiteral("w2"));
}

// The dumbbell of two 1 kg balls 1 m apart, on the string L2, turning about
// its centre with w12.
void DumbbellFromAbove(Sketch& d) {
  const QPointF c = kAbove;
  const double dumbDeg = 225;
  const QPointF ballA = d.ArcPoint(c, kR2 - 11, dumbDeg);
  const QPointF ballB = d.ArcPoint(c, kR2 + 13, dumbDeg);
  d.Line(c, ballA);
  d.Line(ballA, ballB);
  d.Dot(ballA, 3.5);
  d.Dot(ballB, 3.5);
  d.Text(static_cast<int>(c.x()) - 18, static_cast<int>(c.y()) + 36, QStringLiteral("L2"));
  const QPointF middle = (ballA + ballB) / 2;
  d.ArcArrow(middle, 13, 115, 195);
  d.Text(static_cast<int>(middle.x()) - 38, static_cast<int>(middle.y()) - 6, QStringLiteral("w12"));
  d.Text(static_cast<int>(middle.x()) - 18, static_cast<int>(middle.y()) + 30,
         QStringLiteral("m=1+1"));
}

}  // namespace

QImage ApparatusPicture(double scale) {
  QImage image(static_cast<int>(std::lround(kApparatusWidth * scale)),
               static_cast<int>(std::lround(kApparatusHeight * scale)), QImage::Format_RGB32);
  image.fill(Qt::white);
  Sketch d(image, scale);
  for (void (*part)(Sketch&) : {StringEnd, Sleeves, SideAxes, StringAndLoad, HeightAndAngle, LoadFromAbove,
                                DumbbellFromAbove})
    part(d);
  return image;
}

}  // namespace vozaz2
