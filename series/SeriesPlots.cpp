#include "series/SeriesPlots.h"

#include <qcustomplot.h>

#include <cmath>

#include "io/SeriesReport.h"

namespace vozaz2 {

namespace {

const QColor kRuns(30, 80, 200), kFitted(200, 30, 30), kLaw(90, 90, 90);

QString Utf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

void Clear(QCustomPlot* plot) {
  plot->clearPlottables();
  plot->legend->setVisible(true);
  for (QCPAxis* axis : {plot->xAxis, plot->yAxis}) {
    axis->setScaleType(QCPAxis::stLinear);
    axis->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
  }
}

// The axes to what is drawn, a little beyond it; a range of one value opens.
void Fit(QCustomPlot* plot) {
  plot->rescaleAxes();
  for (QCPAxis* axis : {plot->xAxis, plot->yAxis}) {
    const QCPRange r = axis->range();
    if (axis->scaleType() == QCPAxis::stLogarithmic) {
      axis->setRange(r.lower / 1.05, r.upper * 1.05);
      continue;
    }
    const double pad = r.size() > 0 ? r.size() * 0.05 : std::max(std::fabs(r.center()) * 0.05, 1e-9);
    axis->setRange(r.lower - pad, r.upper + pad);
  }
}

void LogAxes(QCustomPlot* plot) {
  for (QCPAxis* axis : {plot->xAxis, plot->yAxis}) {
    axis->setScaleType(QCPAxis::stLogarithmic);
    QSharedPointer<QCPAxisTickerLog> ticker(new QCPAxisTickerLog);
    ticker->setSubTickCount(8);
    axis->setTicker(ticker);
  }
}

// y = e^a · x^b from lo to hi, as a line of its own.
void PowerLine(QCustomPlot* plot, double a, double b, double lo, double hi, const QPen& pen, const QString& name) {
  QCPGraph* line = plot->addGraph();
  line->setName(name);
  line->setPen(pen);
  QVector<double> x, y;
  constexpr int kPoints = 24;
  for (int i = 0; i < kPoints; ++i) {
    const double v = std::exp(std::log(lo) + (std::log(hi) - std::log(lo)) * i / (kPoints - 1));
    x << v;
    y << std::exp(a) * std::pow(v, b);
  }
  line->setData(x, y, true);
}

}  // namespace

QString AxisName(const SeriesPlan& plan, int axis) {
  if (axis == kRunAxis) return QStringLiteral("номер опыта");
  if (axis == kParameterAxis) {
    if (!plan.series.range) return QStringLiteral("номер опыта");
    const std::size_t p = plan.series.range->parameter;
    return Utf8(kParameterNames[p]) + QStringLiteral(", ") + Utf8(ParameterUnit(p));
  }
  const SeriesColumn& c = plan.series.collect.at(static_cast<std::size_t>(axis));
  const std::string_view unit = ColumnUnit(c);
  return QString::fromStdString(ColumnName(c)) + (unit.empty() ? QString() : QStringLiteral(", ") + Utf8(unit));
}

double AxisValue(const SeriesPlan& plan, const SeriesRow& row, int axis) {
  if (axis == kRunAxis || (axis == kParameterAxis && !plan.series.range)) return static_cast<double>(row.run + 1);
  if (axis == kParameterAxis) return plan.Value(row.run);
  return row.values.at(static_cast<std::size_t>(axis));
}

void DrawResults(QCustomPlot* plot, const SeriesPlan& plan, const std::vector<SeriesRow>& rows, int y, int x) {
  Clear(plot);
  auto* curve = new QCPCurve(plot->xAxis, plot->yAxis);
  curve->setName(AxisName(plan, y) + QStringLiteral(" — от опыта к опыту"));
  curve->setPen(QPen(kRuns, 1));
  curve->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, 6));
  QVector<QCPCurveData> points;
  for (const SeriesRow& row : rows) {
    const double u = AxisValue(plan, row, x), v = AxisValue(plan, row, y);
    if (std::isfinite(u) && std::isfinite(v)) points.push_back(QCPCurveData(static_cast<double>(row.run), u, v));
  }
  curve->data()->set(points, true);
  plot->xAxis->setLabel(AxisName(plan, x));
  plot->yAxis->setLabel(AxisName(plan, y));
  Fit(plot);
  plot->replot();
}

std::optional<LineFit> DrawLaw(QCustomPlot* plot, const std::vector<SeriesRow>& rows) {
  Clear(plot);
  LogAxes(plot);
  const std::vector<LawPoint> points = LawPoints(rows);
  const std::optional<LineFit> fit = FitLaw(points);
  QVector<double> x, y;
  for (const LawPoint& p : points) x << p.radiusRatio, y << p.omegaRatio;
  const double lo = x.isEmpty() ? 0.9 : *std::min_element(x.begin(), x.end()) / 1.03;
  const double hi = x.isEmpty() ? 1.1 : *std::max_element(x.begin(), x.end()) * 1.03;
  PowerLine(plot, 0, kLawSlope, lo, hi, QPen(kLaw, 1.5, Qt::DashLine), QStringLiteral("закон L = m·ω·R²: наклон 2"));
  if (fit)
    PowerLine(plot, fit->intercept, fit->slope, lo, hi, QPen(kFitted, 1.5),
              QStringLiteral("прямая по МНК: наклон ") + SlopeText(*fit));
  QCPGraph* runs = plot->addGraph();
  runs->setName(QStringLiteral("опыты серии"));
  runs->setLineStyle(QCPGraph::lsNone);
  runs->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, kRuns, 7));
  runs->setData(x, y);
  plot->xAxis->setLabel(QStringLiteral("R1/R2 (логарифмическая шкала)"));
  plot->yAxis->setLabel(QStringLiteral("ω2/ω1 (логарифмическая шкала)"));
  Fit(plot);
  plot->replot();
  return fit;
}

}  // namespace vozaz2
