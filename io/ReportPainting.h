// The report's painting kit: a sheet measured in millimetres, tick values,
// the axes along a screen's frame, legends, tables of rows and headings. It
// paints on any QPainter (PDF, printer, SVG); text needs a QGuiApplication.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <functional>
#include <vector>

#include "io/ReportText.h"

namespace vozaz2::report {

// A drawing area measured in millimetres from its top-left corner.
class Sheet {
 public:
  Sheet(QPainter& p, QPointF origin, double dotsPerMm) : p_(p), origin_(origin), k_(dotsPerMm) {}

  QPainter& Painter() { return p_; }
  double Mm(double v) const { return v * k_; }
  QPointF At(double x, double y) const { return origin_ + QPointF(x * k_, y * k_); }
  QRectF Box(double x, double y, double w, double h) const { return {At(x, y), QSizeF(w * k_, h * k_)}; }

  // The report's typeface at this size.
  void Font(double points, bool bold = false);
  // Text wrapped to the width w; returns the height it took, in mm.
  double Text(double x, double y, double w, const QString& s, int flags = Qt::AlignLeft | Qt::TextWordWrap);
  // One line of text aligned within the box.
  void Label(const QRectF& box, int flags, const QString& s) { p_.drawText(box, flags | Qt::TextDontClip, s); }
  void Pen(const QColor& c, double widthMm, Qt::PenStyle style = Qt::SolidLine);

 private:
  QPainter& p_;
  QPointF origin_;
  double k_;
};

// The painter's device pixels per millimetre.
double Dpmm(QPainter& p);

// Tick values from lo to hi, 1-2-5 times a power of ten apart, about `count`
// of them (none when the range is empty or not finite).
std::vector<double> Ticks(double lo, double hi, int count);

struct LegendItem {
  enum class Mark { kDot, kLine, kRing };
  QColor colour;
  QString text;
  Mark mark = Mark::kDot;
};

// A legend in `columns` columns from (x, y), width w, its items down the
// first column, then the next; returns the height used.
double Legend(Sheet& s, double x, double y, double w, const std::vector<LegendItem>& items, int columns);

// Ticks along the frame of a screen and their values: along x every `xEvery`
// units, the value of unit u being u * xScale; the same for y on the left
// (and on the right when rightScale is given).
struct ScreenAxes {
  double x1, x2, y1, y2;  // user units at the edges (left, right, bottom, top)
  double xScale, xEvery;
  QString xTitle;
  double yScale, yEvery;
  QString yTitle;
  double rightScale = 0;  // 0: no right axis
  QString rightTitle;
};

// The frame of a screen of width x height pixels drawn in screenMm, with its
// axes.
void Axes(Sheet& s, const QRectF& screenMm, const ScreenAxes& a, int width, int height);

// Rows in `columns` columns of width w each, every column as wide as its
// longest label and value; returns the height used.
double Table(Sheet& s, double x, double y, double w, const std::vector<ReadoutRow>& rows, int columns);

// A numbered section's heading; returns the height used with the space after.
double Heading(Sheet& s, double x, double y, double w, const QString& text);

// A page after the first: its sheet, the first page's margins and a numbered
// heading; `body` paints under the heading from (x, y) in the width w (mm).
void OnPage(QPainter& p, const QRectF& page, const QString& heading,
            const std::function<void(Sheet& s, double x, double y, double w)>& body);

}  // namespace vozaz2::report
