// A recorded screen (run/DrawingRecord.h) drawn again: at its own size pixel
// for pixel, or with a QPainter at any size on any paint device (an image,
// a PDF page, a printer, an SVG file).
#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>

#include "run/DrawingRecord.h"
#include "run/PixelSurface.h"

class QPainter;

namespace vozaz2 {

inline QColor ToQColor(Colour c) { return QColor(c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff); }

// The screen's own picture: the record replayed through the screen's pixel
// code, so it equals what the screen shows.
QImage ScreenImage(const DrawingRecord& record);
QImage ToImage(const PixelSurface& pixels);

// How the drawings look when drawn larger. Sizes are in screen pixels: a
// point is a square of pointSize, lines and circles are drawn lineWidth wide
// (0: one pixel of the device, whatever its resolution). A point snapped to
// its pixel fills that pixel's place, as on the screen; otherwise it sits
// where it was computed (the record keeps one point per pixel, so its dots
// must be larger than a pixel to join into a curve).
struct PictureStyle {
  double pointSize = 1;
  double lineWidth = 1;
  bool antialias = false;
  bool snapPoints = false;
};
// The screen enlarged: points fill their pixels, lines and circles as thick
// as on the screen but drawn smooth along their true course.
inline constexpr PictureStyle kScreenLook{1, 1, false, true};
// For paper: curves of slightly larger dots, thinner lines, smoothed.
inline constexpr PictureStyle kPaperLook{1.5, 0.45, true, false};

// Draws the record into `target` (device coordinates): the screen's white
// background, then every kept drawing in order, clipped to the target. The
// screen's pixel centres are spread evenly over the target.
void PaintScreen(QPainter& painter, const DrawingRecord& record, const QRectF& target,
                 const PictureStyle& style);

// The screen at `zoom` times its size in each direction; zoom 1 gives
// ScreenImage.
QImage ZoomedScreen(const DrawingRecord& record, int zoom, const PictureStyle& style = kScreenLook);

}  // namespace vozaz2
