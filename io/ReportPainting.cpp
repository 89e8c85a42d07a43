#include "io/ReportPainting.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace vozaz2::report {

namespace {

const QString kFontFamily = QStringLiteral("DejaVu Sans");

}  // namespace

void Sheet::Font(double points, bool bold) {
  QFont f(kFontFamily);
  f.setPointSizeF(points);
  f.setBold(bold);
  f.setStyleStrategy(QFont::PreferOutline);
  p_.setFont(f);
}

double Sheet::Text(double x, double y, double w, const QString& s, int flags) {
  const QRectF box = Box(x, y, w, 400);
  const QRectF used = p_.boundingRect(box, flags, s);
  p_.drawText(box, flags, s);
  return used.height() / k_;
}

void Sheet::Pen(const QColor& c, double widthMm, Qt::PenStyle style) {
  QPen pen(c, Mm(widthMm), style, Qt::FlatCap);
  p_.setPen(pen);
}

double Dpmm(QPainter& p) { return p.device()->logicalDpiX() / 25.4; }

std::vector<double> Ticks(double lo, double hi, int count) {
  std::vector<double> ticks;
  const double range = hi - lo;
  if (!(range > 0) || !std::isfinite(range)) return ticks;
  const double raw = range / count, power = std::pow(10.0, std::floor(std::log10(raw)));
  double step = power;
  for (double f : {1.0, 2.0, 5.0, 10.0})
    if (f * power >= raw) {
      step = f * power;
      break;
    }
  for (double v = std::ceil(lo / step) * step; v <= hi + step * 1e-9; v += step)
    ticks.push_back(std::fabs(v) < step * 1e-9 ? 0.0 : std::round(v / step) * step);
  return ticks;
}

double Legend(Sheet& s, double x, double y, double w, const std::vector<LegendItem>& items, int columns) {
  s.Font(6.5);
  const double colW = w / columns;
  double height = 0;
  std::vector<double> colY(columns, y);
  for (std::size_t i = 0; i < items.size(); ++i) {
    // Items go down the first column, then the second.
    const int col = static_cast<int>(i * columns / items.size());
    double& cy = colY[col];
    const double cx = x + col * colW;
    const LegendItem& it = items[i];
    switch (it.mark) {
      case LegendItem::Mark::kLine:
        s.Pen(it.colour, 0.5);
        s.Painter().drawLine(s.At(cx, cy + 1.6), s.At(cx + 4, cy + 1.6));
        break;
      case LegendItem::Mark::kRing:
        s.Pen(it.colour, 0.3);
        s.Painter().setBrush(Qt::NoBrush);
        s.Painter().drawEllipse(s.Box(cx + 0.8, cy + 0.4, 2.4, 2.4));
        break;
      case LegendItem::Mark::kDot: s.Painter().fillRect(s.Box(cx + 1.2, cy + 0.8, 1.6, 1.6), it.colour); break;
    }
    s.Pen(Qt::black, 0.2);
    cy += s.Text(cx + 5, cy, colW - 6, it.text) + 0.3;
    height = std::max(height, cy - y);
  }
  return height;
}

