#include "apparatus/ApparatusView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "fonts/ProgramFont.h"
#include "model/Variant.h"
#include "run/Session.h"

namespace vozaz2 {

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180;
constexpr int kFontPixels = 13;  // the labels' at 100 %

}  // namespace

ApparatusView::ApparatusView(const Session& session, QWidget* parent) : QWidget(parent), session_(session) {
  setObjectName(QStringLiteral("ApparatusView"));
  setAccessibleName(QStringLiteral("Установка"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(320, 240);
  setCursor(Qt::OpenHandCursor);
  setToolTip(QStringLiteral("Перетаскивание мышью поворачивает установку, колесо приближает"));
  look_.font = ProgramFont(kFontPixels);
  ShowView(ViewKind::kPerspective);
  Restart();
}

void ApparatusView::Restart() {
  frame_ = FrameOf(session_.Record());
  CameraMoved();
}

void ApparatusView::ShowView(ViewKind view) {
  view_ = view;
  const Camera preset = CameraOf(view, 1);
  yaw_ = preset.Yaw();
  pitch_ = preset.Pitch();
  nearer_ = 1;
  CameraMoved();
}

void ApparatusView::SetShown(unsigned arrows) {
  shown_ = arrows;
  update();
}

void ApparatusView::SetZoom(int percent) {
  look_.font = Enlarged(ProgramFont(kFontPixels), percent);
  look_.line = percent / 100.0;
  CameraMoved();
}

void ApparatusView::CameraMoved() {
  fixed_ = QImage();
  update();
}

// The picture's area: the whole view but a line for the time at the top and
// one for the legend at the bottom.
QRectF ApparatusView::PictureArea(QSize size) const {
  const double line = QFontMetricsF(look_.font).height() + 8 * look_.line;
  return QRectF(10 * look_.line, line, size.width() - 20 * look_.line, size.height() - 2 * line);
}

Camera ApparatusView::CameraFor(QSize size) const {
  Camera c = CameraOf(view_, 4 * frame_.size);
  c.Turn(yaw_, pitch_);
  const QRectF area = PictureArea(size);
  Fit(c, frame_.lo, frame_.hi, area.left(), area.top(), area.width(), area.height());
  c.pixelsPerMetre *= nearer_;
  return c;
}

void ApparatusView::PaintFrame(QPainter& painter, QSize size) {
  const QRectF all(QPointF(0, 0), QSizeF(size));
  if (session_.State() == RunState::kIdle) {
    painter.fillRect(all, Qt::white);
    painter.setFont(look_.font);
    painter.drawText(all, Qt::AlignCenter | Qt::TextWordWrap,
                     QStringLiteral("Нажмите «Начать» в главном окне: здесь будет установка в движении."));
    return;
  }
  const Camera camera = CameraFor(size);
  const qreal ratio = painter.device()->devicePixelRatioF();
  if (fixed_.isNull() || fixed_.size() != size * ratio) {
    fixed_ = QImage(size * ratio, QImage::Format_ARGB32_Premultiplied);
    fixed_.setDevicePixelRatio(ratio);
    QPainter layer(&fixed_);
    PaintApparatusFixed(layer, all, camera, frame_, look_);
  }
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(QPointF(0, 0), fixed_);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  const SimRecord& r = session_.Record();
  const Scene scene = SceneOf(ApparatusOf(r), r, frame_, shown_);
  PaintApparatusMoving(painter, all, camera, {scene, frame_, &session_.History().Trail(), shown_, r.T}, look_);
}

void ApparatusView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintFrame(painter, size());
  const QString said = Description();
  if (said != accessibleDescription()) setAccessibleDescription(said);
}

QString ApparatusView::Description() const {
  if (session_.State() == RunState::kIdle) return QStringLiteral("Установка: опыт ещё не начат.");
  const SimRecord& r = session_.Record();
  const Apparatus a = ApparatusOf(r);
  const double vertical = MomentumAbout(a, {0, 0, a.sleeveZ}).whole.z;
  const QString what = a.split      ? QStringLiteral("два шара после разделения вращаются")
                       : a.dumbbell ? QStringLiteral("гантель вращается")
                                    : QStringLiteral("груз вращается");
  return QStringLiteral("Установка: %1 %2 на радиусе %3 м с угловой скоростью %4 рад/с, "
                        "вертикальная часть момента импульса %5 кг·м²/с, в начале %6 кг·м²/с.")
      .arg(what, PlaneRun(r) ? QStringLiteral("в плоскости") : QStringLiteral("по конусу"),
           ShortNumber(r.R, locale()), ShortNumber(AxisOmega(a), locale()), ShortNumber(vertical, locale()),
           ShortNumber(r.MKD1, locale()));
}

void ApparatusView::mousePressEvent(QMouseEvent* event) {
  dragFrom_ = event->position().toPoint();
  setCursor(Qt::ClosedHandCursor);
}

void ApparatusView::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  const QPoint to = event->position().toPoint(), d = to - dragFrom_;
  dragFrom_ = to;
  yaw_ -= d.x() * 0.5 * kDegree;
  pitch_ = std::clamp(pitch_ + d.y() * 0.5 * kDegree, -89 * kDegree, 90 * kDegree);
  CameraMoved();
}

void ApparatusView::mouseReleaseEvent(QMouseEvent*) { setCursor(Qt::OpenHandCursor); }

void ApparatusView::wheelEvent(QWheelEvent* event) {
  nearer_ = std::clamp(nearer_ * std::pow(1.15, event->angleDelta().y() / 120.0), 0.3, 8.0);
  CameraMoved();
}

void ApparatusView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  CameraMoved();
}

}  // namespace vozaz2
