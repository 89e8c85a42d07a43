// One experiment: the record, the mode controls, the two screens and the
// stepping timer, with the commands that act on them. It deals in numbers
// only: what a command gives the result boxes is in Boxes(), and a command
// that ends in a message says so (a refused start returns false, a step that
// diverged sets LastStepDiverged()); showing anything is its owner's work.
// The session (run/Session.h) owns one and is what the windows and the
// headless runner drive; the physics tests drive it directly.
#pragma once

#include <cstddef>

#include "model/Modes.h"
#include "model/Record.h"
#include "model/Setup.h"
#include "run/Boxes.h"
#include "run/Surface.h"

namespace vozaz2 {

// The stepping timer as the commands set it. It ticks while it is enabled
// with a non-zero interval.
struct StepTimer {
  bool Enabled = false;
  int Interval = 0;
  bool Ticking() const { return Enabled && Interval > 0; }
  bool operator==(const StepTimer&) const = default;
};

class Experiment {
 public:
  // picture2 is the oscillogram screen, picture3 the path seen from above.
  Experiment(Surface& picture2, Surface& picture3);

  // The program's start-up: both screens cleared, the record's constants,
  // "FL= 0 до 1 с " unticked; the timer enabled with interval 0 (no ticks).
  void LoadDefaults();

  // "Начать": sets up a run from the eleven parameters and the controls.
  // Returns false when the numbers make no run; nothing has changed then.
  bool Start(const Parameters& p);
  // A run that stands where another experiment's stands: that record and
  // those controls, copied. The twin at half the step (run/Twin.h) starts so.
  void StartFrom(const SimRecord& record, const Modes& controls);
  void Stop();          // "Остановить"
  void Continue();      // "Продолжить"
  void ClearScreens();  // "Очистить экраны"

  // One integration step with its accounting, plotting and readout. Does
  // nothing before the first successful start.
  void SolveStep();

  // The mode controls back at their start-up state, as the program opens.
  // A run in progress would go on with the start-up signs: stop it first.
  void ResetControls();
  // Everything as the program holds it when it opens: the record of a fresh
  // start-up (the set-up of a run keeps some fields of the run before it,
  // such as L00, so a run repeats exactly only from the same record), no run
  // set up, blank screens and the controls at start-up.
  void Renew();

  SimRecord& Record() { return rec_; }
  const SimRecord& Record() const { return rec_; }
  Modes& Controls() { return modes_; }
  const Modes& Controls() const { return modes_; }
  const StepTimer& Timer() const { return timer_; }
  // What the last start or step gave the result boxes: the start values after
  // a start, the readout after a displayed step (up to the box where a fault
  // stopped it).
  const BoxValues& Boxes() const { return boxes_; }

  bool Started() const { return started_; }
  // Whether the last SolveStep ended in the divergence message.
  bool LastStepDiverged() const { return lastStepDiverged_; }

 private:
  void ShowStartValues();
  void DrawStartMarks();
  void SingleLoadStep();
  void TwoBallStep();
  void HandOver();
  void PrepareDrive(bool twoBalls);
  void Diverge();

  SimRecord rec_;
  Modes modes_{rec_};
  StepTimer timer_;
  BoxValues boxes_;
  Surface& picture2_;
  Surface& picture3_;
  bool started_ = false;
  bool lastStepDiverged_ = false;
};

}  // namespace vozaz2