void Axes(Sheet& s, const QRectF& screenMm, const ScreenAxes& a, int width, int height) {
  // The screen's pixel centres span the frame less half a pixel at each side.
  const double left = screenMm.left(), top = screenMm.top(), w = screenMm.width(), h = screenMm.height();
  auto xAt = [&](double u) { return left + (0.5 + (u - a.x1) / (a.x2 - a.x1) * (width - 1)) * w / width; };
  auto yAt = [&](double u) { return top + (0.5 + (a.y2 - u) / (a.y2 - a.y1) * (height - 1)) * h / height; };
  QPainter& p = s.Painter();
  s.Pen(Qt::black, 0.25);
  p.drawRect(s.Box(left, top, w, h));
  s.Font(6.5);
  const double tick = 1.0;
  for (double u = std::ceil(a.x1); u <= a.x2; u += 1) {
    const double x = xAt(u);
    const bool labelled = std::fmod(std::fabs(u), a.xEvery) < 1e-9;
    s.Pen(Qt::black, 0.25);
    p.drawLine(s.At(x, top + h), s.At(x, top + h + (labelled ? tick : tick / 2)));
    if (labelled)
      s.Label(s.Box(x - 6, top + h + 1.1, 12, 3), Qt::AlignHCenter | Qt::AlignTop, ReportNumber(u * a.xScale));
  }
  s.Label(s.Box(left + w - 20, top + h + 3.8, 20, 3), Qt::AlignRight | Qt::AlignTop, a.xTitle);
  for (double u = std::ceil(a.y1); u <= a.y2; u += 1) {
    const double y = yAt(u);
    const bool labelled = std::fmod(std::fabs(u), a.yEvery) < 1e-9;
    s.Pen(Qt::black, 0.25);
    p.drawLine(s.At(left, y), s.At(left - (labelled ? tick : tick / 2), y));
    if (labelled)
      s.Label(s.Box(left - 13.2, y - 1.5, 12, 3), Qt::AlignRight | Qt::AlignVCenter, ReportNumber(u * a.yScale));
    if (a.rightScale != 0) {
      p.drawLine(s.At(left + w, y), s.At(left + w + (labelled ? tick : tick / 2), y));
      if (labelled)
        s.Label(s.Box(left + w + 1.2, y - 1.5, 12, 3), Qt::AlignLeft | Qt::AlignVCenter,
                ReportNumber(u * a.rightScale));
    }
  }
  s.Label(s.Box(left - 14, top - 3.6, 14, 3), Qt::AlignRight | Qt::AlignBottom, a.yTitle);
  if (a.rightScale != 0) s.Label(s.Box(left + w, top - 3.6, 14, 3), Qt::AlignLeft | Qt::AlignBottom, a.rightTitle);
}

double Table(Sheet& s, double x, double y, double w, const std::vector<ReadoutRow>& rows, int columns) {
  const double rowH = 3.25;
  const int perColumn = static_cast<int>((rows.size() + columns - 1) / columns);
  const double colW = w / columns;
  s.Font(7.5);
  const QFontMetricsF metrics(s.Painter().font(), s.Painter().device());
  for (int col = 0; col < columns; ++col) {
    const std::size_t from = static_cast<std::size_t>(col * perColumn),
                      to = std::min(rows.size(), from + static_cast<std::size_t>(perColumn));
    double labelW = 0, valueW = 0;
    for (std::size_t i = from; i < to; ++i) {
      labelW = std::max(labelW, metrics.horizontalAdvance(rows[i].label) / s.Mm(1));
      valueW = std::max(valueW, metrics.horizontalAdvance(rows[i].value) / s.Mm(1));
    }
    labelW += 3;
    const double cx = x + col * colW;
    for (std::size_t i = from; i < to; ++i) {
      const double cy = y + static_cast<double>(i - from) * rowH;
      if ((i - from) % 2 == 0) s.Painter().fillRect(s.Box(cx, cy, colW - 2, rowH), QColor(242, 242, 242));
      s.Painter().setPen(Qt::black);
      s.Label(s.Box(cx + 1, cy, labelW, rowH), Qt::AlignLeft | Qt::AlignVCenter, rows[i].label);
      s.Label(s.Box(cx + 1 + labelW, cy, valueW, rowH), Qt::AlignRight | Qt::AlignVCenter, rows[i].value);
      s.Label(s.Box(cx + 2.5 + labelW + valueW, cy, 15, rowH), Qt::AlignLeft | Qt::AlignVCenter, rows[i].unit);
    }
  }
  return perColumn * rowH;
}

double Heading(Sheet& s, double x, double y, double w, const QString& text) {
  s.Font(9.5, true);
  s.Painter().setPen(Qt::black);
  return s.Text(x, y, w, text) + 1;
}

void OnPage(QPainter& p, const QRectF& page, const QString& heading,
            const std::function<void(Sheet& s, double x, double y, double w)>& body) {
  Sheet s(p, page.topLeft(), Dpmm(p));
  const double left = 15, width = page.width() / Dpmm(p) - 30, top = 12;
  p.setPen(Qt::black);
  body(s, left, top + Heading(s, left, top, width, heading), width);
}

}  // namespace vozaz2::report
