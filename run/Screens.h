// The two screens: their sizes, scales and grids.
#pragma once

#include "run/Surface.h"

namespace vozaz2 {

// Drawing areas in pixels (the screens' frames, inside their sunken borders).
inline constexpr int kScreen2Width = 381, kScreen2Height = 261;  // oscillogram
inline constexpr int kScreen3Width = 261, kScreen3Height = 261;  // path from above

// Oscillogram: x = T/Mt from 0 to 12, y from -5 to 5; nine inner levels and
// verticals at 1, 2, 4, 6, 8, 10. Does not clear.
void PrepareScreen2(Surface& picture2);

// Path from above: x and y from -5 to 5, the unit grid edge to edge, and the
// two lines through the origin in grey. Does not clear.
void PrepareScreen3(Surface& picture3);

}  // namespace vozaz2
