// Drives one session as a user would (texts typed into the input boxes, read
// as the window reads them; clicks on the controls and buttons, timer ticks)
// and checks after every action what must hold whatever the user does:
//   - the mode controls keep their conditions (ModeConditions.h);
//   - "Начать" either starts a run without a message, or shows "Введите
//     правильно данные" once and changes nothing at all;
//   - a step before the first start changes nothing;
//   - a step advances the time by exactly P0 and shows either nothing or the
//     divergence message once, after which the timer is off;
//   - no other message is ever shown.
// Used by the deterministic sweep test and by the experiment fuzzer.
#pragma once

#include <string>
#include <vector>

#include "model/NumberText.h"
#include "model/Setup.h"
#include "run/Messages.h"
#include "run/PixelSurface.h"
#include "run/Screens.h"
#include "run/Session.h"
#include "tests/quality/ModeConditions.h"

namespace vozaz2::quality {


class Driver {
 public:
  enum Action {
    kOption1 = 1,  // kOption1..kOption1+7: Option1..Option8
    kCheck1 = 9,   // kCheck1..kCheck1+3: Check1..Check4
    kStart = 13,   // "Начать"
    kStop,         // "Остановить"
    kContinue,     // "Продолжить"
    kClear,        // "Очистить экраны"
    kOneStep,      // "Сделать 1 шаг"
    kTick,         // one tick of the timer, if it ticks
    kActionCount
  };

  explicit Driver(char sep = ',') : sep_(sep) {
    for (std::size_t i = 0; i < kParameterCount; ++i) texts_[i] = NumberText(kDefaultValues[i], sep);
  }

  // Types a text into the input box of parameter i (0..10, the window's order).
  void Type(std::size_t i, const std::string& text) { texts_.at(i) = text; }

  // Performs the action and returns what went wrong, or an empty text.
  std::string Do(int action) {
    if (action >= kOption1 && action < kOption1 + 8) {
      Answer(session_.Click({true, action - kOption1 + 1}));
      return AfterClick();
    }
    if (action >= kCheck1 && action < kCheck1 + 4) {
      Answer(session_.Click({false, action - kCheck1 + 1}));
      return AfterClick();
    }
    switch (action) {
      case kStart: return Start();
      case kStop: Answer(session_.Stop()); return Quiet("Остановить");
      case kContinue: Answer(session_.Continue()); return Quiet("Продолжить");
      case kClear: Answer(session_.ClearScreens()); return Quiet("Очистить экраны");
      case kOneStep: return Step(false);
      case kTick: return Step(true);
      default: return "no such action " + std::to_string(action);
    }
  }

  int starts() const { return starts_; }
  int rejectedStarts() const { return rejected_; }
  int divergences() const { return divergences_; }
  int steps() const { return steps_; }

 private:
  void Answer(const Outcome& o) {
    if (!o.message.empty()) shown_.push_back(o.message);
  }
  // "Начать" as the window presses it: every box must read.
  void PressStart() {
    ParameterValues typed;
    for (std::size_t i = 0; i < kParameterCount; ++i) {
      const std::optional<double> v = TextNumber(texts_[i], sep_);
      if (!v) return shown_.push_back(kInputMessage);
      typed[i] = *v;
    }
    Answer(session_.Start(typed));
  }

  std::string AfterClick() {
    std::string broken = BrokenModeCondition(session_.Controls(), session_.Record());
    return broken.empty() ? Quiet("a click") : "mode condition " + broken;
  }

  std::string Quiet(const char* what) {
    if (shown_.size() != seen_) return std::string(what) + " showed a message";
    return {};
  }

  bool Started() const { return session_.State() != RunState::kIdle; }

  std::string Start() {
    const SimRecord before = session_.Record();
    const bool wasStarted = Started();
    const StepTimer timer = session_.Timer();
    const std::vector<Colour> image2 = picture2_.Pixels(), image3 = picture3_.Pixels();

    PressStart();
    if (shown_.size() == seen_) {
      ++starts_;
      if (!Started()) return "a start without a message left no run";
      if (!(session_.Timer().Enabled && session_.Timer().Interval == 1)) return "a start left the timer off";
      if (session_.Record().T0 != 0) return "a start did not reset the time";
      return {};
    }
    ++rejected_;
    if (shown_.size() != seen_ + 1) return "a failed start showed more than one message";
    if (shown_.back() != kInputMessage) return "a failed start showed: " + shown_.back();
    ++seen_;
    // A diverged run's record holds NaN and equals nothing, itself included:
    // the record is checked while the run has not diverged, which is most of
    // the failed starts of a sweep; the rest are checked by all else below.
    if (before == before && !(session_.Record() == before)) return "a failed start changed the record";
    if (Started() != wasStarted) return "a failed start changed whether a run exists";
    if (!(session_.Timer() == timer)) return "a failed start changed the timer";
    if (picture2_.Pixels() != image2 || picture3_.Pixels() != image3) return "a failed start drew on a screen";
    return {};
  }

  std::string Step(bool tick) {
    if (tick && !session_.Ticking()) return {};  // no tick comes
    if (!Started()) {
      const SimRecord before = session_.Record();  // as the start-up left it: no NaN
      Answer(tick ? session_.Tick() : session_.Step());
      if (!(session_.Record() == before)) return "a step before any start changed the record";
      return Quiet("a step before any start");
    }
    const double expected = session_.Record().T0 + session_.Record().P0;
    const bool enabled = session_.Timer().Enabled;
    Answer(tick ? session_.Tick() : session_.Step());
    ++steps_;
    const double t0 = session_.Record().T0;
    if (!(t0 == expected || (t0 != t0 && expected != expected))) return "a step did not advance the time by P0";
    if (session_.State() == RunState::kDiverged) {
      ++divergences_;
      if (shown_.size() != seen_ + 1)
        return "a diverged step showed " + std::to_string(shown_.size() - seen_) + " messages";
      if (shown_.back() != DivergenceMessage()) return "a diverged step showed: " + shown_.back();
      ++seen_;
      if (session_.Timer().Enabled) return "the timer runs on after a divergence";
      if (session_.Record().Msg != DivergenceMessage()) return "Msg is not the divergence message";
      return {};
    }
    if (session_.Timer().Enabled != enabled) return "a step switched the timer";
    return Quiet("a step");
  }

  char sep_;
  std::array<std::string, kParameterCount> texts_;
  PixelSurface picture2_{kScreen2Width, kScreen2Height}, picture3_{kScreen3Width, kScreen3Height};
  Session session_{picture2_, picture3_};
  std::vector<std::string> shown_;
  std::size_t seen_ = 0;
  int starts_ = 0, rejected_ = 0, divergences_ = 0, steps_ = 0;
};

}  // namespace vozaz2::quality
