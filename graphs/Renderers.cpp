#include "graphs/Renderers.h"

#include <qcustomplot.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "graphs/Layers.h"
#include "io/Locale.h"

namespace vozaz2 {

namespace {

// The colours of the quantities that the oscillogram draws too, as it draws
// them; the others take the palette in turn.
QColor ColourOf(std::size_t q, int turn) {
  switch (q) {
    case quantity::kFL: case quantity::kFL2: return QColor(250, 0, 0);
    case quantity::kFtr: return QColor(0, 0, 250);
    case quantity::kZ2: return QColor(200, 200, 0);
    case quantity::kW12: return QColor(50, 50, 50);
    case quantity::kBalance: return QColor(0, 0, 0);  // the error of the account stands out
    default: break;
  }
  static const std::array<QColor, 8> palette = {
      QColor(0, 150, 0),   QColor(170, 0, 170), QColor(0, 150, 170), QColor(230, 120, 0),
      QColor(120, 70, 20), QColor(110, 110, 255), QColor(140, 140, 140), QColor(0, 90, 60)};
  return palette[static_cast<std::size_t>(turn) % palette.size()];
}

QPen PenOf(std::size_t q, int turn) {
  QPen pen(ColourOf(q, turn), 1);
  // The second string beside the first; the elastic part of the tension,
  // which is most of it, over the tension without hiding it.
  if (q == quantity::kFL2 || q == quantity::kFC) pen.setStyle(Qt::DashLine);
  // The start's angular momentum wide and dashed under the present one,
  // which keeps it to eight digits: it shows on both sides of it.
  if (q == quantity::kMKD1) pen = QPen(QColor(160, 160, 160), 5, Qt::DashLine);
  return pen;
}

// Ticks labelled as a textbook writes numbers: the locale's decimal
// separator, a true minus, powers of ten in superscript ("−2·10⁻⁸").
class TextbookTicker final : public QCPAxisTicker {
 protected:
  QString getTickLabel(double tick, const QLocale& locale, QChar, int) override {
    return Significant(tick, 6).replace(u',', locale.decimalPoint());
  }
};

// An axis with linear ticks and straight labels.
void Linear(QCPAxis* axis) {
  axis->setScaleType(QCPAxis::stLinear);
  axis->setTicker(QSharedPointer<QCPAxisTicker>(new TextbookTicker));
  axis->setTickLabelRotation(0);
}

// A time for a caption: a few digits are enough.
QString Seconds(double t) {
  QString text = QString::number(t, 'g', 6);
  text.replace(u'.', QChar::fromLatin1(DecimalSeparator()));
  return QStringLiteral("T = %1 с").arg(text);
}

// A panel under the others, its left and right margins as theirs, its
// horizontal axis moving with theirs.
void AddPanel(QCustomPlot* plot, int row, QCPMarginGroup* group) {
  auto* rect = new QCPAxisRect(plot);
  plot->plotLayout()->addElement(row, 0, rect);
  rect->setMarginGroup(QCP::msLeft | QCP::msRight, group);
  for (QCPAxis* axis : rect->axes()) {
    axis->setLabelFont(plot->xAxis->labelFont());
    axis->setTickLabelFont(plot->xAxis->tickLabelFont());
    Linear(axis);
  }
  QCPAxis* x = rect->axis(QCPAxis::atBottom);
  QObject::connect(plot->xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), x,
                   qOverload<const QCPRange&>(&QCPAxis::setRange));
  QObject::connect(x, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), plot->xAxis,
                   qOverload<const QCPRange&>(&QCPAxis::setRange));
}

