#include "graphs/GraphsWindow.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSvgGenerator>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>

#include "fonts/ProgramFont.h"
#include "io/Locale.h"
#include "model/NumberText.h"
#include "model/Variant.h"
#include "run/Session.h"
#include "run/Quantities.h"

namespace vozaz2 {

namespace {

constexpr int kFrameMs = 16;  // the display's rate
const QSize kSize(1240, 720);  // the window's size at 100 %
// Drawing may take at most this share of the time; a slow redraw waits the
// longer before the next.
constexpr double kDrawingShare = 0.01;

constexpr const char* kOwnerProperty = "vozaz2GraphsWindow";

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// "MKD2, кг·м²/с": the key with its unit, for the axes and the table.
QString KeyWithUnit(std::size_t q) {
  const Quantity& k = kQuantities[q];
  return k.unit.empty() ? Text(k.key) : Text(k.key) + QStringLiteral(", ") + Text(k.unit);
}

// "момент импульса MKD2, кг·м²/с", for an axis of one quantity.
QString NameWithUnit(std::size_t q) {
  const Quantity& k = kQuantities[q];
  QString label = Text(k.name);
  if (!label.contains(Text(k.key))) label += QStringLiteral(" ") + Text(k.key);
  if (!k.unit.empty()) label += QStringLiteral(", ") + Text(k.unit);
  return label;
}

// A time for a caption: a few digits are enough.
QString Seconds(double t) {
  QString text = QString::number(t, 'g', 6);
  text.replace(u'.', QChar::fromLatin1(DecimalSeparator()));
  return QStringLiteral("T = %1 с").arg(text);
}

// "MKD2 — момент импульса", for a legend.
QString Legend(std::size_t q) { return Text(kQuantities[q].key) + QStringLiteral(" — ") + Text(kQuantities[q].name); }

// An axis for several quantities: "энергия, Дж" when they share a unit,
// else their keys with units.
QString AxisLabel(const std::vector<std::size_t>& qs, const QString& what) {
  if (qs.empty()) return QString();
  if (qs.size() == 1) return NameWithUnit(qs[0]);
  bool same = true;
  for (std::size_t q : qs) same = same && kQuantities[q].unit == kQuantities[qs[0]].unit;
  QStringList parts;
  const std::string_view unit = kQuantities[qs[0]].unit;
  if (same) {
    if (!what.isEmpty()) return unit.empty() ? what : what + QStringLiteral(", ") + Text(unit);
    for (std::size_t q : qs) parts << Text(kQuantities[q].key);
    return unit.empty() ? parts.join(QStringLiteral("; ")) : parts.join(QStringLiteral("; ")) + QStringLiteral(", ") + Text(unit);
  }
  for (std::size_t q : qs) parts << KeyWithUnit(q);
  return parts.join(QStringLiteral("; "));
}

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
  return pen;
}

struct ViewButton {
  GraphsWindow::View view;
  const char* caption;
};
constexpr std::array<ViewButton, GraphsWindow::kReadyViews> kViewButtons = {{
    {GraphsWindow::View::kMomentum, "Момент импульса"},
    {GraphsWindow::View::kEnergy, "Энергия"},
    {GraphsWindow::View::kForces, "Силы"},
    {GraphsWindow::View::kLaw, "Закон: ω от R"},
    {GraphsWindow::View::kEnergyBars, "Энергия: столбцы"},
    {GraphsWindow::View::kMomentumBars, "Момент импульса: столбцы"},
}};

}  // namespace

