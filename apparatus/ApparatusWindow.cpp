#include "apparatus/ApparatusWindow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "run/Session.h"

namespace vozaz2 {

namespace {

constexpr int kFrameMs = 16;  // the display's rate
const QSize kSize(900, 760);  // the window at 100 %: a 900 x 700 picture and the bar
// Drawing may take at most this share of the time; a slow frame waits the
// longer before the next.
// The main window makes up the steps a frame held up (Form1::TookDrawing),
// so the share decides only how much of the machine the picture takes.
constexpr double kDrawingShare = 0.06;

struct ArrowChoice {
  Arrow arrow;
  const char* caption;
  const char* tip;
};
constexpr ArrowChoice kArrowChoices[] = {
    {Arrow::kOmega, "ω", "Угловая скорость, вдоль оси"},
    {Arrow::kMomentum, "L", "Момент импульса относительно точки втулки, весь"},
    {Arrow::kVertical, "Lz и MKD1", "Вертикальная часть момента импульса (MKD2) и её значение в начале (MKD1)"},
    {Arrow::kVelocity, "v", "Скорость груза (каждого шара)"},
    {Arrow::kForce, "F нити", "Сила натяжения нити (и второй нити) на груз"},
    {Arrow::kParts, "части L гантели", "Момент импульса гантели: движение центра и вращение вокруг центра"},
};

}  // namespace

ApparatusWindow::ApparatusWindow(Session& session, QWidget* owner) : QWidget(nullptr), session_(session) {
  setObjectName(QStringLiteral("ApparatusWindow"));
  setWindowTitle(QStringLiteral("Установка"));
  if (owner) setWindowIcon(owner->windowIcon());
  view_ = new ApparatusView(session, this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(BuildBar());
  layout->addWidget(view_, 1);
  resize(kSize);

  frame_ = new QTimer(this);
  frame_->setInterval(kFrameMs);
  connect(frame_, &QTimer::timeout, this, &ApparatusWindow::OnFrame);
  clock_.start();
  // A window deleted first leaves its follower empty-handed; the owner
  // deletes the window when it goes.
  QPointer<ApparatusWindow> self(this);
  session_.Follow([self](const Snapshot& snapshot) {
    if (!self) return;
    if (snapshot.event == RunEvent::kStarted || snapshot.event == RunEvent::kRenewed) self->view_->Restart();
    self->dirty_ = true;
  });
}

// The views at one click, then the vectors' switches.
QLayout* ApparatusWindow::BuildBar() {
  auto* bar = new QHBoxLayout;
  const std::pair<ViewKind, QString> views[] = {{ViewKind::kPerspective, QStringLiteral("Перспектива")},
                                                {ViewKind::kSide, QStringLiteral("Сбоку")},
                                                {ViewKind::kTop, QStringLiteral("Сверху")}};
  for (const auto& [view, caption] : views) {
    auto* b = new QPushButton(caption);
    b->setCheckable(true);
    b->setAutoExclusive(true);
    b->setChecked(view == ViewKind::kPerspective);
    connect(b, &QPushButton::clicked, this, [this, v = view] { ShowView(v); });
    bar->addWidget(b);
    viewButtons_.push_back(b);
  }
  bar->addSpacing(12);
  bar->addWidget(new QLabel(QStringLiteral("Стрелки:")));
  for (const ArrowChoice& c : kArrowChoices) {
    auto* box = new QCheckBox(QString::fromUtf8(c.caption));
    box->setToolTip(QString::fromUtf8(c.tip));
    box->setChecked(true);
    connect(box, &QCheckBox::toggled, this, &ApparatusWindow::ArrowsChosen);
    bar->addWidget(box);
    arrowBoxes_.push_back(box);
  }
  bar->addStretch(1);
  return bar;
}

void ApparatusWindow::ArrowsChosen() {
  unsigned shown = 0;
  for (std::size_t i = 0; i < arrowBoxes_.size(); ++i)
    if (arrowBoxes_[i]->isChecked()) shown |= ArrowBit(kArrowChoices[i].arrow);
  view_->SetShown(shown);
  dirty_ = true;
}

void ApparatusWindow::ShowView(ViewKind view) {
  viewButtons_[static_cast<std::size_t>(view)]->setChecked(true);
  view_->ShowView(view);
  dirty_ = true;
}

void ApparatusWindow::ShowInFront() {
  if (withheld_) return;
  if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

void ApparatusWindow::Withhold(bool withheld) {
  withheld_ = withheld;
  if (withheld) hide();
}

void ApparatusWindow::SetZoom(int percent) {
  view_->SetZoom(percent);
  QSize size = kSize * (percent / 100.0);
  if (const QScreen* where = screen()) size = size.boundedTo(where->availableGeometry().size());
  if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) resize(size);
  dirty_ = true;
}

void ApparatusWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  dirty_ = true;
  frame_->start();
}

void ApparatusWindow::hideEvent(QHideEvent* event) {
  frame_->stop();
  QWidget::hideEvent(event);
}

// A frame when the run has moved and its time has come: painted and sent to
// the screen at once, so that its whole cost is measured and paces the next.
void ApparatusWindow::OnFrame() {
  if (isMinimized() || !dirty_) return;
  const qint64 t0 = clock_.nsecsElapsed();
  if (t0 < nextFrameNs_) return;
  dirty_ = false;
  view_->repaint();
  const qint64 cost = clock_.nsecsElapsed() - t0;
  ++frames_;
  frameNs_ += cost;
  emit Drew(cost);
  nextFrameNs_ = t0 + std::max<qint64>(kFrameMs * 1'000'000LL, static_cast<qint64>(cost / kDrawingShare));
}

ApparatusWindow* InstallApparatusWindow(QWidget* owner, Session& session) {
  auto* window = new ApparatusWindow(session, owner);
  QObject::connect(owner, &QObject::destroyed, window, [window] { delete window; });
  // The keys work wherever the focus is in the owner; Ctrl+U would be a
  // text box's (it clears the box).
  new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_I), owner, window, &ApparatusWindow::ShowInFront);
  new QShortcut(QKeySequence(Qt::Key_F7), owner, window, &ApparatusWindow::ShowInFront);
  return window;
}

}  // namespace vozaz2
