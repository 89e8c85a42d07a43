#include "io/SeriesReport.h"

#include <QPainter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

#include "io/PdfPage.h"
#include "io/ReportPainting.h"
#include "io/ReportText.h"
#include "run/Replay.h"
#include "run/SeriesRun.h"

namespace vozaz2 {

namespace {

using report::Sheet;

// A number of the table or of an axis: `digits` significant digits, a dash
// for none.
QString Short(double v, int digits = 6) {
  if (std::isnan(v)) return QStringLiteral("—");
  return ReportLocale().toString(v, 'g', digits);
}

QString Fixed(double v, int decimals) { return ReportLocale().toString(v, 'f', decimals); }

QString Runs(long long n) { return Counted(n, "опыт", "опыта", "опытов"); }

}  // namespace

QString SlopeText(const LineFit& fit) {
  if (!(fit.slopeError > 0) || !std::isfinite(fit.slopeError)) return Fixed(fit.slope, 4);
  // Six decimals at most: an error below a millionth is only said to be so.
  constexpr int kMost = 6;
  const int decimals = std::clamp(1 - static_cast<int>(std::floor(std::log10(fit.slopeError))), 0, kMost);
  if (fit.slopeError < 0.5e-6) return Fixed(fit.slope, kMost) + QStringLiteral(" ± менее ") + Fixed(1e-6, kMost);
  return Fixed(fit.slope, decimals) + QStringLiteral(" ± ") + Fixed(fit.slopeError, decimals);
}

QString LawText(const std::optional<LineFit>& fit) {
  if (!fit)
    return QStringLiteral("Закон по сериям: нужно хотя бы два завершённых опыта с разными R1/R2, "
                          "чтобы провести прямую.");
  QString t = QStringLiteral("ω2 — угловая скорость вокруг оси в конце опыта, (X·VY − Y·VX)/R2². "
                             "Наклон прямой lg(ω2/ω1) от lg(R1/R2) по методу наименьших квадратов (%1): %2; "
                             "закон L = m·ω·R² предсказывает %3. ")
                  .arg(Runs(static_cast<long long>(fit->points)), SlopeText(*fit), Fixed(kLawSlope, 0));
  const double off = std::fabs(fit->slope - kLawSlope);
  if (!std::isfinite(fit->slopeError))
    return t + QStringLiteral("Погрешность наклона по двум точкам не оценить: нужен хотя бы третий опыт.");
  if (off <= 2 * fit->slopeError || off <= 1e-3 * kLawSlope)
    return t + QStringLiteral("Наклон совпадает с предсказанным в пределах погрешности: момент импульса "
                              "сохраняется во всех опытах серии.");
  return t + QStringLiteral("Наклон отличается от предсказанного на %1 его погрешности: в части опытов момент "
                            "импульса груза как точки не сохраняется (гантель, разделение, слишком крупный шаг).")
                 .arg(Short(off / fit->slopeError, 2));
}

QString SeriesSentence(const Series& s) {
  QString t;
  if (s.range) {
    const SeriesRange& r = *s.range;
    t = QStringLiteral("Меняется %1, %2: %3 от %4 до %5 через равные промежутки%6")
            .arg(QLatin1String(kParameterNames[r.parameter].data()),
                 QString::fromUtf8(ParameterUnit(r.parameter).data()), Runs(r.count).section(' ', 0, 0) +
                 QStringLiteral(" значений"), ReportNumber(r.from), ReportNumber(r.to),
                 r.logarithmic ? QStringLiteral(" логарифма") : QString());
  } else {
    t = QStringLiteral("Опыты из файлов (%1)").arg(s.files.size());
  }
  if (s.steps) return t + QStringLiteral("; каждый опыт — %1 шагов.").arg(*s.steps);
  if (s.time) return t + QStringLiteral("; каждый опыт — до T = %1 с.").arg(ReportNumber(*s.time));
  return t + QStringLiteral("; каждый опыт идёт, как сказано в нём.");
}

namespace {

// The experiment of the first run as it starts, for its variant and its
// parameters in words.
void SetUp(Sheet& s, double left, double width, double& y, const SeriesReportContent& c) {
  NullSurface a, b;
  Session session(a, b, {false, false});
  if (c.plan.Count() > 0 && StartReplay(session, c.plan.RunScenario(0)).message.empty()) {
    std::vector<ReadoutRow> rows = ParameterRows(session.Record());
    if (const std::optional<SeriesRange>& r = c.plan.series.range)
      rows[r->parameter].value = ReportNumber(r->from) + QStringLiteral(" … ") + ReportNumber(r->to);
    y += report::Table(s, left, y, width, rows, 3) + 1;
    s.Font(8);
    y += s.Text(left, y, width, VariantSentence(session.Record(), session.Controls())) + 1;
  }
  s.Font(8);
  y += s.Text(left, y, width, SeriesSentence(c.plan.series) + QStringLiteral(" Значения по опытам — в таблице.")) +
       2.5;
}

// The table's columns: the run, the parameter or the file, the end, the
// steps, the results; each a title and a unit.
std::vector<std::pair<QString, QString>> TableColumns(const Series& s) {
  std::vector<std::pair<QString, QString>> columns = {{QStringLiteral("№"), {}}};
  if (s.range)
    columns.push_back({QLatin1String(kParameterNames[s.range->parameter].data()),
                       QString::fromUtf8(ParameterUnit(s.range->parameter).data())});
  else
    columns.push_back({QStringLiteral("файл"), {}});
  columns.push_back({QStringLiteral("итог"), {}});
  columns.push_back({QStringLiteral("шагов"), {}});
  for (const SeriesColumn& col : s.collect)
    columns.push_back({QString::fromStdString(ColumnName(col)), QString::fromUtf8(ColumnUnit(col).data())});
  return columns;
}

std::vector<QString> Cells(const SeriesPlan& plan, const SeriesRow& row) {
  std::vector<QString> cells = {QString::number(row.run + 1)};
  cells.push_back(plan.series.range ? Short(plan.Value(row.run))
                                    : QString::fromStdString(plan.series.files.at(static_cast<std::size_t>(row.run)))
                                          .section('/', -1));
  cells.push_back(QString::fromUtf8(EndName(row.end).data()));
  cells.push_back(QString::number(row.steps));
  for (double v : row.values) cells.push_back(Short(v));
  return cells;
}

// The rows as a grid, as many as fit in `height`; returns the height used.
double ResultsTable(Sheet& s, double x, double y, double w, double height, const SeriesReportContent& c) {
  const auto columns = TableColumns(c.plan.series);
  const double colW = w / static_cast<double>(columns.size()), rowH = 3.3, headH = 6.6;
  s.Font(6);
  QPainter& p = s.Painter();
  p.setPen(Qt::black);
  for (std::size_t k = 0; k < columns.size(); ++k) {
    const QString head = columns[k].second.isEmpty() ? columns[k].first : columns[k].first + '\n' + columns[k].second;
    s.Label(s.Box(x + k * colW, y, colW - 0.5, headH), Qt::AlignRight | Qt::AlignBottom | Qt::TextWordWrap, head);
  }
  s.Pen(Qt::black, 0.2);
  p.drawLine(s.At(x, y + headH + 0.3), s.At(x + w, y + headH + 0.3));
  const std::size_t fit = static_cast<std::size_t>(std::max(1.0, (height - headH - rowH) / rowH));
  const std::size_t shown = c.rows.size() <= fit ? c.rows.size() : fit - 1;
  double cy = y + headH + 0.6;
  for (std::size_t i = 0; i < shown; ++i, cy += rowH) {
    if (i % 2 == 1) p.fillRect(s.Box(x, cy, w, rowH), QColor(242, 242, 242));
    p.setPen(Qt::black);
    const std::vector<QString> cells = Cells(c.plan, c.rows[i]);
    for (std::size_t k = 0; k < cells.size(); ++k)
      s.Label(s.Box(x + k * colW, cy, colW - 0.5, rowH), Qt::AlignRight | Qt::AlignVCenter, cells[k]);
  }
  if (shown < c.rows.size()) {
    s.Label(s.Box(x, cy, w, rowH), Qt::AlignLeft | Qt::AlignVCenter,
            QStringLiteral("… и ещё %1 — вся таблица в CSV (vozaz2-batch --series … --csv)")
                .arg(Runs(static_cast<long long>(c.rows.size() - shown))));
    cy += rowH;
  }
  return cy - y + 1;
}

// Ticks for a logarithmic axis from lo to hi (both > 0): 1, 2, 5 in each
// decade over a wide range, evenly spaced values over a narrow one.
std::vector<double> LogTicks(double lo, double hi) {
  std::vector<double> ticks;
  if (hi / lo < 20) {
    for (double v : report::Ticks(lo, hi, 5))
      if (v > 0) ticks.push_back(v);
    return ticks;
  }
  for (double decade = std::pow(10.0, std::floor(std::log10(lo))); decade <= hi; decade *= 10)
    for (double f : {1.0, 2.0, 5.0})
      if (f * decade >= lo && f * decade <= hi && (f == 1 || hi / lo < 1e3)) ticks.push_back(f * decade);
  return ticks;
}

// A frame on logarithmic axes: its box in mm and the decimal logarithms at
// its edges.
struct LogFrame {
  double left, top, w, h;
  double x0, x1, y0, y1;
  double X(double v) const { return left + (std::log10(v) - x0) / (x1 - x0) * w; }
  double Y(double v) const { return top + (y1 - std::log10(v)) / (y1 - y0) * h; }
};

LogFrame FrameFor(double x, double y, double w, double h, const std::vector<LawPoint>& points) {
  double x0 = 0, x1 = 0, y0 = 0, y1 = 0;  // about 1 when there are no points
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double lx = std::log10(points[i].radiusRatio), ly = std::log10(points[i].omegaRatio);
    x0 = i ? std::min(x0, lx) : lx, x1 = i ? std::max(x1, lx) : lx;
    y0 = i ? std::min(y0, ly) : ly, y1 = i ? std::max(y1, ly) : ly;
  }
  auto pad = [](double& lo, double& hi) {
    const double m = std::max((hi - lo) * 0.08, 0.004);
    lo -= m, hi += m;
  };
  pad(x0, x1), pad(y0, y1);
  return {x + 13, y + 2, w - 15, h - 10, x0, x1, y0, y1};
}

void LogAxes(Sheet& s, const LogFrame& f) {
  QPainter& p = s.Painter();
  s.Font(6.5);
  for (double v : LogTicks(std::pow(10.0, f.x0), std::pow(10.0, f.x1))) {
    s.Pen(QColor(215, 215, 215), 0.15);
    p.drawLine(s.At(f.X(v), f.top), s.At(f.X(v), f.top + f.h));
    p.setPen(Qt::black);
    s.Label(s.Box(f.X(v) - 8, f.top + f.h + 0.8, 16, 3), Qt::AlignHCenter | Qt::AlignTop, Short(v, 4));
  }
  for (double v : LogTicks(std::pow(10.0, f.y0), std::pow(10.0, f.y1))) {
    s.Pen(QColor(215, 215, 215), 0.15);
    p.drawLine(s.At(f.left, f.Y(v)), s.At(f.left + f.w, f.Y(v)));
    p.setPen(Qt::black);
    s.Label(s.Box(f.left - 13, f.Y(v) - 1.5, 12, 3), Qt::AlignRight | Qt::AlignVCenter, Short(v, 4));
  }
  s.Pen(Qt::black, 0.25);
  p.drawRect(s.Box(f.left, f.top, f.w, f.h));
  s.Label(s.Box(f.left, f.top + f.h + 4, f.w, 3), Qt::AlignRight | Qt::AlignTop,
          QStringLiteral("R1/R2 (логарифмическая шкала)"));
  s.Label(s.Box(f.left + 1, f.top + 0.5, f.w, 3), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("ω2/ω1"));
}

// The line lg y = a + b lg x across the frame, clipped to it.
void LogLine(Sheet& s, const LogFrame& f, double a, double b) {
  QPainter& p = s.Painter();
  p.save();
  p.setClipRect(s.Box(f.left, f.top, f.w, f.h));
  const double xa = std::pow(10.0, f.x0), xb = std::pow(10.0, f.x1);
  p.drawLine(s.At(f.X(xa), f.Y(std::pow(10.0, a + b * f.x0))), s.At(f.X(xb), f.Y(std::pow(10.0, a + b * f.x1))));
  p.restore();
}

// The law across the runs in the box; returns the height used.
double LawFigure(Sheet& s, double x, double y, double w, double h, const std::vector<LawPoint>& points,
                 const std::optional<LineFit>& fit) {
  const LogFrame f = FrameFor(x, y, w, h, points);
  LogAxes(s, f);
  s.Pen(QColor(90, 90, 90), 0.3, Qt::DashLine);
  LogLine(s, f, 0, kLawSlope);
  if (fit) {
    s.Pen(QColor(200, 30, 30), 0.35);
    LogLine(s, f, fit->intercept / std::log(10.0), fit->slope);
  }
  QPainter& p = s.Painter();
  p.setBrush(QColor(30, 80, 200));
  s.Pen(QColor(30, 80, 200), 0.15);
  for (const LawPoint& pt : points) p.drawEllipse(s.At(f.X(pt.radiusRatio), f.Y(pt.omegaRatio)), s.Mm(0.7), s.Mm(0.7));
  p.setBrush(Qt::NoBrush);
  return h;
}

}  // namespace

