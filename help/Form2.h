// Form2, the help window: the help text in an editable box, an author line
// and a close button. It knows nothing of the simulation.
//
//   Text1     the help text; multi-line, vertical scroll bar, wraps at its width
//   Label2    empty
//   Label1    the author line
//   Command1  "Закрыть": unloads the window
//
// There is one help window at a time. Closing it, by "Закрыть" or by the title
// bar, unloads it: the widget is deleted with whatever the user typed, and the
// next ShowHelpWindow() loads a new one with a freshly built text.
#pragma once

#include <QWidget>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vozaz2 {

class Form2 : public QWidget {
  Q_OBJECT

 public:
  // Builds the controls at their places and runs Form_Load. Has no owner: it is
  // a top-level window of its own and deletes itself when closed.
  Form2();

  // The load handler: builds the help text and writes it into Text1 in one
  // write. Running it again rebuilds the text from its first line.
  void Form_Load();

  // The window's text string as Form_Load built it (lines joined by CR LF).
  const std::string& HelpString() const { return helpText_; }

  QPlainTextEdit* const Text1;
  QLabel* const Label2;
  QLabel* const Label1;
  QPushButton* const Command1;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Command1_Click();

  std::string helpText_;
};

// "About": loads the help window if it is not open and shows it, non-modal and
// with no owner; if it is open, brings it to the front without rebuilding its
// text. Returns the window.
Form2* ShowHelpWindow();

}  // namespace vozaz2
