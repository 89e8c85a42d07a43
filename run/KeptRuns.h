// The runs of a session kept for comparison: a lesson shows the law when a
// faster pull is laid over a slower one, or the plane over the cone. Each run
// that made a step is kept when the next one starts (or a file is opened),
// with its bounded history (run/RunHistory.h, not its rows), its end state,
// and its scenario, which replays it exactly. The list holds the last
// kMaxKept runs; the oldest goes first.
//
// Each kept run gets a name from what differs from the run before it
// (run/RunNames.h), which the user may change, and a look of its own
// (run/RunStyles.h): the first look that no other kept run has, so that a
// run keeps its colour while others come and go.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "model/Record.h"
#include "run/RunHistory.h"
#include "run/Scenario.h"

namespace vozaz2 {

struct KeptRun {
  std::string name;
  std::size_t style = 0;  // index into kRunStyles
  bool shown = true;      // drawn over the current run
  Scenario scenario;      // replays the run, with its step count
  SimRecord end;          // the state at its last step: its variant, R1 and w1
  RunHistory history;
};

class KeptRuns {
 public:
  static constexpr std::size_t kMaxKept = 10;

  // Keeps a run, named from its difference to the last kept one (a run of the
  // same name gets a number: "VL = 0,2 м/с (2)"); the oldest goes when the
  // list is full.
  void Keep(const Scenario& scenario, const SimRecord& end, const RunHistory& history);
  // What a run would be named if kept now: its difference to the last kept
  // one, for the run that stands beside the kept ones.
  std::string NameFor(const Scenario& scenario) const;
  // The user's name for a run; an empty one keeps the old.
  void Rename(std::size_t i, const std::string& name);
  void Show(std::size_t i, bool shown);
  void Forget(std::size_t i);
  void Clear();

  std::size_t Size() const { return runs_.size(); }
  bool Empty() const { return runs_.empty(); }
  // The oldest first.
  const KeptRun& At(std::size_t i) const { return runs_.at(i); }
  // Counts every change, for a reader that shows the list anew only then.
  std::uint64_t Version() const { return version_; }

 private:
  std::size_t FreeStyle() const;
  bool NameTaken(const std::string& name) const;

  std::deque<KeptRun> runs_;
  std::uint64_t version_ = 0;
};

}  // namespace vozaz2
