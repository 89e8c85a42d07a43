#include "run/Screens.h"

#include <initializer_list>

namespace vozaz2 {

void PrepareScreen2(Surface& s) {
  s.Scale(kScreen2Left, kScreen2Top, kScreen2Right, kScreen2Bottom);
  for (float y : {0.f, -1.f, 1.f, -2.f, 2.f, -3.f, 3.f, -4.f, 4.f})
    s.Line(kScreen2Left, y, kScreen2Right, y, colours::kGrid);
  for (float x : {1.f, 2.f, 4.f, 6.f, 8.f, 10.f})
    s.Line(x, kScreen2Bottom, x, kScreen2Top, colours::kGrid);
}

void PrepareScreen3(Surface& s) {
  s.Scale(-5, 5, 5, -5);
  for (int k = -5; k <= 5; ++k) {
    s.Line(-5, static_cast<float>(k), 5, static_cast<float>(k), colours::kGrid);
    s.Line(static_cast<float>(k), -5, static_cast<float>(k), 5, colours::kGrid);
  }
  s.Line(-5, 0, 5, 0, colours::kAxisGrey);
  s.Line(0, -5, 0, 5, colours::kAxisGrey);
}

}  // namespace vozaz2
