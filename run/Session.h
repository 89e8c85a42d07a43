// The session: the run as the user makes it, without a window. It owns the
// experiment (record, mode controls, timer), the parameters as typed, the
// record of the user's commands (run/RunRecorder.h), the run's bounded
// history (run/RunHistory.h) and what the screens show (run/DrawingRecord.h).
//
// Every command answers with what happened: a message for the user, if any,
// and whether the controls changed. The run's state stands in State(). After
// each command that changes the run the session tells its followers in one
// snapshot (run/Snapshot.h); a view of the run is one more follower. The
// window binds its widgets to a session, the headless runner and the tests
// replay experiments on one (run/Replay.h).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/Setup.h"
#include "run/Moment.h"
#include "run/DrawingRecord.h"
#include "run/Experiment.h"
#include "run/KeptRuns.h"
#include "run/RunHistory.h"
#include "run/RunRecorder.h"
#include "run/Scenario.h"
#include "run/Snapshot.h"
#include "run/Twin.h"

namespace vozaz2 {

// What a command did that its caller has to show.
struct Outcome {
  std::string message;  // for a message box, after the command; empty: none
  // The rule of a parameter that a refused start found broken (its index in
  // the order of kParameterNames is the box for the focus); empty when no
  // one parameter is to blame.
  std::optional<ParameterRule> badParameter;
  bool controlsChanged = false;  // the mode controls changed: show them again
  bool ended = false;            // the run reached its end and stands
};

// Where a run ends by itself, stopped as by "Остановить" ("Продолжить" goes
// on past it): after a number of steps (an opened experiment's), when the
// model time reaches a value, at the oscillogram's width (T = 12 Mt), or
// nowhere. Besides, a task may stop it earlier (Session::StopAt).
struct RunLimit {
  enum class Kind { kNone, kSteps, kTime, kScreenWidth };
  Kind kind = Kind::kNone;
  long long steps = 0;
  double time = 0;
  bool operator==(const RunLimit&) const = default;
};

class Session {
 public:
  struct Options {
    // Keep what the screens show, for the report and for drawing them again
    // at another size; a run that wants only its numbers or its pictures
    // draws straight on the surfaces at the full speed of its steps.
    bool keepDrawings = true;
    // Keep the run's history (the graphs, the report).
    bool keepHistory = true;
  };

  // The screens' drawings go to these surfaces (through the session's
  // records when it keeps them).
  Session(Surface& oscillogram, Surface& path, Options options);
  Session(Surface& oscillogram, Surface& path) : Session(oscillogram, path, Options{}) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // --- The commands ---------------------------------------------------------
  Outcome Start(const ParameterValues& typed);  // "Начать"
  Outcome Stop();                               // "Остановить"
  Outcome Continue();                           // "Продолжить"
  Outcome Step();                               // "Сделать 1 шаг": before any start, nothing
  Outcome Tick();                               // the timer's tick: a step while it ticks
  Outcome ClearScreens();                       // "Очистить экраны"
  // Everything as at start-up (a file's run repeats exactly only from
  // there), then the experiment's numbers and controls in place; its clicks
  // during the run wait for the next start.
  // The opened experiment's end becomes the runs' end: its step count, or
  // the oscillogram's width, where its replay ends too.
  Outcome Open(const Scenario& s);
  // Where the runs from now on end.
  void SetLimit(const RunLimit& limit) { limit_ = limit; }
  // Besides the limit, a stop at the step at which a quantity reaches a value
  // (a task's moment, run/Moment.h); a moment at the end stops nothing more.
  // Opening an experiment clears it.
  void StopAt(const Moment& moment) { stopAt_ = moment; }
  const Moment& StopsAt() const { return stopAt_; }
  // Whether the runs from the next start on have a twin at half the step that
  // estimates their integration error (run/Twin.h); without, a step costs
  // nothing more. Off at first.
  void SetAccuracy(bool on) { accuracy_ = on; }
  bool Accuracy() const { return accuracy_; }
  // Whether each run that made a step is kept, for comparison with the
  // runs after it (run/KeptRuns.h), when the next run starts or a file is
  // opened. Off at first: a replay keeps nothing.
  void SetKeepRuns(bool on) { keepRuns_ = on; }
  const KeptRuns& Kept() const { return kept_; }
  KeptRuns& Kept() { return kept_; }
  // A number typed into a parameter box (index in the order of
  // kParameterNames), before it is used by a start.
  Outcome Type(std::size_t parameter, double value);
  // A user's click on a mode control; a disabled control, or an option
  // already selected, ignores it (the controls have not changed).
  Outcome Click(ModeControl control);
  // The opened experiment's clicks due after the steps made, as a user's
  // clicks after the last step (a replay that ends makes them).
  Outcome CatchUpClicks();

  // --- What stands ----------------------------------------------------------
  RunState State() const;
  bool Ticking() const { return experiment_.Timer().Ticking(); }
  int TickIntervalMs() const { return experiment_.Timer().Interval; }
  const ParameterValues& Typed() const { return typed_; }
  const SimRecord& Record() const { return experiment_.Record(); }
  const Modes& Controls() const { return experiment_.Controls(); }
  const StepTimer& Timer() const { return experiment_.Timer(); }
  long long Steps() const { return recorder_.Steps(); }
  const RunHistory& History() const { return history_; }
  // The twin's estimate of the run's error; null when the run has no twin.
  const ErrorEstimate* Estimate() const { return twin_ ? &twin_->Estimate() : nullptr; }
  // Only when the session keeps the drawings.
  const DrawingRecord& OscillogramDrawings() const { return *oscillogramRecord_; }
  const DrawingRecord& PathDrawings() const { return *pathRecord_; }
  const Scenario& Opened() const { return recorder_.Opened(); }
  const RunLimit& Limit() const { return limit_; }
  // What "Сохранить как…" writes: the last run as it was made; before any
  // run, these parameters (as the boxes hold them now) and the controls.
  Scenario ToSave(const ParameterValues& typedNow) const;

  // --- Followers ------------------------------------------------------------
  // Told, in the order they came, after every command that changes the run;
  // they must be quick and stay for the session's life (one that may go first
  // guards itself).
  using Follower = std::function<void(const Snapshot&)>;
  void Follow(Follower follower) { followers_.push_back(std::move(follower)); }

  // The engine itself, for the physics tests and the benchmarks.
  Experiment& Engine() { return experiment_; }

 private:
  Outcome MakeStep();
  bool ReachesLimit(double t0Before, std::optional<double> watchedBefore) const;
  double Watched() const;  // the quantity of the moment to stop at, 0 without one
  // Tells the followers; the boxes are given by starts and steps only.
  void Tell(RunEvent event);
  std::vector<ModeControl> ControlsAsClicks() const;
  // The run that stands, into the kept runs, before a start or an opened
  // file replaces it.
  void KeepLastRun();

  std::optional<DrawingRecord> oscillogramRecord_, pathRecord_;
  Experiment experiment_;
  RunRecorder recorder_{experiment_.Controls()};
  RunHistory history_;
  std::unique_ptr<Twin> twin_;  // the run's, when it has one
  bool accuracy_ = false;
  Options options_;
  ParameterValues typed_ = kDefaultValues;
  RunLimit limit_;
  Moment stopAt_;
  bool over_ = false;  // the run stands at its end
  KeptRuns kept_;
  bool keepRuns_ = false;
  bool runKept_ = false;  // the run that stands is kept already
  std::vector<Follower> followers_;
};

}  // namespace vozaz2
