// The text boxes of the main window, by their number (Text1 ... Text43).
#pragma once

#include <array>
#include <cstddef>
#include <string>

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

// The boxes of the eleven parameters, in the order the window reads them
// (the order of Parameters in model/Setup.h).
inline constexpr std::size_t kParameterCount = 11;
inline constexpr std::array<int, kParameterCount> kParameterBoxes = {kR1, kW1, kCL, kKtr, kVL, kP0,
                                                        kMx, kMF, kMz, kMt, kTr};

class TextBoxes {
 public:
  static constexpr int kCount = 43;
  virtual ~TextBoxes() = default;
  virtual std::string Text(int box) const = 0;
  virtual void SetText(int box, const std::string& text) = 0;
  // Whether anyone looks at the results of the steps. A runner that shows no
  // boxes says no, and the steps then skip turning their numbers into text
  // (which costs far more than the step itself).
  virtual bool ShowsResults() const { return true; }
};

// Boxes held in memory, as the headless runner and the tests use them. Each
// starts with its own name ("Text3"), as a fresh window shows it.
class MemoryTextBoxes final : public TextBoxes {
 public:
  // With showResults false the steps leave the result boxes alone.
  explicit MemoryTextBoxes(bool showResults = true);
  bool ShowsResults() const override { return showResults_; }
  std::string Text(int box) const override;
  void SetText(int box, const std::string& text) override;

 private:
  std::array<std::string, kCount> texts_;
  bool showResults_;
};

}  // namespace vozaz2
