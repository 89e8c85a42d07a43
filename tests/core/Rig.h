// A whole experiment on a test bench: the core with in-memory text boxes, two
// QImage screens and a message box that records instead of blocking.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "model/NumberText.h"
#include "run/Experiment.h"
#include "run/Screens.h"
#include "ui/ImageSurface.h"

namespace vozaz2::test {

// A user's click on one of the mode controls.
struct Click {
  bool option;
  int n;
};
inline constexpr Click kString{true, 1}, kSleeve{true, 2}, kUp{true, 3}, kDown{true, 4},
    kCone{true, 5}, kPlane{true, 6}, kSingle{true, 7}, kDumbbell{true, 8};
inline constexpr Click kRelease{false, 1}, kSplit{false, 2}, kStopDrive{false, 3},
    kManualMx{false, 4};

// The eleven parameter boxes by the symbol of their parameter.
enum Box { kR1 = 1, kW1 = 2, kCL = 7, kKtr = 8, kVL = 9, kP0 = 30, kMx = 32, kMF = 33,
           kMz = 34, kMt = 35, kTr = 36 };

class RecordingMessages final : public MessageSink {
 public:
  void Show(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

// Text boxes that remember which boxes were written, in order.
class LoggingBoxes final : public TextBoxes {
 public:
  std::string Text(int box) const override { return boxes_.Text(box); }
  void SetText(int box, const std::string& text) override {
    written.push_back(box);
    boxes_.SetText(box, text);
  }
  std::vector<std::string> All() const {
    std::vector<std::string> all;
    for (int i = 1; i <= kCount; ++i) all.push_back(Text(i));
    return all;
  }
  std::vector<int> written;

 private:
  MemoryTextBoxes boxes_;
};

inline constexpr char kSep = ',';  // the Russian decimal comma

class Rig {
 public:
  Rig() { e.Form_Load(); }
  Rig(const Rig&) = delete;

  SimRecord& r() { return e.Record(); }
  Modes& modes() { return e.Controls(); }

  void Type(int box, const std::string& text) { boxes.SetText(box, text); }
  void Type(int box, double value) { boxes.SetText(box, NumberText(value, kSep)); }
  void Press(Click c) {
    if (c.option)
      modes().ClickOption(c.n);
    else
      modes().ClickCheck(c.n);
  }
  // Clicks the controls, then "Начать"; true when a run has started.
  bool Start(std::initializer_list<Click> clicks = {},
             std::initializer_list<std::pair<int, double>> values = {}) {
    for (Click c : clicks) Press(c);
    for (auto [box, v] : values) Type(box, v);
    const std::size_t before = messages.shown.size();
    e.Command1_Click();
    return messages.shown.size() == before;
  }
  void Steps(int n) {
    for (int i = 0; i < n; ++i) e.Command7_Click();
  }
  double BoxNumber(int box) const {
    auto v = TextNumber(boxes.Text(box), kSep);
    return v ? *v : std::nan("");
  }

  LoggingBoxes boxes;
  ImageSurface picture2{kScreen2Width, kScreen2Height};
  ImageSurface picture3{kScreen3Width, kScreen3Height};
  RecordingMessages messages;
  Experiment e{boxes, picture2, picture3, messages, kSep};
};

// A variant of the experiment: the controls clicked and the parameters typed
// before "Начать".
struct Variant {
  const char* name;
  std::vector<Click> clicks;
  std::vector<std::pair<int, double>> typed;

  bool Start(Rig& rig) const {
    for (Click c : clicks) rig.Press(c);
    for (auto [box, v] : typed) rig.Type(box, v);
    return rig.Start();
  }
};
inline void PrintTo(const Variant& v, std::ostream* os) { *os << v.name; }

// Field-by-field equality of two records; the message names what differs.
testing::AssertionResult SameRecord(const SimRecord& a, const SimRecord& b);

// The divergence message as the user sees it, line by line.
std::string ExpectedDivergenceText();

}  // namespace vozaz2::test