GraphsWindow::GraphsWindow(Session& session, QWidget* owner)
    : QWidget(nullptr), session_(session), owner_(owner) {
  setObjectName(QStringLiteral("GraphsWindow"));
  setWindowTitle(QStringLiteral("Графики"));
  if (owner) setWindowIcon(owner->windowIcon());
  BuildControls();
  resize(kSize);

  // A window deleted first leaves its follower empty-handed; the owner
  // deletes the window when it goes. The steps reach the history, whose
  // version tells the window to draw again.
  QPointer<GraphsWindow> self(this);
  session_.Follow([self](const Snapshot& snapshot) {
    if (!self) return;
    if (snapshot.event == RunEvent::kStarted || snapshot.event == RunEvent::kRenewed)
      self->OnRunStarted();
    else if (snapshot.event == RunEvent::kTyped)
      self->dirty_ = true;
  });
  OnRunStarted();
  clock_.start();
  ShowView(View::kMomentum);
}

void GraphsWindow::SetZoom(int percent) {
  // What the class reads grows: the axes and the legend. The buttons and
  // the list, which the teacher works, keep their size.
  const QFont font = Enlarged(plot_->font(), percent);
  for (QCPAxis* axis : plot_->axisRect()->axes()) {
    axis->setLabelFont(font);
    axis->setTickLabelFont(font);
  }
  plot_->legend->setFont(font);  // the legend's entries take it at the next redraw
  QSize size = kSize * (percent / 100.0);
  if (const QScreen* where = screen()) size = size.boundedTo(where->availableGeometry().size());
  if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) resize(size);
  Redraw();
}

GraphsWindow::~GraphsWindow() {
  if (owner_) owner_->setProperty(kOwnerProperty, QVariant());
}

