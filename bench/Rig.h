// An experiment without a window, for the benchmark programs: the text boxes,
// screens and message box that the window would give it, in their cheapest
// useful forms.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <string>

#include "model/Setup.h"
#include "run/Experiment.h"
#include "run/TextBoxes.h"

namespace vozaz2::bench {

// Text boxes that keep only the eleven input texts ("Начать" reads them back)
// and show no results, as a runner without a display: the steps skip the
// readout's number-to-text conversions.
class DiscardingTextBoxes final : public TextBoxes {
 public:
  std::string Text(int box) const override {
    const auto* at = std::find(kParameterBoxes.begin(), kParameterBoxes.end(), box);
    return at == kParameterBoxes.end() ? std::string() : inputs_[at - kParameterBoxes.begin()];
  }
  void SetText(int box, const std::string& text) override {
    const auto* at = std::find(kParameterBoxes.begin(), kParameterBoxes.end(), box);
    if (at != kParameterBoxes.end()) inputs_[at - kParameterBoxes.begin()] = text;
  }
  bool ShowsResults() const override { return false; }

 private:
  std::string inputs_[kParameterBoxes.size()];
};

// A message box that the user closes at once; it counts what it was shown.
class CountingMessages final : public MessageSink {
 public:
  void Show(const std::string&) override { ++shown; }
  int shown = 0;
};

// An experiment on the given boxes and screens, after the window's start-up
// (its default input texts).
template <class Boxes>
struct Rig {
  Rig(Surface& picture2, Surface& picture3)
      : experiment(boxes, picture2, picture3, messages, ',') {
    experiment.Form_Load();
  }
  // Clicks the controls (positive: Option n, negative: Check -n), then
  // "Начать". Whether the run started without a message.
  bool Start(std::initializer_list<int> clicks = {}) {
    for (int c : clicks) {
      if (c > 0)
        experiment.Controls().ClickOption(c);
      else
        experiment.Controls().ClickCheck(-c);
    }
    const int before = messages.shown;
    experiment.Command1_Click();
    return experiment.Started() && messages.shown == before;
  }

  Boxes boxes;
  CountingMessages messages;
  Experiment experiment;
};

}  // namespace vozaz2::bench
