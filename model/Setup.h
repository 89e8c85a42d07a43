// The start of an experiment: the steady rotation that the load performs at
// T = 0 and the free length of the string that holds it there.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "model/Record.h"

namespace vozaz2 {

// What the controls say at "Начать" about the run to start.
struct StartChoice {
  bool dumbbell = false;  // "m=1+1"
  bool release = false;   // "FL= 0 до 1 с "
  bool manualMx = false;  // "Mx задать вручную"
};

// The eleven typed parameters, in the order the window reads them.
struct Parameters {
  double R1, w1, CL, Ktr, VLset, P0, Mx, MF, Mz, Mt, Tr;
};

// The start-up texts of those boxes.
inline constexpr Parameters kDefaultParameters = {1, 2, 10, 1, 0.1, 0.005, 0.5, 5, 2, 1, 1.2};

// The same eleven as a row, in the same order, for what goes through them
// one by one (the boxes, the files, the command line).
inline constexpr std::size_t kParameterCount = 11;
using ParameterValues = std::array<double, kParameterCount>;
inline constexpr ParameterValues ValuesOf(const Parameters& p) {
  return {p.R1, p.w1, p.CL, p.Ktr, p.VLset, p.P0, p.Mx, p.MF, p.Mz, p.Mt, p.Tr};
}
inline constexpr Parameters ParametersOf(const ParameterValues& v) {
  return {v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]};
}
inline constexpr ParameterValues kDefaultValues = ValuesOf(kDefaultParameters);


// What a parameter must be to mean something: the radius, the stiffness, the
// step and the scales of the oscillogram positive, the friction not
// negative, a rotation to start with; the manual trajectory scale positive; a dumbbell's centre at
// least 0.51 m from the axis, so that its balls clear it. Everything else
// that is finite may be meant: a negative w1 turns the other way, a negative
// VL drives the other way, a Tr before 1 s means no split.
struct ParameterRule {
  std::size_t index;      // in the order of Parameters
  const char* condition;  // as a teacher writes it: "R1 > 0"
};
// The first rule that the parameters break, or nothing.
std::optional<ParameterRule> BrokenParameterRule(const Parameters& p, const StartChoice& choice);

// The record as it is at the start of a run made from these parameters: the
// run fields re-initialised, the start values computed, the state vector
// loaded. Nothing else of `current` changes. Returns nothing when the numbers
// make no run: an arithmetic fault on the way (R1 = 0, w1 = 0, CL = 0, a
// manual Mx of 0, overflow), a start circle too large for the screen, or a
// dumbbell centre closer than 0.51 m to the axis.
std::optional<SimRecord> ComputeStart(const SimRecord& current, const Parameters& p,
                                      const StartChoice& choice);

// Radius of the start circle on the trajectory screen, in its units (infinite
// or NaN when it does not fit; ComputeStart refuses such a start).
float StartCircleRadius(const SimRecord& r);

}  // namespace vozaz2
