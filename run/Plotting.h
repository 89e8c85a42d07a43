// What a displayed step adds to the two screens.
#pragma once

#include "model/Record.h"
#include "run/Surface.h"

namespace vozaz2 {

// Oscillogram points of FL, Ftr, Z, the dumbbell's turn and spin; the trail of
// the load seen from above; for the dumbbell its orientation sign at (4, -4).
// Sets Cnt to 0 between the two screens.
void PlotSingleLoad(SimRecord& r, Surface& picture2, Surface& picture3);

// Oscillogram points of both strings' forces and the balls' turn; the two
// balls and the string between them at their true places, without a trail.
void PlotTwoBalls(SimRecord& r, Surface& picture2, Surface& picture3);

}  // namespace vozaz2
