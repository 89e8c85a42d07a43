// The report's words on the run's own error: the drift of the angular
// momentum against the error of the integration that the twin at half the
// step estimated (run/Twin.h), and whether the one explains the other.
#pragma once

#include <QString>

#include "run/RunHistory.h"

namespace vozaz2 {

// A number with two significant digits and its power of ten written out:
// "2,1·10⁻⁸".
QString PowerOfTen(double v);

// The sentences of the verification paragraph on the estimate; empty when
// the run had no twin.
QString AccuracyText(const RunHistory& history);

}  // namespace vozaz2
