// A moment of a run that a lesson names: the run's end, or the first step at
// which a quantity of the readout reaches a value ("когда R2 станет 0,5 м";
// a model time is the quantity T reaching it). The session stops its run
// there (run/Session.h, RunLimit), and a task reads its quantity there.
#pragma once

#include <cstddef>
#include <optional>

namespace vozaz2 {

struct Moment {
  std::optional<std::size_t> quantity;  // into kQuantities; none: the run's end
  double value = 0;
  bool AtEnd() const { return !quantity; }
  bool operator==(const Moment&) const = default;
};

// Whether a quantity that stood at `before` and stands at `after` one step
// later got to `value` on the way, from either side. A step never lands
// exactly on a value in general, so the step that carries the quantity
// across it is the moment; a quantity that only touches it counts as well.
inline bool Reaches(double before, double after, double value) {
  return (before < value && after >= value) || (before > value && after <= value);
}

}  // namespace vozaz2
