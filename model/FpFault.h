// Floating-point faults of the model.
//
// An overflow, a division by zero or an invalid operation anywhere in the
// set-up or in a step makes that set-up or step fail. The arithmetic runs at
// full speed and the IEEE status flags record what happened; the routines test
// the flags at the points where a fault must stop them. Underflow and inexact
// results are ordinary and are not faults.
#pragma once

#include <cfenv>
#include <cmath>
#include <exception>
#include <limits>

namespace vozaz2 {

// Thrown where a fault is detected; the set-up turns it into the input
// message, the step into the divergence message.
struct NumericFault : std::exception {
  const char* what() const noexcept override { return "floating-point fault"; }
};

inline constexpr int kFaultFlags = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;

// Clearing the flags costs about an eighth of an undisplayed step (the x87 status
// goes through fnstenv/fldenv), and in a healthy run there is nothing to clear:
// test first, which is cheap. Only the fault flags are ever tested, so only
// they need clearing.
inline void ClearFpFaults() {
  if (std::fetestexcept(kFaultFlags)) std::feclearexcept(kFaultFlags);
}

// The status flags raised so far, and putting them back as they were, for
// code that must leave its caller's flags unchanged. Not fegetexceptflag and
// fesetexceptflag: MinGW-w64's fesetexceptflag (version 10) also clears the
// exception masks, after which the next underflow stops the program with a
// hardware trap.
inline int SavedFpFlags() { return std::fetestexcept(FE_ALL_EXCEPT); }
inline void RestoreFpFlags(int flags) {
  std::feclearexcept(FE_ALL_EXCEPT);
  if (flags) std::feraiseexcept(flags);
}

inline bool FpFaultRaised() { return std::fetestexcept(kFaultFlags) != 0; }

inline void ThrowOnFpFault() {
  if (FpFaultRaised()) throw NumericFault();
}

// A coordinate on a screen is single precision: a value beyond its range (or
// not a number) is a fault. The range is tested before converting: the
// conversion's own overflow flag cannot be relied on here, because the
// compiler may move a conversion that stays in a register past the flag test,
// and the fault would then surface later, after boxes had been written.
inline float ToSingle(double v) {
  if (!(std::fabs(v) <= std::numeric_limits<float>::max())) throw NumericFault();
  return static_cast<float>(v);
}

}  // namespace vozaz2