// The plot's layout from the top: `count` panels on one horizontal axis
// (the plot's own axis rect the first), the legend, and the note under it
// when there is one. Kept as it is when it already is so.
std::vector<QCPAxisRect*> Arrange(QCustomPlot* plot, std::size_t count, const QString& note) {
  QCPLayoutGrid* grid = plot->plotLayout();
  auto* shown = grid->findChild<QCPTextElement*>(QStringLiteral("Note"));
  if (static_cast<std::size_t>(plot->axisRectCount()) != count || (shown != nullptr) != !note.isEmpty()) {
    grid->take(plot->legend);
    for (int i = grid->elementCount() - 1; i >= 0; --i)
      if (QCPLayoutElement* e = grid->elementAt(i); e && e != plot->axisRect(0)) grid->remove(e);
    grid->simplify();
    shown = nullptr;
    QCPMarginGroup* group = plot->axisRect(0)->marginGroup(QCP::msLeft);
    if (!group) {
      group = new QCPMarginGroup(plot);
      plot->axisRect(0)->setMarginGroup(QCP::msLeft | QCP::msRight, group);
    }
    const int panels = static_cast<int>(count);
    for (int row = 1; row < panels; ++row) AddPanel(plot, row, group);
    grid->addElement(panels, 0, plot->legend);
    if (!note.isEmpty()) {
      shown = new QCPTextElement(plot, note, plot->legend->font());
      shown->setObjectName(QStringLiteral("Note"));
      grid->addElement(panels + 1, 0, shown);
    }
    for (int row = 0; row < grid->rowCount(); ++row) grid->setRowStretchFactor(row, row < panels ? 1 : 0.001);
  }
  if (shown) {
    shown->setText(note);
    shown->setFont(plot->legend->font());
  }
  std::vector<QCPAxisRect*> panels;
  for (QCPAxisRect* rect : plot->axisRects()) {
    rect->setRangeDragAxes(rect->axis(QCPAxis::atBottom), rect->axis(QCPAxis::atLeft));
    rect->setRangeZoomAxes(rect->axis(QCPAxis::atBottom), rect->axis(QCPAxis::atLeft));
    // The times under the lowest panel only.
    rect->axis(QCPAxis::atBottom)->setTickLabels(panels.size() + 1 == count);
    rect->axis(QCPAxis::atBottom)->setLabel(QString());
    panels.push_back(rect);
  }
  return panels;
}

}  // namespace

// The spans of a quantity's buckets against time (see DrawTime); a quantity
// that never changes, as MKD1, only its two ends. On a logarithmic axis only
// what is above 0 is drawn.
QVector<QCPGraphData> SpanData(const RunSummary& s, std::size_t q, bool logarithmic) {
  QVector<QCPGraphData> data;
  data.reserve(static_cast<qsizetype>(2 * s.Buckets()));
  bool level = true;
  for (std::size_t b = 0; b < s.Buckets(); ++b) {
    const double t = s.Last(b, quantity::kT), hi = s.Max(b, q);
    double lo = s.Min(b, q);
    if (!(lo <= hi) || (logarithmic && !(hi > 0))) continue;  // nothing to draw in the bucket
    if (logarithmic && !(lo > 0)) lo = hi;
    level = level && lo == hi && (data.isEmpty() || data.front().value == lo);
    data.push_back(QCPGraphData(t, lo));
    if (hi != lo) data.push_back(QCPGraphData(t, hi));
  }
  if (level && data.size() > 2) data = {data.front(), data.back()};
  return data;
}

namespace {

// Each bucket of steps is drawn as the span from its least to its greatest
// value at its time, joined to the next: the band of the curve, with every
// excursion in it. A bucket of one step is one point. Each panel has its
// value axis; the lowest has the time.
void DrawTime(QCustomPlot* plot, const ViewRow& row, const ViewSource& source) {
  const auto drawn = DrawnPanels(row, source.record);
  const std::vector<QCPAxisRect*> panels = Arrange(plot, drawn.size(), NotesFor(row, source.record));
  int turn = 0;
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    QCPAxis *x = panels[i]->axis(QCPAxis::atBottom), *y = panels[i]->axis(QCPAxis::atLeft);
    for (std::size_t q : drawn[i]) {
      QCPGraph* graph = plot->addGraph(x, y);
      graph->setName(Legend(q));
      graph->setPen(PenOf(q, turn++));
      graph->data()->set(SpanData(source.summary, q, row.logarithmic), true);
    }
    y->setLabel(PanelLabel(row, i, drawn[i]));
    if (row.logarithmic) {
      y->setScaleType(QCPAxis::stLogarithmic);
      y->setTicker(QSharedPointer<QCPAxisTickerLog>(new QCPAxisTickerLog));
      y->setLabel(y->label() + QStringLiteral(" (логарифмическая шкала)"));
    }
  }
  panels.back()->axis(QCPAxis::atBottom)->setLabel(QStringLiteral("время T, с"));
}

}  // namespace

