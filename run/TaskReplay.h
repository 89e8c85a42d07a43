// A handed-in run made again: the scenario replayed headless, step for step,
// with its task watching, so that the value the task observed is the run's
// own and not a number typed into the file afterwards.
#pragma once

#include <optional>

#include "run/Scenario.h"

namespace vozaz2 {

struct TaskReplayResult {
  bool started = false;             // the parameters passed "Начать"
  std::optional<double> observed;   // the task's quantity at its moment; none: the moment never came
};

// The scenario must have a task and no ScenarioProblem.
TaskReplayResult ReplayTask(const Scenario& s);

}  // namespace vozaz2