void GraphsWindow::BuildControls() {
  plot_ = new QCustomPlot(this);
  plot_->setObjectName(QStringLiteral("Plot"));
  // Lines without smoothing draw several times faster, which is what keeps
  // the window's pace; the saved pictures are smoothed.
  plot_->setNotAntialiasedElements(QCP::aeAll);
  plot_->setPlottingHints(QCP::phFastPolylines | QCP::phCacheLabels);
  plot_->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
  // The legend goes under the axes, in two columns, where it hides no curve.
  plot_->legend->setVisible(true);
  plot_->axisRect()->insetLayout()->take(plot_->legend);
  plot_->plotLayout()->addElement(1, 0, plot_->legend);
  plot_->plotLayout()->setRowStretchFactor(1, 0.001);
  plot_->legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
  plot_->legend->setWrap(2);
  plot_->legend->setBorderPen(Qt::NoPen);
  plot_->legend->setMargins(QMargins(4, 0, 4, 2));
  plot_->axisRect()->setRangeDragAxes({plot_->xAxis}, {plot_->yAxis, plot_->yAxis2});
  plot_->axisRect()->setRangeZoomAxes({plot_->xAxis}, {plot_->yAxis, plot_->yAxis2});
  connect(plot_, &QCustomPlot::mousePress, this, [this] { zoomed_ = true; });
  connect(plot_, &QCustomPlot::mouseWheel, this, [this] { zoomed_ = true; });

  auto* side = new QVBoxLayout;
  side->addWidget(new QLabel(QStringLiteral("Готовые графики:")));
  for (const ViewButton& b : kViewButtons) {
    auto* button = new QPushButton(QString::fromUtf8(b.caption));
    button->setCheckable(true);
    button->setAutoExclusive(true);
    connect(button, &QPushButton::clicked, this, [this, v = b.view] { ShowView(v); });
    side->addWidget(button);
    viewButtons_.push_back(button);
  }
  side->addSpacing(8);
  side->addWidget(new QLabel(QStringLiteral("Свой график:")));
  choice_ = new QListWidget;
  choice_->setObjectName(QStringLiteral("Quantities"));
  choice_->setMinimumWidth(330);
  against_ = new QComboBox;
  against_->setObjectName(QStringLiteral("Against"));
  for (std::size_t q = 0; q < quantity::kQuantityCount; ++q) {
    auto* item = new QListWidgetItem(Legend(q) + (kQuantities[q].unit.empty() ? QString() : QStringLiteral(", ") + Text(kQuantities[q].unit)));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    choice_->addItem(item);
    against_->addItem(q == quantity::kT ? QStringLiteral("по оси X: время T, с") : QStringLiteral("по оси X: ") + KeyWithUnit(q));
  }
  auto custom = [this] {
    std::vector<std::size_t> qs;
    for (int i = 0; i < choice_->count(); ++i)
      if (choice_->item(i)->checkState() == Qt::Checked) qs.push_back(static_cast<std::size_t>(i));
    ShowCustom(qs, static_cast<std::size_t>(std::max(0, against_->currentIndex())));
  };
  connect(choice_, &QListWidget::itemChanged, this, custom);
  connect(against_, &QComboBox::activated, this, custom);
  side->addWidget(choice_, 1);
  side->addWidget(against_);

  auto* buttons = new QHBoxLayout;
  auto add = [&](const QString& caption, const QString& tip, auto action) {
    auto* b = new QPushButton(caption);
    b->setToolTip(tip);
    connect(b, &QPushButton::clicked, this, action);
    buttons->addWidget(b);
  };
  add(QStringLiteral("Весь график"), QStringLiteral("Вернуть масштаб после увеличения и сдвига мышью"),
      [this] { ResetZoom(); });
  buttons->addStretch(1);
  add(QStringLiteral("Копировать таблицу"), QStringLiteral("Данные графика таблицей с табуляциями (Ctrl+C)"),
      [this] { CopyData(); });
  add(QStringLiteral("Копировать картинку"), QStringLiteral("Картинку графика в буфер обмена"),
      [this] { CopyImage(); });
  add(QStringLiteral("Сохранить PNG…"), QString(), [this] { AskFile("png"); });
  add(QStringLiteral("Сохранить SVG…"), QString(), [this] { AskFile("svg"); });

  auto* right = new QVBoxLayout;
  auto* hint = new QLabel(QStringLiteral("Колесо мыши: масштаб, перетаскивание: сдвиг"));
  hint->setEnabled(false);
  right->addWidget(plot_, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(hint);
  bottom->addLayout(buttons, 1);
  right->addLayout(bottom);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(side);
  layout->addLayout(right, 1);

  auto* copy = new QShortcut(QKeySequence::Copy, this);
  connect(copy, &QShortcut::activated, this, [this] { CopyData(); });

  frame_ = new QTimer(this);
  frame_->setInterval(kFrameMs);
  connect(frame_, &QTimer::timeout, this, &GraphsWindow::OnFrame);
}

const RunSummary& GraphsWindow::Summary() const { return session_.History().Summary(); }

void GraphsWindow::OnRunStarted() {
  zoomed_ = false;
  dirty_ = true;
}

void GraphsWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  dirty_ = true;
  frame_->start();
  Redraw();
}

void GraphsWindow::hideEvent(QHideEvent* event) {
  frame_->stop();
  QWidget::hideEvent(event);
}

void GraphsWindow::OnFrame() {
  if (isMinimized() || (!dirty_ && drawnVersion_ == Summary().Version())) return;
  if (clock_.nsecsElapsed() < nextRedrawNs_) return;
  const qint64 t0 = clock_.nsecsElapsed();
  Redraw();
  const qint64 cost = lastRedrawNs_;
  nextRedrawNs_ = t0 + std::max<qint64>(kFrameMs * 1'000'000LL, static_cast<qint64>(cost / kDrawingShare));
}

void GraphsWindow::ShowView(View view) {
  view_ = view;
  const int i = static_cast<int>(view);
  if (i < kReadyViews) viewButtons_[static_cast<std::size_t>(i)]->setChecked(true);
  zoomed_ = false;
  dirty_ = true;
  Redraw();
}