QVector<QCPCurveData> AgainstData(const RunSummary& s, std::size_t x, std::size_t q) {
  QVector<QCPCurveData> data;
  data.reserve(static_cast<qsizetype>(s.Buckets()));
  for (std::size_t b = 0; b < s.Buckets(); ++b) {
    const double u = s.Last(b, x), v = s.Last(b, q);
    if (std::isfinite(u) && std::isfinite(v)) data.push_back(QCPCurveData(static_cast<double>(b), u, v));
  }
  return data;
}

namespace {

// Each quantity against x: the last step of each bucket, so that the two
// values of a point belong to one moment; a panel for each unit.
void DrawAgainst(QCustomPlot* plot, const ViewRow& row, const ViewSource& source) {
  const RunSummary& s = source.summary;
  const auto drawn = DrawnPanels(row, source.record);
  const std::vector<QCPAxisRect*> panels = Arrange(plot, drawn.size(), QString());
  int turn = 0;
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    QCPAxis *x = panels[i]->axis(QCPAxis::atBottom), *y = panels[i]->axis(QCPAxis::atLeft);
    for (std::size_t q : drawn[i]) {
      auto* curve = new QCPCurve(x, y);
      curve->setName(Legend(q));
      curve->setPen(PenOf(q, turn++));
      curve->data()->set(AgainstData(s, row.x, q), true);
    }
    y->setLabel(PanelLabel(row, i, drawn[i]));
  }
  panels.back()->axis(QCPAxis::atBottom)->setLabel(Utf8Text(kQuantities[row.x].name) + QStringLiteral(" ") + KeyWithUnit(row.x));
}

}  // namespace

bool OnLogAxes(double u, double v) { return u > 0 && v > 0 && std::isfinite(u) && std::isfinite(v); }

QCPGraph* DrawLawLine(QCustomPlot* plot, double R1, double w1, double lo, double hi) {
  QCPGraph* line = plot->addGraph();
  QVector<QCPGraphData> data;
  constexpr int kPoints = 33;
  const double from = std::log(lo / 1.5), to = std::log(hi * 1.5);
  for (int i = 0; i < kPoints; ++i) {
    const double R = std::exp(from + (to - from) * i / (kPoints - 1));
    data.push_back(QCPGraphData(R, PredictedOmega(R1, w1, R)));
  }
  line->data()->set(data, true);
  return line;
}

QVector<QCPCurveData> LawPoints(const RunSummary& s, std::size_t x, std::size_t y, double& lo, double& hi) {
  QVector<QCPCurveData> points;
  for (std::size_t b = 0; b < s.Buckets(); ++b) {
    const double R = s.Last(b, x), w = s.Last(b, y);
    if (!OnLogAxes(R, w)) continue;
    points.push_back(QCPCurveData(static_cast<double>(b), R, w));
    lo = std::min(lo, R);
    hi = std::max(hi, R);
  }
  return points;
}

