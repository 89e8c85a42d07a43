// A whole experiment on a test bench; the rig plays the window: text boxes
// that log what was written, a message box that records, two screens in memory.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "model/NumberText.h"
#include "run/Experiment.h"
#include "run/Screens.h"
#include "run/PixelSurface.h"

namespace vozaz2::test {

// A user's click on an option or a check box.
struct Click { bool option; int n; };
inline constexpr Click kString{true, 1}, kSleeve{true, 2}, kUp{true, 3}, kDown{true, 4},
    kCone{true, 5}, kPlane{true, 6}, kSingle{true, 7}, kDumbbell{true, 8}, kRelease{false, 1},
    kSplit{false, 2}, kStopDrive{false, 3}, kManualMx{false, 4};

// The clicks and numbers typed before "Начать". Table rows print as their name.
struct Variant {
  const char* name;
  std::vector<Click> clicks = {};
  std::vector<std::pair<int, double>> typed = {};
};
template <class T>
void PrintTo(const T& row, std::ostream* os)
  requires requires { row.name; }
{ *os << row.name; }

inline constexpr char kSep = ',';  // the Russian decimal comma

struct Rig : TextBoxes, MessageSink {
  Rig() { e.Form_Load(); }
  std::string Text(int box) const override { return boxes.Text(box); }
  void SetText(int box, const std::string& text) override {
    written.push_back(box);
    boxes.SetText(box, text);
  }
  void Show(const std::string& text) override { shown.push_back(text); }

  SimRecord& r() { return e.Record(); }
  Modes& modes() { return e.Controls(); }
  void Press(Click c) { c.option ? modes().ClickOption(c.n) : modes().ClickCheck(c.n); }
  // Clicks, types, presses "Начать"; true when no message came.
  bool Start(const std::vector<Click>& clicks = {},
             const std::vector<std::pair<int, double>>& typed = {}) {
    for (Click c : clicks) Press(c);
    for (auto [box, value] : typed) SetText(box, NumberText(value, kSep));
    const std::size_t before = shown.size();
    e.Command1_Click();
    return shown.size() == before;
  }
  bool Start(const Variant& v) { return Start(v.clicks, v.typed); }
  void Steps(int n) { for (int i = 0; i < n; ++i) e.Command7_Click(); }
  double Number(int box) const { return TextNumber(Text(box), kSep).value_or(NAN); }

  MemoryTextBoxes boxes;
  std::vector<int> written;
  std::vector<std::string> shown;
  PixelSurface picture2{kScreen2Width, kScreen2Height}, picture3{kScreen3Width, kScreen3Height};
  Experiment e{*this, picture2, picture3, *this, kSep};
};

// All a rig holds and shows: the record, the boxes, the screens, the timer.
struct Snapshot {
  explicit Snapshot(Rig& rig)
      : record(rig.r()), picture2(rig.picture2.Pixels()), picture3(rig.picture3.Pixels()),
        timer{rig.e.Timer1().Enabled, rig.e.Timer1().Interval} {
    for (int i = 1; i <= TextBoxes::kCount; ++i) boxes.push_back(rig.Text(i));
  }
  SimRecord record;
  std::vector<Colour> picture2, picture3;
  std::pair<bool, int> timer;
  std::vector<std::string> boxes;
};

// The records equal and all the rest; the message names what differs.
inline testing::AssertionResult Same(const Snapshot& x, const Snapshot& y) {
  std::ostringstream diff;
  if (!(x.record == y.record)) diff << " record";
  if (x.boxes != y.boxes) diff << " boxes";
  if (x.picture2 != y.picture2 || x.picture3 != y.picture3) diff << " screens";
  if (x.timer != y.timer) diff << " timer";
  if (diff.str().empty()) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "differ in" << diff.str();
}

}  // namespace vozaz2::test
