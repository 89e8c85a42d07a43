#include "io/Report.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>

#include "io/Locale.h"
#include "io/ScreenPicture.h"
#include "model/NumberText.h"
#include "model/Variant.h"
#include "run/Accounting.h"
#include "run/Screens.h"

namespace vozaz2 {

namespace {

// Numbers in the report are written as a Russian text writes them.
QString Num(double v) { return LocaleNumber(v, ReportLocale()); }

const QString kFontFamily = QStringLiteral("DejaVu Sans");

// A drawing area measured in millimetres from its top-left corner.
class Sheet {
 public:
  Sheet(QPainter& p, QPointF origin, double dotsPerMm) : p_(p), origin_(origin), k_(dotsPerMm) {}

  QPainter& Painter() { return p_; }
  double Mm(double v) const { return v * k_; }
  QPointF At(double x, double y) const { return origin_ + QPointF(x * k_, y * k_); }
  QRectF Box(double x, double y, double w, double h) const { return {At(x, y), QSizeF(w * k_, h * k_)}; }

  void Font(double points, bool bold = false) {
    QFont f(kFontFamily);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferOutline);
    p_.setFont(f);
  }
  // Text wrapped to the width w; returns the height it took, in mm.
  double Text(double x, double y, double w, const QString& s, int flags = Qt::AlignLeft | Qt::TextWordWrap) {
    const QRectF box = Box(x, y, w, 400);
    const QRectF used = p_.boundingRect(box, flags, s);
    p_.drawText(box, flags, s);
    return used.height() / k_;
  }
  // One line of text aligned within the box.
  void Label(const QRectF& box, int flags, const QString& s) { p_.drawText(box, flags | Qt::TextDontClip, s); }
  void Pen(const QColor& c, double widthMm, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(c, Mm(widthMm), style, Qt::FlatCap);
    p_.setPen(pen);
  }

 private:
  QPainter& p_;
  QPointF origin_;
  double k_;
};

// Tick values from lo to hi, 1-2-5 times a power of ten apart, about `count`
// of them.
std::vector<double> Ticks(double lo, double hi, int count, double* stepOut = nullptr) {
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
  if (stepOut) *stepOut = step;
  return ticks;
}

// ---- the screens ----------------------------------------------------------------

struct LegendItem {
  QColor colour;
  QString text;
  bool line = false;  // a line rather than a dot
};

// Legend in up to two columns from (x, y), width w; returns the height used.
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
    if (it.line) {
      s.Pen(it.colour, 0.5);
      s.Painter().drawLine(s.At(cx, cy + 1.6), s.At(cx + 4, cy + 1.6));
    } else {
      s.Painter().fillRect(s.Box(cx + 1.2, cy + 0.8, 1.6, 1.6), it.colour);
    }
    s.Pen(Qt::black, 0.2);
    cy += s.Text(cx + 5, cy, colW - 6, it.text) + 0.3;
    height = std::max(height, cy - y);
  }
  return height;
}

// Ticks along the frame of a screen and their values: along x every `xEvery`
// units, the value of unit u being u * xScale; the same for y on the left
// (and on the right when rightScale is given).
struct ScreenAxes {
  double x1, x2, y1, y2;  // user units at the edges (left, right, bottom, top)
  double xScale, xEvery;
  QString xTitle;
  double yScale, yEvery;
  QString yTitle;
  double rightScale = 0;  // 0: no right axis
  QString rightTitle;
};

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
      s.Label(s.Box(x - 6, top + h + 1.1, 12, 3), Qt::AlignHCenter | Qt::AlignTop, Num(u * a.xScale));
  }
  s.Label(s.Box(left + w - 20, top + h + 3.8, 20, 3), Qt::AlignRight | Qt::AlignTop, a.xTitle);
  for (double u = std::ceil(a.y1); u <= a.y2; u += 1) {
    const double y = yAt(u);
    const bool labelled = std::fmod(std::fabs(u), a.yEvery) < 1e-9;
    s.Pen(Qt::black, 0.25);
    p.drawLine(s.At(left, y), s.At(left - (labelled ? tick : tick / 2), y));
    if (labelled) s.Label(s.Box(left - 13.2, y - 1.5, 12, 3), Qt::AlignRight | Qt::AlignVCenter, Num(u * a.yScale));
    if (a.rightScale != 0) {
      p.drawLine(s.At(left + w, y), s.At(left + w + (labelled ? tick : tick / 2), y));
      if (labelled)
        s.Label(s.Box(left + w + 1.2, y - 1.5, 12, 3), Qt::AlignLeft | Qt::AlignVCenter, Num(u * a.rightScale));
    }
  }
  s.Label(s.Box(left - 14, top - 3.6, 14, 3), Qt::AlignRight | Qt::AlignBottom, a.yTitle);
  if (a.rightScale != 0) s.Label(s.Box(left + w, top - 3.6, 14, 3), Qt::AlignLeft | Qt::AlignBottom, a.rightTitle);
}

