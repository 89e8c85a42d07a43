// A scenario: one experiment told as a user performs it. The numbers typed
// into the parameter boxes, the mode controls clicked before "Начать", the
// clicks made during the run after a given number of steps, and how long the
// run goes on. The window records every run as a scenario; the headless
// runner and the experiment files replay them, step for step.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Modes.h"
#include "model/Setup.h"
#include "run/Boxes.h"
#include "run/Task.h"

namespace vozaz2 {

// One of the mode controls: Option1 ... Option8 or Check1 ... Check4.
struct ModeControl {
  bool option = true;  // false: a check box
  int number = 1;
  bool operator==(const ModeControl&) const = default;
};

// "Option1" ... "Option8", "Check1" ... "Check4", exactly so spelt.
std::optional<ModeControl> ModeControlNamed(std::string_view name);
std::string ModeControlName(ModeControl control);

// A user's click on the control; a disabled control ignores it. Returns
// whether any rule ran.
bool Click(Modes& modes, ModeControl control);

// The parameters by the symbols of their boxes, in the order of kParameterBoxes.
inline constexpr std::array<std::string_view, kParameterCount> kParameterNames = {
    "R1", "w1", "CL", "Ktr", "VL", "P0", "Mx", "MF", "Mz", "Mt", "Tr"};
std::optional<std::size_t> ParameterIndex(std::string_view name);

// A click during the run, made after `afterSteps` steps.
struct TimedClick {
  long long afterSteps = 0;
  ModeControl control;
  bool operator==(const TimedClick&) const = default;
};

// The longest run a scenario may ask for: 50 million steps, about a minute
// of computing headless.
inline constexpr long long kMaxSteps = 50'000'000;

struct Scenario {
  std::string title;        // a lesson's title, shown in the window's title bar
  std::string description;  // what to watch and what it shows, for the students
  // The typed numbers; an empty one is the box's start-up default.
  std::array<std::optional<double>, kParameterCount> parameters{};
  std::vector<ModeControl> before;  // clicked after start-up, before "Начать"
  std::vector<TimedClick> events;   // by their steps, in non-decreasing order
  std::optional<long long> steps;   // how many steps a headless run makes
  std::optional<Task> task;         // predict, observe, explain (run/Task.h)

  bool operator==(const Scenario&) const = default;
};

// Why the scenario cannot be run, in a few words, or nothing when it can:
// every parameter finite, no step count (of the run or of an event) below 0
// or above kMaxSteps, events in the order of their steps.
std::optional<std::string> ScenarioProblem(const Scenario& s);

// Adds clicks during the run: each goes in at its step, after the clicks that
// the scenario already makes at that step, keeping the order given.
void AddEvents(Scenario& s, const std::vector<TimedClick>& more);

// The clicks that bring the mode controls from their start-up state to the
// state of `target` (selection, ticks, what is enabled, and the signs that
// the rules wrote into `signs`): the shortest such sequence, or nothing when
// no clicks reach it. The window saves the controls of a run this way.
std::optional<std::vector<ModeControl>> ClicksToReach(const Modes& target, const SimRecord& signs);

// Whether two sequences of clicks from start-up leave the controls alike.
bool SameControls(const std::vector<ModeControl>& a, const std::vector<ModeControl>& b);

// Whether a run without a step count ends within kMaxSteps steps.
bool EndsWithinLimit(const SimRecord& started);

}  // namespace vozaz2
