#include "model/Setup.h"

#include <cmath>

#include "model/Constants.h"
#include "model/Equations.h"
#include "model/FpFault.h"

namespace vozaz2 {

float StartCircleRadius(const SimRecord& r) { return static_cast<float>(r.R1 / r.Mx); }

std::optional<ParameterRule> BrokenParameterRule(const Parameters& p, const StartChoice& choice) {
  const struct {
    bool holds;
    ParameterRule rule;
  } rules[] = {
      {p.R1 > 0, {0, "R1 > 0"}},
      {p.w1 != 0, {1, "w1 ≠ 0"}},
      {!choice.dumbbell || p.R1 >= 0.51, {0, "R1 ≥ 0,51 м у гантели"}},
      {p.CL > 0, {2, "CL > 0"}},
      {p.Ktr >= 0, {3, "Ktr ≥ 0"}},
      {p.P0 > 0, {5, "шаг > 0"}},
      {!choice.manualMx || p.Mx > 0, {6, "Mx > 0"}},
      {p.MF > 0, {7, "MF > 0"}},
      {p.Mz > 0, {8, "Mz > 0"}},
      {p.Mt > 0, {9, "Mt > 0"}},
  };
  for (const auto& r : rules)
    if (!r.holds) return r.rule;
  return std::nullopt;
}

// On a cone the string's vertical pull carries the weight and its horizontal
// pull supplies the centripetal force of the circle of radius R1:
//   FL sin(Alpha) = m g,  FL cos(Alpha) = m w1^2 R1,  tan(Alpha) = g / (w1^2 R1),
// and the sleeve stands h1 = R1 tan(Alpha) above the load. In the plane the
// support carries the weight and the string runs horizontally (Alpha = 0).
// The string of stiffness CL is stretched by FL/CL at the start, which fixes
// its free length L0.
std::optional<SimRecord> ComputeStart(const SimRecord& current, const Parameters& p,
                                      const StartChoice& choice) {
  SimRecord r = current;
  const int saved = SavedFpFlags();
  ClearFpFaults();
  bool ok = true;
  try {
    r.R1 = p.R1;
    r.w1 = p.w1;
    r.CL = p.CL;
    r.Ktr = p.Ktr;
    r.VLset = p.VLset;
    r.P0 = p.P0;
    r.Mx = p.Mx;
    r.MF = p.MF;
    r.Mz = p.Mz;
    r.Mt = p.Mt;
    r.Tr = p.Tr;

    r.VL = r.VLset;
    r.T0 = 0;
    r.EVL = 0;
    r.Etr = 0;
    r.Vtr = 0;
    r.DL = 0;
    r.Lh = 0;
    r.w12 = 0;
    r.DLh = 0;
    r.SplitDone = 0;
    r.DString = 0;
    r.DSleeve = 0;
    r.DriveV = 0;
    r.DriveOffset = 0;
    r.EVLSigned = 0;
    r.DumbbellRun = choice.dumbbell;
    r.ReleaseRun = choice.release;
    r.PlaneRun = r.PathSign == 0;

    // Forces of the steady rotation.
    r.Fcen = r.m * r.w1 * r.w1 * r.R1;
    r.Fmg = r.m * kGravity;
    r.FL2 = 0;
    r.Alpha = r.PathSign * std::atan(r.Fmg / r.Fcen);
    r.h1 = r.PathSign * r.R1 * std::tan(r.Alpha);
    r.Fsup = (1 - r.PathSign) * r.Fmg;
    r.FL = r.Fcen / std::cos(r.Alpha);
    r.FVLp = r.FL;
    if (r.MoverSign <= 0) r.FVLp = (1 - std::sin(r.Alpha)) * r.FL;

    // Geometry and start values.
    r.V1 = r.w1 * r.R1;
    r.L1 = std::sqrt(r.h1 * r.h1 + r.R1 * r.R1);
    r.DLp = r.FL / r.CL;
    r.L0 = r.Lh1 + r.L1 - r.DLp;
    r.EL1 = r.FL * r.FL / r.CL / 2;
    r.J1 = r.m * r.R1 * r.R1;
    r.J12 = 0.25 * r.m;
    r.MKD1 = r.m * r.V1 * r.R1;
    r.E1 = r.m * r.V1 * r.V1 / 2;

    // The dumbbell: R1 is the radius of its centre; ball a on the string
    // circles at R1 - 0.5, ball b at R1 + 0.5, both with w1.
    if (choice.dumbbell) {
      if (!(r.R1 >= 0.51)) throw NumericFault();  // the dumbbell would hit the axis
      r.L0 = r.L0 - 0.5;
      r.L1 = r.L1 - 0.5;
      r.V2a = (r.R1 - 0.5) * r.w1;
      r.V2b = (r.R1 + 0.5) * r.w1;
      // The spin is w1, computed as the difference of speeds over half the
      // bar: it differs from w1 by rounding, which is part of the results.
      r.w12 = (r.V2b - r.V1) * 2;
      r.MKD1 = ((r.R1 - 0.5) * r.V2a + (r.R1 + 0.5) * r.V2b) * r.m / 2;
      r.E1 = (r.V2a * r.V2a + r.V2b * r.V2b) * r.m / 4;
    }

    // Released string: no tension and no drive until it is fixed at 1 s.
    if (choice.release) {
      r.FVLp = 0;
      r.VL = 0;
      r.EL1 = 0;
    }

    // On the positive X axis, moving towards +Y: counter-clockwise from above.
    r.X = r.R1;
    r.Ycoord = 0;
    r.Z = 0;
    r.Psi = 0;
    r.VX = 0;
    r.VY = r.V1;
    r.VZ2 = 0;
    r.Z1 = r.Z;
    PutSingleLoadState(r);

    // The trajectory scale shows the start circle at 2/5 of the half-screen,
    // with room for a second of free flight when the string is released.
    if (!choice.manualMx) {
      r.Mx = 2 * r.R1 / 5;
      if (choice.release) r.Mx = (2 * r.R1 + r.V1) / 5;
    }
    // The radius is used, not only computed: an unused division may be dropped
    // by the optimiser together with the fault flag it would raise.
    if (!std::isfinite(StartCircleRadius(r))) throw NumericFault();
    ThrowOnFpFault();
  } catch (const NumericFault&) {
    ok = false;
  }
  RestoreFpFlags(saved);
  if (!ok) return std::nullopt;
  return r;
}

}  // namespace vozaz2
