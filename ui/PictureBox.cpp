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
  update(pending_.translated(area.topLeft()) & area);
  pending_ = QRect();
  return true;
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = contentsRect();
  QRect shown;
  if (image_) {
    shown = QRect(area.topLeft(), image_->size()) & area;
    const QRect target = shown & event->rect();
    if (!target.isEmpty()) painter.drawImage(target, *image_, target.translated(-area.topLeft()));
  }
  const QRegion blank = QRegion(area & event->rect()) - shown;
  for (const QRect& r : blank) painter.fillRect(r, Qt::white);
  if (!area.contains(event->rect())) DrawSunkenBorder(painter, rect(), palette());
}

}  // namespace vozaz2
