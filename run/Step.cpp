// SolveStep: one fixed step P0 of the classical fourth-order Runge-Kutta
// scheme, and everything that belongs to it.
//
// Order of a step: prologue (stage time, drive speed) -> choice of the
// equations (one load, or two balls after the split) -> four stages ->
// bookkeeping (release phase, friction and source sums) -> on a displayed
// step: derived speeds, energies, plotting, readout -> epilogue (time).
// A fault anywhere between prologue and epilogue ends the step in the
// divergence message; the time still advances.
#include <cmath>
#include <cstdint>
#include <limits>

#include "model/Equations.h"
#include "model/FpFault.h"
#include "model/Variant.h"
#include "run/Accounting.h"
#include "run/Experiment.h"
#include "run/Plotting.h"
#include "run/Readout.h"

namespace vozaz2 {

namespace {

// Step counters are 16-bit; running past their range is a fault of the step.
void Increment(std::int16_t& n) {
  if (n == std::numeric_limits<std::int16_t>::max()) throw NumericFault();
  ++n;
}

// The four stages. The equations leave in the record the forces and lengths of
// the fourth stage (at T0 + P0 with the stage-4 trial state); the accounting,
// plotting and readout of the step use those. The last sum keeps its order,
// (2 K2 + K1 + 2 K3 + K4) / 6 + Y0: the rounding of each operation is part of
// the run's results. The loops over Y(1..8) count with an index of their own,
// which the compiler sees stay within the state vector (no range test, the
// loop unrolled); the record's Ind ends as the loops always left it, at 9.
template <class Equations>
void RungeKutta(SimRecord& r, Equations&& equations) {
  constexpr int kLast = 8;
  for (int i = 1; i <= kLast; ++i) r.Y0(i) = r.Y(i);
  equations();  // k1 at T0
  for (int i = 1; i <= kLast; ++i) {
    r.K1(i) = r.P0 * r.DY(i);
    r.Y(i) = r.Y0(i) + r.K1(i) / 2;
  }
  r.T = r.T0 + r.P0 / 2;
  equations();  // k2 at the midpoint
  for (int i = 1; i <= kLast; ++i) {
    r.K2(i) = r.P0 * r.DY(i);
    r.Y(i) = r.Y0(i) + r.K2(i) / 2;
  }
  equations();  // k3 at the midpoint, from k2
  for (int i = 1; i <= kLast; ++i) {
    r.K3(i) = r.P0 * r.DY(i);
    r.Y(i) = r.Y0(i) + r.K3(i);
  }
  r.T = r.T0 + r.P0;
  equations();  // k4 at the end
  for (int i = 1; i <= kLast; ++i) {
    r.K4(i) = r.P0 * r.DY(i);
    r.Y(i) = (2 * r.K2(i) + r.K1(i) + 2 * r.K3(i) + r.K4(i)) / 6 + r.Y0(i);
  }
  r.Ind = kLast + 1;
  ThrowOnFpFault();
}

}  // namespace

void Experiment::SolveStep() {
  if (!started_) return;  // no run has been set up: there is nothing to step
  SimRecord& r = rec_;
  lastStepDiverged_ = false;
  boxes_.Clear();
  ClearFpFaults();
  try {
    r.T = r.T0;
    r.VL = r.VLset;
    if (modes_.DriveStands()) r.VL = 0;
    // A released string is not connected to the drive (after the first second
    // it is fixed at the sleeve), so freeing the drive during such a run moves
    // nothing and does no work.
    if (r.ReleaseRun) r.VL = 0;

    // The two balls' equations run only on a state that has been handed over
    // to two balls; once split, the run stays split until the next start.
    // They know no vertical motion, so only a run in the plane is handed over
    // (the box can be ticked during a run on a cone).
    // "After 1 s" is tested as T >= 1 && T != 1, the rule as stated: it is
    // T > 1 for every T, a NaN included, and is left in that form.
    bool twoBalls = SplitDone(r);
    if (!twoBalls && SplitArmed(r, modes_) && r.T >= 1 && r.T != 1 && r.T <= r.Tr) {
      HandOver();
      twoBalls = true;
    }
    PrepareDrive(twoBalls);
    if (twoBalls)
      TwoBallStep();
    else
      SingleLoadStep();
  } catch (const NumericFault&) {
    Diverge();
  }
  r.T0 = r.T0 + r.P0;
  r.Cnt = static_cast<std::int16_t>(r.Cnt + 1);
}

// The 2 kg load becomes two 1 kg balls at the same place with the same
// velocity; ball a stays on the string.
void Experiment::HandOver() {
  SimRecord& r = rec_;
  r.SplitDone = 1;
  r.DLap = r.DL;
  r.DLbp = 0;
  r.Xa = r.Xb = r.X;
  r.Ya = r.Yb = r.Ycoord;
  r.VXa = r.VXb = r.VX;
  r.VYa = r.VYb = r.VY;
  PutTwoBallState(r);
}

// The drive of this step: the string end (after the split always the string
// end) or the sleeve, up or down, at the speed in effect. The driven part
// moves on from where it stands, and its work enters the balance with this
// step's sign.
void Experiment::PrepareDrive(bool twoBalls) {
  SimRecord& r = rec_;
  const float sign = twoBalls ? r.DirSign : r.MoverSign * r.DirSign;
  r.DriveSign = sign;
  const bool sleeve = !twoBalls && r.MoverSign < 0;
  // The step's work is the trapezoid of the force against the driven part at
  // the start and at the end of the step. The start value is taken afresh for
  // the part driven now: it is what the last step left, unless the drive has
  // just been switched between string end and sleeve, when that value belongs
  // to the other part and would put a spurious trapezoid into the work.
  if (!twoBalls && !r.ReleaseRun) r.FVLp = sleeve ? (1 - std::sin(r.Alpha)) * r.FL : r.FL;
  if (modes_.DriveStands()) return;  // it stays where it stands
  const double v = sign * r.VL;
  const double standing = sleeve ? -r.DSleeve : r.DString;
  if (v * r.T0 + r.DriveOffset != standing) r.DriveOffset = standing - v * r.T0;
  r.DriveV = v;
}

void Experiment::SingleLoadStep() {
  SimRecord& r = rec_;
  RungeKutta(r, [&] { Diffur1(r, modes_); });
  Increment(r.Cnt);
  TakeSingleLoadState(r);
  r.DLp = r.DL;
  r.Z2 = r.Z;
  // While the string is released its free length follows the slant length,
  // so at the end of the first second it is fixed unstretched; it does no
  // work and has no friction meanwhile.
  if (r.ReleaseRun && r.T <= 1) {
    r.L0 = r.L;
    r.DLp = 0;
    r.FVL = 0;
    r.FVLp = 0;
    r.Ftr = 0;
  }
  AddStepSums(r, false);
  ThrowOnFpFault();
  if (r.Cnt < r.NShow) return;

  r.V2 = std::sqrt(r.VX * r.VX + r.VY * r.VY);
  r.w2 = r.V2 / r.R;
  r.J2 = r.m * r.R * r.R;
  SingleLoadTerms(r);
  if (r.DumbbellRun) {
    if (r.L < 0.1) throw NumericFault();  // the dumbbell has run into the sleeve
    // Ball a at -1/2 along the axis Psi, ball b at +1/2; the spin w12 adds
    // w12/2 across the axis to each.
    const double c = std::cos(r.Psi), s = std::sin(r.Psi);
    r.Xb = r.X + c / 2;
    r.Yb = r.Ycoord + s / 2;
    r.VXa = r.VX + s * r.w12 / 2;
    r.VYa = r.VY - c * r.w12 / 2;
    r.VXb = r.VX - s * r.w12 / 2;
    r.VYb = r.VY + c * r.w12 / 2;
    r.V2a = std::sqrt(r.VXa * r.VXa + r.VYa * r.VYa);
    r.V2b = std::sqrt(r.VXb * r.VXb + r.VYb * r.VYb);
    TwoBallTerms(r);
  }
  ThrowOnFpFault();
  PlotSingleLoad(r, picture2_, picture3_);
  if (r.DumbbellRun)
    WriteReadout(r, boxes_, {{kW12, r.w12}});
  else
    WriteReadout(r, boxes_, {});
}

void Experiment::TwoBallStep() {
  SimRecord& r = rec_;
  RungeKutta(r, [&] { Diffur2(r, modes_); });
  Increment(r.Cnt);
  TakeTwoBallState(r);
  if (r.Ra < 0.1) throw NumericFault();  // ball a has reached the axis
  r.DLap = r.DLa;
  r.DLbp = r.DLb;
  if (r.T <= r.Tr) r.L00 = r.Lb;  // the second string's free length follows until Tr
  AddStepSums(r, true);
  ThrowOnFpFault();
  if (r.Cnt < r.NShow) return;

  // Shown: the imaginary centre of the two balls (R, V2, w2, J2), and ball a
  // (X, Y, VX, VY, L).
  r.V2a = std::sqrt(r.VXa * r.VXa + r.VYa * r.VYa);
  r.V2b = std::sqrt(r.VXb * r.VXb + r.VYb * r.VYb);
  r.R = (r.Ra + r.Rb) / 2;
  r.V2 = (r.V2a + r.V2b) / 2;
  r.w2 = r.V2 / r.R;
  r.J2 = r.m * r.R * r.R;
  r.L = r.Ra;
  r.X = r.Xa;
  r.Ycoord = r.Ya;
  r.VX = r.VXa;
  r.VY = r.VYa;
  SplitTerms(r);
  ThrowOnFpFault();
  PlotTwoBalls(r, picture2_, picture3_);
  WriteReadout(r, boxes_, {{kL00, r.L00}, {kFL2, r.FL2}});
}

}  // namespace vozaz2
