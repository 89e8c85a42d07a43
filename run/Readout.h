// The numbers of a displayed step in the result boxes.
//
//   Text10 L0      Text17 FL     Text24 EVL           Text31 T
//   Text11 R2 (R)  Text18 Ftr    Text25 EL2 - EL1     Text37 w12 (dumbbell)
//   Text12 w2      Text19 FC     Text26 Emg           Text38 X
//   Text13 V2      Text20 Z2 (Z) Text27 Etr           Text39 Y (Ycoord)
//   Text14 J2      Text21 E1     Text28 MKD1          Text40 VX
//   Text15 h2 (h)  Text22 E2     Text29 MKD2          Text41 L00 (split)
//   Text16 L2 (L)  Text23 balance                     Text42 VY
//                                                     Text43 FL2 (split)
#pragma once

#include <initializer_list>
#include <utility>

#include "model/Record.h"
#include "run/TextBoxes.h"

namespace vozaz2 {

// Writes the variant boxes (box, value) of the step, then the common boxes in
// the order above. The balance and EL2 - EL1 are worked out before any box is
// written; if either overflows, the boxes before it are written and
// NumericFault is thrown.
void WriteReadout(const SimRecord& r, TextBoxes& boxes, char decimalSeparator,
                  std::initializer_list<std::pair<int, double>> variantBoxes);

}  // namespace vozaz2
