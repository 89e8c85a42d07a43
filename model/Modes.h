// The experiment variants: four frames of two option buttons and four check
// boxes, with the rules that each user click runs.
//
//   Option1 "Нити"        the string end is driven     MoverSign = +1
//   Option2 "Втулки"      the sleeve is driven         MoverSign = -1
//   Option3 "Вверх"       drive upwards                DirSign = +1
//   Option4 "Вниз"        drive downwards              DirSign = -1
//   Option5 "По конусу"   rotation on a cone           PathSign = 1
//   Option6 "В плоскости" rotation in a plane          PathSign = 0
//   Option7 "m=2"         a single 2 kg load
//   Option8 "m=1+1"       a dumbbell of two 1 kg balls 1 m apart
//   Check1 "FL= 0 до 1 с "           string released for the first second
//   Check2 "m= 1+1 от 1с  до Tr с"   the load splits at 1 s, second string from Tr
//   Check3 "VL= 0"                   the drive stands still
//   Check4 "Mx задать вручную"       the trajectory scale Mx is taken as typed
//
// The window binds its widgets to this model: a user's click calls
// ClickOption/ClickCheck, and the widgets then show Option/Check/...Enabled.
// Writes made by the rules themselves never run another control's click rule
// unless the rule says so.
#pragma once

#include <array>

#include "model/Record.h"

namespace vozaz2 {

// The signs of the start-up selection (string end, upwards, on a cone).
inline void SetStartUpSigns(SimRecord& r) {
  r.DirSign = 1;
  r.MoverSign = 1;
  r.PathSign = 1;
}

class Modes {
 public:
  static constexpr int kOptions = 8;
  static constexpr int kChecks = 4;

  // Start-up state: Option1, 3, 5, 7 selected, no box ticked, all enabled.
  // The sign variables live in the record; the rules write them there.
  explicit Modes(SimRecord& record);

  bool Option(int n) const { return options_.at(Index(n, kOptions)).value; }
  bool OptionEnabled(int n) const { return options_.at(Index(n, kOptions)).enabled; }
  bool Checked(int n) const { return checks_.at(Index(n, kChecks)).value != 0; }
  bool CheckEnabled(int n) const { return checks_.at(Index(n, kChecks)).enabled; }

  // The check boxes by what they mean.
  bool StringReleased() const { return Checked(1); }  // "FL= 0 до 1 с "
  bool SplitChosen() const { return Checked(2); }     // "m= 1+1 от 1с  до Tr с"
  bool DriveStands() const { return Checked(3); }     // "VL= 0"
  bool ManualMx() const { return Checked(4); }        // "Mx задать вручную"

  // A user's click. A click on a disabled control, or on an option that is
  // already selected, does nothing. Returns whether anything ran.
  bool ClickOption(int n);
  bool ClickCheck(int n);

  // The program's own write of a check box's tick: no rule runs.
  void SetCheck(int n, int value) { checks_.at(Index(n, kChecks)).value = value; }

  // Back to the start-up state of the controls (the record's signs untouched).
  void Reset();

  // The controls of another record's set, as they stand (the signs that the
  // rules wrote stay in that record: copy them with it).
  void TakeStateOf(const Modes& other) {
    options_ = other.options_;
    checks_ = other.checks_;
  }
  bool SameStateAs(const Modes& other) const { return options_ == other.options_ && checks_ == other.checks_; }

 private:
  struct Control {
    int value = 0;
    bool enabled = true;
    bool operator==(const Control&) const = default;
  };
  static std::size_t Index(int n, int count);

  void Select(int n);  // select an option and clear its partner in the frame
  void EnableOption(int n, bool on) { options_.at(Index(n, kOptions)).enabled = on; }
  void EnableCheck(int n, bool on) { checks_.at(Index(n, kChecks)).enabled = on; }
  void RunOptionRule(int n);
  // Selected by a rule and locked there: "Нити" with "Втулки" disabled, and
  // "В плоскости" (which also drives the string end) with "По конусу" disabled.
  void LockStringEnd();
  void LockPlane();

  void Option1_Click();
  void Option2_Click();
  void Option3_Click();
  void Option4_Click();
  void Option5_Click();
  void Option6_Click();
  void Option7_Click();
  void Option8_Click();
  void Check1_Click();
  void Check2_Click();
  void Check3_Click();

  SimRecord& rec_;
  std::array<Control, kOptions> options_;
  std::array<Control, kChecks> checks_;
};

}  // namespace vozaz2
