#include "ui/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>

#include "ui/ModeButtons.h"
#include "ui/PictureBox.h"
#include "ui/TextBox.h"

namespace vozaz2 {

namespace {

int held = 0;  // live HeldTextReports that hold

// A text box: an editable single line of text, named by its label. Offsets
// count characters of the text, which screen readers read whole.
class TextBoxInterface final : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit TextBoxInterface(TextBox* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return Box()->text();
    return QAccessibleWidget::text(t);
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = Box()->isReadOnly();
    s.editable = !s.readOnly;
    s.selectableText = true;
    s.passwordEdit = false;
    return s;
  }

  // --- QAccessibleTextInterface -------------------------------------------
  void selection(int index, int* start, int* end) const override {
    *start = *end = 0;
    if (index != 0 || !Box()->hasSelectedText()) return;
    *start = Box()->selectionStart();
    *end = Box()->selectionEnd();
  }
  int selectionCount() const override { return Box()->hasSelectedText() ? 1 : 0; }
  void addSelection(int start, int end) override { setSelection(0, start, end); }
  void removeSelection(int index) override {
    if (index == 0) Box()->deselect();
  }
  void setSelection(int index, int start, int end) override {
    if (index == 0) Box()->setSelection(start, end - start);
  }
  int cursorPosition() const override { return Box()->cursorPosition(); }
  void setCursorPosition(int position) override { Box()->setCursorPosition(position); }
  QString text(int start, int end) const override { return Box()->text().mid(start, end - start); }
  int characterCount() const override { return static_cast<int>(Box()->text().size()); }

  // Where a character stands, as the box draws its text from the start.
  QRect characterRect(int offset) const override {
    const QString all = Box()->text();
    if (offset < 0 || offset >= all.size()) return {};
    const QFontMetrics fm = Box()->fontMetrics();
    const QRect inside = Box()->contentsRect();
    const int x = inside.x() + 2 + fm.horizontalAdvance(all.left(offset));
    const QPoint topLeft = Box()->mapToGlobal(QPoint(x, inside.y() + (inside.height() - fm.height()) / 2));
    return {topLeft, QSize(fm.horizontalAdvance(all.at(offset)), fm.height())};
  }
  int offsetAtPoint(const QPoint& point) const override {
    for (int i = 0; i < characterCount(); ++i)
      if (characterRect(i).contains(point)) return i;
    return -1;
  }
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* start, int* end) const override {
    *start = *end = offset;
    return {};
  }

 private:
  TextBox* Box() const { return static_cast<TextBox*>(widget()); }
};

// An option button. The mode model, not Qt, keeps the buttons of a frame
// exclusive (see ModeButtons.h), and Qt would report a radio button that is
// not auto-exclusive as a check box: this one is an option, named by its
// caption, that the user can press.
class OptionInterface final : public QAccessibleWidget {
 public:
  explicit OptionInterface(ModeOptionButton* option) : QAccessibleWidget(option, QAccessible::RadioButton) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return Option()->text();
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.checkable = true;
    s.checked = Option()->isChecked();
    return s;
  }
  QStringList actionNames() const override {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action == pressAction())
      Option()->click();
    else
      QAccessibleWidget::doAction(action);
  }

 private:
  ModeOptionButton* Option() const { return static_cast<ModeOptionButton*>(widget()); }
};

QAccessibleInterface* Interfaces(const QString&, QObject* object) {
  if (auto* box = dynamic_cast<TextBox*>(object)) return new TextBoxInterface(box);
  if (auto* option = dynamic_cast<ModeOptionButton*>(object)) return new OptionInterface(option);
  if (auto* screen = dynamic_cast<PictureBox*>(object)) return new QAccessibleWidget(screen, QAccessible::Graphic);
  return nullptr;
}

QAccessible::UpdateHandler earlier = nullptr;

void Reports(QAccessibleEvent* event);

// Passes a report on to whoever would have had it without us.
void PassOn(QAccessibleEvent* event) {
  if (earlier) {
    earlier(event);
    return;
  }
  QAccessible::installUpdateHandler(nullptr);
  QAccessible::updateAccessibility(event);
  QAccessible::installUpdateHandler(&Reports);
}

// Qt calls this for every report while a screen reader listens.
void Reports(QAccessibleEvent* event) {
  if (held > 0) {
    switch (event->type()) {
      case QAccessible::TextInserted:
      case QAccessible::TextRemoved:
      case QAccessible::TextUpdated:
      case QAccessible::TextCaretMoved:
      case QAccessible::TextSelectionChanged:
        if (dynamic_cast<TextBox*>(event->object())) return;
        break;
      default:
        break;
    }
  }
  PassOn(event);
}

}  // namespace

void InstallAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(&Interfaces);
  earlier = QAccessible::installUpdateHandler(&Reports);
}

HeldTextReports::HeldTextReports(bool hold) : hold_(hold) { held += hold ? 1 : 0; }

HeldTextReports::~HeldTextReports() { held -= hold_ ? 1 : 0; }

}  // namespace vozaz2