namespace {

// The law: w2 against R2 on logarithmic axes, where w = w1·R1²/R² is a
// straight line of slope -2 through the start point. The line is there from
// the start values before the first step; the run's points fall on it as
// long as the angular momentum is kept.
void DrawLaw(QCustomPlot* plot, const ViewRow& row, const ViewSource& source) {
  Arrange(plot, 1, QString());
  const std::size_t y = row.plotted.front().quantity;
  double lo = source.R1, hi = source.R1;
  const QVector<QCPCurveData> points = LawPoints(source.summary, row.x, y, lo, hi);
  for (QCPAxis* axis : {plot->xAxis, plot->yAxis}) {
    axis->setScaleType(QCPAxis::stLogarithmic);
    axis->setTicker(QSharedPointer<QCPAxisTickerLog>(new QCPAxisTickerLog));
  }
  if (OnLogAxes(source.R1, source.w1)) {
    QCPGraph* line = DrawLawLine(plot, source.R1, source.w1, lo, hi);
    line->setName(QStringLiteral("закон: ω = w1·R1²/R², w1 = %1 рад/с, R1 = %2 м")
                      .arg(LocaleNumber(source.w1), LocaleNumber(source.R1)));
    line->setPen(QPen(QColor(250, 0, 0), 1, Qt::DashLine));
  }
  auto* curve = new QCPCurve(plot->xAxis, plot->yAxis);
  curve->setName(QStringLiteral("опыт: %1 от %2").arg(Utf8Text(kQuantities[y].key), Utf8Text(kQuantities[row.x].key)));
  curve->setPen(QPen(QColor(0, 0, 250), 1));
  curve->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, 3));
  curve->data()->set(points, true);
  const QString logarithmic = QStringLiteral(" (логарифмическая шкала)");
  plot->xAxis->setLabel(NameWithUnit(row.x) + logarithmic);
  plot->yAxis->setLabel(NameWithUnit(y) + logarithmic);
}

// The bars drawn in this run side by side from 1 on, each group in its
// colour; returns how many.
int DrawBars(QCustomPlot* plot, const ViewRow& row, const ViewSource& source) {
  Arrange(plot, 1, QString());
  QSharedPointer<QCPAxisTickerText> ticks(new QCPAxisTickerText);
  std::vector<QVector<double>> at(row.groups.size()), values(row.groups.size());
  int place = 0;
  for (const Plotted& p : row.plotted) {
    if (!p.DrawnIn(source.record)) continue;
    ticks->addTick(++place, QString::fromUtf8(p.tick));
    at[static_cast<std::size_t>(p.group)].push_back(place);
    values[static_cast<std::size_t>(p.group)].push_back(source.LastValue(p.quantity));
  }
  plot->xAxis->setTicker(ticks);
  for (std::size_t g = 0; g < row.groups.size(); ++g) {
    if (at[g].isEmpty()) continue;
    const QColor colour = QColor::fromRgb(row.groups[g].colour);
    auto* bars = new QCPBars(plot->xAxis, plot->yAxis);
    bars->setName(QString::fromUtf8(row.groups[g].legend));
    bars->setPen(QPen(colour.darker(150)));
    bars->setBrush(colour);
    bars->setWidth(0.6);
    bars->setData(at[g], values[g], true);
  }
  plot->xAxis->setLabel(Seconds(source.LastValue(quantity::kT)));
  plot->yAxis->setLabel(PanelLabel(row, 0, DrawnQuantities(row, source.record)));
  return place;
}

}  // namespace

QCPItemText* CornerText(QCustomPlot* plot, Qt::Alignment side, const QString& words) {
  auto* text = new QCPItemText(plot);
  text->position->setType(QCPItemPosition::ptAxisRectRatio);
  text->position->setCoords(side == Qt::AlignLeft ? 0.01 : 0.99, 0.01);
  text->setPositionAlignment(side | Qt::AlignTop);
  text->setTextAlignment(Qt::AlignLeft);
  text->setBrush(QBrush(QColor(255, 255, 255, 210)));
  text->setPadding(QMargins(4, 2, 4, 2));
  text->setText(words);
  return text;
}

