// Form2, the help window: the help text in an editable box, an author line
// and a close button. It knows nothing of the simulation.
//
//   Text1     the help text; multi-line, vertical scroll bar, wraps at its width
//   Label2    empty
//   Label1    the author line
//   Command1  "Закрыть": unloads the window
//
// There is one help window at a time. Closing it, by "Закрыть", by the title
// bar or by Escape, unloads it: the widget is deleted with whatever the user
// typed, and the next ShowHelpWindow() loads a new one with a freshly built
// text.
//
// It follows the main window's zoom: every place, size and font grows with
// it, as far as the screen has room for the window. The author line takes
// the largest font, up to its own, at which both its lines fit its label.
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
  // Builds the controls at their places at the zoom `percent` and runs
  // Form_Load. Has no owner: it is a top-level window of its own and deletes
  // itself when closed.
  explicit Form2(int percent = 100);

  // Every place, size and font at `percent` % (100: the window's own), or at
  // the largest zoom below it at which the window, frame and all, fits the
  // screen's free area; the window stays where it is, on the screen.
  void SetZoom(int percent);
  int Zoom() const { return zoom_; }

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
  // The client area at the zoom `zoom_` with its top-left corner at `place`,
  // moved so that the frame lies on the screen.
  void Place(QPoint place);

  std::string helpText_;
  int zoom_ = 100;
};

// "About": loads the help window at the zoom `percent` if it is not open and
// shows it, non-modal and with no owner; if it is open, brings it to the
// front at that zoom without rebuilding its text. Returns the window.
Form2* ShowHelpWindow(int percent = 100);

// The help window while it is open; else null.
Form2* HelpWindow();

}  // namespace vozaz2
