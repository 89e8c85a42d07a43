// A whole session on a test bench; the rig plays the window: it keeps the
// boxes' texts as the window writes them, reads the parameter boxes as
// "Начать" does, records the messages the commands answer with, and draws the
// two screens in memory.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "model/NumberText.h"
#include "run/Messages.h"
#include "run/PixelSurface.h"
#include "run/Screens.h"
#include "run/Session.h"

namespace vozaz2::test {

// A user's click on an option or a check box.
struct Click { bool option; int n; };
inline constexpr Click kString{true, 1}, kSleeve{true, 2}, kUp{true, 3}, kDown{true, 4},
    kCone{true, 5}, kPlane{true, 6}, kSingle{true, 7}, kDumbbell{true, 8}, kRelease{false, 1},
    kSplit{false, 2}, kStopDrive{false, 3}, kManualMx{false, 4};
inline ModeControl Control(Click c) { return {c.option, c.n}; }

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

struct Rig {
  Rig() {
    for (int box = 1; box <= kBoxCount; ++box) texts[box - 1] = "Text" + std::to_string(box);
    session.Follow([this](const Snapshot& s) { Show(s); });
    ShowTyped();
  }
  std::string Text(int box) const { return texts.at(box - 1); }
  void SetText(int box, const std::string& text) { texts.at(box - 1) = text; }

  SimRecord& r() { return session.Engine().Record(); }
  const Modes& modes() const { return session.Controls(); }
  // Returns whether the click ran a rule.
  bool Press(Click c) { return session.Click(Control(c)).controlsChanged; }
  // "Начать" as the window presses it: the eleven boxes read, or the input
  // message when one does not read.
  void PressStart() {
    ParameterValues typed;
    for (std::size_t i = 0; i < kParameterCount; ++i) {
      const std::optional<double> v = TextNumber(Text(kParameterBoxes[i]), kSep);
      if (!v) return shown.push_back(kInputMessage);
      typed[i] = *v;
    }
    Answer(session.Start(typed));
  }
  // Clicks, types, presses "Начать"; true when no message came.
  bool Start(const std::vector<Click>& clicks = {}, const std::vector<std::pair<int, double>>& typed = {}) {
    for (Click c : clicks) Press(c);
    for (auto [box, value] : typed) SetText(box, NumberText(value, kSep));
    const std::size_t before = shown.size();
    PressStart();
    return shown.size() == before;
  }
  bool Start(const Variant& v) { return Start(v.clicks, v.typed); }
  void Steps(int n) {
    for (int i = 0; i < n; ++i) Answer(session.Step());
  }
  void Tick() { Answer(session.Tick()); }
  void Open(const Scenario& s) { Answer(session.Open(s)); }
  double Number(int box) const { return TextNumber(Text(box), kSep).value_or(NAN); }
  // The boxes written by the last command, in the order of their numbers.
  std::vector<int> written;

  void Answer(const Outcome& o) {
    last = o;
    if (!o.message.empty()) shown.push_back(o.message);
  }
  Outcome last;  // what the last command answered
  void Show(const Snapshot& s) {
    written.clear();
    for (int box = 1; box <= kBoxCount; ++box)
      if (s.boxes.Written(box)) {
        written.push_back(box);
        SetText(box, NumberText(s.boxes.Value(box), kSep));
      }
    if (s.event == RunEvent::kRenewed) {
      for (int box = 1; box <= kBoxCount; ++box) SetText(box, "Text" + std::to_string(box));
      ShowTyped();
    }
  }
  void ShowTyped() {
    for (std::size_t i = 0; i < kParameterCount; ++i)
      SetText(kParameterBoxes[i], ExactNumberText(session.Typed()[i], kSep));
  }

  std::array<std::string, kBoxCount> texts;
  std::vector<std::string> shown;
  PixelSurface picture2{kScreen2Width, kScreen2Height}, picture3{kScreen3Width, kScreen3Height};
  Session session{picture2, picture3};
  Experiment& e = session.Engine();
};

// All a rig holds and shows: the record, the boxes, the screens, the timer.
struct Held {
  explicit Held(Rig& rig)
      : record(rig.r()), picture2(rig.picture2.Pixels()), picture3(rig.picture3.Pixels()),
        timer(rig.session.Timer()), boxes(rig.texts.begin(), rig.texts.end()) {}
  SimRecord record;
  std::vector<Colour> picture2, picture3;
  StepTimer timer;
  std::vector<std::string> boxes;
};

// The records equal and all the rest; the message names what differs.
inline testing::AssertionResult Same(const Held& x, const Held& y) {
  std::ostringstream diff;
  if (!(x.record == y.record)) diff << " record";
  if (x.boxes != y.boxes) diff << " boxes";
  if (x.picture2 != y.picture2 || x.picture3 != y.picture3) diff << " screens";
  if (!(x.timer == y.timer)) diff << " timer";
  if (diff.str().empty()) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "differ in" << diff.str();
}

}  // namespace vozaz2::test
