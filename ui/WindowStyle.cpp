#include "ui/WindowStyle.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QVariant>
#include <qdrawutil.h>

#include <cmath>

namespace vozaz2 {

namespace {

// The layout was made for a narrow dialog font: option buttons are 13 pixels
// high and "+/- EVL+ E1 - E2 - EL- Emg - Etr" has 153 pixels. The window
// therefore uses one style of its own on every desktop, Fusion with 13-pixel
// check and option indicators, so that every caption fits its control.
//
// Text boxes get the classic 2-pixel sunken border, drawn with plain lines:
// during a run the result boxes are repainted sixty times a second, and
// Fusion's antialiased rounded frame costs more than all the rest of a box.
// The border and the filled inside cover the whole box, so a box can be
// repainted without the window behind it.
// The zoom of the window that holds `widget`; 1 where none is set.
double ZoomOf(const QWidget* widget) {
  if (!widget) return 1;
  const QVariant zoom = widget->window()->property(kZoomProperty);
  return zoom.isValid() ? zoom.toDouble() : 1;
}

int Zoomed(int pixels, const QWidget* widget) {
  return static_cast<int>(std::lround(pixels * ZoomOf(widget)));
}

class Form1Style final : public QProxyStyle {
 public:
  Form1Style() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    switch (metric) {
      case PM_IndicatorWidth:
      case PM_IndicatorHeight:
      case PM_ExclusiveIndicatorWidth:
      case PM_ExclusiveIndicatorHeight:
        return Zoomed(13, widget);
      case PM_CheckBoxLabelSpacing:
      case PM_RadioButtonLabelSpacing:
        return Zoomed(4, widget);
      case PM_DefaultFrameWidth:
        if (qobject_cast<const QLineEdit*>(widget)) return 2;
        return QProxyStyle::pixelMetric(metric, option, widget);
      default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
  }

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element == PE_PanelLineEdit) {
      if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option)) {
        const int w = frame->lineWidth;
        painter->fillRect(option->rect.adjusted(w, w, -w, -w), option->palette.brush(QPalette::Base));
        if (w > 0) proxy()->drawPrimitive(PE_FrameLineEdit, option, painter, widget);
        return;
      }
    }
    if (element == PE_FrameLineEdit) {
      DrawSunkenBorder(*painter, option->rect, option->palette);
      return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }

  // Frames in the classic way: an etched rectangle whose top edge runs through
  // the middle of the title, the title a little in from the left. (Fusion's
  // frame starts below the whole title and would cut through the option
  // buttons, which stand 13 pixels from the frame's top.)
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override {
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !box) {
      QProxyStyle::drawComplexControl(control, option, painter, widget);
      return;
    }
    const QRect title = subControlRect(CC_GroupBox, option, SC_GroupBoxLabel, widget);
    const QRect frame = subControlRect(CC_GroupBox, option, SC_GroupBoxFrame, widget);
    qDrawShadeRect(painter, frame, option->palette, true, 1, 0);
    if (!box->text.isEmpty()) {
      painter->fillRect(title, option->palette.window());
      proxy()->drawItemText(painter, title, Qt::AlignCenter | Qt::TextShowMnemonic, option->palette,
                            option->state & State_Enabled, box->text, QPalette::WindowText);
    }
  }

  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                       SubControl sub, const QWidget* widget) const override {
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !box)
      return QProxyStyle::subControlRect(control, option, sub, widget);
    const QFontMetrics& fm = option->fontMetrics;
    switch (sub) {
      case SC_GroupBoxLabel:
        if (box->text.isEmpty()) return {};
        return {Zoomed(kTitleIndent, widget), 0, fm.horizontalAdvance(box->text) + 2 * Zoomed(kTitlePad, widget),
                fm.height()};
      case SC_GroupBoxFrame:
        return option->rect.adjusted(0, fm.height() / 2, 0, 0);
      case SC_GroupBoxContents:
        return option->rect.adjusted(2, fm.height(), -2, -2);
      default:
        return QProxyStyle::subControlRect(control, option, sub, widget);
    }
  }

  static constexpr int kTitleIndent = 5, kTitlePad = 2;
};

}  // namespace

void DrawSunkenBorder(QPainter& painter, const QRect& r, const QPalette& palette) {
  if (r.width() < 4 || r.height() < 4) return;
  const int x = r.x(), y = r.y(), w = r.width(), h = r.height();
  // Outer ring: dark above and left, light below and right.
  painter.fillRect(x, y, w - 1, 1, palette.dark());
  painter.fillRect(x, y + 1, 1, h - 2, palette.dark());
  painter.fillRect(x, y + h - 1, w, 1, palette.light());
  painter.fillRect(x + w - 1, y, 1, h - 1, palette.light());
  // Inner ring: shadow above and left, midlight below and right.
  painter.fillRect(x + 1, y + 1, w - 3, 1, palette.shadow());
  painter.fillRect(x + 1, y + 2, 1, h - 4, palette.shadow());
  painter.fillRect(x + 1, y + h - 2, w - 2, 1, palette.midlight());
  painter.fillRect(x + w - 2, y + 1, 1, h - 3, palette.midlight());
}

QStyle* WindowStyle() {
  static QPointer<QStyle> style;
  if (!style) {
    style = new Form1Style;
    style->setParent(qApp);
  }
  return style;
}

}  // namespace vozaz2
