// One experiment with its controls: the record, the mode controls, the text
// boxes, the two screens, the stepping timer and the message box, and the
// window's commands on them. The main window binds its widgets to this object;
// the headless runner and the tests drive it directly.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <vector>
#include <optional>

#include "model/Modes.h"
#include "model/Record.h"
#include "run/Messages.h"
#include "run/Surface.h"
#include "run/TextBoxes.h"

namespace vozaz2 {

// The stepping timer as the commands set it. It ticks while it is enabled
// with a non-zero interval. `changed` runs after every write.
struct StepTimer {
  bool Enabled = false;
  int Interval = 0;
  std::function<void()> changed;

  bool Ticking() const { return Enabled && Interval > 0; }
  void SetEnabled(bool on) {
    Enabled = on;
    if (changed) changed();
  }
  void SetInterval(int ms) {
    Interval = ms;
    if (changed) changed();
  }
};

class Experiment {
 public:
  // picture2 is the oscillogram screen, picture3 the path seen from above.
  // decimalSeparator is the locale's, for the numbers in the boxes.
  Experiment(TextBoxes& boxes, Surface& picture2, Surface& picture3, MessageSink& messages,
             char decimalSeparator);

  // The window's start-up: default texts of the input boxes, both screens
  // cleared, the record's constants, "FL= 0 до 1 с " unticked; the timer
  // enabled with interval 0 (no ticks).
  void Form_Load();

  void Command1_Click();  // "Начать": set up a run from the input boxes
  void Command2_Click();  // "Остановить"
  void Command3_Click();  // "Продолжить"
  void Command5_Click();  // "Очистить экраны"
  void Command7_Click();  // "Сделать 1 шаг"
  void Timer1_Timer();    // one tick of the stepping timer

  // The eleven parameter boxes read as "Начать" reads them, in the order of
  // kParameterBoxes; empty where a box would not pass.
  std::array<std::optional<double>, kParameterCount> TypedParameters() const;
  // Types a number into a parameter box (index in the order of
  // kParameterBoxes), with the digits that read back as that very number.
  void TypeParameter(std::size_t index, double value);
  // The mode controls back at their start-up state, as the program opens.
  // A run in progress would go on with the start-up signs: stop it first.
  void ResetControls();
  // Everything as a freshly opened window holds it: the record of a fresh
  // window after Form_Load (the set-up of a run keeps some fields of the run
  // before it, such as L00, so a run repeats exactly only from the same
  // record), no run set up, the result boxes showing their own names, the
  // screens blank and the controls at start-up.
  void Renew();

  // One integration step with its accounting, plotting and readout. Does
  // nothing before the first successful "Начать".
  void SolveStep();

  SimRecord& Record() { return rec_; }
  const SimRecord& Record() const { return rec_; }
  Modes& Controls() { return modes_; }
  const Modes& Controls() const { return modes_; }
  StepTimer& Timer1() { return timer_; }
  const StepTimer& Timer1() const { return timer_; }

  // Whoever follows the run (the graphs, the window's report) is told,
  // inside the command, when "Начать" has set up a run (kStarted) and after
  // every step (kStep; LastStepDiverged() tells whether the step ended in
  // the divergence message). Followers are told in the order they came,
  // must be quick, and stay for the experiment's life: one that may go first
  // guards itself (a QPointer, say).
  enum class RunEvent { kStarted, kStep };
  void Follow(std::function<void(RunEvent)> follower) { followers_.push_back(std::move(follower)); }

  bool Started() const { return started_; }
  // How many runs "Начать" has set up; a start refused with the input message
  // does not count.
  long long Starts() const { return starts_; }
  // Whether the last SolveStep ended in the divergence message.
  bool LastStepDiverged() const { return lastStepDiverged_; }

 private:
  void Tell(RunEvent event) {
    for (const auto& follower : followers_) follower(event);
  }
  void SingleLoadStep();
  void TwoBallStep();
  void HandOver();
  void PrepareDrive(bool twoBalls);
  void Diverge();

  SimRecord rec_;
  Modes modes_{rec_};
  StepTimer timer_;
  TextBoxes& boxes_;
  Surface& picture2_;
  Surface& picture3_;
  MessageSink& messages_;
  char sep_;
  bool started_ = false;
  long long starts_ = 0;
  bool lastStepDiverged_ = false;
  std::vector<std::function<void(RunEvent)>> followers_;
};

}  // namespace vozaz2
