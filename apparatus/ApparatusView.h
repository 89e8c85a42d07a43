// The picture of the apparatus in the window "Установка": the scene of the
// step a session stands at (run/ApparatusScene.h) painted through a camera
// (io/ApparatusPainting.h). Dragging turns it, the wheel brings it nearer;
// ShowView sets the perspective, the side or the top view at once.
//
// What does not move while the camera stands (the ground, the start circle,
// the column and the drive) is painted once into an image and copied into
// every frame; the rest is painted anew. It paints only when told (the
// window paces it), and tells a screen reader in one sentence what it shows.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include "io/ApparatusPainting.h"
#include "run/ApparatusScene.h"

namespace vozaz2 {

class Session;

class ApparatusView final : public QWidget {
  Q_OBJECT

 public:
  ApparatusView(const Session& session, QWidget* parent);

  // A new run: the scales and the box of its start.
  void Restart();
  void ShowView(ViewKind view);
  ViewKind CurrentView() const { return view_; }
  void SetShown(unsigned arrows);
  unsigned Shown() const { return shown_; }
  // The texts and lines at `percent` % of their size.
  void SetZoom(int percent);

  // The camera as the next frame uses it, for a picture of `size`.
  Camera CameraFor(QSize size) const;
  // The frame in `painter` over `size` (device-independent pixels).
  void PaintFrame(QPainter& painter, QSize size);
  // The sentence for a screen reader: the load's radius, ω, the vertical
  // part of the angular momentum and its value at the start.
  QString Description() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CameraMoved();
  QRectF PictureArea(QSize size) const;

  const Session& session_;
  SceneFrame frame_;
  ViewKind view_ = ViewKind::kPerspective;
  double yaw_ = 0, pitch_ = 0;  // the view's angles, turned by dragging
  double nearer_ = 1;           // the wheel's magnification
  unsigned shown_ = kAllArrows;
  ApparatusLook look_;
  QPoint dragFrom_;
  QImage fixed_;  // the parts that stand while the camera does; null: to paint
};

}  // namespace vozaz2
