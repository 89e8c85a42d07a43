#include "model/Equations.h"

#include <cmath>

#include "model/FpFault.h"

namespace vozaz2 {

double Azimuth(double u, double v, double pi) {
  double phi = pi / 2;
  if (u != 0) {
    double a = std::fabs(std::atan(v / u));
    if (v >= 0)
      phi = (u >= 0) ? a : pi - a;
    else
      phi = (u >= 0) ? 2 * pi - a : pi + a;
  }
  return phi;
}

void PutSingleLoadState(SimRecord& r) {
  r.Y(1) = r.X;
  r.Y(2) = r.Ycoord;
  r.Y(3) = r.Z;
  r.Y(4) = r.Psi;
  r.Y(5) = r.VX;
  r.Y(6) = r.VY;
  r.Y(7) = r.VZ2;
  r.Y(8) = r.w12;
}

void TakeSingleLoadState(SimRecord& r) {
  r.X = r.Y(1);
  r.Ycoord = r.Y(2);
  r.Z = r.Y(3);
  r.Psi = r.Y(4);
  r.VX = r.Y(5);
  r.VY = r.Y(6);
  r.VZ2 = r.Y(7);
  r.w12 = r.Y(8);
}

void PutTwoBallState(SimRecord& r) {
  r.Y(1) = r.Xa;
  r.Y(2) = r.Xb;
  r.Y(3) = r.Ya;
  r.Y(4) = r.Yb;
  r.Y(5) = r.VXa;
  r.Y(6) = r.VXb;
  r.Y(7) = r.VYa;
  r.Y(8) = r.VYb;
}

void TakeTwoBallState(SimRecord& r) {
  r.Xa = r.Y(1);
  r.Xb = r.Y(2);
  r.Ya = r.Y(3);
  r.Yb = r.Y(4);
  r.VXa = r.Y(5);
  r.VXb = r.Y(6);
  r.VYa = r.Y(7);
  r.VYb = r.Y(8);
}

namespace {

// Where the driven part stands at time T. The step prologue chooses DriveV and
// DriveOffset so that the part moves on from where it stood; the string end
// and the sleeve each keep the place the drive left them.
void MoveDrive(SimRecord& r, bool sleeveDriven) {
  double d = r.DriveV * r.T + r.DriveOffset;
  if (sleeveDriven)
    r.DSleeve = -d;
  else
    r.DString = d;
  r.DLh = r.DString - r.DSleeve;
}

// Tension of an elastic string with internal fluid friction. It can pull but
// never push: a slack string (elastic part FC < 0) pulls with 0, and a string
// that shortens faster than its elastic force allows pulls with 0 too, its
// friction then only cancelling the elastic part (the stored rate Vtr is
// replaced by the rate at which that happens).
void Tension(double CL, double Ktr, double elongation, double& Vtr, double& FL, double& FC,
             double& Ftr) {
  FL = 0;
  Ftr = 0;
  FC = CL * elongation;
  if (FC < 0) return;
  double s = FC + Ktr * Vtr;
  if (s > 0) {
    Ftr = Ktr * Vtr;
    FL = FC + Ftr;
  } else if (Ktr != 0) {
    Ftr = -FC;
    Vtr = Ftr / Ktr;
    FL = FC + Ftr;
  } else {
    FL = FC;
  }
}

// The dumbbell: ball a, on the string, half the bar behind the centre along
// Psi; the slant part of the string runs from the axis to it.
void StringToBallA(SimRecord& r) {
  r.Xa = r.X - std::cos(r.Psi) / 2;
  r.Ya = r.Ycoord - std::sin(r.Psi) / 2;
  r.L = std::sqrt(r.Xa * r.Xa + r.Ya * r.Ya);
}

}  // namespace

// A load of mass m on a string that runs down the vertical part Lh through the
// sleeve, which stands h above the load, then slants over the length L at the
// angle Alpha above the horizontal to the load at horizontal radius R:
//
//   L = sqrt(h^2 + R^2),  DL = Lh + L - L0,  FL = CL*DL + Ktr*dDL/dt (FL >= 0)
//   m x'' = -FL cos(Alpha) cos(Phi)
//   m y'' = -FL cos(Alpha) sin(Phi)
//   m z'' =  FL sin(Alpha) - m g + Fsup        (Fsup = m g in the plane)
//
// The rate of elongation is the difference quotient over the part of the step
// already covered; at the first stage of a step the last rate is reused.
//
// The dumbbell (two balls of m/2, 1 m apart) has its centre of mass in
// Y(1..3), its axis direction Psi and spin w12 in Y(4), Y(8). The string runs
// to ball a at Xa = X - cos(Psi)/2, Ya = Y - sin(Psi)/2; the horizontal force
// along it moves the centre and turns the dumbbell with the torque Fh*Arm:
//   J12 w12' = Fh * Arm,  Arm = R sin(PhiA - Phi).
//
// With the string released for the first second the string pulls with 0 until
// T = 1 s; from then on it is fixed with the free length it had then.
void Diffur1(SimRecord& r, const Modes& modes) {
  const bool dumbbell = r.DumbbellRun;
  r.X = r.Y(1);
  r.Ycoord = r.Y(2);
  r.Z = r.Y(3);
  r.Psi = r.Y(4);
  r.Arm = 0;
  r.R = std::sqrt(r.X * r.X + r.Ycoord * r.Ycoord);
  r.Phi = Azimuth(r.X, r.Ycoord, r.Pi);
  r.h = r.h1 - r.Z;
  r.Alpha = std::atan(r.h / r.R);

  bool freeFlight = false;
  if (!r.ReleaseRun) {
    if (!modes.DriveStands()) MoveDrive(r, r.MoverSign < 0);
    r.Lh = r.Lh1 + r.DLh;
    if (r.DSleeve != 0) r.h = r.h + r.DSleeve;  // the sleeve has moved up by DSleeve
    r.L = std::sqrt(r.h * r.h + r.R * r.R);
    r.Alpha = std::atan(r.h / r.R);
  } else {
    r.L = std::sqrt(r.h * r.h + r.R * r.R);
    r.Lh = 0;
    if (r.T <= 1) {
      if (dumbbell) StringToBallA(r);
      r.FL = 0;
      r.Ftr = 0;
      r.FC = 0;
      freeFlight = true;
    }
  }

  if (!freeFlight) {
    if (dumbbell) {
      StringToBallA(r);
      r.PhiA = Azimuth(r.Xa, r.Ya, r.Pi);
      // R sin(PhiA - Phi), computed as tan * cos: the rounding of this form is
      // part of the program's results.
      r.Arm = std::tan(r.PhiA - r.Phi) * r.R * std::cos(r.PhiA - r.Phi);
    }
    r.DL = r.Lh + r.L - r.L0;
    if (r.T0 + 0.1 * r.P0 <= r.T) r.Vtr = (r.DL - r.DLp) / (r.T - r.T0);
    Tension(r.CL, r.Ktr, r.DL, r.Vtr, r.FL, r.FC, r.Ftr);
    // The string pulls the sleeve up along the vertical part and down along
    // the slant part, so a moving sleeve works against (1 - sin Alpha)*FL.
    r.FVL = r.FL;
    if (r.MoverSign <= 0) r.FVL = (1 - std::sin(r.Alpha)) * r.FL;
  }

  r.Fz = std::sin(r.Alpha) * r.FL;
  r.Fh = std::cos(r.Alpha) * r.FL;
  const double towards = dumbbell ? r.PhiA : r.Phi;
  r.Fx = -r.Fh * std::cos(towards);
  r.Fy = -r.Fh * std::sin(towards);

  r.DY(1) = r.Y(5);
  r.DY(2) = r.Y(6);
  r.DY(3) = r.Y(7);
  r.DY(4) = r.Y(8);
  r.DY(5) = r.Fx / r.m;
  r.DY(6) = r.Fy / r.m;
  r.DY(7) = (r.Fz - r.Fmg + r.Fsup) / r.m;
  r.DY(8) = r.Fh * r.Arm / r.J12;
  ThrowOnFpFault();
}

// After the split: ball a (m/2) hangs on the first string, which runs in the
// plane from the axis; ball b (m/2) is tied to ball a by a second string of
// the same stiffness and friction, whose free length L00 follows the balls'
// distance until Tr and is fixed afterwards. The second string pulls from Tr
// on. State: Y = (Xa, Xb, Ya, Yb, VXa, VXb, VYa, VYb).
//
//   (m/2) a_a = -FL e_a + FL2 e_ab,   (m/2) a_b = -FL2 e_ab
//
// where e_a points from the axis to ball a and e_ab from ball a to ball b.
void Diffur2(SimRecord& r, const Modes& modes) {
  r.Xa = r.Y(1);
  r.Xb = r.Y(2);
  r.Ya = r.Y(3);
  r.Yb = r.Y(4);
  r.Ra = std::sqrt(r.Xa * r.Xa + r.Ya * r.Ya);
  r.Rb = std::sqrt(r.Xb * r.Xb + r.Yb * r.Yb);
  const double dx = r.Xb - r.Xa, dy = r.Yb - r.Ya;
  r.Lb = std::sqrt(dx * dx + dy * dy);
  // A released string stays fixed at the sleeve (Lh as the release left it).
  if (!modes.DriveStands() && !r.ReleaseRun) {
    MoveDrive(r, false);  // after the split only the string end is driven
    r.Lh = r.DLh + r.Lh1;
  }
  r.DLa = r.Lh + r.Ra - r.L0;
  const bool secondString = r.T > r.Tr;
  r.DLb = 0;
  if (secondString) r.DLb = r.Lb - r.L00;
  if (r.T0 + 0.1 * r.P0 <= r.T) {
    r.Vtr = (r.DLa - r.DLap) / (r.T - r.T0);
    r.Vtr2 = (r.DLb - r.DLbp) / (r.T - r.T0);
  }
  r.FL2 = 0;
  r.Ftr2 = 0;
  r.FC2 = 0;
  Tension(r.CL, r.Ktr, r.DLa, r.Vtr, r.FL, r.FC, r.Ftr);
  r.FVL = r.FL;
  if (secondString) Tension(r.CL, r.Ktr, r.DLb, r.Vtr2, r.FL2, r.FC2, r.Ftr2);

  r.Phi = Azimuth(r.Xa, r.Ya, r.Pi);
  // Direction from ball a to ball b: the turn of the imaginary dumbbell.
  r.Psi = Azimuth(dx, dy, r.Pi);

  r.Fxa = -r.FL * std::cos(r.Phi) + std::cos(r.Psi) * r.FL2;
  r.Fya = -r.FL * std::sin(r.Phi) + std::sin(r.Psi) * r.FL2;
  r.Fxb = -r.FL2 * std::cos(r.Psi);
  r.Fyb = -r.FL2 * std::sin(r.Psi);

  r.DY(1) = r.Y(5);
  r.DY(2) = r.Y(6);
  r.DY(3) = r.Y(7);
  r.DY(4) = r.Y(8);
  r.DY(5) = r.Fxa * 2 / r.m;
  r.DY(6) = r.Fxb * 2 / r.m;
  r.DY(7) = r.Fya * 2 / r.m;
  r.DY(8) = r.Fyb * 2 / r.m;
  ThrowOnFpFault();
}

}  // namespace vozaz2
