#include "run/Accounting.h"

namespace vozaz2 {

// The products keep their order in each formula (P0 first for one string,
// last for two; CL before or after the elongations): every rounding of a sum
// is part of the run's results, so equal-looking forms are not exchanged.
void AddStepSums(SimRecord& r, bool twoBalls) {
  if (twoBalls)
    r.Etr = r.Etr + (r.Ftr * r.Vtr + r.Ftr2 * r.Vtr2) * r.P0;
  else
    r.Etr = r.Etr + r.P0 * r.Ftr * r.Vtr;
  const double work = r.VL * r.P0 * (r.FVLp + r.FVL) / 2;
  r.EVL = r.EVL + work;
  r.EVLSigned = r.EVLSigned + r.DriveSign * work;
  r.FVLp = r.FVL;
}

void SingleLoadTerms(SimRecord& r) {
  r.Emg = (r.Z2 - r.Z1) * r.Fmg;
  r.EL2 = r.DL * r.DL * r.CL / 2;
  r.E2 = (r.V2 * r.V2 + r.VZ2 * r.VZ2) * r.m / 2;
  r.MKD2 = (r.VY * r.X - r.VX * r.Ycoord) * r.m;
}

void TwoBallTerms(SimRecord& r) {
  r.E2 = (r.V2a * r.V2a + r.V2b * r.V2b) * r.m / 4;
  r.MKD2 = (r.VYb * r.Xb - r.VXb * r.Yb + r.VYa * r.Xa - r.VXa * r.Ya) * r.m / 2;
}

void SplitTerms(SimRecord& r) {
  r.EL2 = r.DLa * r.DLa * r.CL / 2 + r.CL * r.DLb * r.DLb / 2;
  r.Emg = 0;
  TwoBallTerms(r);
}

double Balance(const SimRecord& r) {
  return r.EVLSigned + r.E1 + r.EL1 - r.E2 - r.EL2 - r.Emg - r.Etr;
}

}  // namespace vozaz2
