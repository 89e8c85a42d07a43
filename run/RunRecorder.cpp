#include "run/RunRecorder.h"

#include <algorithm>

#include "run/Experiment.h"

namespace vozaz2 {

namespace {

// The controls as clicks from start-up. Every state the controls can be in is
// reached that way: the program changes them only by clicks and by putting
// them back to start-up.
std::vector<ModeControl> ControlsAsClicks(const Experiment& e) {
  return ClicksToReach(e.Controls(), e.Record()).value_or(std::vector<ModeControl>{});
}

}  // namespace

void RunRecorder::Open(const Scenario& s) {
  e_.Renew();
  LoadScenario(e_, s);
  opened_ = s;
  run_ = {};
  playing_.clear();
  next_ = 0;
  steps_ = 0;
  recording_ = false;
  eventsWaiting_ = true;
}

bool RunRecorder::Start() {
  const auto typed = e_.TypedParameters();
  std::vector<ModeControl> before = ControlsAsClicks(e_);
  const long long starts = e_.Starts();
  e_.Command1_Click();
  if (e_.Starts() == starts) return false;

  run_ = {};
  run_.title = opened_.title;
  run_.description = opened_.description;
  run_.parameters = typed;
  run_.before = std::move(before);
  steps_ = 0;
  recording_ = true;
  // The opened clicks go with the first run after opening; a later start
  // begins from the controls as that run left them.
  if (eventsWaiting_) {
    playing_ = opened_.events;
    eventsWaiting_ = false;
  } else {
    playing_.clear();
  }
  next_ = 0;
  PlayDue();
  return true;
}

bool RunRecorder::BeforeStep() { return recording_ && PlayDue(); }

void RunRecorder::StepMade() {
  if (recording_) ++steps_;
}

bool RunRecorder::UserClick(ModeControl control) {
  const bool ran = Click(e_.Controls(), control);
  if (recording_) {
    next_ = playing_.size();
    if (ran) run_.events.push_back({steps_, control});
  }
  return ran;
}

bool RunRecorder::PlayDue() {
  bool clicked = false;
  while (next_ < playing_.size() && playing_[next_].afterSteps <= steps_) {
    const ModeControl c = playing_[next_++].control;
    clicked = true;
    if (Click(e_.Controls(), c)) run_.events.push_back({steps_, c});
  }
  return clicked;
}

std::optional<Scenario> RunRecorder::ToSave() const {
  if (recording_) {
    Scenario s = run_;
    // A file runs headless for at most kMaxSteps steps (some 14 hours of
    // ticks in the window).
    s.steps = std::min(steps_, kMaxSteps);
    return s;
  }
  Scenario s;
  s.title = opened_.title;
  s.description = opened_.description;
  s.parameters = e_.TypedParameters();
  for (const std::optional<double>& p : s.parameters)
    if (!p) return std::nullopt;
  s.before = ControlsAsClicks(e_);
  if (eventsWaiting_) {
    s.events = opened_.events;
    s.steps = opened_.steps;
  }
  return s;
}

}  // namespace vozaz2
