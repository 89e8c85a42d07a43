#include "io/ReportFigures.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <string_view>

#include "io/ScreenPicture.h"
#include "model/Variant.h"
#include "run/Quantities.h"
#include "run/RunSummary.h"
#include "run/Screens.h"

namespace vozaz2::report {

namespace {

// A graph's frame in mm and what it spans: the values at its bottom and top,
// the time at its right edge.
struct GraphFrame {
  double left, top, gw, gh;
  double lo, hi, tEnd;
  double X(double t) const { return left + t / tEnd * gw; }
  double Y(double v) const { return top + (hi - v) / (hi - lo) * gh; }
};

// The frame of a panel in the box (x, y, w, h), spanning its series' values
// with a margin and the time from 0 to the last step's. A quantity that
// hardly changes (the angular momentum, kept to eight digits) shows as a
// level line, not as noise spread over the panel: the panel spans at least a
// tenth of its value, and its ticks differ in the digits they show.
GraphFrame FrameFor(double x, double y, double w, double h, const RunSummary& buckets, const GraphPanel& panel) {
  double lo = 0, hi = 0, tEnd = 0;
  bool first = true;
  for (std::size_t b = 0; b < buckets.Buckets(); ++b) {
    tEnd = std::max(tEnd, buckets.Last(b, quantity::kT));
    for (const GraphSeries& g : panel.series) {
      const double a = buckets.Min(b, g.quantity), z = buckets.Max(b, g.quantity);
      if (!std::isfinite(a) || !std::isfinite(z)) continue;
      lo = first ? a : std::min(lo, a);
      hi = first ? z : std::max(hi, z);
      first = false;
    }
  }
  const double least = std::max(std::fabs(hi + lo) / 2 * 0.1, 1e-12);
  if (hi - lo < least) {
    const double pad = (least - (hi - lo)) / 2;
    lo -= pad;
    hi += pad;
  }
  const double margin = (hi - lo) * 0.05;
  if (!(tEnd > 0)) tEnd = 1;
  return {x + 14, y, w - 16, h, lo - margin, hi + margin, tEnd};
}

// Above a panel: the unit of its values over their column, then each
// series' name after a stroke of its line; leaves the legend's font set.
void PanelHeader(Sheet& s, double x, double y, const GraphPanel& panel) {
  QPainter& p = s.Painter();
  s.Font(6.5);
  s.Pen(Qt::black, 0.2);
  const std::string_view unit = kQuantities[panel.series.front().quantity].unit;
  s.Label(s.Box(x, y, 13, 3), Qt::AlignRight | Qt::AlignVCenter,
          QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size())));
  double lx = x + 14;
  for (const GraphSeries& g : panel.series) {
    s.Pen(g.colour, std::min(g.width, 0.6), g.style);
    p.drawLine(s.At(lx, y + 1.5), s.At(lx + 4, y + 1.5));
    s.Pen(Qt::black, 0.2);
    const QString name = SeriesName(g.quantity);
    const QRectF used = p.boundingRect(s.Box(lx + 5, y, 80, 3), Qt::AlignLeft | Qt::AlignVCenter, name);
    s.Label(s.Box(lx + 5, y, 80, 3), Qt::AlignLeft | Qt::AlignVCenter, name);
    lx += 5 + used.width() / s.Mm(1) + 3;
  }
}

