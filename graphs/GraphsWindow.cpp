#include "graphs/GraphsWindow.h"

#include <qcustomplot.h>

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "fonts/ProgramFont.h"
#include "graphs/Exports.h"
#include "graphs/KeptRunsMenu.h"
#include "graphs/Layers.h"
#include "graphs/Renderers.h"
#include "help/ScreenFit.h"
#include "run/Session.h"

namespace vozaz2 {

namespace {

constexpr int kFrameMs = 16;  // the display's rate
const QSize kSize(1240, 720);  // the window's size at 100 %
// Drawing may take at most this share of the time; a slow redraw waits the
// longer before the next.
constexpr double kDrawingShare = 0.01;

}  // namespace

GraphsWindow::GraphsWindow(Session& session, QWidget* owner) : QWidget(nullptr), session_(session) {
  setObjectName(QStringLiteral("GraphsWindow"));
  setWindowTitle(QStringLiteral("Графики"));
  if (owner) setWindowIcon(owner->windowIcon());
  BuildControls();
  FitSize();
  WhenFramed(this, [this] { FitSize(); });  // then the frame's size is known

  // The runs before the current one stay for comparison, each a layer that
  // the menu "Опыты" shows or hides.
  session_.SetKeepRuns(true);
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
  zoom_ = percent;
  const QFont font = Enlarged(plot_->font(), percent);
  for (QCPAxisRect* panel : plot_->axisRects())
    for (QCPAxis* axis : panel->axes()) {
      axis->setLabelFont(font);
      axis->setTickLabelFont(font);
    }
  plot_->legend->setFont(font);  // the legend's entries take it at the redraw
  Redraw();
  FitSize();
}

void GraphsWindow::FitSize() {
  // The window at the zoom, no larger than the screen's free area leaves
  // with its frame.
  if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) FitOnScreen(this, kSize * (zoom_ / 100.0));
}

void GraphsWindow::BuildControls() {
  plot_ = NewPlot(this);
  // The legend, however wide at a zoom, does not widen the window beyond the
  // screen: it takes one column where two do not fit (FitLegend).
  plot_->setMinimumSize(320, 240);
  connect(plot_, &QCustomPlot::mousePress, this, [this] { zoomed_ = true; });
  connect(plot_, &QCustomPlot::mouseWheel, this, [this] { zoomed_ = true; });

  // The buttons under the whole window, where they leave the window narrow
  // enough for a small screen.
  auto* top = new QHBoxLayout;
  top->addLayout(BuildSide());
  top->addWidget(plot_, 1);
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QMenuBar(this);
  keptMenu_ = new KeptRunsMenu(session_.Kept(), this, [this] {
    dirty_ = true;
    Redraw();
  });
  bar->addMenu(keptMenu_->Menu());
  layout->setMenuBar(bar);
  layout->addLayout(top, 1);
  layout->addLayout(BuildBottom());

  auto* copy = new QShortcut(QKeySequence::Copy, this);
  connect(copy, &QShortcut::activated, this, [this] { CopyData(); });

  frame_ = new QTimer(this);
  frame_->setInterval(kFrameMs);
  connect(frame_, &QTimer::timeout, this, &GraphsWindow::OnFrame);
}