void GraphsWindow::ShowCustom(const std::vector<std::size_t>& quantities, std::size_t x) {
  customQuantities_ = quantities;
  customX_ = x;
  {
    // The list and the axis choice show the graph, whoever asked for it.
    const QSignalBlocker quiet(choice_);
    for (int i = 0; i < choice_->count(); ++i)
      choice_->item(i)->setCheckState(
          std::find(quantities.begin(), quantities.end(), static_cast<std::size_t>(i)) != quantities.end()
              ? Qt::Checked : Qt::Unchecked);
    against_->setCurrentIndex(static_cast<int>(x));
  }
  for (QPushButton* b : viewButtons_) {
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(true);
  }
  view_ = View::kCustom;
  zoomed_ = false;
  dirty_ = true;
  Redraw();
}

void GraphsWindow::ResetZoom() {
  zoomed_ = false;
  dirty_ = true;
  Redraw();
}

void GraphsWindow::Redraw() {
  const qint64 t0 = clock_.nsecsElapsed();
  dirty_ = false;
  drawnVersion_ = Summary().Version();
  ++redraws_;
  plot_->clearPlottables();
  plot_->clearItems();
  barSlots_ = 0;
  plot_->legend->setVisible(true);
  plot_->yAxis2->setVisible(false);
  plot_->yAxis2->setLabel(QString());
  for (QCPAxis* axis : {plot_->xAxis, plot_->yAxis, plot_->yAxis2}) {
    axis->setScaleType(QCPAxis::stLinear);
    axis->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
    axis->setTickLabelRotation(0);
  }
  switch (view_) {
    case View::kMomentum: DrawTimeGraphs({quantity::kMKD1, quantity::kMKD2}, {quantity::kMKDRel}); break;
    case View::kEnergy: DrawTimeGraphs({quantity::kE1, quantity::kE2, quantity::kEVL, quantity::kEL, quantity::kEmg, quantity::kEtr, quantity::kBalance}, {}); break;
    case View::kForces:
      if (SplitDone(session_.Record()))
        DrawTimeGraphs({quantity::kFL, quantity::kFtr, quantity::kFC, quantity::kFL2}, {});
      else
        DrawTimeGraphs({quantity::kFL, quantity::kFtr, quantity::kFC}, {});
      break;
    case View::kLaw: DrawLaw(); break;
    case View::kEnergyBars: DrawEnergyBars(); break;
    case View::kMomentumBars: DrawMomentumBars(); break;
    case View::kCustom:
      if (customX_ == quantity::kT)
        DrawTimeGraphs(customQuantities_, {});
      else
        DrawAgainst(customQuantities_, customX_);
      break;
  }
  if (!zoomed_) {
    plot_->rescaleAxes();
    // A constant quantity would give an empty range: open it a little.
    for (QCPAxis* axis : {plot_->xAxis, plot_->yAxis, plot_->yAxis2}) {
      QCPRange range = axis->range();
      if (axis->scaleType() == QCPAxis::stLogarithmic) {
        axis->setRange(range.lower / 1.25, range.upper * 1.25);
        continue;
      }
      // A quantity that hardly changes (the angular momentum, kept to nine
      // digits) shows as a level line, not as noise spread over the axis:
      // the axis spans at least a tenth of its value.
      const double least = std::max(std::fabs(range.center()) * 0.1, 1e-9);
      const double pad = range.size() >= least ? range.size() * 0.04 : (least - range.size()) / 2;
      if (axis != plot_->xAxis || range.size() == 0)
        axis->setRange(range.lower - pad, range.upper + pad);
      else  // the last bucket's span stands clear of the right edge
        axis->setRange(range.lower - range.size() * 0.01, range.upper + range.size() * 0.01);
    }
    if (barSlots_ > 0) plot_->xAxis->setRange(0.4, barSlots_ + 0.6);
  }
  if (isVisible()) plot_->replot(QCustomPlot::rpImmediateRefresh);
  lastRedrawNs_ = clock_.nsecsElapsed() - t0;
  redrawNs_ += lastRedrawNs_;
}

