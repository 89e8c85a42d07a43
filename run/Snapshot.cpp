#include "run/Snapshot.h"

#include <cmath>

#include "model/Variant.h"

namespace vozaz2 {

namespace {

Ball BallAt(double x, double y, double z, double vx, double vy, double vz, double mass) {
  return {x, y, z, vx, vy, vz, mass};
}

}  // namespace

// The sleeve stands h above the load: h1 at the start, moved by the sleeve's
// drive (DSleeve), so it is at h1 + DSleeve above the plane of rotation.
// The vertical part of the string, Lh, rises above it to the string's top.
Apparatus ApparatusOf(const SimRecord& r) {
  Apparatus a;
  a.sleeveZ = r.h1 + r.DSleeve;
  a.stringTopZ = a.sleeveZ + r.Lh;
  a.slantLength = r.L;
  a.tension = r.FL;
  a.secondTension = r.FL2;
  a.slack = r.FL == 0;
  a.psi = r.Psi;
  a.w12 = r.w12;
  if (SplitDone(r)) {
    a.balls = 2;
    a.split = true;
    a.secondTied = r.T > r.Tr;
    a.ball[0] = BallAt(r.Xa, r.Ya, r.Z, r.VXa, r.VYa, 0, r.m / 2);
    a.ball[1] = BallAt(r.Xb, r.Yb, r.Z, r.VXb, r.VYb, 0, r.m / 2);
  } else if (DumbbellRun(r)) {
    // Ball a half the bar behind the centre along Psi, ball b ahead; the spin
    // adds w12/2 across the bar to each.
    const double c = std::cos(r.Psi) / 2, s = std::sin(r.Psi) / 2;
    a.balls = 2;
    a.dumbbell = true;
    a.ball[0] = BallAt(r.X - c, r.Ycoord - s, r.Z, r.VX + s * r.w12, r.VY - c * r.w12, r.VZ2, r.m / 2);
    a.ball[1] = BallAt(r.X + c, r.Ycoord + s, r.Z, r.VX - s * r.w12, r.VY + c * r.w12, r.VZ2, r.m / 2);
  } else {
    a.ball[0] = BallAt(r.X, r.Ycoord, r.Z, r.VX, r.VY, r.VZ2, r.m);
  }
  return a;
}

}  // namespace vozaz2