// A button for each ready-made view, then the list of the quantities and the
// choice of the horizontal axis for the user's own graph.
QLayout* GraphsWindow::BuildSide() {
  auto* side = new QVBoxLayout;
  side->addWidget(new QLabel(QStringLiteral("Готовые графики:")));
  for (int i = 0; i < kReadyViews; ++i) {
    const auto view = static_cast<View>(i);
    auto* button = new QPushButton(QString::fromUtf8(ReadyView(view).caption));
    button->setCheckable(true);
    button->setAutoExclusive(true);
    connect(button, &QPushButton::clicked, this, [this, view] { ShowView(view); });
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
    auto* item = new QListWidgetItem(Legend(q) + (kQuantities[q].unit.empty() ? QString() : QStringLiteral(", ") + Utf8Text(kQuantities[q].unit)));
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
  return side;
}

// The hint, the zoom's reset and the exports under the plot.
QLayout* GraphsWindow::BuildBottom() {
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
  add(QStringLiteral("Сохранить PNG…"), QString(), [this] { SaveAs(plot_, this, "png"); });
  add(QStringLiteral("Сохранить SVG…"), QString(), [this] { SaveAs(plot_, this, "svg"); });

  auto* hint = new QLabel(QStringLiteral("Колесо мыши: масштаб, перетаскивание: сдвиг"));
  hint->setEnabled(false);
  hint->setWordWrap(true);  // in two lines rather than a window wider than a small screen
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(hint);
  bottom->addLayout(buttons, 1);
  return bottom;
}

const RunSummary& GraphsWindow::Summary() const { return session_.History().Summary(); }

const ViewRow& GraphsWindow::Row() const { return view_ == View::kCustom ? custom_ : ReadyView(view_); }

ViewSource GraphsWindow::Source() const {
  // The law's start point: the run's, or before the first run the numbers
  // typed for it.
  const bool run = session_.State() != RunState::kIdle;
  return ViewSource{.summary = Summary(),
                    .record = session_.Record(),
                    .R1 = run ? session_.Record().R1 : session_.Typed()[0],
                    .w1 = run ? session_.Record().w1 : session_.Typed()[1],
                    .accuracy = &session_.History().AccuracyAccount()};
}

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
  emit Drew(cost);
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
  custom_ = CustomView(quantities, x);
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

void GraphsWindow::Withhold(bool withheld) {
  withheld_ = withheld;
  if (withheld) hide();
}

void GraphsWindow::ShowInFront() {
  if (withheld_) return;
  if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
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
  const std::vector<Layer> layers = ShownLayers(session_.Kept());
  DrawView(plot_, Row(), Source(), !zoomed_, layers);
  if (!layers.empty() && session_.State() != RunState::kIdle)
    NameCurrentRun(plot_, QString::fromStdString(session_.Kept().NameFor(session_.ToSave(session_.Typed()))));
  FitLegend();
  if (isVisible()) plot_->replot(QCustomPlot::rpImmediateRefresh);
  lastRedrawNs_ = clock_.nsecsElapsed() - t0;
  redrawNs_ += lastRedrawNs_;
}

void GraphsWindow::FitLegend() {
  QCPLegend* legend = plot_->legend;
  for (int columns : {2, 1}) {
    legend->setWrap(columns);
    legend->setFillOrder(QCPLayoutGrid::foColumnsFirst, true);
    if (legend->minimumOuterSizeHint().width() <= plot_->width()) break;
  }
}

void GraphsWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  dirty_ = true;  // the legend fits the plot's new width at the next frame
}

QString GraphsWindow::DataTable() const { return vozaz2::DataTable(Row(), Source()); }

bool GraphsWindow::SavePng(const QString& file) const { return vozaz2::SavePng(plot_, file); }

bool GraphsWindow::SaveSvg(const QString& file) const { return vozaz2::SaveSvg(plot_, file, windowTitle()); }

void GraphsWindow::CopyImage() const { vozaz2::CopyImage(plot_); }

void GraphsWindow::CopyData() const { CopyText(DataTable()); }

GraphsWindow* InstallGraphsWindow(QWidget* owner, Session& session) {
  auto* window = new GraphsWindow(session, owner);
  // The window goes with its owner; it is a window of its own meanwhile, so
  // that either can be in front.
  QObject::connect(owner, &QObject::destroyed, window, [window] { delete window; });
  for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_G), QKeySequence(Qt::Key_F9)}) {
    auto* shortcut = new QShortcut(keys, owner);
    QObject::connect(shortcut, &QShortcut::activated, window, &GraphsWindow::ShowInFront);
  }
  return window;
}

}  // namespace vozaz2