// Each bucket of steps is drawn as the span from its least to its greatest
// value at its time, joined to the next: the band of the curve, with every
// excursion in it. A bucket of one step is one point.
void GraphsWindow::DrawTimeGraphs(const std::vector<std::size_t>& left, const std::vector<std::size_t>& right) {
  const std::size_t n = Summary().Buckets();
  int turn = 0;
  auto draw = [&](std::size_t q, QCPAxis* valueAxis) {
    QCPGraph* graph = plot_->addGraph(plot_->xAxis, valueAxis);
    graph->setName(Legend(q));
    graph->setPen(PenOf(q, turn++));
    QVector<QCPGraphData> data;
    data.reserve(static_cast<qsizetype>(2 * n));
    for (std::size_t b = 0; b < n; ++b) {
      const double t = Summary().Last(b, quantity::kT), lo = Summary().Min(b, q), hi = Summary().Max(b, q);
      if (!(lo <= hi)) continue;  // nothing finite in the bucket
      data.push_back(QCPGraphData(t, lo));
      if (hi != lo) data.push_back(QCPGraphData(t, hi));
    }
    graph->data()->set(data, true);
  };
  for (std::size_t q : left) draw(q, plot_->yAxis);
  for (std::size_t q : right) draw(q, plot_->yAxis2);
  plot_->xAxis->setLabel(QStringLiteral("время T, с"));
  const QString what = view_ == View::kMomentum  ? QStringLiteral("момент импульса")
                       : view_ == View::kEnergy  ? QStringLiteral("энергия")
                       : view_ == View::kForces  ? QStringLiteral("сила")
                                                 : QString();
  plot_->yAxis->setLabel(AxisLabel(left, what));
  if (!right.empty()) {
    plot_->yAxis2->setVisible(true);
    plot_->yAxis2->setLabel(AxisLabel(right, QString()));
  }
}

// One quantity against another: the last step of each bucket, so that the two
// values of a point belong to one moment.
void GraphsWindow::DrawAgainst(const std::vector<std::size_t>& quantities, std::size_t x) {
  const std::size_t n = Summary().Buckets();
  int turn = 0;
  for (std::size_t q : quantities) {
    auto* curve = new QCPCurve(plot_->xAxis, plot_->yAxis);
    curve->setName(Legend(q));
    curve->setPen(PenOf(q, turn++));
    QVector<QCPCurveData> data;
    data.reserve(static_cast<qsizetype>(n));
    for (std::size_t b = 0; b < n; ++b) {
      const double u = Summary().Last(b, x), v = Summary().Last(b, q);
      if (std::isfinite(u) && std::isfinite(v)) data.push_back(QCPCurveData(static_cast<double>(b), u, v));
    }
    curve->data()->set(data, true);
  }
  plot_->xAxis->setLabel(Text(kQuantities[x].name) + QStringLiteral(" ") + KeyWithUnit(x));
  plot_->yAxis->setLabel(AxisLabel(quantities, QString()));
}

void GraphsWindow::StartValues(double& R1, double& w1) const {
  if (session_.State() != RunState::kIdle) {
    R1 = session_.Record().R1;
    w1 = session_.Record().w1;
    return;
  }
  // Before the first run: the numbers typed for it.
  R1 = session_.Typed()[0];
  w1 = session_.Typed()[1];
}

