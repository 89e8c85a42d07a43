// A scenario replayed headless, step for step as a user made it: the
// parameters typed and the controls clicked before "Начать", the start, the
// clicks during the run at their steps, and the steps. The headless runner,
// the CSV export, the fuzz targets and the tests all replay this way.
#pragma once

#include <functional>
#include <optional>

#include "run/Scenario.h"
#include "run/Session.h"

namespace vozaz2 {

// Opens the scenario on the session and presses "Начать" with its numbers
// (the start-up value where it has none). The outcome says whether the
// start was refused (its message).
Outcome StartReplay(Session& session, const Scenario& scenario);

// How a replayed run ended.
enum class RunEnd { kComplete, kDiverged, kStopped };

// Runs a started replay on: each step with the clicks due before it, then
// afterStep(steps made) (false stops the run). Without a step count the run
// goes on until T reaches 12 Mt, the width of the oscillogram. The clicks due
// after the last step are made too, as a user's clicks after it.
RunEnd ReplaySteps(Session& session, std::optional<long long> steps,
                   const std::function<bool(long long)>& afterStep = {});

// Both: the whole scenario with its own step count. A refused start makes no
// step; its outcome holds the message.
struct ReplayResult {
  Outcome start;
  RunEnd end = RunEnd::kComplete;
  bool Started() const { return start.message.empty(); }
};
ReplayResult Replay(Session& session, const Scenario& scenario,
                    const std::function<bool(long long)>& afterStep = {});

}  // namespace vozaz2
