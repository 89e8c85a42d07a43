#include "run/Scenario.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>

#include "run/TaskCheck.h"


namespace vozaz2 {

std::optional<ModeControl> ModeControlNamed(std::string_view name) {
  for (int n = 1; n <= Modes::kOptions; ++n)
    if (name == "Option" + std::to_string(n)) return ModeControl{true, n};
  for (int n = 1; n <= Modes::kChecks; ++n)
    if (name == "Check" + std::to_string(n)) return ModeControl{false, n};
  return std::nullopt;
}

std::string ModeControlName(ModeControl c) {
  return (c.option ? "Option" : "Check") + std::to_string(c.number);
}

bool Click(Modes& modes, ModeControl c) {
  return c.option ? modes.ClickOption(c.number) : modes.ClickCheck(c.number);
}

std::optional<std::size_t> ParameterIndex(std::string_view name) {
  for (std::size_t i = 0; i < kParameterCount; ++i)
    if (kParameterNames[i] == name) return i;
  return std::nullopt;
}

std::optional<std::string> ScenarioProblem(const Scenario& s) {
  for (std::size_t i = 0; i < kParameterCount; ++i)
    if (s.parameters[i] && !std::isfinite(*s.parameters[i]))
      return std::string(kParameterNames[i]) + ": нужно конечное число";
  for (const ModeControl& c : s.before)
    if (!ModeControlNamed(ModeControlName(c))) return "нет элемента " + ModeControlName(c);
  long long last = 0;
  for (const TimedClick& t : s.events) {
    if (!ModeControlNamed(ModeControlName(t.control)))
      return "нет элемента " + ModeControlName(t.control);
    if (t.afterSteps < 0 || t.afterSteps > kMaxSteps)
      return "шаг щелчка вне пределов от 0 до " + std::to_string(kMaxSteps);
    if (t.afterSteps < last) return "щелчки не по порядку шагов";
    last = t.afterSteps;
  }
  if (s.steps && (*s.steps < 0 || *s.steps > kMaxSteps))
    return "число шагов вне пределов от 0 до " + std::to_string(kMaxSteps);
  if (s.task) return TaskProblem(*s.task);
  return std::nullopt;
}

void AddEvents(Scenario& s, const std::vector<TimedClick>& more) {
  s.events.insert(s.events.end(), more.begin(), more.end());
  std::stable_sort(s.events.begin(), s.events.end(),
                   [](const TimedClick& a, const TimedClick& b) { return a.afterSteps < b.afterSteps; });
}

namespace {

// Everything a click can change: selection and ticks, what is enabled, and
// the signs the option rules write into the record.
using ControlState = std::vector<int>;

ControlState StateOf(const Modes& m, const SimRecord& r) {
  ControlState s;
  for (int n = 1; n <= Modes::kOptions; ++n) {
    s.push_back(m.Option(n));
    s.push_back(m.OptionEnabled(n));
  }
  for (int n = 1; n <= Modes::kChecks; ++n) {
    s.push_back(m.Checked(n));
    s.push_back(m.CheckEnabled(n));
  }
  s.push_back(static_cast<int>(r.DirSign));
  s.push_back(static_cast<int>(r.MoverSign));
  s.push_back(static_cast<int>(r.PathSign));
  return s;
}

const std::vector<ModeControl>& AllControls() {
  static const std::vector<ModeControl> all = [] {
    std::vector<ModeControl> v;
    for (int n = 1; n <= Modes::kOptions; ++n) v.push_back({true, n});
    for (int n = 1; n <= Modes::kChecks; ++n) v.push_back({false, n});
    return v;
  }();
  return all;
}

}  // namespace

std::optional<std::vector<ModeControl>> ClicksToReach(const Modes& target, const SimRecord& signs) {
  const ControlState wanted = StateOf(target, signs);
  // Breadth first over the few dozen states the controls can be in: each
  // state is kept with the shortest clicks that reach it from start-up.
  auto replay = [](const std::vector<ModeControl>& clicks, SimRecord& r) {
    SetStartUpSigns(r);
    Modes m(r);
    for (ModeControl c : clicks) Click(m, c);
    return StateOf(m, r);
  };
  std::map<ControlState, std::vector<ModeControl>> seen;
  std::deque<std::vector<ModeControl>> queue{{}};
  SimRecord r;
  seen[replay({}, r)] = {};
  while (!queue.empty()) {
    std::vector<ModeControl> path = std::move(queue.front());
    queue.pop_front();
    if (replay(path, r) == wanted) return path;
    for (ModeControl c : AllControls()) {
      std::vector<ModeControl> next = path;
      next.push_back(c);
      if (seen.emplace(replay(next, r), next).second) queue.push_back(std::move(next));
    }
  }
  return std::nullopt;
}

bool SameControls(const std::vector<ModeControl>& a, const std::vector<ModeControl>& b) {
  auto reached = [](const std::vector<ModeControl>& clicks) {
    SimRecord r;
    SetStartUpSigns(r);
    Modes m(r);
    for (ModeControl c : clicks) Click(m, c);
    return StateOf(m, r);
  };
  return reached(a) == reached(b);
}

bool EndsWithinLimit(const SimRecord& r) {
  const double needed = 12 * r.Mt / r.P0;
  return needed < static_cast<double>(kMaxSteps);
}

}  // namespace vozaz2