// The law: w2 against R2 on logarithmic axes, where w = w1·R1²/R² is a
// straight line of slope -2 through the start point. The line is there from
// the start values before the first step; the run's points fall on it as
// long as the angular momentum is kept.
void GraphsWindow::DrawLaw() {
  double R1 = 0, w1 = 0;
  StartValues(R1, w1);
  const std::size_t n = Summary().Buckets();
  double lo = R1, hi = R1;
  QVector<QCPCurveData> points;
  for (std::size_t b = 0; b < n; ++b) {
    const double R = Summary().Last(b, quantity::kR2), w = Summary().Last(b, quantity::kW2);
    if (!(R > 0 && w > 0 && std::isfinite(R) && std::isfinite(w))) continue;  // not on a logarithmic axis
    points.push_back(QCPCurveData(static_cast<double>(b), R, w));
    lo = std::min(lo, R);
    hi = std::max(hi, R);
  }
  for (QCPAxis* axis : {plot_->xAxis, plot_->yAxis}) {
    axis->setScaleType(QCPAxis::stLogarithmic);
    axis->setTicker(QSharedPointer<QCPAxisTickerLog>(new QCPAxisTickerLog));
  }
  if (R1 > 0 && w1 > 0 && std::isfinite(R1) && std::isfinite(w1)) {
    QCPGraph* line = plot_->addGraph();
    line->setName(QStringLiteral("закон: ω = w1·R1²/R², w1 = %1 рад/с, R1 = %2 м")
                      .arg(LocaleNumber(w1), LocaleNumber(R1)));
    line->setPen(QPen(QColor(250, 0, 0), 1, Qt::DashLine));
    QVector<QCPGraphData> data;
    constexpr int kPoints = 33;
    const double from = std::log(lo / 1.5), to = std::log(hi * 1.5);
    for (int i = 0; i < kPoints; ++i) {
      const double R = std::exp(from + (to - from) * i / (kPoints - 1));
      data.push_back(QCPGraphData(R, PredictedOmega(R1, w1, R)));
    }
    line->data()->set(data, true);
  }
  auto* curve = new QCPCurve(plot_->xAxis, plot_->yAxis);
  curve->setName(QStringLiteral("опыт: w2 от R2"));
  curve->setPen(QPen(QColor(0, 0, 250), 1));
  curve->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, 3));
  curve->data()->set(points, true);
  plot_->xAxis->setLabel(QStringLiteral("радиус вращения R2, м (логарифмическая шкала)"));
  plot_->yAxis->setLabel(QStringLiteral("угловая скорость w2, рад/с (логарифмическая шкала)"));
}

double GraphsWindow::LastValue(std::size_t q) const {
  const std::size_t n = Summary().Buckets();
  return n == 0 ? 0.0 : Summary().Last(n - 1, q);
}

namespace {

// One group of bars in one colour, at the given places of the axis.
void AddBars(QCustomPlot* plot, const QString& name, const QColor& colour, const QVector<double>& at,
             const QVector<double>& values) {
  auto* bars = new QCPBars(plot->xAxis, plot->yAxis);
  bars->setName(name);
  bars->setPen(QPen(colour.darker(150)));
  bars->setBrush(colour);
  bars->setWidth(0.6);
  bars->setData(at, values, true);
}

void TextTicks(QCPAxis* axis, const QStringList& labels) {
  QSharedPointer<QCPAxisTickerText> ticker(new QCPAxisTickerText);
  for (qsizetype i = 0; i < labels.size(); ++i) ticker->addTick(static_cast<double>(i + 1), labels[i]);
  axis->setTicker(ticker);
}

}  // namespace

// Where the joules came from (the start energies and the source's work with
// its sign) and where they went (motion, string, height, friction); the last
// bar is what is left over: the error of the solution.
void GraphsWindow::DrawEnergyBars() {
  TextTicks(plot_->xAxis, {QStringLiteral("E1\nдвижение\nв начале"), QStringLiteral("EL1\nнить\nв начале"),
                           QStringLiteral("±EVL\nработа\nисточника"), QStringLiteral("E2\nдвижение"),
                           QStringLiteral("EL2\nнить"), QStringLiteral("Emg\nвысота"),
                           QStringLiteral("Etr\nтрение"), QStringLiteral("баланс\n(ошибка)")});
  AddBars(plot_, QStringLiteral("приход"), QColor(80, 170, 80), {1, 2, 3},
          {LastValue(quantity::kE1), LastValue(quantity::kEL1), LastValue(quantity::kWork)});
  AddBars(plot_, QStringLiteral("где энергия теперь"), QColor(90, 120, 220), {4, 5, 6, 7},
          {LastValue(quantity::kE2), LastValue(quantity::kEL2), LastValue(quantity::kEmg), LastValue(quantity::kEtr)});
  AddBars(plot_, QStringLiteral("баланс ±EVL+E1−E2−EL−Emg−Etr"), QColor(150, 150, 150), {8}, {LastValue(quantity::kBalance)});
  plot_->xAxis->setLabel(Seconds(LastValue(quantity::kT)));
  plot_->yAxis->setLabel(QStringLiteral("энергия, Дж"));
  barSlots_ = 8;
}