namespace {

// A view of the twin's estimates says where they end, and why, in the top
// left corner of its graph.
void DrawTwinNote(QCustomPlot* plot, const ViewSource& source) {
  const QString note = source.accuracy ? TwinNote(*source.accuracy) : QString();
  if (!note.isEmpty()) CornerText(plot, Qt::AlignLeft, note);
}

// The axes of the panels along time or along a quantity: the bottom and
// the left one of each.
QList<QCPAxis*> PanelAxes(QCustomPlot* plot) {
  QList<QCPAxis*> axes;
  for (QCPAxisRect* rect : plot->axisRects()) axes << rect->axis(QCPAxis::atBottom) << rect->axis(QCPAxis::atLeft);
  return axes;
}

// Nothing drawn, the axes linear.
void ClearPlot(QCustomPlot* plot) {
  plot->clearPlottables();
  plot->clearItems();
  plot->legend->setVisible(true);
  for (QCPAxis* axis : PanelAxes(plot)) Linear(axis);
}

// The axes to the whole of what is drawn, a little beyond it; `barSlots`
// places along the horizontal axis for bars.
void FitAxes(QCustomPlot* plot, int barSlots) {
  plot->rescaleAxes();
  // A constant quantity would give an empty range: open it a little.
  for (QCPAxis* axis : PanelAxes(plot)) {
    const QCPRange range = axis->range();
    if (axis->scaleType() == QCPAxis::stLogarithmic) {
      axis->setRange(range.lower / 1.25, range.upper * 1.25);
      continue;
    }
    // A quantity that hardly changes (the angular momentum, kept to nine
    // digits) shows as a level line, not as noise spread over the axis:
    // the axis spans at least a tenth of its value.
    const double least = std::max(std::fabs(range.center()) * 0.1, 1e-9);
    const double pad = range.size() >= least ? range.size() * 0.04 : (least - range.size()) / 2;
    if (axis->axisType() != QCPAxis::atBottom || range.size() == 0)
      axis->setRange(range.lower - pad, range.upper + pad);
    else  // the last bucket's span stands clear of the right edge
      axis->setRange(range.lower - range.size() * 0.01, range.upper + range.size() * 0.01);
  }
  if (barSlots > 0) plot->xAxis->setRange(0.4, barSlots + 0.6);
}

}  // namespace

QCustomPlot* NewPlot(QWidget* parent) {
  auto* plot = new QCustomPlot(parent);
  plot->setObjectName(QStringLiteral("Plot"));
  // Lines without smoothing draw several times faster, which is what keeps
  // the window's pace; the saved pictures are smoothed.
  plot->setNotAntialiasedElements(QCP::aeAll);
  plot->setPlottingHints(QCP::phFastPolylines | QCP::phCacheLabels);
  plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
  // The legend goes under the axes, in two columns, where it hides no curve.
  plot->legend->setVisible(true);
  plot->axisRect()->insetLayout()->take(plot->legend);
  plot->plotLayout()->addElement(1, 0, plot->legend);
  plot->plotLayout()->setRowStretchFactor(1, 0.001);
  plot->legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
  plot->legend->setWrap(2);
  plot->legend->setBorderPen(Qt::NoPen);
  plot->legend->setMargins(QMargins(4, 0, 4, 2));
  return plot;
}

void DrawView(QCustomPlot* plot, const ViewRow& row, const ViewSource& source, bool fit,
              const std::vector<Layer>& layers) {
  ClearPlot(plot);
  int barSlots = 0;
  switch (row.shape) {
    case Shape::kTime: DrawTime(plot, row, source); break;
    case Shape::kAgainst: DrawAgainst(plot, row, source); break;
    case Shape::kLaw: DrawLaw(plot, row, source); break;
    case Shape::kBars: barSlots = DrawBars(plot, row, source); break;
  }
  if (row.twin) DrawTwinNote(plot, source);
  DrawLayers(plot, row, source, layers);
  if (fit) FitAxes(plot, barSlots);
}

}  // namespace vozaz2