// The oscillogram with its axes and legend, in the box from (x, y) of width
// w. Returns the height used.
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
      {ToQColor(colours::kRed), QStringLiteral("FL — сила натяжения нити, н (MF = %1 н/см)").arg(Num(r.MF))},
      {ToQColor(colours::kBlue), QStringLiteral("Ftr — её часть от трения в нити, н")},
      {ToQColor(colours::kOlive), QStringLiteral("Z — высота груза, м (Mz = %1 м/см)").arg(Num(r.Mz))},
  };
  if (SplitRun(r, c.controls)) {
    items.push_back({ToQColor(colours::kRed), QStringLiteral("FL2 — сила второй нити (красный), Ftr2 (синий), от минус 4 см")});
    items.push_back({ToQColor(colours::kGreen), QStringLiteral("поворот воображаемой гантели из двух шаров, 1 оборот/см, от минус 4 см")});
  } else if (r.DumbbellRun) {
    items.push_back({ToQColor(colours::kGreen), QStringLiteral("Psi — поворот гантели, 1 оборот/см, от минус 4 см")});
    items.push_back({ToQColor(colours::kDarkGrey), QStringLiteral("w12 — угловая скорость гантели, рад/с, в масштабе Mz, от минус 4 см")});
  } else {
    items.push_back({ToQColor(colours::kDarkGrey),
                     QStringLiteral("линия на минус 4 см: поворот и w12 гантели, у груза m=2 они равны 0")});
  }
  items.push_back({ToQColor(colours::kGrid), QStringLiteral("сетка через 1 см; по времени Mt = %1 с/см").arg(Num(r.Mt)), true});
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
                   r.DumbbellRun ? QStringLiteral("след центра гантели (Mx = %1 м/см)").arg(Num(r.Mx))
                                 : QStringLiteral("след груза (Mx = %1 м/см)").arg(Num(r.Mx))});
  items.push_back({ToQColor(colours::kRed), QStringLiteral("окружность радиуса R1 в начале опыта"), true});
  if (r.DumbbellRun)
    items.push_back({ToQColor(colours::kBallB),
                     QStringLiteral("знак поворота гантели у точки (4; −4) см: синий шар на нити, чёрный — второй"), true});
  if (split)
    items.push_back({ToQColor(colours::kBallB),
                     QStringLiteral("шары после разделения: синий на нити, чёрный второй, между ними вторая нить"), true});
  items.push_back({ToQColor(colours::kAxisGrey), QStringLiteral("оси X и Y; сетка через 1 см"), true});
  const double legendY = screen.bottom() + 8;
  return legendY - y + Legend(s, x + 2, legendY, w - 2, items, 1);
}

// ---- the graphs ---------------------------------------------------------------

struct GraphSeries {
  std::size_t series;  // a quantity of kQuantities
  QColor colour;
  QString name;
  double width = 0.3;  // mm
  Qt::PenStyle style = Qt::SolidLine;
};