// The frame with its grid lines, ticks and values, in the current font; the
// times under it when `times`, else only their ticks.
void GraphAxes(Sheet& s, const GraphFrame& f, bool times) {
  QPainter& p = s.Painter();
  s.Pen(Qt::black, 0.25);
  p.drawRect(s.Box(f.left, f.top, f.gw, f.gh));
  for (double v : Ticks(f.lo, f.hi, f.gh < 20 ? 3 : 4)) {
    s.Pen(QColor(215, 215, 215), 0.15);
    p.drawLine(s.At(f.left, f.Y(v)), s.At(f.left + f.gw, f.Y(v)));
    s.Pen(Qt::black, 0.25);
    p.drawLine(s.At(f.left - 1, f.Y(v)), s.At(f.left, f.Y(v)));
    s.Label(s.Box(f.left - 14.5, f.Y(v) - 1.5, 13.2, 3), Qt::AlignRight | Qt::AlignVCenter, ReportNumber(v));
  }
  for (double t : Ticks(0, f.tEnd, 5)) {
    s.Pen(Qt::black, 0.25);
    p.drawLine(s.At(f.X(t), f.top + f.gh), s.At(f.X(t), f.top + f.gh + 1));
    if (times)
      s.Label(s.Box(f.X(t) - 6, f.top + f.gh + 1.1, 12, 3), Qt::AlignHCenter | Qt::AlignTop, ReportNumber(t));
  }
  if (times)
    s.Label(s.Box(f.left + f.gw - 20, f.top + f.gh + 3.6, 20, 3), Qt::AlignRight | Qt::AlignTop,
            QStringLiteral("T, с"));
}

// The band between the least and greatest values of each bucket, when it
// is wider than a line anywhere, in the series' colour made faint.
void SeriesBand(Sheet& s, const GraphFrame& f, const RunSummary& buckets, const GraphSeries& g) {
  const std::size_t count = buckets.Buckets();
  auto t1 = [&](std::size_t b) { return buckets.Last(b, quantity::kT); };
  bool bandWide = false;
  for (std::size_t i = 0; i < count; ++i)
    if (f.Y(buckets.Min(i, g.quantity)) - f.Y(buckets.Max(i, g.quantity)) > 0.3) bandWide = true;
  if (!bandWide) return;
  QPainterPath band;
  for (std::size_t i = 0; i < count; ++i) {
    const QPointF pt = s.At(f.X(t1(i)), f.Y(buckets.Max(i, g.quantity)));
    if (i == 0) band.moveTo(pt); else band.lineTo(pt);
  }
  for (std::size_t i = count; i-- > 0;) band.lineTo(s.At(f.X(t1(i)), f.Y(buckets.Min(i, g.quantity))));
  band.closeSubpath();
  QColor fill = g.colour;
  fill.setAlpha(60);
  s.Painter().setPen(Qt::NoPen);
  s.Painter().fillPath(band, fill);
}

// Each series' band and the line through its last values, clipped to the
// frame, the first series undermost.
void SeriesLines(Sheet& s, const GraphFrame& f, const RunSummary& buckets, const GraphPanel& panel) {
  QPainter& p = s.Painter();
  p.save();
  p.setClipRect(s.Box(f.left, f.top, f.gw, f.gh));
  p.setRenderHint(QPainter::Antialiasing, true);
  for (const GraphSeries& g : panel.series) {
    QPainterPath line;
    for (std::size_t i = 0; i < buckets.Buckets(); ++i) {
      const QPointF pt = s.At(f.X(buckets.Last(i, quantity::kT)), f.Y(buckets.Last(i, g.quantity)));
      if (i == 0) line.moveTo(pt); else line.lineTo(pt);
    }
    SeriesBand(s, f, buckets, g);
    s.Pen(g.colour, g.width, g.style);
    p.setBrush(Qt::NoBrush);
    p.drawPath(line);
  }
  p.restore();
}

// A graph of tracked quantities against time in the box (x, y, w, h): its
// title, then its panels one under another on one time axis, each with its
// legend over it, the band between the least and greatest value of each
// stretch of steps and the line through the last values.
void Graph(Sheet& s, double x, double y, double w, double h, const RunHistory& history,
           const std::vector<GraphPanel>& panels, const QString& title) {
  s.Font(7.5, true);
  s.Label(s.Box(x, y, w, 3.5), Qt::AlignLeft | Qt::AlignTop, title);
  // Under a panel its time ticks, then a little room before the next.
  constexpr double kHeader = 4, kTimes = 6, kGap = 2;
  double top = y + 4.5;
  const double room = h - 4.5 - kTimes - (kHeader + kGap) * static_cast<double>(panels.size()) + kGap;
  for (std::size_t i = 0; i < panels.size(); ++i) {
    if (i > 0) top += kGap;
    PanelHeader(s, x, top, panels[i]);
    top += kHeader;
    const double ph = room * panels[i].share;
    const GraphFrame frame = FrameFor(x, top, w, ph, history.Summary(), panels[i]);
    GraphAxes(s, frame, i + 1 == panels.size());
    SeriesLines(s, frame, history.Summary(), panels[i]);
    top += ph;
  }
}

}  // namespace

