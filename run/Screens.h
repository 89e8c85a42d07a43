// The two screens: their sizes, scales and grids.
#pragma once

#include "run/Surface.h"

namespace vozaz2 {

// Drawing areas in pixels (the screens' frames, inside their sunken borders).
inline constexpr int kScreen2Width = 381, kScreen2Height = 261;  // oscillogram
inline constexpr int kScreen3Width = 261, kScreen3Height = 261;  // path from above

// The oscillogram's scale: x = T/Mt from kScreen2Left to kScreen2Right, y
// from kScreen2Top down to kScreen2Bottom.
inline constexpr float kScreen2Left = 0, kScreen2Top = 5, kScreen2Right = 12, kScreen2Bottom = -5;

// Oscillogram: its scale, nine inner levels and verticals at 1, 2, 4, 6, 8,
// 10. Does not clear.
void PrepareScreen2(Surface& picture2);

// Path from above: x and y from -5 to 5, the unit grid edge to edge, and the
// two lines through the origin in grey. Does not clear.
void PrepareScreen3(Surface& picture3);

}  // namespace vozaz2
