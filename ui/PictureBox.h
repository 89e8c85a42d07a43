// A picture box of the main window: a QImage behind a sunken border.
//
// The image is the truth: whatever the program draws goes into the image, and
// paintEvent only copies it to the screen. So a picture survives covering,
// uncovering and resizing, and many drawings between two repaints cost one
// repaint.
#pragma once

#include <QFrame>
#include <QImage>

namespace vozaz2 {

class PictureBox final : public QFrame {
 public:
  // The width of the sunken border, in pixels, on each side.
  static constexpr int kBorder = 2;

  explicit PictureBox(QWidget* parent = nullptr);

  // The image shown at the top-left corner of the drawing area, clipped to
  // it; the rest of the area is white. Not owned; it must outlive the box.
  // An image of several device pixels to a pixel (QImage::devicePixelRatio:
  // a zoomed window, a screen of high density) is shown at its own
  // resolution.
  void SetImage(const QImage* image);
  const QImage* Image() const { return image_; }

  // The pixels `area` of the image (its own pixels) have been drawn on. Cheap enough to call
  // after every drawing operation.
  void ImageChanged(const QRect& area);

  // While a run goes on the window gathers the changed areas and shows them
  // at the display's rate with ShowChanges(), which returns whether it asked
  // for a repaint. Ending the gathering shows what is left.
  void SetGathering(bool on);
  bool ShowChanges();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The image's pixels `pixels` in the box's coordinates from its top-left corner.
  QRect Logical(const QRect& pixels) const;

  const QImage* image_ = nullptr;
  bool gathering_ = false;
  QRect pending_;  // changed pixels of the image not yet asked to be repainted
};

}  // namespace vozaz2
