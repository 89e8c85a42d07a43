// The text boxes of the main window by their number (Text1 ... Text43), and
// the numbers a command of the experiment has for them. The core deals in
// numbers only; the window turns them into the boxes' texts.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <stdexcept>

#include "model/Setup.h"

namespace vozaz2 {

// Each box by the symbol it shows (ui/Form1Layout.h places them). Inputs are
// typed by the user; the start values are written by "Начать", the results by
// every displayed step.
enum Box : int {
  // Inputs: the eleven parameters of a run.
  kR1 = 1, kW1 = 2, kCL = 7, kKtr = 8, kVL = 9, kP0 = 30,
  kMx = 32, kMF = 33, kMz = 34, kMt = 35, kTr = 36,
  // Start values.
  kV1 = 3, kJ1 = 4, kH1 = 5, kL1 = 6,
  // Results of a step.
  kL0 = 10, kR2 = 11, kW2 = 12, kV2 = 13, kJ2 = 14, kH2 = 15, kL2 = 16,
  kFL = 17, kFtr = 18, kFC = 19, kZ2 = 20, kE1 = 21, kE2 = 22,
  kBalance = 23,  // +/- EVL + E1 - E2 - EL - Emg - Etr
  kEVL = 24, kEL = 25, kEmg = 26, kEtr = 27, kMKD1 = 28, kMKD2 = 29, kT = 31,
  kW12 = 37, kX = 38, kY = 39, kVX = 40, kL00 = 41, kVY = 42, kFL2 = 43,
};
inline constexpr int kBoxCount = 43;

// The boxes of the eleven parameters, in the order of Parameters
// (model/Setup.h) and of kParameterNames.
inline constexpr std::array<int, kParameterCount> kParameterBoxes = {kR1, kW1, kCL, kKtr, kVL, kP0,
                                                                     kMx, kMF, kMz, kMt, kTr};

// The numbers that one command gives the boxes: which boxes it wrote, and
// with what. A box the command did not write keeps what it showed.
class BoxValues {
 public:
  void Set(int box, double value) {
    values_[Slot(box)] = value;
    written_.set(Slot(box));
  }
  bool Written(int box) const { return written_.test(Slot(box)); }
  double Value(int box) const { return values_[Slot(box)]; }
  bool Empty() const { return written_.none(); }
  void Clear() { written_.reset(); }

 private:
  static std::size_t Slot(int box) {
    if (box < 1 || box > kBoxCount) throw std::out_of_range("no such text box");
    return static_cast<std::size_t>(box - 1);
  }
  std::array<double, kBoxCount> values_{};
  std::bitset<kBoxCount> written_;
};

}  // namespace vozaz2
