// What a displayed step adds to the two screens.
#pragma once

#include "model/Record.h"
#include "run/Surface.h"

namespace vozaz2 {

// The balls of the dumbbell and of the split load on the path screen, in its
// units.
inline constexpr float kBallRadius = 0.3f;

// The dumbbell's orientation sign stands at (kTurnSignX, kTurnSignY) on the
// path screen. At the start a ring marks its place, a little larger than a
// ball, so that the balls drawn there stay inside it.
inline constexpr float kTurnSignX = 4, kTurnSignY = -4;
inline constexpr float kTurnSignRing = 0.4f;
static_assert(kTurnSignRing > kBallRadius);

// Oscillogram points of FL, Ftr, Z, the dumbbell's turn and spin; the trail of
// the load seen from above; for the dumbbell its orientation sign.
// Sets Cnt to 0 between the two screens.
void PlotSingleLoad(SimRecord& r, Surface& picture2, Surface& picture3);

// Oscillogram points of both strings' forces and the balls' turn; the two
// balls and the string between them at their true places, without a trail.
void PlotTwoBalls(SimRecord& r, Surface& picture2, Surface& picture3);

}  // namespace vozaz2
