#include "run/Plotting.h"

#include <cmath>

#include "model/FpFault.h"

namespace vozaz2 {

namespace {

using namespace colours;

// Every coordinate is worked out in double precision and handed to the screen
// in single precision; one that does not fit stops the step before it is drawn.
void Dot(Surface& s, double x, double y, Colour c) {
  float fx = ToSingle(x), fy = ToSingle(y);
  s.PSet(fx, fy, c);
}

// The balls of a dumbbell or of the split load: the old drawing is painted
// over in near white, then ball a (on the string) in blue, ball b and the bar
// or string between them in black.
void MoveBalls(SimRecord& r, Surface& s, double xa, double ya, double xb, double yb) {
  float pxa = ToSingle(r.Pxa), pya = ToSingle(r.Pya), pxb = ToSingle(r.Pxb), pyb = ToSingle(r.Pyb);
  s.Circle(pxa, pya, kBallRadius, kNearWhite);
  s.Circle(pxb, pyb, kBallRadius, kNearWhite);
  s.Line(pxa, pya, pxb, pyb, kNearWhite);
  r.Pxa = xa;
  r.Pya = ya;
  r.Pxb = xb;
  r.Pyb = yb;
  pxa = ToSingle(r.Pxa);
  pya = ToSingle(r.Pya);
  pxb = ToSingle(r.Pxb);
  pyb = ToSingle(r.Pyb);
  s.Circle(pxa, pya, kBallRadius, kBlue);
  s.Circle(pxb, pyb, kBallRadius, kBallB);
  s.Line(pxa, pya, pxb, pyb, kBallB);
}

}  // namespace

void PlotSingleLoad(SimRecord& r, Surface& p2, Surface& p3) {
  const double t = r.T / r.Mt;
  Dot(p2, t, r.FL / r.MF, kRed);
  Dot(p2, t, r.Ftr / r.MF, kBlue);
  Dot(p2, t, r.Z / r.Mz, kOlive);
  Dot(p2, t, r.Psi / 2 / r.Pi - 4, kGreen);  // turns of the dumbbell, zero at -4
  Dot(p2, t, r.w12 / r.Mz - 4, kDarkGrey);
  r.Cnt = 0;
  Dot(p3, r.X / r.Mx, r.Ycoord / r.Mx, kBlue);
  if (r.DumbbellRun) {
    // A sign of fixed size that turns with the dumbbell.
    const double c = std::cos(r.Psi), s = std::sin(r.Psi);
    MoveBalls(r, p3, kTurnSignX - c / 2, kTurnSignY - s / 2, kTurnSignX + c / 2,
              kTurnSignY + s / 2);
  }
}

void PlotTwoBalls(SimRecord& r, Surface& p2, Surface& p3) {
  const double t = r.T / r.Mt;
  Dot(p2, t, r.FL / r.MF, kRed);
  Dot(p2, t, r.Ftr / r.MF, kBlue);
  Dot(p2, t, r.FL2 / r.MF - 4, kRed);
  Dot(p2, t, r.Ftr2 / r.MF - 4, kBlue);
  Dot(p2, t, r.Psi / 2 / r.Pi - 4, kGreen);
  r.Cnt = 0;
  MoveBalls(r, p3, r.Xa / r.Mx, r.Ya / r.Mx, r.Xb / r.Mx, r.Yb / r.Mx);
}

}  // namespace vozaz2
