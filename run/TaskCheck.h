// A task's rules without a window: whether a task can be asked, how a
// prediction compares with what the run gave, and which box of the readout
// shows a quantity (the boxes a task hides).
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "run/Quantities.h"
#include "run/Task.h"

namespace vozaz2 {

// The result box of each readout quantity, in the order of kQuantities.
inline constexpr std::array<int, quantity::kReadoutCount> kReadoutBoxes = {
    31, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 38, 39, 40, 42, 37, 41, 43};

// Whether `value` is within the task's tolerance of `reference` (a relative
// tolerance is a fraction of the reference's size).
bool WithinTolerance(const Task& t, double value, double reference);

// A prediction beside the observed value.
struct Verdict {
  double difference = 0;  // prediction − observed
  bool within = false;
  // The foreseen wrong answer nearest to the prediction, when the prediction
  // missed and lies within the tolerance of one; the index into Task::wrong.
  std::optional<std::size_t> wrong;
};
Verdict Judge(const Task& t, double prediction, double observed);

// "w2", "R2", ... of a readout quantity, and the readout quantity of a key.
std::string QuantityKey(std::size_t q);
std::optional<std::size_t> ReadoutQuantityNamed(const std::string& key);

}  // namespace vozaz2