// MKD1 beside MKD2 and the parts of MKD2: the dumbbell's orbit and its turn
// about its centre, or after a split each ball's part.
void GraphsWindow::DrawMomentumBars() {
  QStringList labels = {QStringLiteral("MKD1\nв начале"), QStringLiteral("MKD2\nсейчас")};
  QVector<double> at, parts;
  if (SplitDone(session_.Record())) {
    labels << QStringLiteral("шар a") << QStringLiteral("шар b");
    at = {3, 4};
    parts = {LastValue(quantity::kMKDA), LastValue(quantity::kMKDB)};
  } else if (DumbbellRun(session_.Record())) {
    labels << QStringLiteral("орбита\nцентра") << QStringLiteral("вращение\nвокруг центра");
    at = {3, 4};
    parts = {LastValue(quantity::kMKDOrbit), LastValue(quantity::kMKDSpin)};
  }
  TextTicks(plot_->xAxis, labels);
  AddBars(plot_, QStringLiteral("в начале"), QColor(150, 150, 150), {1}, {LastValue(quantity::kMKD1)});
  AddBars(plot_, QStringLiteral("сейчас"), QColor(90, 120, 220), {2}, {LastValue(quantity::kMKD2)});
  if (!at.isEmpty()) AddBars(plot_, QStringLiteral("части MKD2"), QColor(80, 170, 80), at, parts);
  plot_->xAxis->setLabel(Seconds(LastValue(quantity::kT)));
  plot_->yAxis->setLabel(QStringLiteral("момент импульса, кг·м²/с"));
  barSlots_ = static_cast<int>(labels.size());
}

QString GraphsWindow::DataTable() const {
  const QLocale locale;
  auto num = [&locale](double v) { return LocaleNumber(v, locale); };
  QString table;
  const std::size_t n = Summary().Buckets();
  // Every view's table lists, per bucket of steps, its last step's values
  // and, for graphs against time, each quantity's least and greatest value.
  std::vector<std::size_t> qs;
  switch (view_) {
    case View::kMomentum: qs = {quantity::kMKD1, quantity::kMKD2, quantity::kMKDRel}; break;
    case View::kEnergy: qs = {quantity::kE1, quantity::kE2, quantity::kEVL, quantity::kEL, quantity::kEmg, quantity::kEtr, quantity::kBalance}; break;
    case View::kForces: qs = {quantity::kFL, quantity::kFtr, quantity::kFC}; if (SplitDone(session_.Record())) qs.push_back(quantity::kFL2); break;
    case View::kLaw: qs = {quantity::kR2, quantity::kW2}; break;
    case View::kEnergyBars: qs = {quantity::kE1, quantity::kEL1, quantity::kWork, quantity::kE2, quantity::kEL2, quantity::kEmg, quantity::kEtr, quantity::kBalance}; break;
    case View::kMomentumBars: qs = {quantity::kMKD1, quantity::kMKD2, quantity::kMKDOrbit, quantity::kMKDSpin, quantity::kMKDA, quantity::kMKDB}; break;
    case View::kCustom: qs = customQuantities_; if (customX_ != quantity::kT) qs.insert(qs.begin(), customX_); break;
  }
  if (view_ == View::kEnergyBars || view_ == View::kMomentumBars) {
    table = QStringLiteral("T, с\t") + num(LastValue(quantity::kT)) + u'\n';
    for (std::size_t q : qs) table += KeyWithUnit(q) + u'\t' + num(LastValue(q)) + u'\n';
    return table;
  }
  const bool spans = view_ != View::kLaw && !(view_ == View::kCustom && customX_ != quantity::kT);
  QStringList header = {KeyWithUnit(quantity::kT)};
  for (std::size_t q : qs) {
    header << KeyWithUnit(q);
    if (spans) header << Text(kQuantities[q].key) + QStringLiteral(" мин") << Text(kQuantities[q].key) + QStringLiteral(" макс");
  }
  if (view_ == View::kLaw) header << QStringLiteral("w1·R1²/R2², рад/с");
  table = header.join(u'\t') + u'\n';
  double R1 = 0, w1 = 0;
  if (view_ == View::kLaw) StartValues(R1, w1);
  for (std::size_t b = 0; b < n; ++b) {
    QStringList row = {num(Summary().Last(b, quantity::kT))};
    for (std::size_t q : qs) {
      row << num(Summary().Last(b, q));
      if (spans) row << num(Summary().Min(b, q)) << num(Summary().Max(b, q));
    }
    if (view_ == View::kLaw) row << num(PredictedOmega(R1, w1, Summary().Last(b, quantity::kR2)));
    table += row.join(u'\t') + u'\n';
  }
  return table;
}

