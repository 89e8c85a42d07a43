// A text box of the main window: a QLineEdit whose text is set at every step
// but laid out for the eye only when the box is painted.
//
// QLineEdit::setText shapes and lays out the new text at once (bidi analysis,
// HarfBuzz shaping, line breaking), some microseconds per box; the readout
// writes about 25 boxes per step, a thousand steps a second. While a box has
// no keyboard focus it therefore keeps its text with no echo, which QLineEdit
// does not lay out, and paints the text itself, at the display's rate. text()
// is exact after every setText either way. With the focus, the box is an
// ordinary line edit: the user sees, selects, edits and copies its text.
//
// A text wider than the box is shown elided: a number keeps its first digits
// and its whole exponent ("3,1…E+32"), any other text its start and end, and
// the whole text is the box's tooltip. Screen readers get the box through its
// own accessible interface (ui/Accessibility.h): its name, and its text
// whether or not it has the focus.
#pragma once

#include <QFontMetrics>
#include <QLineEdit>

namespace vozaz2 {

class AsciiGlyphs;

class TextBox final : public QLineEdit {
 public:
  explicit TextBox(QWidget* parent = nullptr);

  // What the box shows without the focus: its text, or the text elided to
  // fit the box.
  QString ShownText() const;
  // `text` elided to `width` pixels in the metrics `fm`: a number keeps its
  // exponent and its whole part and loses the last digits of its fraction;
  // any other text loses its middle. A text that fits is returned as it is.
  static QString Elided(const QString& text, const QFontMetrics& fm, int width);

  // Screen readers are told of a change of the text at most at the display's
  // rate: the window marks the texts as told when it starts gathering the
  // changes, and tells each change from there at every frame.
  void MarkTold() { told_ = text(); }
  void TellChange();

 protected:
  void changeEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // Where the text starts and how wide it may be, as QLineEdit places it.
  QRect TextArea() const;

  mutable const AsciiGlyphs* glyphs_ = nullptr;  // of the box's font; found at the first paint
  QString told_;                         // the text as screen readers last heard it
};

}  // namespace vozaz2
