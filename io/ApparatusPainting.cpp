#include "io/ApparatusPainting.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <vector>

namespace vozaz2 {

namespace {

constexpr double kTurn = 6.283185307179586;
const QColor kStand(150, 150, 155), kAxis(110, 110, 150), kString(55, 55, 55), kStart(250, 0, 0);
const QColor kBallA(0, 0, 250), kBallB(45, 45, 45), kTrail(0, 0, 250);

QColor ArrowColour(const DrawnArrow& a) {
  switch (a.kind) {
    case Arrow::kOmega: return {120, 40, 170};
    case Arrow::kMomentum: return {170, 0, 0};
    case Arrow::kVertical: return {225, 85, 0};
    case Arrow::kVelocity: return {0, 140, 0};
    case Arrow::kForce: return {140, 95, 0};
    case Arrow::kParts: break;
    case Arrow::kCount: break;
  }
  return a.part == 0 ? QColor(0, 115, 165) : QColor(200, 0, 150);
}

// The painter, the camera and the look together.
struct Pen {
  QPainter& p;
  const Camera& c;
  const ApparatusLook& look;
  QRectF area;
  std::vector<QRectF> labels = {};  // the labels placed so far

  QPointF At(const Vec3& v) const {
    const ScreenPoint s = c.Project(v);
    return {s.x, s.y};
  }
  void Line(const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(colour, width * look.line, style, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
  }
  // A horizontal circle about the axis, as a closed polygon.
  QPolygonF Circle(double z, double radius, int n = 64) const {
    QPolygonF poly;
    poly.reserve(n + 1);
    for (int i = 0; i <= n; ++i)
      poly << At({radius * std::cos(kTurn * i / n), radius * std::sin(kTurn * i / n), z});
    return poly;
  }
};

// The convex hull of the points (monotone chain), for the cone's outline.
QPolygonF Hull(std::vector<QPointF> pts) {
  std::sort(pts.begin(), pts.end(), [](const QPointF& a, const QPointF& b) {
    return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
  });
  auto cross = [](const QPointF& o, const QPointF& a, const QPointF& b) {
    return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
  };
  std::vector<QPointF> h(2 * pts.size());
  std::size_t k = 0;
  for (std::size_t i = 0; i < pts.size(); ++i) {
    while (k >= 2 && cross(h[k - 2], h[k - 1], pts[i]) <= 0) --k;
    h[k++] = pts[i];
  }
  for (std::size_t i = pts.size() - 1, t = k + 1; i-- > 0;) {
    while (k >= t && cross(h[k - 2], h[k - 1], pts[i]) <= 0) --k;
    h[k++] = pts[i];
  }
  h.resize(k > 0 ? k - 1 : 0);
  return QPolygonF(QList<QPointF>(h.begin(), h.end()));
}

// A straight band from a to b, `width` device pixels wide, filled: a thick
// line without the stroker's cost.
void PaintBand(Pen& d, QPointF a, QPointF b, double width, const QColor& colour) {
  const QPointF v = b - a;
  const double len = std::hypot(v.x(), v.y());
  if (len < 0.1) return;
  const QPointF n = QPointF(-v.y(), v.x()) * (width / 2 / len);
  d.p.setPen(Qt::NoPen);
  d.p.setBrush(colour);
  d.p.drawPolygon(QPolygonF({a + n, b + n, b - n, a - n}));
}

// An arrow from a to b with a filled head, in one polygon.
void PaintArrow(Pen& d, QPointF a, QPointF b, const QColor& colour) {
  const QPointF v = b - a;
  const double len = std::hypot(v.x(), v.y());
  if (len < 0.5) return;
  const QPointF u = v / len, n(-u.y(), u.x());
  const double head = std::min(11 * d.look.line, 0.45 * len), shaft = d.look.line, wing = 0.4 * head;
  const QPointF neck = b - u * head;
  d.p.setPen(Qt::NoPen);
  d.p.setBrush(colour);
  d.p.drawPolygon(QPolygonF({a + n * shaft, neck + n * shaft, neck + n * wing, b, neck - n * wing, neck - n * shaft,
                             a - n * shaft}));
}

// The table of a run in the plane, or the foot of the stand; the start
// circle of radius R1 at the start height, dashed.
void PaintGround(Pen& d, const SceneFrame& f) {
  const Vec3 foot{f.columnRadius * std::cos(f.columnAzimuth), f.columnRadius * std::sin(f.columnAzimuth), f.floorZ};
  d.Line(QColor(200, 200, 200), 1);
  d.p.setBrush(QColor(244, 244, 240));
  if (f.table) {
    d.p.drawPolygon(d.Circle(0, f.tableRadius));
  } else {
    QPolygonF base;
    for (int i = 0; i <= 32; ++i)
      base << d.At(foot + Vec3{0.12 * f.size * std::cos(kTurn * i / 32), 0.12 * f.size * std::sin(kTurn * i / 32), 0});
    d.p.drawPolygon(base);
  }
  d.Line(kStart, 1, Qt::DashLine);
  d.p.drawPolyline(d.Circle(0, f.r1));
}

// The cone the slant part sweeps, faint: its outline from the sleeve and
// its base circle (lines only: a filled cone would cost a frame's time).
void PaintCone(Pen& d, const Scene& s) {
  if (s.coneRadius <= 0) return;
  const QPolygonF base = d.Circle(s.coneZ, s.coneRadius, 48);
  std::vector<QPointF> pts(base.begin(), base.end());
  pts.push_back(d.At(s.sleeve));
  QPolygonF outline = Hull(std::move(pts));
  if (!outline.isEmpty()) outline << outline.front();
  d.Line(QColor(0, 0, 250, 70), 1);
  d.p.drawPolyline(outline);
  d.Line(QColor(0, 0, 250, 45), 1);
  d.p.drawPolyline(base);
}

// Each ball's last turns, the older the fainter, in a few bands.
void PaintTrail(Pen& d, const Trail& t) {
  constexpr int kBands = 6;
  for (int ball = 0; ball < 2; ++ball) {
    const std::size_t n = t.Size(ball);
    if (n < 2) continue;
    for (int band = 0; band < kBands; ++band) {
      const std::size_t from = n * static_cast<std::size_t>(band) / kBands;
      const std::size_t to = std::min(n - 1, n * static_cast<std::size_t>(band + 1) / kBands);
      QPolygonF line;
      line.reserve(static_cast<qsizetype>(to - from + 1));
      for (std::size_t i = from; i <= to; ++i) line << d.At(t.Point(ball, i));
      QColor c = ball == 0 ? kTrail : kBallB;
      c.setAlpha(30 + 190 * (band + 1) / kBands);
      d.Line(c, 1);
      d.p.drawPolyline(line);
    }
  }
}

// The axis, the column with its beam, the drive.
void PaintStand(Pen& d, const SceneFrame& f) {
  const double cx = f.columnRadius * std::cos(f.columnAzimuth), cy = f.columnRadius * std::sin(f.columnAzimuth);
  const Vec3 drive{0, 0, f.driveZ};
  d.Line(kAxis, 0.8, Qt::DashDotLine);
  d.p.drawLine(d.At({0, 0, f.floorZ}), d.At({0, 0, f.driveZ + 0.08 * f.size}));
  PaintBand(d, d.At({cx, cy, f.floorZ}), d.At({cx, cy, f.driveZ}), 5 * d.look.line, kStand);
  PaintBand(d, d.At({cx, cy, f.driveZ}), d.At(drive), 3.5 * d.look.line, kStand);
  const double wheel = std::max(3.0, d.c.Project(drive).scale * 0.035 * f.size);
  d.Line(QColor(90, 90, 95), 1);
  d.p.setBrush(QColor(210, 210, 215));
  d.p.drawEllipse(d.At(drive), wheel, wheel);
}

// The sleeve, a short tube about the axis, on its arm from the column.
void PaintSleeve(Pen& d, const Scene& s, const SceneFrame& f) {
  const double cx = f.columnRadius * std::cos(f.columnAzimuth), cy = f.columnRadius * std::sin(f.columnAzimuth);
  PaintBand(d, d.At({cx, cy, s.sleeve.z}), d.At(s.sleeve), 2 * d.look.line, kStand);
  const double tube = 0.03 * f.size;
  PaintBand(d, d.At(s.sleeve + Vec3{0, 0, -tube}), d.At(s.sleeve + Vec3{0, 0, tube}),
            std::max(4 * d.look.line, d.c.Project(s.sleeve).scale * 0.05 * f.size), QColor(80, 80, 85));
}

// The vertical part with its moving marks, the slant part to ball a (hanging
// when it does not pull), the second string, the dumbbell's bar.
void PaintStrings(Pen& d, const Scene& s, const SceneFrame& f) {
  d.Line(kString, 1);
  d.p.drawLine(d.At(s.drive), d.At(s.sleeve));
  const QPointF across = QPointF(3.5, 0) * d.look.line;
  for (std::size_t i = 0; i < s.marks; ++i) {
    const QPointF m = d.At({0, 0, s.markZ[i]});
    d.p.drawLine(m - across, m + across);
  }
  d.Line(kString, 1, s.slack ? Qt::DashLine : Qt::SolidLine);
  QPolygonF slant;
  for (const Vec3& v : s.slant) slant << d.At(v);
  d.p.drawPolyline(slant);
  if (s.secondString) {
    d.Line(kString, 1, s.secondSlack ? Qt::DashLine : Qt::SolidLine);
    d.p.drawLine(d.At(s.ball[0]), d.At(s.ball[1]));
  }
  if (s.dumbbell)
    PaintBand(d, d.At(s.ball[0]), d.At(s.ball[1]),
              std::max(2 * d.look.line, d.c.Project(s.ball[0]).scale * 0.012 * f.size), QColor(110, 110, 110));
}

// The balls, the far one first, shaded as spheres lit from the upper left.
void PaintBalls(Pen& d, const Scene& s) {
  int order[2] = {0, 1};
  if (s.balls == 2 && d.c.Project(s.ball[0]).depth > d.c.Project(s.ball[1]).depth) std::swap(order[0], order[1]);
  for (int k = 0; k < s.balls; ++k) {
    const auto i = static_cast<std::size_t>(s.balls == 2 ? order[k] : 0);
    const ScreenPoint c = d.c.Project(s.ball[i]);
    const double r = std::max(2.0, c.scale * s.ballRadius[i]);
    const QColor base = i == 0 ? kBallA : kBallB;
    QRadialGradient shade(QPointF(c.x - 0.35 * r, c.y - 0.35 * r), 1.3 * r);
    shade.setColorAt(0, base.lighter(230));
    shade.setColorAt(1, base.darker(140));
    d.p.setPen(QPen(base.darker(180), 0.8 * d.look.line));
    d.p.setBrush(shade);
    d.p.drawEllipse(QPointF(c.x, c.y), r, r);
  }
}

// A label beside `at`, on the right or the left, moved inside the area and
// off the labels placed before it, on a pale ground so that lines under it
// do not hide it.
void PaintLabel(Pen& d, QPointF at, bool right, const QString& text, const QColor& colour) {
  const QFontMetricsF m(d.p.font(), d.p.device());
  QRectF box(0, 0, m.horizontalAdvance(text) + 4, m.height());
  const double gap = 5 * d.look.line;
  box.moveTopLeft(QPointF(right ? at.x() + gap : at.x() - gap - box.width(), at.y() - box.height() / 2));
  const QRectF inner = d.area.adjusted(2, 2, -2, -2);
  auto inside = [&](QRectF b) {
    b.moveLeft(std::clamp(b.left(), inner.left(), std::max(inner.left(), inner.right() - b.width())));
    b.moveTop(std::clamp(b.top(), inner.top(), std::max(inner.top(), inner.bottom() - b.height())));
    return b;
  };
  QRectF place = inside(box);
  // Down, up, further down ... until the place is free.
  for (int k = 1; k <= 8; ++k) {
    if (std::none_of(d.labels.begin(), d.labels.end(), [&](const QRectF& r) { return r.intersects(place); })) break;
    place = inside(box.translated(0, (k % 2 ? 1 : -1) * ((k + 1) / 2) * (box.height() + 1)));
  }
  d.labels.push_back(place);
  d.p.setPen(Qt::NoPen);
  d.p.setBrush(QColor(255, 255, 255, 190));
  d.p.drawRect(place);
  d.p.setPen(colour);
  d.p.drawText(QPointF(place.left() + 2, place.top() + m.ascent()), text);
}

}  // namespace

namespace {

// The vertical arrows share the axis: ω is drawn a little to its left, the
// dumbbell's parts a little to its right. The whole angular momentum is left
// out where it is the vertical part itself (in the plane).
void PaintArrows(Pen& d, const Scene& s) {
  const QPointF aside(10 * d.look.line, 0);
  bool merged = false;
  for (std::size_t i = 0; i < s.arrows; ++i) {
    const DrawnArrow& a = s.arrow[i];
    const Vec3 along = a.head - a.tail;
    if (a.kind == Arrow::kMomentum && std::hypot(along.x, along.y) < 0.02 * along.Length()) {
      merged = true;
      continue;
    }
    QPointF t = d.At(a.tail), h = d.At(a.head);
    if (a.kind == Arrow::kOmega) t -= aside, h -= aside;
    if (a.kind == Arrow::kParts) t += aside, h += aside;
    PaintArrow(d, t, h, ArrowColour(a));
  }
  for (std::size_t i = 0; i < s.arrows; ++i) {
    const DrawnArrow& a = s.arrow[i];
    if (a.kind == Arrow::kMomentum && merged) continue;
    QPointF t = d.At(a.tail), h = d.At(a.head);
    bool right = h.x() >= t.x();
    if (a.kind == Arrow::kOmega) h -= aside, right = false;
    if (a.kind == Arrow::kVertical || a.kind == Arrow::kParts) h += aside, right = true;
    if (a.kind == Arrow::kParts && a.part == 0) h = (t + h) / 2;  // beside its middle: the spin's label is at the end
    QString text = ArrowLabel(a, d.look.locale);
    if (a.kind == Arrow::kVertical && merged) text = QStringLiteral("L = ") + text;
    PaintLabel(d, h, right, text, ArrowColour(a));
  }
}

// The mark at MKD1 across the axis, where the vertical part started.
void PaintStartMark(Pen& d, const Scene& s) {
  const QPointF m = d.At(s.momentumStartMark), across(9 * d.look.line, 0);
  PaintBand(d, m - across, m + across, 1.5 * d.look.line, Qt::black);
  PaintLabel(d, m - across, false, QStringLiteral("MKD1 = ") + ShortNumber(s.momentumStart, d.look.locale),
             Qt::black);
}

}  // namespace

void PaintApparatusFixed(QPainter& p, const QRectF& area, const Camera& camera, const SceneFrame& frame,
                         const ApparatusLook& look) {
  p.save();
  p.setClipRect(area);
  p.fillRect(area, Qt::white);
  p.setRenderHint(QPainter::Antialiasing, true);
  Pen d{p, camera, look, area};
  PaintGround(d, frame);
  PaintStand(d, frame);
  p.restore();
}

void PaintApparatusMoving(QPainter& p, const QRectF& area, const Camera& camera, const ApparatusPicture& picture,
                          const ApparatusLook& look) {
  p.save();
  p.setClipRect(area);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setFont(look.font);
  // The labels keep off the lines of the time and the legend.
  const double line = p.fontMetrics().height() + 6 * look.line;
  Pen d{p, camera, look, area.adjusted(0, line, 0, -line)};
  const Scene& s = picture.scene;
  PaintCone(d, s);
  if (picture.trail) PaintTrail(d, *picture.trail);
  PaintSleeve(d, s, picture.frame);
  PaintStrings(d, s, picture.frame);
  PaintBalls(d, s);
  bool vertical = false;
  for (std::size_t i = 0; i < s.arrows; ++i) vertical = vertical || s.arrow[i].kind == Arrow::kVertical;
  if (vertical) PaintStartMark(d, s);
  PaintArrows(d, s);
  p.setPen(Qt::black);
  const double margin = 6 * look.line;
  p.drawText(QPointF(area.left() + margin, area.top() + margin + p.fontMetrics().ascent()),
             QStringLiteral("T = ") + ShortNumber(picture.time, look.locale) + QStringLiteral(" с"));
  if (look.legend)
    p.drawText(QPointF(area.left() + margin, area.bottom() - margin - p.fontMetrics().descent()),
               ScaleLegend(picture.frame, picture.shown, look.locale));
  p.restore();
}

void PaintApparatus(QPainter& p, const QRectF& area, const Camera& camera, const ApparatusPicture& picture,
                    const ApparatusLook& look) {
  PaintApparatusFixed(p, area, camera, picture.frame, look);
  PaintApparatusMoving(p, area, camera, picture, look);
}

QString ShortNumber(double v, const QLocale& locale) {
  if (!std::isfinite(v)) return locale.toString(v);
  const double a = std::fabs(v);
  const int decimals = a == 0 ? 2 : std::clamp(2 - static_cast<int>(std::floor(std::log10(a))), 0, 6);
  return locale.toString(v, 'f', decimals);
}

QString ArrowLabel(const DrawnArrow& a, const QLocale& locale) {
  const QString v = ShortNumber(a.value, locale);
  switch (a.kind) {
    case Arrow::kOmega: return QStringLiteral("ω = %1 рад/с").arg(v);
    case Arrow::kMomentum: return QStringLiteral("L = %1 кг·м²/с").arg(v);
    case Arrow::kVertical: return QStringLiteral("Lz = MKD2 = %1 кг·м²/с").arg(v);
    case Arrow::kVelocity: return QStringLiteral("v = %1 м/с").arg(v);
    case Arrow::kForce: return (a.part == 0 ? QStringLiteral("FL = %1 н") : QStringLiteral("FL2 = %1 н")).arg(v);
    case Arrow::kParts: break;
    case Arrow::kCount: break;
  }
  return (a.part == 0 ? QStringLiteral("Lорб = %1") : QStringLiteral("Lвращ = %1")).arg(v);
}

QString ScaleLegend(const SceneFrame& f, unsigned shown, const QLocale& locale) {
  QStringList parts;
  auto add = [&](unsigned bits, const char* symbol, double per, const char* unit) {
    if (shown & bits)
      parts << QStringLiteral("%1 — %2 %3").arg(QString::fromUtf8(symbol), locale.toString(per), QString::fromUtf8(unit));
  };
  add(ArrowBit(Arrow::kOmega), "ω", f.per.omega, "рад/с");
  add(ArrowBit(Arrow::kMomentum) | ArrowBit(Arrow::kVertical) | ArrowBit(Arrow::kParts), "L", f.per.momentum,
      "кг·м²/с");
  add(ArrowBit(Arrow::kVelocity), "v", f.per.velocity, "м/с");
  add(ArrowBit(Arrow::kForce), "F", f.per.force, "н");
  if (parts.isEmpty()) return {};
  return QStringLiteral("Масштаб стрелок, на 1 м длины: ") + parts.join(QStringLiteral("; ")) +
         QStringLiteral(" (установлен в начале опыта)");
}

}  // namespace vozaz2
