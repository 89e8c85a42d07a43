// Twips, 1/1440 inch: the unit the windows' layouts are given in.
//
// Both windows turn twips into Qt's device-independent pixels at 15 twips a
// pixel (96 dpi), whatever dpi the screen reports: Qt already scales those
// pixels on a high-density screen, and the screen's own dpi (72 on macOS)
// would only shrink the windows. Free of Qt, so that the main window uses it
// as well as the help window.
#pragma once

#include <cmath>

namespace vozaz2 {

inline constexpr int kTwipsPerPixel = 15;

// A length or position in twips as pixels, rounded to the nearest (for the
// layouts' non-negative values).
constexpr int Pixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

// The same at a zoom in per cent (Pixels(twips) at 100).
inline int ZoomedPixels(int twips, int percent) {
  return static_cast<int>(std::lround(twips * percent / (100.0 * kTwipsPerPixel)));
}

}  // namespace vozaz2
