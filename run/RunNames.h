// A kept run's name: what differs from the run before, in the words of the
// window ("VL = 0,2 м/с", "в плоскости"), so that a legend of a lesson's runs
// reads as the lesson's questions. A run's set-up is its scenario: the numbers
// typed, the controls clicked before "Начать" and the clicks during the run.
#pragma once

#include <optional>
#include <string>

#include "run/Scenario.h"

namespace vozaz2 {

// At most this many differences are named; the rest are counted ("и ещё 2").
inline constexpr std::size_t kNamedDifferences = 3;

// The differences of `run` from `before`, joined by commas: the controls
// first (one word each, as the run chose them), then the numbers, then the
// clicks during the run. Empty when nothing differs. Without a run before,
// the difference from start-up.
std::string DifferenceName(const std::optional<Scenario>& before, const Scenario& run);

}  // namespace vozaz2
