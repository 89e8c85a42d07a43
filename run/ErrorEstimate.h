// The estimate of a run's own integration error that its twin at half the
// step makes (run/Twin.h), and why the twin may stop following the run.
#pragma once

namespace vozaz2 {

// Whether the twin still follows the run, or why not.
enum class Lockstep {
  kHeld,
  // The load is handed over to two balls at the first step that starts after
  // 1 s: at half the step that can fall half a step earlier.
  kHandOver,
  // The released string is fixed at the end of the last step that ends by
  // 1 s, and the second string's free length at the last one that ends by Tr:
  // at half the step these can fall half a step later.
  kReleaseEnd,
  kSecondString,
  kDivergence,  // one of the two diverged (the other need not)
  // The controls changed while the twin stood between its half steps; clicks
  // come between the run's steps, so only a fault of the program does that.
  kClickBetweenHalfSteps,
};

// Why the estimate stopped, as a Russian clause: "груз разделился на два шара
// в разное время".
const char* LockstepText(Lockstep lockstep);

// The twin's estimate of the run's error after its last step: the run's value
// less the exact one, for R2, w2, MKD2 and the energy balance.
struct ErrorEstimate {
  Lockstep lockstep = Lockstep::kHeld;
  double heldUntil = 0;  // the model time up to which the twin followed the run
  bool known = false;   // an estimate stands: held, after a displayed step
  double R2 = 0, w2 = 0, MKD2 = 0, balance = 0;
};

}  // namespace vozaz2
