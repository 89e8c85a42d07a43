// The style of the main window and all its controls.
#pragma once

#include <QStyle>

class QPainter;
class QPalette;
class QRect;

namespace vozaz2 {

// Fusion, fitted to the layout of the main window: 13-pixel check and option
// indicators, classic sunken text boxes and etched frames. One instance for
// the whole program, owned by the application object.
QStyle* WindowStyle();

// The zoom of a window, a factor (1.25 for 125 %), as a property of the
// top-level widget: the style draws indicators and frame titles of the
// window's controls that much larger.
inline constexpr char kZoomProperty[] = "vozaz2Zoom";

// The classic 2-pixel sunken border of text and picture boxes, drawn inside
// `r` with four solid rectangles per ring (the quickest way for the raster
// engine: the result boxes are repainted sixty times a second during a run).
void DrawSunkenBorder(QPainter& painter, const QRect& r, const QPalette& palette);

}  // namespace vozaz2
