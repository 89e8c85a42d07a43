#include "ui/TextBox.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QRawFont>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionFrame>
#include <array>

namespace vozaz2 {

namespace {

// QLineEdit's own margin between the contents rectangle and the text.
constexpr int kHorizontalMargin = 2;

// The glyphs of the printable ASCII characters in one font, so that a number
// is drawn without shaping it again at every paint: its glyphs simply follow
// one another by their advances (the window's font has no kerning, so this is
// where QLineEdit itself places them).
}  // namespace

class AsciiGlyphs {
 public:
  explicit AsciiGlyphs(const QFont& font) : font_(QRawFont::fromFont(font)) {
    if (!font_.isValid()) return;
    QString chars;
    for (char16_t c = kFirst; c <= kLast; ++c) chars += QChar(c);
    const QList<quint32> glyphs = font_.glyphIndexesForString(chars);
    const QList<QPointF> advances = font_.advancesForGlyphIndexes(glyphs);
    if (glyphs.size() != kCount || advances.size() != kCount) return;
    for (int i = 0; i < kCount; ++i) {
      glyph_[static_cast<std::size_t>(i)] = glyphs[i];
      advance_[static_cast<std::size_t>(i)] = advances[i].x();
    }
    usable_ = true;
  }

  // The width of `text`, or -1 when it holds a character outside the table.
  qreal Width(const QString& text) const {
    if (!usable_) return -1;
    qreal x = 0;
    for (QChar c : text) {
      const char16_t u = c.unicode();
      if (u < kFirst || u > kLast) return -1;
      x += advance_[static_cast<std::size_t>(u - kFirst)];
    }
    return x;
  }

  // Draws `text` with its baseline starting at `origin`; returns false, having
  // drawn nothing, when the text holds a character outside the table.
  bool Draw(QPainter& painter, QPointF origin, const QString& text) const {
    if (!usable_) return false;
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(text.size());
    positions.reserve(text.size());
    qreal x = 0;
    for (QChar c : text) {
      const char16_t u = c.unicode();
      if (u < kFirst || u > kLast) return false;
      const auto i = static_cast<std::size_t>(u - kFirst);
      if (glyph_[i] == 0 && u != u' ') return false;  // not in this font
      glyphs << glyph_[i];
      positions << QPointF(x, 0);
      x += advance_[i];
    }
    QGlyphRun run;
    run.setRawFont(font_);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    painter.drawGlyphRun(origin, run);
    return true;
  }

 private:
  static constexpr char16_t kFirst = 32, kLast = 126;
  static constexpr int kCount = kLast - kFirst + 1;
  QRawFont font_;
  std::array<quint32, kCount> glyph_{};
  std::array<qreal, kCount> advance_{};
  bool usable_ = false;
};

namespace {

const AsciiGlyphs& GlyphsOf(const QFont& font) {
  // One table per font, kept for the program's life (reachable to the end).
  static auto* const tables = new QHash<QString, AsciiGlyphs*>;
  AsciiGlyphs*& table = (*tables)[font.key()];
  if (!table) table = new AsciiGlyphs(font);
  return *table;
}

}  // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
  setEchoMode(QLineEdit::NoEcho);
}

void TextBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) glyphs_ = nullptr;
  QLineEdit::changeEvent(event);
}

void TextBox::focusInEvent(QFocusEvent* event) {
  setEchoMode(QLineEdit::Normal);
  QLineEdit::focusInEvent(event);
}

void TextBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // The text stays where the user left it only while it is being edited; a
  // box without focus shows its text from the first character.
  setCursorPosition(0);
  setEchoMode(QLineEdit::NoEcho);
}

QString TextBox::Elided(const QString& text, const QFontMetrics& fm, int width) {
  if (fm.horizontalAdvance(text) <= width) return text;
  // A number keeps its first digits, as far as there is room, and its
  // exponent ("E+32", "E-05"): the exponent and the whole part tell its size,
  // the last digits of the fraction matter least.
  static const QRegularExpression number(QStringLiteral("^([+-]?[0-9]*)[.,]?[0-9]*(E[+-]?[0-9]+)?$"));
  const QRegularExpressionMatch m = number.match(text);
  if (m.hasMatch()) {
    const QString exponent = m.captured(2);
    const QString head = text.left(text.size() - exponent.size());
    const QString shown = fm.elidedText(head, Qt::ElideRight, width - fm.horizontalAdvance(exponent));
    if (shown.size() > m.captured(1).size()) return shown + exponent;
  }
  // A number whose whole part does not fit, or any other text: its start and
  // its end.
  return fm.elidedText(text, Qt::ElideMiddle, width);
}

QRect TextBox::TextArea() const {
  QStyleOptionFrame panel;
  initStyleOption(&panel);
  QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
  r = r.marginsRemoved(textMargins());
  return r.adjusted(kHorizontalMargin, 0, -kHorizontalMargin, 0);
}

QString TextBox::ShownText() const {
  const QString all = text();
  // The margin on the right is the cursor's; a box without the focus shows
  // no cursor, and its text may use that room too.
  const int room = TextArea().width() + kHorizontalMargin;
  if (!glyphs_) glyphs_ = &GlyphsOf(font());
  const qreal width = glyphs_->Width(all);
  if (width >= 0 && width <= room) return all;  // the common case, without shaping
  return Elided(all, fontMetrics(), room);
}

void TextBox::TellChange() {
  const QString now = text();
  if (now == told_) return;
  QAccessibleTextUpdateEvent event(this, 0, told_, now);
  QAccessible::updateAccessibility(&event);
  told_ = now;
}

void TextBox::paintEvent(QPaintEvent* event) {
  if (echoMode() != QLineEdit::NoEcho) {
    QLineEdit::paintEvent(event);
    return;
  }
  // The frame and inside as QLineEdit paints them, then the text where
  // QLineEdit would put it with the cursor at its start: left, vertically
  // centred in the contents rectangle, clipped to it.
  QPainter painter(this);
  QStyleOptionFrame panel;
  initStyleOption(&panel);
  style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
  const QRect area = TextArea();
  const QFontMetrics fm = fontMetrics();
  const QPoint origin(area.x(), area.y() + (area.height() - fm.height() + 1) / 2 + fm.ascent());
  painter.setClipRect(area.adjusted(-kHorizontalMargin, 0, kHorizontalMargin, 0));
  painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
  const QString shown = ShownText();
  if (!glyphs_->Draw(painter, origin, shown)) painter.drawText(origin, shown);
  // The whole text, where the box cannot show it, when the pointer rests on it.
  const QString tip = shown == text() ? QString() : text();
  if (toolTip() != tip) setToolTip(tip);
}

}  // namespace vozaz2
