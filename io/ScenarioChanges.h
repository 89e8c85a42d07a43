// What a run changed of the lesson it was opened from, in words, so that a
// file handed in never carries a lesson's title and description as if
// nothing had changed.
#pragma once

#include <QStringList>

#include "run/Scenario.h"

namespace vozaz2 {

// Each difference of `run` from `lesson`: a parameter ("VL = 0,05 (в уроке
// 0,1)"), the controls before the start, the clicks during the run, the
// number of steps. Empty when the run is the lesson's.
QStringList ScenarioChanges(const Scenario& lesson, const Scenario& run);

// The run with its lesson's title and description marked where it differs:
// the title ends in "(изменён)", and the description ends with the list of
// changes. A run that is the lesson's, or that has no lesson, is left alone.
Scenario MarkChanges(Scenario run, const Scenario& lesson);

}  // namespace vozaz2
