// The main window as screen readers see it (through AT-SPI on Linux).
//
// A text box keeps its text without echo while it has no focus (see
// TextBox), which Qt's own line-edit interface reports as a password box with
// no text. The text boxes therefore have an interface of their own: an
// editable text named after its label, whose value and text are the box's
// text, focused or not. The option buttons are options (Qt would call them
// check boxes, as they are not exclusive by themselves). The screens are
// images with a name and a description. Buttons, check boxes and frames keep
// Qt's interfaces, named by their captions.
//
// During a run the steps rewrite some 25 boxes a thousand times a second;
// Qt would report each change. While the window holds the reports
// (HeldTextReports), the changes that the program makes are not reported one
// by one; the window tells them at the display's rate instead
// (TextBox::TellChange). With no screen reader listening none of this costs
// anything per step.
#pragma once

namespace vozaz2 {

// Installs the interfaces and the holding of reports; once per program, before
// the first window is built. Later calls do nothing.
void InstallAccessibility();

// While one with `hold` true lives, the text changes of text boxes are not
// reported to screen readers as they happen.
class HeldTextReports {
 public:
  explicit HeldTextReports(bool hold);
  ~HeldTextReports();
  HeldTextReports(const HeldTextReports&) = delete;
  HeldTextReports& operator=(const HeldTextReports&) = delete;

 private:
  bool hold_;
};

}  // namespace vozaz2
