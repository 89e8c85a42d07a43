// The window's record of its runs, and the experiment an opened file brings.
//
// At every "Начать" that starts a run the recorder keeps what a user has to do
// to start that run again: the numbers in the parameter boxes and the clicks
// that bring the mode controls from start-up to where they stood. During the
// run it keeps every click on a mode control, by the user or by an opened
// file, with the number of steps made before it, and counts the steps (timer
// ticks and "Сделать 1 шаг" alike). Saved as a scenario and replayed by
// LoadScenario and "Начать" (or RunSteps), it repeats the run step for step.
//
// An opened experiment puts its numbers and controls in place at once; its
// clicks during the run wait for the next "Начать". From then on each is
// clicked once the steps it waits for are made, before the next step, until
// the user clicks a mode control: the user then has the controls, and the
// rest are dropped.
#pragma once

#include <optional>
#include <vector>

#include "run/Scenario.h"

namespace vozaz2 {

class Experiment;

class RunRecorder {
 public:
  explicit RunRecorder(Experiment& e) : e_(e) {}

  // Puts an experiment in the boxes and the controls of a renewed experiment
  // (Experiment::Renew, LoadScenario) without starting it, so that it runs
  // as in a freshly opened window. The record of the last run is dropped.
  void Open(const Scenario& s);

  // "Начать", recorded: returns whether a run started. A refused start
  // changes nothing here either: the run under way is still the one kept.
  bool Start();

  // Around each step of the run (a tick or "Сделать 1 шаг"): before it the
  // opened experiment's clicks now due are made (returns whether any was);
  // after it the step is counted.
  bool BeforeStep();
  void StepMade();

  // A user's click on a mode control. It runs the control's rule (a disabled
  // control ignores it); during a run it is recorded and ends the opened
  // experiment's clicks. Returns whether a rule ran.
  bool UserClick(ModeControl control);

  // What "Сохранить как…" writes: the last run as it was made, with the
  // opened experiment's title and description; before any run, the boxes and
  // controls as they stand with the clicks still waiting for "Начать".
  // Nothing when a parameter box would not pass "Начать".
  std::optional<Scenario> ToSave() const;

  // The experiment last opened (an empty one at start-up).
  const Scenario& Opened() const { return opened_; }
  // Whether a run has started since start-up or the last Open.
  bool Recording() const { return recording_; }
  // The steps made in the run kept.
  long long Steps() const { return steps_; }

 private:
  bool PlayDue();

  Experiment& e_;
  Scenario opened_;
  Scenario run_;                   // the run kept, without its step count
  std::vector<TimedClick> playing_;  // the opened experiment's clicks, in this run
  std::size_t next_ = 0;
  long long steps_ = 0;
  bool recording_ = false;
  bool eventsWaiting_ = false;  // the opened clicks wait for "Начать"
};

}  // namespace vozaz2
