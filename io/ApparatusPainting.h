// The apparatus painted with a QPainter, through a camera, from its scene
// (run/ApparatusScene.h): the same picture in the window "Установка", in a
// benchmark's image, and as a vector figure of the report (PDF, SVG).
// Needs a QGuiApplication for its text; no display.
#pragma once

#include <QFont>
#include <QLocale>
#include <QRectF>
#include <QString>
#include <QStringList>

#include "run/ApparatusScene.h"
#include "run/Trail.h"

class QPainter;

namespace vozaz2 {

struct ApparatusLook {
  QFont font;           // of the labels
  double line = 1;      // a thin line's width in device pixels; the rest in proportion
  QLocale locale;       // of the numbers
  bool legend = true;   // the scales of the vectors written under the picture
};

struct ApparatusPicture {
  const Scene& scene;
  const SceneFrame& frame;
  const Trail* trail = nullptr;  // none: no path
  unsigned shown = kAllArrows;   // which vectors the legend states
  double time = 0;               // T, s, written in a corner
};

// Paints the picture in `area` (device pixels) on a white ground, clipped to
// it; the camera is already fitted to the area.
void PaintApparatus(QPainter& p, const QRectF& area, const Camera& camera, const ApparatusPicture& picture,
                    const ApparatusLook& look);
// The same in two layers, for a view that keeps the first while the camera
// stands: the white ground, the table or the stand's foot, the start circle,
// the axis, the column with its beam and the drive; then everything that
// moves over it, with the labels, the time and the legend.
void PaintApparatusFixed(QPainter& p, const QRectF& area, const Camera& camera, const SceneFrame& frame,
                         const ApparatusLook& look);
void PaintApparatusMoving(QPainter& p, const QRectF& area, const Camera& camera, const ApparatusPicture& picture,
                          const ApparatusLook& look);

// A number with three significant figures in the locale's notation.
QString ShortNumber(double v, const QLocale& locale);

// What an arrow's label says: its symbol, its value and unit
// ("L = 10,6 кг·м²/с").
QString ArrowLabel(const DrawnArrow& arrow, const QLocale& locale);

// The legend: the scale of each vector shown, as metres of arrow for so
// many units of its quantity.
QString ScaleLegend(const SceneFrame& frame, unsigned shown, const QLocale& locale);

}  // namespace vozaz2
