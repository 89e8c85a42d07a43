// The graphs: a summary that keeps every excursion of a long run in bounded
// memory, quantities that are the readout's numbers, the law's line through
// the start point, and one graphs window per main window that outlives its
// closing during a run.
#include <qcustomplot.h>

#include <QFile>
#include <QFontInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "graphs/GraphsWindow.h"
#include "io/Locale.h"
#include "model/NumberText.h"
#include "run/Quantities.h"
#include "run/RunSummary.h"
#include "tests/ui/WindowFixture.h"

namespace vozaz2::testing {
namespace {

// Each bucket holds the true least, greatest and last value of its steps,
// whatever merging it went through; non-finite values are passed over.
struct SummaryCase {
  std::size_t maxBuckets;
  long steps;
};
class Summary : public ::testing::TestWithParam<SummaryCase> {};

TEST_P(Summary, KeepsTrueExtremesOfEveryBucket) {
  const auto [maxBuckets, steps] = GetParam();
  QRandomGenerator random(12345);
  std::vector<double> column(static_cast<std::size_t>(steps));
  for (long i = 0; i < steps; ++i) {
    double v = std::sin(i * 1e-3);
    if (random.bounded(5000) == 0) v += random.bounded(2) ? 100.0 : -100.0;  // one-step spikes
    if (random.bounded(7000) == 0) v = std::numeric_limits<double>::quiet_NaN();
    column[static_cast<std::size_t>(i)] = v;
  }
  column[static_cast<std::size_t>(steps * 2 / 3)] = 1e6;  // the run's one excursion

  RunSummary s(2, maxBuckets);
  for (long i = 0; i < steps; ++i) {
    const double row[2] = {static_cast<double>(i), column[static_cast<std::size_t>(i)]};
    s.Add(row);
  }
  ASSERT_EQ(s.Steps(), steps);
  ASSERT_LE(s.Buckets(), s.MaxBuckets());
  ASSERT_GE(2 * s.Buckets(), std::min<std::size_t>(s.MaxBuckets(), static_cast<std::size_t>(steps)));
  const long width = static_cast<long>(s.StepsPerBucket());
  ASSERT_EQ(static_cast<long>(s.Buckets()), (steps + width - 1) / width);
  double greatest = -1;
  for (std::size_t b = 0; b < s.Buckets(); ++b) {
    const long first = static_cast<long>(b) * width, end = std::min(steps, first + width);
    double lo = INFINITY, hi = -INFINITY;
    for (long i = first; i < end; ++i)
      if (std::isfinite(column[static_cast<std::size_t>(i)])) {
        lo = std::min(lo, column[static_cast<std::size_t>(i)]);
        hi = std::max(hi, column[static_cast<std::size_t>(i)]);
      }
    ASSERT_EQ(s.Min(b, 1), lo) << "bucket " << b;
    ASSERT_EQ(s.Max(b, 1), hi) << "bucket " << b;
    ASSERT_EQ(s.Last(b, 0), static_cast<double>(end - 1)) << "the last step's values";
    greatest = std::max(greatest, hi);
  }
  EXPECT_EQ(greatest, 1e6);
  s.Clear();
  EXPECT_EQ(s.Buckets(), 0u);
  EXPECT_EQ(s.StepsPerBucket(), 1);
}

INSTANTIATE_TEST_SUITE_P(Runs, Summary,
                         ::testing::Values(SummaryCase{2, 7}, SummaryCase{8, 8}, SummaryCase{8, 9},
                                           SummaryCase{1024, 1000}, SummaryCase{1024, 1'000'000},
                                           SummaryCase{5, 100'003}));

class Graphs : public WindowTest {
 protected:
  // The main window's graphs window, made at the first call as the program
  // makes it.
  GraphsWindow* Install() {
    if (!graphs) graphs = InstallGraphsWindow(form, form->Simulation());
    return graphs;
  }
  GraphsWindow* Open() {
    Install()->ShowInFront();
    return graphs;
  }
  static int GraphsWindows() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) n += qobject_cast<GraphsWindow*>(w) != nullptr;
    return n;
  }
  QPointer<GraphsWindow> graphs;
};

// The table of quantities reads the very numbers the readout shows.
TEST_F(Graphs, QuantitiesAreTheReadoutsNumbers) {
  const int boxes[quantity::kReadoutCount] = {31, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
                                    23, 24, 25, 26, 27, 28, 29, 38, 39, 40, 42, 37, 41, 43};
  Click(Switch(8));  // the dumbbell, which writes w12 too
  Click(Get<QPushButton>("Command1"));
  ASSERT_TRUE(WaitForSteps(50));
  Click(Get<QPushButton>("Command2"));
  for (std::size_t q = 0; q < quantity::kReadoutCount; ++q) {
    if (q == quantity::kL00 || q == quantity::kFL2) continue;  // written by a split run only
    const auto* box = Get<QLineEdit>(QStringLiteral("Text%1").arg(boxes[q]));
    EXPECT_EQ(box->text().toStdString(), NumberText(kQuantities[q].read(Record()), DecimalSeparator()))
        << kQuantities[q].key;
  }
  EXPECT_DOUBLE_EQ(kQuantities[quantity::kMKDOrbit].read(Record()) + kQuantities[quantity::kMKDSpin].read(Record()), Record().MKD2);
  EXPECT_NE(kQuantities[quantity::kMKDSpin].read(Record()), 0.0) << "the dumbbell turns about its centre";
}

// On logarithmic axes the law is a line; it passes through the start point
// from the start, and the run's points fall on it.
TEST_F(Graphs, LawLinePassesThroughTheStartPoint) {
  GraphsWindow* g = Open();
  g->ShowView(GraphsWindow::View::kLaw);
  Click(Get<QPushButton>("Command1"));
  g->Redraw();
  ASSERT_EQ(g->Summary().Steps(), 0) << "drawn before the first step";
  auto lineAt = [&](double R) {
    QCPGraph* line = g->Plot()->graph(0);
    EXPECT_TRUE(line->name().startsWith(QStringLiteral("закон")));
    const auto& d = *line->data();
    for (int i = 1; i < d.size(); ++i) {
      const auto &a = *d.at(i - 1), &b = *d.at(i);
      if (a.key <= R && R <= b.key) {
        const double f = std::log(R / a.key) / std::log(b.key / a.key);
        return std::exp(std::log(a.value) + f * std::log(b.value / a.value));
      }
    }
    return std::numeric_limits<double>::quiet_NaN();
  };
  EXPECT_NEAR(lineAt(Record().R1), Record().w1, 1e-12 * Record().w1);
  ASSERT_TRUE(WaitForSteps(300));
  const RunSummary& s = g->Summary();
  const double R = s.Last(s.Buckets() - 1, quantity::kR2), w = s.Last(s.Buckets() - 1, quantity::kW2);
  ASSERT_NE(R, Record().R1) << "the run has moved the load";
  EXPECT_NEAR(w, PredictedOmega(Record().R1, Record().w1, R), 1e-6 * w);
}

// The quantities a table's header names, by their keys; not the time, the
// spans ("MKD2 мин") or the law's column.
QStringList HeaderKeys(const QString& table) {
  QStringList keys;
  for (const QString& column : table.section(u'\n', 0, 0).split(u'\t').mid(1))
    if (QuantityNamed(column.section(QStringLiteral(", "), 0, 0).toStdString())) keys << column.section(QStringLiteral(", "), 0, 0);
  keys.sort();
  return keys;
}

// Each panel holds one unit (the deviation of the angular momentum, a pure
// number, never on the axis of MKD), and each curve of the legend ("MKD2 —
// момент импульса") draws the quantity it names.
void ExpectCurvesAsNamed(QCustomPlot* plot, const RunSummary& s, const std::string& view) {
  std::map<QCPAxis*, std::string_view> units;
  for (int i = 0; i < plot->plottableCount(); ++i) {
    QCPAbstractPlottable* p = plot->plottable(i);
    const auto q = QuantityNamed(p->name().section(QStringLiteral(" — "), 0, 0).toStdString());
    if (!q) continue;
    const std::string where = view + ": " + p->name().toStdString();
    const auto [axis, fresh] = units.emplace(p->valueAxis(), kQuantities[*q].unit);
    EXPECT_EQ(axis->second, kQuantities[*q].unit) << where;
    const auto* graph = qobject_cast<QCPGraph*>(p);
    const auto* curve = qobject_cast<QCPCurve*>(p);
    ASSERT_TRUE(graph || curve) << where;
    EXPECT_EQ(graph ? graph->data()->at(0)->value : curve->data()->at(0)->value,
              graph ? s.Min(0, *q) : s.Last(0, *q)) << where;
  }
}

// Each view's copied table holds what its graph draws, no more and no less:
// the curves of its legend ("MKD2 — момент импульса"), the law's "опыт: w2
// от R2", the values of its bars. Every graph draws what it names, each unit
// on its own axis, the user's own too.
TEST_F(Graphs, EveryTableHoldsWhatItsViewDraws) {
  GraphsWindow* g = Open();
  Click(Switch(6));  // the dumbbell in the plane: every part of MKD2
  Click(Switch(8));
  Click(Get<QPushButton>("Command1"));
  ASSERT_TRUE(WaitForSteps(20));
  Click(Get<QPushButton>("Command2"));
  namespace Q = quantity;
  g->ShowCustom({Q::kR2, Q::kW2, Q::kFL, Q::kL2}, Q::kT);
  ExpectCurvesAsNamed(g->Plot(), g->Summary(), "свой");
  EXPECT_EQ(g->Plot()->axisRectCount(), 3) << "м, рад/с, Н";
  g->ShowCustom({Q::kW2, Q::kFL, Q::kV2}, Q::kR2);
  ExpectCurvesAsNamed(g->Plot(), g->Summary(), "свой от R2");
  const QRegularExpression experiment(QStringLiteral("^опыт: (\\S+) от (\\S+)$"));
  for (int v = 0; v < GraphsWindow::kReadyViews; ++v) {
    g->ShowView(static_cast<GraphsWindow::View>(v));
    ExpectCurvesAsNamed(g->Plot(), g->Summary(), "view " + std::to_string(v));
    const QString table = g->DataTable();
    QStringList named, bars;
    for (int i = 0; i < g->Plot()->plottableCount(); ++i) {
      const QCPAbstractPlottable* p = g->Plot()->plottable(i);
      if (const auto* b = qobject_cast<const QCPBars*>(p))
        for (const QCPBarsData& d : *b->data()) bars << LocaleNumber(d.value);
      else if (const QRegularExpressionMatch m = experiment.match(p->name()); m.hasMatch())
        named << m.captured(1) << m.captured(2);
      else if (p->name().contains(QStringLiteral(" — ")))
        named << p->name().section(QStringLiteral(" — "), 0, 0);
    }
    named.sort();
    EXPECT_EQ(named, HeaderKeys(table)) << "view " << v;
    if (bars.isEmpty()) continue;
    QStringList values;
    for (const QString& line : table.split(u'\n', Qt::SkipEmptyParts).mid(1)) values << line.section(u'\t', 1);
    // The parts of MKD2 that this run has not keep their lines in the table.
    if (static_cast<GraphsWindow::View>(v) == GraphsWindow::View::kMomentumBars) values = values.mid(0, bars.size());
    EXPECT_EQ(bars, values) << "view " << v;
  }
}

// For a projector the graph's texts grow with the main window's zoom: the
// axes of every panel and the legend. The window stays within the screen's
// free area, the legend within the plot, and the window shrinks back at 100 %.
TEST_F(Graphs, TextsGrowWithTheZoom) {
  GraphsWindow* g = Open();
  const int normal = QFontInfo(g->Plot()->xAxis->labelFont()).pixelSize();
  const QSize room = g->screen()->availableGeometry().size();
  g->SetZoom(200);
  QCustomPlot* plot = g->Plot();
  g->ShowView(GraphsWindow::View::kMomentum);  // the deviation's panel too
  QCPAxis* deviation = plot->axisRect(1)->axis(QCPAxis::atLeft);
  for (const QFont& font : {plot->xAxis->labelFont(), plot->yAxis->tickLabelFont(), plot->legend->item(0)->font(),
                            deviation->labelFont(), deviation->tickLabelFont()})
    EXPECT_NEAR(QFontInfo(font).pixelSize(), 2 * normal, 1);
  EXPECT_TRUE(QRect(QPoint(), room).contains(QRect(QPoint(), g->minimumSizeHint())));
  EXPECT_TRUE(g->screen()->availableGeometry().contains(g->frameGeometry()));
  QTest::qWait(50);  // a frame's redraw
  EXPECT_LE(plot->legend->outerRect().width(), plot->width());
  g->resize(room + QSize(200, 200));  // as a zoom of long ago left it
  g->SetZoom(100);
  EXPECT_TRUE(g->screen()->availableGeometry().contains(g->frameGeometry()));
}

// One window, however often it is asked for; closing it during a run hides
// it and the summary goes on; "Начать" starts it afresh; it goes with the
// main window.
TEST_F(Graphs, OpensOnceAndSurvivesClosingDuringARun) {
  GraphsWindow* g = Install();
  EXPECT_FALSE(g->isVisible());
  Activate();
  QTest::keyClick(form, Qt::Key_G, Qt::ControlModifier);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(g));
  EXPECT_EQ(Open(), g);
  EXPECT_EQ(GraphsWindows(), 1);
  Click(Get<QPushButton>("Command1"));
  ASSERT_TRUE(WaitForSteps(20));
  for (int v = 0; v < GraphsWindow::kReadyViews; ++v) g->ShowView(static_cast<GraphsWindow::View>(v));
  g->close();
  const long before = static_cast<long>(g->Summary().Steps());
  ASSERT_TRUE(WaitForSteps(20));
  EXPECT_GE(g->Summary().Steps(), before + 20);
  EXPECT_EQ(Open(), g);
  EXPECT_TRUE(g->isVisible());
  EXPECT_TRUE(g->DataTable().startsWith(QStringLiteral("T, с\t")));
  QTemporaryDir dir;
  ASSERT_TRUE(g->SavePng(dir.filePath("g.png")) && g->SaveSvg(dir.filePath("g.svg")));
  EXPECT_EQ(QImage(dir.filePath("g.png")).size(), g->Plot()->size());
  QFile svg(dir.filePath("g.svg"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  EXPECT_TRUE(svg.readAll().contains("<svg"));
  Click(Get<QPushButton>("Command1"));
  EXPECT_EQ(g->Summary().Steps(), 0);
  const QPointer<GraphsWindow> alive(g);
  delete form.data();
  EXPECT_TRUE(alive.isNull());
}

}  // namespace
}  // namespace vozaz2::testing