QString SeriesName(std::size_t q) {
  switch (q) {
    case quantity::kMKD1: return QStringLiteral("MKD1 (в начале опыта)");
    case quantity::kMKDRel: return QStringLiteral("(MKD2 − MKD1)/MKD1 — относительное отклонение");
    case quantity::kWork: return QStringLiteral("±EVL");
    case quantity::kBalance: return QStringLiteral("баланс");
    default: break;
  }
  const std::string_view key = kQuantities[q].key;
  return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

std::vector<GraphPanel> MomentumPanels() {
  namespace T = quantity;
  // MKD1 wide and dashed under MKD2, so that it shows on both sides of it.
  return {{{{T::kMKD1, QColor(150, 150, 150), 0.9, Qt::DashLine}, {T::kMKD2, ToQColor(colours::kBlue), 0.3}}, 0.5},
          {{{T::kMKDRel, QColor(150, 0, 150), 0.3}}, 0.5}};
}

std::vector<GraphPanel> EnergyPanels() {
  namespace T = quantity;
  // The balance first, under the terms that lie near zero with it.
  return {{{{T::kBalance, Qt::black, 0.6},
            {T::kE2, ToQColor(colours::kRed)},
            {T::kEL, ToQColor(colours::kBlue)},
            {T::kEmg, ToQColor(colours::kOlive)},
            {T::kEtr, QColor(0, 160, 0)},
            {T::kWork, QColor(150, 0, 150)}},
           1}};
}

void MomentumGraph(Sheet& s, double x, double y, double w, double h, const ReportContent& c) {
  Graph(s, x, y, w, h, c.history, MomentumPanels(),
        QStringLiteral("Момент импульса (MKD1 = %1 кг·м²/с) и его отклонение").arg(ReportNumber(c.record.MKD1)));
}

void EnergyGraph(Sheet& s, double x, double y, double w, double h, const ReportContent& c) {
  Graph(s, x, y, w, h, c.history, EnergyPanels(), QStringLiteral("Энергия: слагаемые баланса и сам баланс"));
}

namespace {

using Mark = LegendItem::Mark;

// Seconds in a caption: whole from ten on, "95"; two digits below, "1,2".
QString RoughSeconds(double t) { return t >= 10 ? QString::number(std::llround(t)) : Significant(t, 2); }

// What the oscillogram draws at minus 4 cm: the second string after a
// split, the dumbbell's turn and spin, or the line of a load that has none.
void LowerTraces(std::vector<LegendItem>& items, const ReportContent& c) {
  const SimRecord& r = c.record;
  if (SplitRun(r, c.controls)) {
    items.push_back(
        {ToQColor(colours::kRed), QStringLiteral("FL2 (красный) и Ftr2 (синий) — то же для второй нити, от −4 см")});
    items.push_back({ToQColor(colours::kGreen),
                     QStringLiteral("поворот воображаемой гантели из двух шаров, 1 оборот/см, от −4 см")});
    items.push_back({ToQColor(colours::kDarkGrey), QStringLiteral("до разделения: w12 = 0 на −4 см")});
  } else if (DumbbellRun(r)) {
    items.push_back({ToQColor(colours::kGreen), QStringLiteral("Psi — поворот гантели, 1 оборот/см, от −4 см")});
    items.push_back({ToQColor(colours::kDarkGrey),
                     QStringLiteral("w12 — угловая скорость гантели, %1 рад/с на см, от −4 см").arg(ReportNumber(r.Mz))});
  } else {
    items.push_back({ToQColor(colours::kDarkGrey),
                     QStringLiteral("линия на −4 см: поворот и w12 гантели, у груза m=2 они равны 0")});
  }
}

}  // namespace

double OscillogramFigure(Sheet& s, double x, double y, double w, const ReportContent& c) {
  const SimRecord& r = c.record;
  const double axis = 12;  // room for the values at each side
  const double sw = w - 2 * axis, sh = sw * kScreen2Height / kScreen2Width;
  const QRectF screen(x + axis, y + 4, sw, sh);
  PaintScreen(s.Painter(), c.oscillogram, s.Box(screen.x(), screen.y(), sw, sh), kPaperLook);
  Axes(s, screen,
       {0, 12, -5, 5, r.Mt, 2, QStringLiteral("T, с"), r.MF, 1, QStringLiteral("F, Н"), r.Mz,
        QStringLiteral("Z, м")},
       kScreen2Width, kScreen2Height);
  std::vector<LegendItem> items = {
      {ToQColor(colours::kRed), QStringLiteral("FL — натяжение нити (MF = %1 Н/см)").arg(ReportNumber(r.MF))},
      {ToQColor(colours::kBlue), QStringLiteral("Ftr — его часть от трения в нити")},
      {ToQColor(colours::kOlive), QStringLiteral("Z — высота груза (Mz = %1 м/см)").arg(ReportNumber(r.Mz))},
  };
  LowerTraces(items, c);
  items.push_back({ToQColor(colours::kGrid), QStringLiteral("сетка через 1 см; по времени Mt = %1 с/см").arg(ReportNumber(r.Mt)), Mark::kLine});
  double legendY = screen.bottom() + 8;
  // The screen is 12 cm wide: a longer run goes on beyond its edge.
  if (const double shown = 12 * r.Mt; r.T > shown * (1 + 1e-9)) {
    s.Font(6.5);
    s.Pen(Qt::black, 0.2);
    legendY += s.Text(x + 2, legendY, w - 2,
                      QStringLiteral("Осциллограмма показывает первые %1 с из %2 с опыта.")
                          .arg(RoughSeconds(shown), RoughSeconds(r.T))) + 0.5;
  }
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
  items.push_back({ToQColor(colours::kBlue),
                   QStringLiteral("%1 (Mx = %2 м/см)")
                       .arg(DumbbellRun(r) ? QStringLiteral("след центра гантели") : QStringLiteral("след груза"),
                            ReportNumber(r.Mx))});
  items.push_back({ToQColor(colours::kRed), QStringLiteral("окружность радиуса R1 в начале опыта"), Mark::kLine});
  if (DumbbellRun(r))
    items.push_back({ToQColor(colours::kBallB),
                     QStringLiteral("знак поворота гантели у точки (4; −4) см на светлом круге прежних его "
                                    "положений: синий шар на нити, чёрный — второй"),
                     Mark::kRing});
  else
    items.push_back({ToQColor(colours::kBlue),
                     QStringLiteral("кольцо у (4; −4) см — место знака поворота гантели, рисуется при каждом начале; "
                                    "у груза m=2 пустое"), Mark::kRing});
  if (SplitRun(r, c.controls)) {
    items.push_back({ToQColor(colours::kBallB),
                     QStringLiteral("шары после разделения: синий на нити, чёрный — второй, между ними вторая нить"), Mark::kRing});
    items.push_back({QColor(225, 225, 225),
                     QStringLiteral("светлая область — прежние места шаров, закрашенные почти белым вместе со следом и сеткой")});
  }
  items.push_back({ToQColor(colours::kAxisGrey), QStringLiteral("оси X и Y; сетка через 1 см"), Mark::kLine});
  const double legendY = screen.bottom() + 8;
  return legendY - y + Legend(s, x + 2, legendY, w - 2, items, 1);
}

}  // namespace vozaz2::report