void PaintSeriesReport(QPainter& p, const QRectF& page, const SeriesReportContent& c) {
  const double k = report::Dpmm(p);
  Sheet s(p, page.topLeft(), k);
  const double pageH = page.height() / k, left = 15, width = page.width() / k - 30;
  double y = 12;
  p.setPen(Qt::black);
  s.Font(13, true);
  const QString title = QString::fromStdString(c.plan.base.title);
  y += s.Text(left, y, width, QStringLiteral("Серия опытов: ") +
                                  (title.isEmpty() || !c.plan.series.range ? QStringLiteral("закон сохранения момента импульса") : title)) + 0.5;
  s.Font(8);
  y += s.Text(left, y, width, QStringLiteral("Серия из %1 · %2 · Vozaz2 %3")
                                  .arg(Runs(c.plan.Count()), ReportLocale().toString(c.date, QStringLiteral("d MMMM yyyy")), c.version)) + 2;
  y += report::Heading(s, left, y, width, QStringLiteral("1. Установка"));
  SetUp(s, left, width, y, c);
  y += report::Heading(s, left, y, width, QStringLiteral("2. Результаты опытов"));
  y += ResultsTable(s, left, y, width, pageH - 12 - y - 78, c) + 1.5;
  const double lawH = std::min(110.0, pageH - 12 - y);
  y += report::Heading(s, left, y, width, QStringLiteral("3. Закон по сериям: ω2/ω1 от R1/R2"));
  const std::vector<LawPoint> points = LawPoints(c.rows);
  const std::optional<LineFit> fit = FitLaw(points);
  LawFigure(s, left, y, width * 0.58, lawH - 12, points, fit);
  const double tx = left + width * 0.6, tw = width * 0.4;
  double ty = y + 2 + report::Legend(s, tx, y + 2, tw,
                                     {{QColor(30, 80, 200), QStringLiteral("опыты серии"), report::LegendItem::Mark::kDot},
                                      {QColor(200, 30, 30), QStringLiteral("прямая по методу наименьших квадратов"), report::LegendItem::Mark::kLine},
                                      {QColor(90, 90, 90), QStringLiteral("закон L = m·ω·R²: наклон 2"), report::LegendItem::Mark::kLine}},
                                     1) + 2;
  s.Font(7.5);
  p.setPen(Qt::black);
  s.Text(tx, ty, tw, LawText(fit));
}

bool WriteSeriesReportPdf(QIODevice& out, const SeriesReportContent& c) {
  return WritePdfPage(out, QStringLiteral("Серия опытов"), c.version,
                      [&](QPainter& p, const QRectF& page) { PaintSeriesReport(p, page, c); });
}

bool WriteSeriesReportPdf(const QString& fileName, const SeriesReportContent& c) {
  QSaveFile file(fileName);
  return file.open(QIODevice::WriteOnly) && WriteSeriesReportPdf(file, c) && file.commit();
}

}  // namespace vozaz2
