#include "io/ReportFigures.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "io/ScreenPicture.h"
#include "model/Variant.h"
#include "run/Quantities.h"
#include "run/RunSummary.h"
#include "run/Screens.h"

namespace vozaz2::report {

namespace {

struct GraphSeries {
  std::size_t series;  // a quantity of kQuantities
  QColor colour;
  QString name;
  double width = 0.3;  // mm
  Qt::PenStyle style = Qt::SolidLine;
};

// A graph's frame in mm and what it spans: the values at its bottom and top,
// the time at its right edge.
struct GraphFrame {
  double left, top, gw, gh;
  double lo, hi, tEnd;
  double X(double t) const { return left + t / tEnd * gw; }
  double Y(double v) const { return top + (hi - v) / (hi - lo) * gh; }
};

// The frame of a graph in the box (x, y, w, h), spanning the series' values
// with a margin (a flat series gets some room about its value) and the time
// from 0 to the last step's.
GraphFrame FrameFor(double x, double y, double w, double h, const RunSummary& buckets,
                    const std::vector<GraphSeries>& series, double offset) {
  double lo = 0, hi = 0, tEnd = 0;
  bool first = true;
  for (std::size_t b = 0; b < buckets.Buckets(); ++b) {
    tEnd = std::max(tEnd, buckets.Last(b, quantity::kT));
    for (const GraphSeries& g : series) {
      const double a = buckets.Min(b, g.series) - offset, z = buckets.Max(b, g.series) - offset;
      if (!std::isfinite(a) || !std::isfinite(z)) continue;
      lo = first ? a : std::min(lo, a);
      hi = first ? z : std::max(hi, z);
      first = false;
    }
  }
  if (hi - lo <= std::max(std::fabs(hi), std::fabs(lo)) * 1e-12) {
    const double pad = std::max(std::fabs(hi) * 1e-3, 1e-12);
    lo -= pad;
    hi += pad;
  }
  const double margin = (hi - lo) * 0.05;
  lo -= margin;
  hi += margin;
  if (!(tEnd > 0)) tEnd = 1;
  return {x + 14, y + 8, w - 16, h - 14, lo, hi, tEnd};
}

// The series' names, each after a stroke of its line, in a row above the
// graph; leaves the legend's font set.
void SeriesLegend(Sheet& s, double x, double y, const std::vector<GraphSeries>& series) {
  QPainter& p = s.Painter();
  s.Font(6.5);
  double lx = x;
  for (const GraphSeries& g : series) {
    s.Pen(g.colour, 0.5, g.style);
    p.drawLine(s.At(lx, y + 5.5), s.At(lx + 4, y + 5.5));
    const QRectF used = p.boundingRect(s.Box(lx + 5, y + 4, 60, 3), Qt::AlignLeft | Qt::AlignVCenter, g.name);
    s.Label(s.Box(lx + 5, y + 4, 60, 3), Qt::AlignLeft | Qt::AlignVCenter, g.name);
    lx += 5 + used.width() / s.Mm(1) + 3;
  }
}

// The frame with its grid lines, ticks and values, in the current font.
void GraphAxes(Sheet& s, const GraphFrame& f) {
  QPainter& p = s.Painter();
  s.Pen(Qt::black, 0.25);
  p.drawRect(s.Box(f.left, f.top, f.gw, f.gh));
  for (double v : Ticks(f.lo, f.hi, 4)) {
    s.Pen(QColor(215, 215, 215), 0.15);
    p.drawLine(s.At(f.left, f.Y(v)), s.At(f.left + f.gw, f.Y(v)));
    s.Pen(Qt::black, 0.25);
    p.drawLine(s.At(f.left - 1, f.Y(v)), s.At(f.left, f.Y(v)));
    s.Label(s.Box(f.left - 14.5, f.Y(v) - 1.5, 13.2, 3), Qt::AlignRight | Qt::AlignVCenter, ReportNumber(v));
  }
  for (double t : Ticks(0, f.tEnd, 5)) {
    s.Pen(Qt::black, 0.25);
    p.drawLine(s.At(f.X(t), f.top + f.gh), s.At(f.X(t), f.top + f.gh + 1));
    s.Label(s.Box(f.X(t) - 6, f.top + f.gh + 1.1, 12, 3), Qt::AlignHCenter | Qt::AlignTop, ReportNumber(t));
  }
  s.Label(s.Box(f.left + f.gw - 20, f.top + f.gh + 3.6, 20, 3), Qt::AlignRight | Qt::AlignTop,
          QStringLiteral("T, с"));
}

// The band between the least and greatest values of each bucket, when it
// is wider than a line anywhere, in the series' colour made faint.
void SeriesBand(Sheet& s, const GraphFrame& f, const RunSummary& buckets, const GraphSeries& g, double offset) {
  const std::size_t count = buckets.Buckets();
  auto t1 = [&](std::size_t b) { return buckets.Last(b, quantity::kT); };
  bool bandWide = false;
  for (std::size_t i = 0; i < count; ++i)
    if (f.Y(buckets.Min(i, g.series) - offset) - f.Y(buckets.Max(i, g.series) - offset) > 0.3) bandWide = true;
  if (!bandWide) return;
  QPainterPath band;
  for (std::size_t i = 0; i < count; ++i) {
    const QPointF pt = s.At(f.X(t1(i)), f.Y(buckets.Max(i, g.series) - offset));
    if (i == 0) band.moveTo(pt); else band.lineTo(pt);
  }
  for (std::size_t i = count; i-- > 0;) band.lineTo(s.At(f.X(t1(i)), f.Y(buckets.Min(i, g.series) - offset)));
  band.closeSubpath();
  QColor fill = g.colour;
  fill.setAlpha(60);
  s.Painter().setPen(Qt::NoPen);
  s.Painter().fillPath(band, fill);
}

// Each series' band and the line through its last values, clipped to the
// frame.
void SeriesLines(Sheet& s, const GraphFrame& f, const RunSummary& buckets, const std::vector<GraphSeries>& series,
                 double offset) {
  QPainter& p = s.Painter();
  p.save();
  p.setClipRect(s.Box(f.left, f.top, f.gw, f.gh));
  p.setRenderHint(QPainter::Antialiasing, true);
  for (const GraphSeries& g : series) {
    QPainterPath line;
    for (std::size_t i = 0; i < buckets.Buckets(); ++i) {
      const QPointF pt = s.At(f.X(buckets.Last(i, quantity::kT)), f.Y(buckets.Last(i, g.series) - offset));
      if (i == 0) line.moveTo(pt); else line.lineTo(pt);
    }
    SeriesBand(s, f, buckets, g, offset);
    s.Pen(g.colour, g.width, g.style);
    p.setBrush(Qt::NoBrush);
    p.drawPath(line);
  }
  p.restore();
}

// A graph of tracked quantities against time in the box (x, y, w, h): the
// band between the least and greatest value of each stretch of steps, and the
// line through the last values. `offset` is subtracted from every value.
void Graph(Sheet& s, double x, double y, double w, double h, const RunHistory& history,
           const std::vector<GraphSeries>& series, const QString& title, double offset) {
  s.Font(7.5, true);
  s.Label(s.Box(x, y, w, 3.5), Qt::AlignLeft | Qt::AlignTop, title);
  const GraphFrame frame = FrameFor(x, y, w, h, history.Summary(), series, offset);
  SeriesLegend(s, x, y, series);
  GraphAxes(s, frame);
  SeriesLines(s, frame, history.Summary(), series, offset);
}

// Whether the angular momentum is better shown as its change from MKD1: when
// it changes by less than a thousandth.
bool MomentumAsChange(const RunHistory& t, const SimRecord& r) {
  return t.MaxMomentumDrift() < 1e-3 && r.MKD1 != 0;
}

}  // namespace

void MomentumGraph(Sheet& s, double x, double y, double w, double h, const ReportContent& c) {
  namespace T = quantity;
  const bool change = MomentumAsChange(c.history, c.record);
  Graph(s, x, y, w, h, c.history,
        {{T::kMKD1, QColor(120, 120, 120), QStringLiteral("MKD1"), 0.3, Qt::DashLine},
         {T::kMKD2, ToQColor(colours::kBlue), QStringLiteral("MKD2"), 0.35}},
        change ? QStringLiteral("Момент импульса: MKD2 − MKD1, кг·м²/с (MKD1 = %1)").arg(ReportNumber(c.record.MKD1))
               : QStringLiteral("Момент импульса MKD1, MKD2, кг·м²/с"),
        change ? c.record.MKD1 : 0);
}

void EnergyGraph(Sheet& s, double x, double y, double w, double h, const ReportContent& c) {
  namespace T = quantity;
  Graph(s, x, y, w, h, c.history,
        {{T::kE2, ToQColor(colours::kRed), QStringLiteral("E2")},
         {T::kEL, ToQColor(colours::kBlue), QStringLiteral("EL")},
         {T::kEmg, ToQColor(colours::kOlive), QStringLiteral("Emg")},
         {T::kEtr, QColor(0, 160, 0), QStringLiteral("Etr")},
         {T::kWork, QColor(150, 0, 150), QStringLiteral("±EVL")},
         {T::kBalance, Qt::black, QStringLiteral("баланс"), 0.45}},
        QStringLiteral("Энергия: слагаемые баланса и сам баланс, Дж"), 0);
}

double OscillogramFigure(Sheet& s, double x, double y, double w, const ReportContent& c) {
  const SimRecord& r = c.record;
  const double axis = 12;  // room for the values at each side
  const double sw = w - 2 * axis, sh = sw * kScreen2Height / kScreen2Width;
  const QRectF screen(x + axis, y + 4, sw, sh);
  PaintScreen(s.Painter(), c.oscillogram, s.Box(screen.x(), screen.y(), sw, sh), kPaperLook);
  Axes(s, screen,
       {0, 12, -5, 5, r.Mt, 2, QStringLiteral("T, с"), r.MF, 1, QStringLiteral("F, н"), r.Mz,
        QStringLiteral("Z, м")},
       kScreen2Width, kScreen2Height);
  std::vector<LegendItem> items = {
      {ToQColor(colours::kRed), QStringLiteral("FL — сила натяжения нити, н (MF = %1 н/см)").arg(ReportNumber(r.MF))},
      {ToQColor(colours::kBlue), QStringLiteral("Ftr — её часть от трения в нити, н")},
      {ToQColor(colours::kOlive), QStringLiteral("Z — высота груза, м (Mz = %1 м/см)").arg(ReportNumber(r.Mz))},
  };
  if (SplitRun(r, c.controls)) {
    items.push_back({ToQColor(colours::kRed), QStringLiteral("FL2 — сила второй нити (красный), Ftr2 (синий), от минус 4 см")});
    items.push_back({ToQColor(colours::kGreen), QStringLiteral("поворот воображаемой гантели из двух шаров, 1 оборот/см, от минус 4 см")});
  } else if (DumbbellRun(r)) {
    items.push_back({ToQColor(colours::kGreen), QStringLiteral("Psi — поворот гантели, 1 оборот/см, от минус 4 см")});
    items.push_back({ToQColor(colours::kDarkGrey), QStringLiteral("w12 — угловая скорость гантели, рад/с, в масштабе Mz, от минус 4 см")});
  } else {
    items.push_back({ToQColor(colours::kDarkGrey),
                     QStringLiteral("линия на минус 4 см: поворот и w12 гантели, у груза m=2 они равны 0")});
  }
  items.push_back({ToQColor(colours::kGrid), QStringLiteral("сетка через 1 см; по времени Mt = %1 с/см").arg(ReportNumber(r.Mt)), true});
  const double legendY = screen.bottom() + 8;
  return legendY - y + Legend(s, x + 2, legendY, w - 2, items, 2);
}

double PathFigure(Sheet& s, double x, double y, double w, const ReportContent& c) {
  const SimRecord& r = c.record;
  const double axis = 12;
  const double sw = w - axis - 3, sh = sw;
  const QRectF screen(x + axis, y + 4, sw, sh);
  PaintScreen(s.Painter(), c.path, s.Box(screen.x(), screen.y(), sw, sh), kPaperLook);
  Axes(s, screen,
       {-5, 5, -5, 5, r.Mx, 2, QStringLiteral("X, м"), r.Mx, 2, QStringLiteral("Y, м"), 0, QString()},
       kScreen3Width, kScreen3Height);
  std::vector<LegendItem> items;
  const bool split = SplitRun(r, c.controls);
  items.push_back({ToQColor(colours::kBlue),
                   DumbbellRun(r) ? QStringLiteral("след центра гантели (Mx = %1 м/см)").arg(ReportNumber(r.Mx))
                                  : QStringLiteral("след груза (Mx = %1 м/см)").arg(ReportNumber(r.Mx))});
  items.push_back({ToQColor(colours::kRed), QStringLiteral("окружность радиуса R1 в начале опыта"), true});
  if (DumbbellRun(r))
    items.push_back({ToQColor(colours::kBallB),
                     QStringLiteral("знак поворота гантели у точки (4; −4) см: синий шар на нити, чёрный — второй"), true});
  if (split)
    items.push_back({ToQColor(colours::kBallB),
                     QStringLiteral("шары после разделения: синий на нити, чёрный второй, между ними вторая нить"), true});
  items.push_back({ToQColor(colours::kAxisGrey), QStringLiteral("оси X и Y; сетка через 1 см"), true});
  const double legendY = screen.bottom() + 8;
  return legendY - y + Legend(s, x + 2, legendY, w - 2, items, 1);
}

}  // namespace vozaz2::report
