#include "graphs/Layers.h"

#include <qcustomplot.h>

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "graphs/Renderers.h"

namespace vozaz2 {

namespace {

// The plot's layer for the kept runs: under the current run's curves.
constexpr char kKeptLayer[] = "kept";

QCPLayer* KeptLayer(QCustomPlot* plot) {
  if (!plot->layer(QString::fromLatin1(kKeptLayer)))
    plot->addLayer(QString::fromLatin1(kKeptLayer), plot->layer(QStringLiteral("main")), QCustomPlot::limBelow);
  return plot->layer(QString::fromLatin1(kKeptLayer));
}

// One entry in the legend for a run: its first plottable, by its name.
void Name(QCPAbstractPlottable* p, const Layer& layer, bool& named) {
  p->setLayer(KeptLayer(p->parentPlot()));
  p->setPen(layer.pen);
  if (named) {
    p->removeFromLegend();
    return;
  }
  p->setName(layer.name);
  named = true;
}

// Whether the row draws quantity q in the run that ended at r.
bool DrawnIn(const ViewRow& row, std::size_t q, const SimRecord& r) {
  for (const Plotted& p : row.plotted)
    if (p.quantity == q && p.DrawnIn(r)) return true;
  return false;
}

// Against time or against x, on the current run's panels, the quantities
// that the current run draws there.
void DrawCurves(QCustomPlot* plot, const ViewRow& row, const ViewSource& current, const Layer& layer) {
  const auto panels = DrawnPanels(row, current.record);
  const QList<QCPAxisRect*> rects = plot->axisRects();
  bool named = false;
  for (std::size_t i = 0; i < panels.size() && i < static_cast<std::size_t>(rects.size()); ++i) {
    QCPAxis *x = rects[static_cast<qsizetype>(i)]->axis(QCPAxis::atBottom), *y = rects[static_cast<qsizetype>(i)]->axis(QCPAxis::atLeft);
    for (std::size_t q : panels[i]) {
      if (!DrawnIn(row, q, layer.record)) continue;
      if (row.shape == Shape::kTime) {
        QCPGraph* graph = plot->addGraph(x, y);
        graph->data()->set(SpanData(layer.summary, q, row.logarithmic), true);
        Name(graph, layer, named);
      } else {
        auto* curve = new QCPCurve(x, y);
        curve->data()->set(AgainstData(layer.summary, row.x, q), true);
        Name(curve, layer, named);
      }
    }
  }
}

// The run's points as rings in its colour, and its own law's line in its
// colour and dash, which names it in the legend.
void DrawLaw(QCustomPlot* plot, const ViewRow& row, const Layer& layer) {
  const std::size_t y = row.plotted.front().quantity;
  double lo = layer.record.R1, hi = layer.record.R1;
  const QVector<QCPCurveData> points = LawPoints(layer.summary, row.x, y, lo, hi);
  bool named = false;
  if (OnLogAxes(layer.record.R1, layer.record.w1))
    Name(DrawLawLine(plot, layer.record.R1, layer.record.w1, lo, hi), layer, named);
  auto* curve = new QCPCurve(plot->xAxis, plot->yAxis);
  curve->data()->set(points, true);
  Name(curve, layer, named);
  curve->setLineStyle(QCPCurve::lsNone);
  // Some ten rings along the run, so that the runs' rings stand apart
  // on the line they share rather than pave it.
  curve->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, layer.pen.color(), 9));
  curve->setScatterSkip(static_cast<int>(points.size() / 10));
}

// A mark across each bar at the run's value: a short level line.
void DrawBars(QCustomPlot* plot, const ViewRow& row, const ViewSource& current, const Layer& layer) {
  const ViewSource kept{.summary = layer.summary, .record = layer.record, .R1 = layer.record.R1, .w1 = layer.record.w1};
  QVector<double> at, values;
  int place = 0;
  for (const Plotted& p : row.plotted) {
    if (!p.DrawnIn(current.record)) continue;
    ++place;
    if (!p.DrawnIn(layer.record)) continue;
    at.push_back(place);
    values.push_back(kept.LastValue(p.quantity));
  }
  QCPGraph* marks = plot->addGraph();
  marks->setData(at, values, true);
  bool named = false;
  Name(marks, layer, named);
  marks->setLineStyle(QCPGraph::lsNone);
  QPainterPath across;
  across.moveTo(-14, 0);
  across.lineTo(14, 0);
  QPen wide = layer.pen;
  wide.setWidthF(3);
  marks->setScatterStyle(QCPScatterStyle(across, wide, Qt::NoBrush, 28));
}

}  // namespace

QPen StylePen(const RunStyle& style) {
  QPen pen(QColor::fromRgb(static_cast<QRgb>(style.rgb)), 2);
  QList<qreal> dashes;
  for (double d : style.dashes)
    if (d > 0) dashes << d;
  if (!dashes.isEmpty()) pen.setDashPattern(dashes);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

QIcon StyleIcon(const RunStyle& style) {
  QPixmap sample(40, 14);
  sample.fill(Qt::white);
  QPainter painter(&sample);
  painter.setPen(StylePen(style));
  painter.drawLine(2, 7, 38, 7);
  return QIcon(sample);
}

std::vector<Layer> ShownLayers(const KeptRuns& kept) {
  std::vector<Layer> layers;
  for (std::size_t i = 0; i < kept.Size(); ++i) {
    const KeptRun& run = kept.At(i);
    if (run.shown)
      layers.push_back({run.history.Summary(), run.end, QString::fromStdString(run.name), StylePen(kRunStyles[run.style])});
  }
  return layers;
}

void DrawLayers(QCustomPlot* plot, const ViewRow& row, const ViewSource& current, const std::vector<Layer>& layers) {
  for (const Layer& layer : layers) {
    switch (row.shape) {
      case Shape::kTime:
      case Shape::kAgainst: DrawCurves(plot, row, current, layer); break;
      case Shape::kLaw: DrawLaw(plot, row, layer); break;
      case Shape::kBars: DrawBars(plot, row, current, layer); break;
    }
  }
}

void NameCurrentRun(QCustomPlot* plot, const QString& name) {
  CornerText(plot, Qt::AlignRight, QStringLiteral("сейчас: ") + name)->setFont(plot->legend->font());
}

}  // namespace vozaz2
