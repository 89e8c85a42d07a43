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
#pragma once

#include <QLineEdit>

namespace vozaz2 {

class AsciiGlyphs;

class TextBox final : public QLineEdit {
 public:
  explicit TextBox(QWidget* parent = nullptr);

 protected:
  void changeEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  const AsciiGlyphs* glyphs_ = nullptr;  // of the box's font; found at the first paint
};

}  // namespace vozaz2
