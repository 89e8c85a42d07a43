// The projector zoom of the main window (Form1, "Вид" > "Масштаб"): the form
// at 100, 125, 150 or 200 %, or at whatever zoom fits it to the window ("По
// размеру окна", which full screen uses), controls, fonts and screens
// together, and the screens drawn at the resolution they are shown in.
//
// The window takes the form's size at its zoom, no larger than the screen's
// free area leaves with the window's frame; the frame is known once the
// window system has shown the window, which fits it again then.
//
// Every control keeps its place in the form, in twips, and its size; the
// zoom multiplies both, and the font's pixel size with them, so each caption
// keeps the room it had. Borders stay two pixels: the classic sunken edge
// reads well at any size. The screens keep their own pixels (what a run's
// pictures, reports and tests are made of) and are drawn a second time at
// the zoom times the display's device pixel ratio (ZoomedSurface), from
// their record when the zoom or the display changes, then drawing by
// drawing as the run goes on.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <cmath>

#include "fonts/ProgramFont.h"
#include "help/Form2.h"
#include "help/ScreenFit.h"
#include "help/Twips.h"
#include "ui/Form1.h"
#include "ui/Form1Layout.h"
#include "ui/ModeButtons.h"
#include "ui/PictureBox.h"
#include "ui/TextBox.h"
#include "ui/WindowStyle.h"
#include "ui/artwork/Artwork.h"

namespace vozaz2 {

namespace {

constexpr int kZooms[] = {100, 125, 150, 200};
// The zooms that fitting the form to its window may choose.
constexpr int kLeastFit = 50, kMostFit = 400;

}  // namespace

QList<int> Form1::Zooms() { return {std::begin(kZooms), std::end(kZooms)}; }

void Form1::BuildZoomMenu() {
  ZoomMenu = new QMenu(QStringLiteral("&Масштаб"), this);
  ZoomMenu->setObjectName(QStringLiteral("ZoomMenu"));
  auto* group = new QActionGroup(this);
  for (int percent : kZooms) {
    QAction* action = ZoomMenu->addAction(QStringLiteral("%1 %").arg(percent));
    action->setCheckable(true);
    action->setChecked(percent == zoom_);
    action->setData(percent);
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, percent] { SetZoom(percent); });
  }
  fitAction_ = ZoomMenu->addAction(QStringLiteral("По &размеру окна"));
  fitAction_->setObjectName(QStringLiteral("FitZoomAction"));
  fitAction_->setCheckable(true);
  fitAction_->setData(0);
  group->addAction(fitAction_);
  connect(fitAction_, &QAction::triggered, this, [this] { FitZoomToWindow(); });
  ZoomMenu->addSeparator();
  // The keys work wherever the focus is in the window. Ctrl+= is Ctrl++
  // without the Shift key on most keyboards; both enlarge.
  auto command = [this](const char* text, QList<QKeySequence> keys, auto slot) {
    QAction* action = ZoomMenu->addAction(QString::fromUtf8(text), this, slot);
    action->setShortcuts(keys);
    addAction(action);
  };
  command("&Крупнее", {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)},
          [this] { StepZoom(+1); });
  command("&Мельче", {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, [this] { StepZoom(-1); });
  command("&Обычный размер", {QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] { SetZoom(100); });

  // The form on the whole screen, fitted to it, for a projector; F11 again,
  // or Escape, brings the window back at the zoom it had (see SetUpKeyboard
  // and event).
  FullScreenAction = new QAction(QStringLiteral("Во &весь экран"), this);
  FullScreenAction->setObjectName(QStringLiteral("FullScreenAction"));
  FullScreenAction->setCheckable(true);
  FullScreenAction->setShortcut(QKeySequence(Qt::Key_F11));
  addAction(FullScreenAction);
  connect(FullScreenAction, &QAction::toggled, this, [this](bool on) { SetFullScreen(on); });

  // Once the window system has framed and placed the window, its frame is
  // known, and so is the place beside it for a lesson opened with it.
  WhenFramed(this, [this] {
    FitToForm();
    if (lesson_) PlaceLesson();
    if (!taskPanel_.isNull()) PlaceTask();
  });
}

void Form1::SetFullScreen(bool on) {
  if (on) {
    if (!isFullScreen()) beforeFullScreen_ = {zoom_, fit_};
    setWindowState(windowState() | Qt::WindowFullScreen);
    FitZoomToWindow();
    return;
  }
  setWindowState(windowState() & ~Qt::WindowFullScreen);
  if (beforeFullScreen_.fit)
    FitZoomToWindow();
  else
    SetZoom(beforeFullScreen_.zoom);
}

void Form1::StepZoom(int direction) {
  // The next of the zooms above or below the current one, which may be a
  // fitted zoom between them.
  const QList<int> zooms = Zooms();
  if (direction > 0) {
    for (int percent : zooms)
      if (percent > zoom_) return (void)SetZoom(percent);
  } else {
    for (qsizetype at = zooms.size() - 1; at >= 0; --at)
      if (zooms[at] < zoom_) return (void)SetZoom(zooms[at]);
  }
}

bool Form1::SetZoom(int percent) {
  if (!Zooms().contains(percent)) return false;
  fit_ = false;
  ApplyZoom(percent);
  return true;
}

void Form1::FitZoomToWindow() {
  fit_ = true;
  ApplyZoom(FittingZoom());
  // The menu bar's height at a zoom is foreseen from its font; should it
  // come out taller, one per cent less.
  while (zoom_ > kLeastFit &&
         (area_->width() > width() || MenuBar->sizeHint().height() + area_->height() + state_->sizeHint().height() > height()))
    ApplyZoom(zoom_ - 1);
}

