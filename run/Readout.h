// The numbers of a displayed step for the result boxes (run/Boxes.h): the
// common boxes kL0 ... kVY, and the variant's own (kW12 for the dumbbell, kL00
// and kFL2 after the split).
#pragma once

#include <initializer_list>
#include <utility>

#include "model/Record.h"
#include "run/Boxes.h"

namespace vozaz2 {

// Gives the variant boxes (box, value) of the step, then the common boxes in
// the order of their numbers. The balance and EL2 - EL1 are worked out before
// any box is given; if either overflows, the boxes before it are given and
// NumericFault is thrown.
void WriteReadout(const SimRecord& r, BoxValues& boxes,
                  std::initializer_list<std::pair<int, double>> variantBoxes);

}  // namespace vozaz2