bool GraphsWindow::SavePng(const QString& file) const {
  plot_->setAntialiasedElements(QCP::aeAll);
  const bool ok = plot_->savePng(file, plot_->width(), plot_->height(), 1.0);
  plot_->setNotAntialiasedElements(QCP::aeAll);
  return ok;
}

bool GraphsWindow::SaveSvg(const QString& file) const {
  QSvgGenerator svg;
  svg.setFileName(file);
  svg.setSize(plot_->size());
  svg.setViewBox(QRect(QPoint(0, 0), plot_->size()));
  svg.setTitle(windowTitle());
  QCPPainter painter;
  if (!painter.begin(&svg)) return false;
  plot_->setAntialiasedElements(QCP::aeAll);
  plot_->toPainter(&painter, plot_->width(), plot_->height());
  plot_->setNotAntialiasedElements(QCP::aeAll);
  return painter.end();
}

void GraphsWindow::CopyImage() const {
  QApplication::clipboard()->setPixmap(plot_->toPixmap(plot_->width(), plot_->height()));
}

void GraphsWindow::CopyData() const { QApplication::clipboard()->setText(DataTable()); }

void GraphsWindow::AskFile(const char* suffix) {
  const QString kind = QString::fromLatin1(suffix);
  const QString file = QFileDialog::getSaveFileName(
      this, QStringLiteral("Сохранить график"), QStringLiteral("график.") + kind,
      QStringLiteral("Картинка (*.%1)").arg(kind));
  if (file.isEmpty()) return;
  if (!(kind == QLatin1String("svg") ? SaveSvg(file) : SavePng(file)))
    QApplication::beep();
}

GraphsWindow* InstallGraphsWindow(QWidget* owner, Session& session) {
  if (auto* window = qobject_cast<GraphsWindow*>(owner->property(kOwnerProperty).value<QObject*>()))
    return window;
  auto* window = new GraphsWindow(session, owner);
  owner->setProperty(kOwnerProperty, QVariant::fromValue<QObject*>(window));
  // The window goes with its owner; it is a window of its own meanwhile, so
  // that either can be in front.
  QObject::connect(owner, &QObject::destroyed, window, [window] { delete window; });
  for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_G), QKeySequence(Qt::Key_F9)}) {
    auto* shortcut = new QShortcut(keys, owner);
    QObject::connect(shortcut, &QShortcut::activated, owner,
                     [owner, &session] { ShowGraphsWindow(owner, session); });
  }
  return window;
}

GraphsWindow* ShowGraphsWindow(QWidget* owner, Session& session) {
  GraphsWindow* window = InstallGraphsWindow(owner, session);
  if (window->isMinimized()) window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace vozaz2