void Form1::ApplyZoom(int percent) {
  for (QAction* action : ZoomMenu->actions())
    if (action->isCheckable()) action->setChecked(fit_ ? action == fitAction_ : action->data().toInt() == percent);
  if (percent == zoom_) return;
  zoom_ = percent;
  LayOut();
  ShowScreens();
  if (Form2* help = HelpWindow()) help->SetZoom(zoom_);  // the help window follows
  emit ZoomChanged(zoom_);
}

int Form1::FittingZoom() const {
  const QSize room = size();
  const QFont menuFont = QApplication::font(MenuBar);
  const int barPadding = MenuBar->sizeHint().height() - QFontMetrics(MenuBar->font()).height();
  const int stateLine = state_->sizeHint().height();  // in the menus' font, which no zoom changes
  return LargestFitting(kLeastFit, kMostFit, [&](int percent) {
    const int bar = QFontMetrics(Enlarged(menuFont, percent)).height() + barPadding;
    return ZoomedPixels(kClientWidthTwips, percent) <= room.width() &&
           bar + ZoomedPixels(kClientHeightTwips, percent) + stateLine <= room.height();
  });
}

void Form1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // Fitted to the window, the form follows its size, once for a burst of
  // resizes.
  if (!fit_ || refitPending_) return;
  refitPending_ = true;
  QTimer::singleShot(0, this, [this] {
    refitPending_ = false;
    if (fit_) FitZoomToWindow();
  });
}

int Form1::Zoomed(int twips) const { return ZoomedPixels(twips, zoom_); }

void Form1::LayOut() {
  setProperty(kZoomProperty, zoom_ / 100.0);  // the style's indicators and frame titles
  setFont(WindowFont(zoom_));
  const QFont menuFont = Enlarged(QApplication::font(MenuBar), zoom_);
  MenuBar->setFont(menuFont);
  for (QMenu* menu : findChildren<QMenu*>()) menu->setFont(menuFont);

  if (lesson_) ZoomLesson();

  area_->setFixedSize(Zoomed(kClientWidthTwips), Zoomed(kClientHeightTwips));
  for (const Form1Control& c : kForm1Layout) {
    QWidget* w = findChild<QWidget*>(QString::fromLatin1(c.name));
    QRect r(Zoomed(c.left), Zoomed(c.top), Zoomed(c.width), Zoomed(c.height));
    // A picture box holds its picture at the zoom exactly, inside a border
    // that keeps its width.
    if (dynamic_cast<PictureBox*>(w)) {
      const int border = 2 * PictureBox::kBorder;
      r.setSize(QSize(static_cast<int>(std::lround((Pixels(c.width) - border) * zoom_ / 100.0)) + border,
                      static_cast<int>(std::lround((Pixels(c.height) - border) * zoom_ / 100.0)) + border));
    }
    w->setGeometry(r);
    w->update();
  }
  FitToForm();
}

void Form1::FitToForm() {
  // Fitted to the window, the window's size is the user's.
  if (fit_ || (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) return;
  // No larger than the screen, frame and all: what does not fit is scrolled to.
  FitOnScreen(this, QSize(area_->width(), MenuBar->sizeHint().height() + area_->height() + state_->sizeHint().height()));
}

void Form1::ZoomLesson() {
  const QFont font = Enlarged(QApplication::font(), zoom_);
  lesson_->setFont(font);
  QFont title = Enlarged(font, 120);  // the lesson's title a little larger, in bold
  title.setBold(true);
  lesson_->findChild<QLabel*>(QStringLiteral("LessonTitle"))->setFont(title);
}

void Form1::PlaceLesson() {
  const QMargins frame = FrameMargins(lesson_);  // as the main window's, before it is shown
  const double zoom = zoom_ / 100.0;
  const QRect placed = PlaceBeside((QSize(480, 360) * zoom).grownBy(frame), (QSize(240, 180) * zoom).grownBy(frame),
                                   frameGeometry(), ScreenRoom(this));
  lesson_->resize(placed.size().shrunkBy(frame));
  lesson_->move(placed.topLeft());  // a window's position is that of its frame
}

void Form1::ShowScreens() {
  screensRatio_ = devicePixelRatioF();
  const double scale = zoom_ / 100.0 * screensRatio_;

  apparatus_ = ApparatusPicture(scale);
  apparatus_.setDevicePixelRatio(screensRatio_);
  Picture(1)->SetImage(&apparatus_);

  struct Screen {
    ImageSurface& own;
    TeeSurface& tee;
    std::unique_ptr<ZoomedSurface>& zoomed;
    const DrawingRecord& record;
    PictureBox* box;
  };
  for (const Screen& s : {Screen{picture2Surface_, picture2Screen_, picture2Zoomed_, session_->OscillogramDrawings(), Picture(2)},
                          Screen{picture3Surface_, picture3Screen_, picture3Zoomed_, session_->PathDrawings(), Picture(3)}}) {
    PictureBox* box = s.box;
    if (scale == 1) {
      s.tee.SetSecond(nullptr);
      s.own.changed = [box](const QRect& area) { box->ImageChanged(area); };
      box->SetImage(&s.own.Image());
      s.zoomed.reset();
      continue;
    }
    auto zoomed = std::make_unique<ZoomedSurface>(s.record.Width(), s.record.Height(), scale);
    zoomed->Image().setDevicePixelRatio(screensRatio_);
    s.record.Replay(*zoomed);
    zoomed->changed = [box](const QRect& area) { box->ImageChanged(area); };
    s.own.changed = nullptr;
    s.tee.SetSecond(zoomed.get());
    box->SetImage(&zoomed->Image());
    s.zoomed = std::move(zoomed);
  }
}

}  // namespace vozaz2
