// Form1 bound to its session: the buttons and switches call the session's
// commands, each answer is shown (the controls, the timer, a message after
// the command that caused it), and what the session tells after each command
// becomes the boxes' texts.
#include <QMessageBox>
#include <QTimer>

#include "model/NumberText.h"
#include "run/Messages.h"
#include "ui/Accessibility.h"
#include "ui/Form1.h"
#include "ui/ModeButtons.h"
#include "ui/TextBox.h"

namespace vozaz2 {

// "Начать": the eleven boxes as typed, or the input message with the focus
// in the box to blame, its text selected.
void Form1::StartRun() {
  if (!TaskAllowsStart()) return;
  std::size_t bad = 0;
  const std::optional<ParameterValues> typed = ReadParameters(&bad);
  if (!typed) {
    ShowMessage(kInputMessage);
    return FocusParameter(bad);
  }
  const Outcome outcome = session_->Start(*typed);
  if (outcome.message.empty()) TaskStarted();
  Answer(outcome);
  if (outcome.badParameter) FocusParameter(outcome.badParameter->index);
}

void Form1::FocusParameter(std::size_t index) {
  TextBox* box = Box(kParameterBoxes.at(index));
  box->setFocus(Qt::OtherFocusReason);
  box->selectAll();
}

void Form1::Do(Outcome (Session::*command)()) { Answer((session_.get()->*command)()); }

// A user's click runs the mode rules; then every control shows the model.
void Form1::ClickMode(ModeControl control) {
  if (SetUpLocked()) return SyncModes();
  session_->Click(control);
  SyncModes();
}

void Form1::Answer(const Outcome& outcome) {
  if (outcome.controlsChanged) SyncModes();
  ApplyTimer();
  // During a run the state line follows the frames (PaintFrame).
  if (!session_->Ticking()) ShowRunState();
  if (!outcome.message.empty()) ShowMessage(outcome.message);
}

void Form1::ShowMessage(const std::string& text) {
  // No tick may run while the message is open: QMessageBox::exec spins an
  // event loop of its own, in which Timer1 would go on firing.
  ++messagesOpen_;
  ApplyTimer();
  if (messageSink_) {
    messageSink_->Show(text);
  } else {
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Vozaz2"), shown, QMessageBox::Ok, this);
    box.setFont(font());  // the window's, at its zoom
    box.setTextFormat(Qt::PlainText);  // keeps the leading blanks of the lines
    box.exec();
  }
  --messagesOpen_;
  ApplyTimer();
}

std::optional<ParameterValues> Form1::ReadParameters(std::size_t* bad) {
  ParameterValues typed;
  for (std::size_t i = 0; i < kParameterCount; ++i) {
    const std::optional<double> value = TextNumber(Box(kParameterBoxes[i])->text().toStdString(), sep_);
    if (!value) {
      if (bad) *bad = i;
      return std::nullopt;
    }
    typed[i] = *value;
  }
  return typed;
}

// What the session tells after each command: the numbers for the boxes;
// after a file was opened, every box as at start-up with the file's numbers.
void Form1::Follow(const Snapshot& snapshot) {
  if (snapshot.event == RunEvent::kRenewed) {
    for (int box = 1; box <= kBoxCount; ++box) SetText(box, QStringLiteral("Text%1").arg(box));
    ShowTyped();
    ShowLimit();
  }
  FollowTask(snapshot);
  ShowBoxes(snapshot.boxes);
  if (snapshot.event == RunEvent::kStep) emit StepMade();
}

void Form1::ShowBoxes(const BoxValues& boxes) {
  if (boxes.Empty()) return;
  for (int box = 1; box <= kBoxCount; ++box)
    if (boxes.Written(box))
      SetText(box, Hidden(box) ? QStringLiteral("?") : QString::fromStdString(NumberText(boxes.Value(box), sep_)));
}

// The parameters as the session holds them, with the digits that read back
// as the very same numbers.
void Form1::ShowTyped() {
  for (std::size_t i = 0; i < kParameterCount; ++i)
    SetText(kParameterBoxes[i], QString::fromStdString(ExactNumberText(session_->Typed()[i], sep_)));
}

void Form1::SetText(int box, const QString& text) {
  // During a run screen readers hear of the changes at the display's rate.
  const HeldTextReports hold(pacing_);
  TextBox* edit = Box(box);
  if (edit->text() == text) return;
  edit->setText(text);
  edit->setCursorPosition(0);  // a long number shows its first digits
}

// Timer1 follows the session: it ticks while the run goes on (at the
// session's interval) and no message is open.
void Form1::ApplyTimer() {
  if (session_->Ticking() && messagesOpen_ == 0) {
    if (!Timer1->isActive()) pacer_.Resume(clock_.elapsed());  // a pause does not count
    const int interval = session_->TickIntervalMs();
    if (!Timer1->isActive() || Timer1->interval() != interval) Timer1->start(interval);
    StartPacing();
  } else {
    Timer1->stop();
    StopPacing();
  }
}

// The tempo decides how many steps this tick makes; a step that ends the run
// (a divergence) ends the tick.
void Form1::Tick() {
  if (messagesOpen_ > 0) return;
  const int steps = pacer_.StepsDue(clock_.elapsed(), session_->Record().P0);
  for (int i = 0; i < steps && session_->Ticking() && messagesOpen_ == 0; ++i) Answer(session_->Tick());
}

}  // namespace vozaz2
