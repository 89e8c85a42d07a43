// The session's record of its runs, and the clicks an opened experiment
// brings.
//
// At every start the recorder keeps what a user has to do to start that run
// again: the parameters and the clicks that bring the mode controls from
// start-up to where they stood. During the run it keeps every click on a
// mode control, by the user or by an opened experiment, with the number of
// steps made before it, and counts the steps (timer ticks and single steps
// alike). Saved as a scenario and replayed, it repeats the run step for step.
//
// An opened experiment's clicks during the run wait for the next start. From
// then on each is clicked once the steps it waits for are made, before the
// next step, until the user clicks a mode control: the user then has the
// controls, and the rest are dropped.
#pragma once

#include <optional>
#include <vector>

#include "model/Modes.h"
#include "run/Scenario.h"

namespace vozaz2 {

class RunRecorder {
 public:
  // The clicks go to these controls.
  explicit RunRecorder(Modes& controls) : controls_(controls) {}

  // An experiment was opened (its numbers and controls are in place): the
  // record of the last run is dropped, its clicks wait for the next start.
  void Open(const Scenario& s);

  // A run started from these parameters, with the controls reached by these
  // clicks from start-up. The opened clicks due at step 0 are made; returns
  // whether any was.
  bool Started(const ParameterValues& typed, std::vector<ModeControl> before);

  // Before each step of the run the opened experiment's clicks now due are
  // made (returns whether any was); after it the step is counted.
  bool BeforeStep() { return recording_ && PlayDue(); }
  void StepMade() {
    if (recording_) ++steps_;
  }

  // A user's click on a mode control. It runs the control's rule (a disabled
  // control ignores it); during a run it is recorded and ends the opened
  // experiment's clicks. Returns whether a rule ran.
  bool UserClick(ModeControl control);

  // The last run as it was made, with the opened experiment's title and
  // description; before any run, the parameters and controls given (as they
  // stand), with the opened clicks still waiting for a start.
  Scenario ToSave(const ParameterValues& typedNow, std::vector<ModeControl> beforeNow) const;

  // The experiment last opened (an empty one at start-up).
  const Scenario& Opened() const { return opened_; }
  // Whether a run has started since start-up or the last Open.
  bool Recording() const { return recording_; }
  // The steps made in the run kept.
  long long Steps() const { return steps_; }
  // Whether opened clicks are still to be made in this run.
  bool Playing() const { return next_ < playing_.size(); }

 private:
  bool PlayDue();

  Modes& controls_;
  Scenario opened_;
  Scenario run_;                     // the run kept, without its step count
  std::vector<TimedClick> playing_;  // the opened experiment's clicks, in this run
  std::size_t next_ = 0;
  long long steps_ = 0;
  bool recording_ = false;
  bool eventsWaiting_ = false;  // the opened clicks wait for a start
};

}  // namespace vozaz2
