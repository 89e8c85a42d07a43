#include "model/Modes.h"

#include <stdexcept>

namespace vozaz2 {

Modes::Modes(SimRecord& record) : rec_(record) { Reset(); }

void Modes::Reset() {
  for (auto& o : options_) o = Control{};
  for (auto& c : checks_) c = Control{};
  options_[0].value = options_[2].value = options_[4].value = options_[6].value = 1;
}

std::size_t Modes::Index(int n, int count) {
  if (n < 1 || n > count) throw std::out_of_range("no such control");
  return static_cast<std::size_t>(n - 1);
}

void Modes::Select(int n) {
  int partner = (n % 2 == 1) ? n + 1 : n - 1;
  options_.at(Index(n, kOptions)).value = 1;
  options_.at(Index(partner, kOptions)).value = 0;
}

bool Modes::ClickOption(int n) {
  Control& c = options_.at(Index(n, kOptions));
  if (!c.enabled || c.value) return false;
  Select(n);
  RunOptionRule(n);
  return true;
}

bool Modes::ClickCheck(int n) {
  Control& c = checks_.at(Index(n, kChecks));
  if (!c.enabled) return false;
  c.value = c.value ? 0 : 1;
  switch (n) {
    case 1: Check1_Click(); break;
    case 2: Check2_Click(); break;
    case 3: Check3_Click(); break;
    default: break;  // "Mx задать вручную" is only read at the start of a run
  }
  return true;
}

void Modes::RunOptionRule(int n) {
  switch (n) {
    case 1: Option1_Click(); break;
    case 2: Option2_Click(); break;
    case 3: Option3_Click(); break;
    case 4: Option4_Click(); break;
    case 5: Option5_Click(); break;
    case 6: Option6_Click(); break;
    case 7: Option7_Click(); break;
    case 8: Option8_Click(); break;
  }
}

void Modes::LockStringEnd() {
  Select(1);
  Option1_Click();
  EnableOption(2, false);
}

void Modes::LockPlane() {
  Select(6);
  Option6_Click();
  EnableOption(5, false);
}

void Modes::Option1_Click() { rec_.MoverSign = 1; }
void Modes::Option2_Click() { rec_.MoverSign = -1; }
void Modes::Option3_Click() { rec_.DirSign = 1; }
void Modes::Option4_Click() { rec_.DirSign = -1; }

void Modes::Option5_Click() {
  rec_.PathSign = 1;
  if (!StringReleased()) {
    EnableOption(2, true);
    EnableOption(3, true);
  }
}

void Modes::Option6_Click() {
  rec_.PathSign = 0;
  LockStringEnd();
}

void Modes::Option7_Click() {
  EnableOption(5, true);
  EnableCheck(2, true);
  if (!StringReleased()) EnableOption(3, true);
  // The sleeve is offered again only with rotation on a cone: in the plane the
  // support carries the load, and a moving sleeve would lift it off the plane.
  if (!StringReleased() && !Option(6)) EnableOption(2, true);
}

void Modes::Option8_Click() {
  LockStringEnd();
  LockPlane();
  SetCheck(2, 0);
  EnableCheck(2, false);
}

void Modes::Check1_Click() {
  if (StringReleased()) {
    LockStringEnd();
    Select(4);
    Option4_Click();
    EnableOption(3, false);
    SetCheck(3, 1);
  } else {
    EnableOption(3, true);
    if (!SplitChosen() && !Option(6)) EnableOption(2, true);
  }
}

void Modes::Check2_Click() {
  if (SplitChosen()) {
    LockStringEnd();
    LockPlane();
  } else {
    EnableOption(5, true);
  }
}

void Modes::Check3_Click() {
  if (StringReleased()) SetCheck(3, 1);
}

}  // namespace vozaz2
