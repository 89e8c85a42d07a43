#include "run/RunRecorder.h"

#include <algorithm>

namespace vozaz2 {

void RunRecorder::Open(const Scenario& s) {
  opened_ = s;
  run_ = {};
  playing_.clear();
  next_ = 0;
  steps_ = 0;
  recording_ = false;
  eventsWaiting_ = true;
}

bool RunRecorder::Started(const ParameterValues& typed, std::vector<ModeControl> before) {
  run_ = {};
  run_.title = opened_.title;
  run_.description = opened_.description;
  for (std::size_t i = 0; i < kParameterCount; ++i) run_.parameters[i] = typed[i];
  run_.before = std::move(before);
  steps_ = 0;
  recording_ = true;
  // The opened clicks go with the first run after opening; a later start
  // begins from the controls as that run left them.
  playing_.clear();
  if (eventsWaiting_) playing_ = opened_.events;
  eventsWaiting_ = false;
  next_ = 0;
  return PlayDue();
}

bool RunRecorder::UserClick(ModeControl control) {
  const bool ran = Click(controls_, control);
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
    if (Click(controls_, c)) run_.events.push_back({steps_, c});
  }
  return clicked;
}

Scenario RunRecorder::ToSave(const ParameterValues& typedNow, std::vector<ModeControl> beforeNow) const {
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
  for (std::size_t i = 0; i < kParameterCount; ++i) s.parameters[i] = typedNow[i];
  s.before = std::move(beforeNow);
  if (eventsWaiting_) {
    s.events = opened_.events;
    s.steps = opened_.steps;
  }
  return s;
}

}  // namespace vozaz2