// A graph of tracked quantities against time in the box (x, y, w, h): the
// band between the least and greatest value of each stretch of steps, and the
// line through the last values. `offset` is subtracted from every value.
void Graph(Sheet& s, double x, double y, double w, double h, const RunHistory& history,
           const std::vector<GraphSeries>& series, const QString& title, double offset) {
  QPainter& p = s.Painter();
  s.Font(7.5, true);
  s.Label(s.Box(x, y, w, 3.5), Qt::AlignLeft | Qt::AlignTop, title);
  const double left = x + 14, top = y + 8, gw = w - 16, gh = h - 14;
  const RunSummary& buckets = history.Summary();
  const std::size_t count = buckets.Buckets();
  auto t1 = [&](std::size_t b) { return buckets.Last(b, quantity::kT); };
  double lo = 0, hi = 0, tEnd = 0;
  bool first = true;
  for (std::size_t b = 0; b < count; ++b) {
    tEnd = std::max(tEnd, t1(b));
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
  auto X = [&](double t) { return left + t / tEnd * gw; };
  auto Y = [&](double v) { return top + (hi - v) / (hi - lo) * gh; };

  // Legend line above the graph.
  s.Font(6.5);
  double lx = x;
  for (const GraphSeries& g : series) {
    s.Pen(g.colour, 0.5, g.style);
    p.drawLine(s.At(lx, y + 5.5), s.At(lx + 4, y + 5.5));
    const QRectF used = p.boundingRect(s.Box(lx + 5, y + 4, 60, 3), Qt::AlignLeft | Qt::AlignVCenter, g.name);
    s.Label(s.Box(lx + 5, y + 4, 60, 3), Qt::AlignLeft | Qt::AlignVCenter, g.name);
    lx += 5 + used.width() / s.Mm(1) + 3;
  }

  // Frame, ticks and values.
  s.Pen(Qt::black, 0.25);
  p.drawRect(s.Box(left, top, gw, gh));
  for (double v : Ticks(lo, hi, 4)) {
    s.Pen(QColor(215, 215, 215), 0.15);
    p.drawLine(s.At(left, Y(v)), s.At(left + gw, Y(v)));
    s.Pen(Qt::black, 0.25);
    p.drawLine(s.At(left - 1, Y(v)), s.At(left, Y(v)));
    s.Label(s.Box(left - 14.5, Y(v) - 1.5, 13.2, 3), Qt::AlignRight | Qt::AlignVCenter, Num(v));
  }
  for (double t : Ticks(0, tEnd, 5)) {
    s.Pen(Qt::black, 0.25);
    p.drawLine(s.At(X(t), top + gh), s.At(X(t), top + gh + 1));
    s.Label(s.Box(X(t) - 6, top + gh + 1.1, 12, 3), Qt::AlignHCenter | Qt::AlignTop, Num(t));
  }
  s.Label(s.Box(left + gw - 20, top + gh + 3.6, 20, 3), Qt::AlignRight | Qt::AlignTop, QStringLiteral("T, с"));

  p.save();
  p.setClipRect(s.Box(left, top, gw, gh));
  p.setRenderHint(QPainter::Antialiasing, true);
  for (const GraphSeries& g : series) {
    QPainterPath band, line;
    bool bandWide = false;
    for (std::size_t i = 0; i < count; ++i) {
      const QPointF pt = s.At(X(t1(i)), Y(buckets.Last(i, g.series) - offset));
      if (i == 0) line.moveTo(pt); else line.lineTo(pt);
      if (Y(buckets.Min(i, g.series) - offset) - Y(buckets.Max(i, g.series) - offset) > 0.3) bandWide = true;
    }
    if (bandWide) {
      for (std::size_t i = 0; i < count; ++i) {
        const QPointF pt = s.At(X(t1(i)), Y(buckets.Max(i, g.series) - offset));
        if (i == 0) band.moveTo(pt); else band.lineTo(pt);
      }
      for (std::size_t i = count; i-- > 0;)
        band.lineTo(s.At(X(t1(i)), Y(buckets.Min(i, g.series) - offset)));
      band.closeSubpath();
      QColor fill = g.colour;
      fill.setAlpha(60);
      p.setPen(Qt::NoPen);
      p.fillPath(band, fill);
    }
    s.Pen(g.colour, g.width, g.style);
    p.setBrush(Qt::NoBrush);
    p.drawPath(line);
  }
  p.restore();
}

// Whether the angular momentum is better shown as its change from MKD1: when
// it changes by less than a thousandth.
bool MomentumAsChange(const RunHistory& t, const SimRecord& r) {
  return t.MaxMomentumDrift() < 1e-3 && r.MKD1 != 0;
}

void MomentumGraph(Sheet& s, double x, double y, double w, double h, const ReportContent& c) {
  namespace T = quantity;
  const bool change = MomentumAsChange(c.history, c.record);
  Graph(s, x, y, w, h, c.history,
        {{T::kMKD1, QColor(120, 120, 120), QStringLiteral("MKD1"), 0.3, Qt::DashLine},
         {T::kMKD2, ToQColor(colours::kBlue), QStringLiteral("MKD2"), 0.35}},
        change ? QStringLiteral("Момент импульса: MKD2 − MKD1, кг·м²/с (MKD1 = %1)").arg(Num(c.record.MKD1))
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

// ---- tables ------------------------------------------------------------------------

// Rows in `columns` columns of width w each, every column as wide as its
// longest label and value; returns the height used.
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

QString Title(const ReportContent& c) {
  if (!c.title.empty()) return QString::fromStdString(c.title);
  const SimRecord& r = c.record;
  QString t = QStringLiteral("Конический маятник: ") +
              (r.PlaneRun ? QStringLiteral("вращение в плоскости") : QStringLiteral("вращение по конусу")) +
              (r.DumbbellRun ? QStringLiteral(", гантель m=1+1") : QStringLiteral(", груз m=2"));
  if (r.ReleaseRun) t += QStringLiteral(", нить отпущена до 1 с");
  if (SplitRun(r, c.controls)) t += QStringLiteral(", разделение груза");
  return t;
}

double Dpmm(QPainter& p) { return p.device()->logicalDpiX() / 25.4; }

// A figure alone on an SVG page w mm wide and as tall as the figure (paint
// returns its height in mm; it is measured first on a scratch image of the
// same resolution).
bool WriteSvg(QIODevice& out, double w, const QString& title, const std::function<double(Sheet&)>& paint) {
  const int dpi = 96;
  QImage scratch(8, 8, QImage::Format_RGB32);
  scratch.setDotsPerMeterX(qRound(dpi / 0.0254));
  scratch.setDotsPerMeterY(qRound(dpi / 0.0254));
  double h = 0;
  {
    QPainter p(&scratch);
    Sheet s(p, QPointF(0, 0), dpi / 25.4);
    h = paint(s) + 4;
  }
  QSvgGenerator svg;
  svg.setOutputDevice(&out);
  svg.setResolution(dpi);
  const QSize size(qRound(w * dpi / 25.4), qRound(h * dpi / 25.4));
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setTitle(title);
  svg.setDescription(QStringLiteral("Vozaz2"));
  QPainter p;
  if (!p.begin(&svg)) return false;
  Sheet s(p, QPointF(0, 0), dpi / 25.4);
  paint(s);
  return p.end();
}

}  // namespace

ReportContent ContentOf(const Session& session) {
  return {session.Record(),
          session.Controls(),
          session.OscillogramDrawings(),
          session.PathDrawings(),
          session.History(),
          session.Opened().title,
          QCoreApplication::applicationVersion(),
          QDate::currentDate(),
          session.State() == RunState::kDiverged};
}

QStringList VariantInWords(const SimRecord& r, const Modes& m) {
  QStringList v;
  v << (r.PlaneRun ? QStringLiteral("вращение в горизонтальной плоскости")
                   : QStringLiteral("вращение по конусу"));
  if (m.DriveStands() || r.VLset == 0)
    v << QStringLiteral("привод стоит (VL = 0)");
  else if (r.ReleaseRun)
    v << QStringLiteral("привод не действует: отпущенная, а затем закреплённая во втулке нить с ним не связана");
  else
    v << QStringLiteral("%1 движется %2 со скоростью VL = %3 м/с")
             .arg(r.MoverSign > 0 ? QStringLiteral("конец нити") : QStringLiteral("втулка"),
                  r.DirSign > 0 ? QStringLiteral("вверх") : QStringLiteral("вниз"), Num(r.VLset));
  v << (r.ReleaseRun ? QStringLiteral("нить отпущена на первую секунду (FL = 0 до 1 с), затем закреплена во втулке")
                     : QStringLiteral("нить натянута с начала опыта"));
  v << (r.DumbbellRun ? QStringLiteral("груз — гантель из двух шаров по 1 кг на расстоянии 1 м (m=1+1)")
                      : QStringLiteral("груз — материальная точка 2 кг (m=2)"));
  if (SplitRun(r, m))
    v << QStringLiteral("через 1 с груз разделяется на два шара по 1 кг, вторая нить закрепляется при Tr = %1 с")
             .arg(Num(r.Tr));
  else
    v << QStringLiteral("без разделения груза");
  return v;
}

std::vector<ReadoutRow> ParameterRows(const SimRecord& r) {
  const QString m = QStringLiteral("м");
  return {{"R1", Num(r.R1), m},
          {"w1", Num(r.w1), QStringLiteral("рад/с")},
          {QStringLiteral("CL, н/м"), Num(r.CL), QStringLiteral("н/м")},
          {QStringLiteral("Ktr, н*с/м"), Num(r.Ktr), QStringLiteral("н·с/м")},
          {QStringLiteral("VL, м/с"), Num(r.VLset), QStringLiteral("м/с")},
          {QStringLiteral("шаг, с"), Num(r.P0), QStringLiteral("с")},
          {QStringLiteral("Mx, м/см"), Num(r.Mx), QStringLiteral("м/см")},
          {QStringLiteral("MF, н/см"), Num(r.MF), QStringLiteral("н/см")},
          {QStringLiteral("Mz, м/см"), Num(r.Mz), QStringLiteral("м/см")},
          {QStringLiteral("Mt, с/см"), Num(r.Mt), QStringLiteral("с/см")},
          {QStringLiteral("Время окончания разлета Tr, с"), Num(r.Tr), QStringLiteral("с")}};
}

std::vector<ReadoutRow> ReadoutRows(const SimRecord& r) {
  const QString m = QStringLiteral("м"), n = QStringLiteral("н"), j = QStringLiteral("Дж"),
                v = QStringLiteral("м/с"), momentum = QStringLiteral("кг·м²/с");
  std::vector<ReadoutRow> rows = {
      {QStringLiteral("L0, м"), Num(r.L0), m},   {"R2", Num(r.R), m},
      {"w2", Num(r.w2), QStringLiteral("рад/с")}, {"V2", Num(r.V2), v},
      {"J2", Num(r.J2), QStringLiteral("кг·м²")}, {"h2", Num(r.h), m},
      {"L2", Num(r.L), m},                        {QStringLiteral("FL, н"), Num(r.FL), n},
      {QStringLiteral("Ftr, н"), Num(r.Ftr), n},  {QStringLiteral("FC, н"), Num(r.FC), n},
      {QStringLiteral("Z2, м"), Num(r.Z), m},     {"E1", Num(r.E1), j},
      {"E2", Num(r.E2), j},                       {"+/- EVL+ E1 - E2 - EL- Emg - Etr", Num(Balance(r)), j},
      {"EVL", Num(r.EVL), j},                     {"EL", Num(r.EL2 - r.EL1), j},
      {"Emg", Num(r.Emg), j},                     {"Etr", Num(r.Etr), j},
      {"MKD1", Num(r.MKD1), momentum},            {"MKD2", Num(r.MKD2), momentum},
      {QStringLiteral("T, с"), Num(r.T), QStringLiteral("с")},
      {QStringLiteral("X, м"), Num(r.X), m},      {QStringLiteral("Y, м"), Num(r.Ycoord), m},
      {QStringLiteral("VX, м/с"), Num(r.VX), v},  {QStringLiteral("VY, м/с"), Num(r.VY), v}};
  if (r.DumbbellRun) rows.push_back({QStringLiteral("w12, рад/с"), Num(r.w12), QStringLiteral("рад/с")});
  if (SplitDone(r)) {
    rows.push_back({QStringLiteral("L00, м"), Num(r.L00), m});
    rows.push_back({QStringLiteral("FL2, н"), Num(r.FL2), n});
  }
  return rows;
}

QString VerificationText(const ReportContent& c) {
  const SimRecord& r = c.record;
  const RunHistory& t = c.history;
  // Three significant digits, with a power of ten written out.
  auto fig = [](double v) {
    QString s = QString::number(v, 'g', 3).replace('.', ',');
    const int e = s.indexOf('e');
    if (e < 0) return s;
    const int power = s.mid(e + 1).toInt();
    return s.left(e) + QStringLiteral("·10^") + QString::number(power);
  };
  if (t.Steps() == 0) return QStringLiteral("Опыт не сделал ни одного шага: проверять нечего.");
  const bool split = SplitDone(r);
  QString s;
  if (r.DumbbellRun)
    s += QStringLiteral("Нить тянет шар a гантели к оси, а силы в перемычке внутренние, поэтому суммарный момент "
                        "импульса обоих шаров относительно вертикальной оси (MKD2) должен сохраняться, хотя "
                        "вращение гантели вокруг её центра меняется. ");
  else if (split)
    s += QStringLiteral("После разделения первая нить тянет шар a к оси, а вторая нить связывает шары (силы "
                        "внутренние), поэтому суммарный момент импульса двух шаров (MKD2) должен сохраняться. ");
  else
    s += QStringLiteral("Нить тянет груз к оси через втулку, вес и опора вертикальны: у сил нет момента "
                        "относительно вертикальной оси, поэтому момент импульса MKD2 должен оставаться равным MKD1. ");
  s += QStringLiteral("За %1 шагов (до T = %2 с) наибольшее относительное отклонение |MKD2 − MKD1| / MKD1 = %3 "
                      "(при T = %4 с); наибольший |баланс| / E1 = %5 (при T = %6 с). ")
           .arg(t.Steps())
           .arg(Num(r.T), fig(t.MaxMomentumDrift()), Num(t.MaxMomentumDriftTime()), fig(t.MaxBalanceRatio()),
                Num(t.MaxBalanceRatioTime()));
  // A fourth-order scheme at a step that suits the parameters keeps the
  // momentum to far better than a thousandth; a larger drift means the step
  // is too coarse for them.
  if (t.MaxMomentumDrift() <= 1e-3)
    s += QStringLiteral("Вывод: момент импульса сохранялся в пределах погрешности интегрирования (шаг %1 с). ")
             .arg(Num(r.P0));
  else
    s += QStringLiteral("Вывод: момент импульса изменился на %1 %, больше обычной погрешности интегрирования: при "
                        "таких w1, CL, VL и Ktr шаг %2 с слишком велик, и проверить закон по этому опыту нельзя — "
                        "уменьшите шаг или эти величины. ")
             .arg(fig(t.MaxMomentumDrift() * 100), Num(r.P0));
  if (t.MaxBalanceRatio() <= 1e-3) {
    s += QStringLiteral("Баланс энергии сходится в пределах погрешности решения.");
  } else {
    s += QStringLiteral("Баланс энергии в этом опыте приближённый:");
    QStringList why;
    if (r.ReleaseRun)
      why << QStringLiteral("пока нить отпущена, её свободная длина L0 берётся заново на каждом шаге, и энергия нити "
                            "EL отсчитывается от длины, изменившейся без учтённой работы");
    if (t.SlackSteps() > 0)
      why << QStringLiteral("нить не тянула (провисала или сокращалась быстрее, чем позволяет трение) %1 шагов из %2, "
                            "а EL всё равно считается как для пружины, CL·DL²/2")
                 .arg(t.SlackSteps())
                 .arg(t.Steps());
    if (split && r.Tr > 1.2)
      why << QStringLiteral("вторая нить тянет уже с 1,2 с, а её свободная длина L00 до Tr = %1 с следует за "
                            "расстоянием между шарами, так что энергия второй нити меняется без учтённой работы")
                 .arg(Num(r.Tr));
    if (why.isEmpty()) why << QStringLiteral("при таком шаге погрешность решения велика");
    s += ' ' + why.join(QStringLiteral("; ")) + '.';
  }
  if (c.diverged) s += QStringLiteral(" Опыт остановлен: решение разошлось, последние значения недостоверны.");
  return s;
}

void PaintReport(QPainter& p, const QRectF& page, const ReportContent& c) {
  const double k = Dpmm(p);
  Sheet s(p, page.topLeft(), k);
  const double pageW = page.width() / k;
  const double left = 15, width = pageW - 30;
  double y = 12;
  p.setPen(Qt::black);

  // 1. Heading.
  s.Font(13, true);
  y += s.Text(left, y, width, Title(c)) + 0.5;
  s.Font(8);
  y += s.Text(left, y, width,
              QStringLiteral("Отчёт о лабораторной работе «Сохранение момента импульса на коническом маятнике». "
                             "Дата: %1. Программа Vozaz2, версия %2.")
                  .arg(c.date.toString(QStringLiteral("dd.MM.yyyy")), c.version)) + 2;

  // 2. Set-up.
  y += Heading(s, left, y, width, QStringLiteral("1. Установка"));
  y += Table(s, left, y, width, ParameterRows(c.record), 2) + 1;
  s.Font(8);
  y += s.Text(left, y, width, QStringLiteral("Вариант опыта: ") + VariantInWords(c.record, c.controls).join(QStringLiteral("; ")) + '.') + 2.5;

  // 3. Screens.
  y += Heading(s, left, y, width, QStringLiteral("2. Экраны: осциллограмма и путь груза (вид сверху)"));
  const double oscW = width * 0.56;
  const double h1 = OscillogramFigure(s, left, y, oscW, c);
  const double h2 = PathFigure(s, left + oscW + 2, y, width - oscW - 2, c);
  y += std::max(h1, h2) + 2;

  // 4. Graphs.
  y += Heading(s, left, y, width, QStringLiteral("3. Графики от времени"));
  MomentumGraph(s, left, y, width / 2 - 2, 36, c);
  EnergyGraph(s, left + width / 2 + 2, y, width / 2 - 2, 36, c);
  y += 37;

  // 5. Readout.
  y += Heading(s, left, y, width, QStringLiteral("4. Показания в конце опыта"));
  y += Table(s, left, y, width, ReadoutRows(c.record), 2) + 2;

  // 6. Verification.
  y += Heading(s, left, y, width, QStringLiteral("5. Проверка закона сохранения"));
  s.Font(7.5);
  s.Text(left, y, width, VerificationText(c));
}

bool WriteReportPdf(QIODevice& out, const ReportContent& c) {
  QPdfWriter pdf(&out);
  pdf.setResolution(600);
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  pdf.setTitle(Title(c));
  pdf.setCreator(QStringLiteral("Vozaz2 ") + c.version);
  QPainter p;
  if (!p.begin(&pdf)) return false;
  PaintReport(p, QRectF(0, 0, pdf.width(), pdf.height()), c);
  return p.end();
}

bool WriteReportPdf(const QString& fileName, const ReportContent& c) {
  QSaveFile file(fileName);
  return file.open(QIODevice::WriteOnly) && WriteReportPdf(file, c) && file.commit();
}

QString FigureFileSuffix(Figure f) {
  switch (f) {
    case Figure::kOscillogram: return QStringLiteral("-oscillogram.svg");
    case Figure::kPath: return QStringLiteral("-path.svg");
    case Figure::kMomentum: return QStringLiteral("-momentum.svg");
    case Figure::kEnergy: break;
  }
  return QStringLiteral("-energy.svg");
}

bool WriteSvgFigure(QIODevice& out, Figure f, const ReportContent& c) {
  switch (f) {
    case Figure::kOscillogram:
      return WriteSvg(out, 130, QStringLiteral("Осциллограмма"),
                      [&](Sheet& s) { return 2 + OscillogramFigure(s, 2, 2, 126, c); });
    case Figure::kPath:
      return WriteSvg(out, 100, QStringLiteral("Путь груза, вид сверху"),
                      [&](Sheet& s) { return 2 + PathFigure(s, 2, 2, 96, c); });
    case Figure::kMomentum:
      return WriteSvg(out, 120, QStringLiteral("Момент импульса"), [&](Sheet& s) {
        MomentumGraph(s, 3, 3, 114, 58, c);
        return 61.0;
      });
    case Figure::kEnergy: break;
  }
  return WriteSvg(out, 120, QStringLiteral("Энергия"), [&](Sheet& s) {
    EnergyGraph(s, 3, 3, 114, 58, c);
    return 61.0;
  });
}

bool WriteSvgFigures(const QString& prefix, const ReportContent& c) {
  for (Figure f : kFigures) {
    QSaveFile file(prefix + FigureFileSuffix(f));
    if (!file.open(QIODevice::WriteOnly) || !WriteSvgFigure(file, f, c) || !file.commit()) return false;
  }
  return true;
}

}  // namespace vozaz2
