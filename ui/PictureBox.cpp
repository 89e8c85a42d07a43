#include "ui/PictureBox.h"

#include <QPaintEvent>
#include <QPainter>

#include "ui/FpFlags.h"
#include "ui/WindowStyle.h"

namespace vozaz2 {

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
  // The classic 2-pixel sunken border of a picture box (paintEvent draws it).
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  Q_ASSERT(frameWidth() == kBorder);
  // paintEvent covers every pixel, so nothing behind the box need be drawn.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::SetImage(const QImage* image) {
  image_ = image;
  update();
}

void PictureBox::ImageChanged(const QRect& area) {
  pending_ |= area;
  if (!gathering_) ShowChanges();
}

void PictureBox::SetGathering(bool on) {
  if (on == gathering_) return;
  gathering_ = on;
  if (!on) ShowChanges();
}

bool PictureBox::ShowChanges() {
  if (pending_.isEmpty()) return false;
  // Called in the middle of a step, between the step's own checks of the
  // floating-point status flags: whatever Qt does here must not touch them.
  const KeepFpFlags keep;
  const QRect area = contentsRect();
  update(Logical(pending_).translated(area.topLeft()) & area);
  pending_ = QRect();
  return true;
}

QRect PictureBox::Logical(const QRect& pixels) const {
  const qreal ratio = image_ ? image_->devicePixelRatio() : 1;
  if (ratio == 1) return pixels;
  return QRectF(QPointF(pixels.topLeft()) / ratio, QSizeF(pixels.size()) / ratio).toAlignedRect();
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = contentsRect();
  QRect shown;
  if (image_) {
    shown = QRect(area.topLeft(), Logical(image_->rect()).size()) & area;
    const QRect target = shown & event->rect();
    const qreal ratio = image_->devicePixelRatio();
    const QRectF source(QPointF(target.topLeft() - area.topLeft()) * ratio, QSizeF(target.size()) * ratio);
    if (!target.isEmpty()) painter.drawImage(target, *image_, source);
  }
  const QRegion blank = QRegion(area & event->rect()) - shown;
  for (const QRect& r : blank) painter.fillRect(r, Qt::white);
  if (!area.contains(event->rect())) DrawSunkenBorder(painter, rect(), palette());
}

}  // namespace vozaz2
