// Drives one experiment as a user would (texts typed into the input boxes,
// clicks on the controls and buttons, timer ticks) and checks after every
// action what must hold whatever the user does:
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

#include "model/Setup.h"
#include "run/Experiment.h"
#include "run/Messages.h"
#include "run/Screens.h"
#include "run/TextBoxes.h"
#include "tests/quality/ModeConditions.h"
#include "ui/ImageSurface.h"

namespace vozaz2::quality {

class RecordingMessages final : public MessageSink {
 public:
  void Show(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};


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

  explicit Driver(char sep = ',')
      : picture2_(kScreen2Width, kScreen2Height),
        picture3_(kScreen3Width, kScreen3Height),
        experiment_(boxes_, picture2_, picture3_, messages_, sep) {
    experiment_.Form_Load();
  }

  // Types a text into the input box of parameter i (0..10, the window's order).
  void Type(std::size_t i, const std::string& text) { boxes_.SetText(kParameterBoxes.at(i), text); }

  // Performs the action and returns what went wrong, or an empty text.
  std::string Do(int action) {
    if (action >= kOption1 && action < kOption1 + 8) {
      experiment_.Controls().ClickOption(action - kOption1 + 1);
      return AfterClick();
    }
    if (action >= kCheck1 && action < kCheck1 + 4) {
      experiment_.Controls().ClickCheck(action - kCheck1 + 1);
      return AfterClick();
    }
    switch (action) {
      case kStart: return Start();
      case kStop: experiment_.Command2_Click(); return Quiet("Остановить");
      case kContinue: experiment_.Command3_Click(); return Quiet("Продолжить");
      case kClear: experiment_.Command5_Click(); return Quiet("Очистить экраны");
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
  std::string AfterClick() {
    std::string broken = BrokenModeCondition(experiment_.Controls(), experiment_.Record());
    return broken.empty() ? Quiet("a click") : "mode condition " + broken;
  }

  std::string Quiet(const char* what) {
    if (messages_.shown.size() != seen_) return std::string(what) + " showed a message";
    return {};
  }

  std::string Start() {
    const SimRecord before = experiment_.Record();
    const bool wasStarted = experiment_.Started();
    const bool enabled = experiment_.Timer1().Enabled;
    const int interval = experiment_.Timer1().Interval;
    std::vector<std::string> texts;
    for (int b = 1; b <= TextBoxes::kCount; ++b) texts.push_back(boxes_.Text(b));
    const QImage image2 = picture2_.Image(), image3 = picture3_.Image();

    experiment_.Command1_Click();
    if (messages_.shown.size() == seen_) {
      ++starts_;
      if (!experiment_.Started()) return "a start without a message left no run";
      if (!(experiment_.Timer1().Enabled && experiment_.Timer1().Interval == 1))
        return "a start left the timer off";
      if (experiment_.Record().T0 != 0) return "a start did not reset the time";
      return {};
    }
    ++rejected_;
    if (messages_.shown.size() != seen_ + 1) return "a failed start showed more than one message";
    if (messages_.shown.back() != kInputMessage) return "a failed start showed: " + messages_.shown.back();
    ++seen_;
    // A diverged run's record holds NaN and equals nothing, itself included:
    // the record is checked while the run has not diverged, which is most of
    // the failed starts of a sweep; the rest are checked by all else below.
    if (before == before && !(experiment_.Record() == before))
      return "a failed start changed the record";
    if (experiment_.Started() != wasStarted) return "a failed start changed whether a run exists";
    if (experiment_.Timer1().Enabled != enabled || experiment_.Timer1().Interval != interval)
      return "a failed start changed the timer";
    for (int b = 1; b <= TextBoxes::kCount; ++b)
      if (boxes_.Text(b) != texts[b - 1]) return "a failed start changed Text" + std::to_string(b);
    if (picture2_.Image() != image2 || picture3_.Image() != image3)
      return "a failed start drew on a screen";
    return {};
  }

  std::string Step(bool tick) {
    if (tick && !experiment_.Timer1().Ticking()) return {};  // no tick comes
    if (!experiment_.Started()) {
      const SimRecord before = experiment_.Record();  // as the start-up left it: no NaN
      if (tick)
        experiment_.Timer1_Timer();
      else
        experiment_.Command7_Click();
      if (!(experiment_.Record() == before)) return "a step before any start changed the record";
      return Quiet("a step before any start");
    }
    const double expected = experiment_.Record().T0 + experiment_.Record().P0;
    const bool enabled = experiment_.Timer1().Enabled;
    if (tick)
      experiment_.Timer1_Timer();
    else
      experiment_.Command7_Click();
    ++steps_;
    const double t0 = experiment_.Record().T0;
    if (!(t0 == expected || (t0 != t0 && expected != expected)))
      return "a step did not advance the time by P0";
    if (experiment_.LastStepDiverged()) {
      ++divergences_;
      if (messages_.shown.size() != seen_ + 1) return "a diverged step showed " +
                                                       std::to_string(messages_.shown.size() - seen_) +
                                                       " messages";
      if (messages_.shown.back() != DivergenceMessage()) return "a diverged step showed: " + messages_.shown.back();
      ++seen_;
      if (experiment_.Timer1().Enabled) return "the timer runs on after a divergence";
      if (experiment_.Record().Msg != DivergenceMessage()) return "Msg is not the divergence message";
      return {};
    }
    if (experiment_.Timer1().Enabled != enabled) return "a step switched the timer";
    return Quiet("a step");
  }

  MemoryTextBoxes boxes_;
  ImageSurface picture2_, picture3_;
  RecordingMessages messages_;
  Experiment experiment_;
  std::size_t seen_ = 0;
  int starts_ = 0, rejected_ = 0, divergences_ = 0, steps_ = 0;
};

}  // namespace vozaz2::quality
