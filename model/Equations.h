// Right-hand sides of the equations of motion.
#pragma once

#include "model/Modes.h"
#include "model/Record.h"

namespace vozaz2 {

// Azimuth of the point (u, v) of the horizontal plane, between 0 and 2*pi,
// with the record's pi. On the Y axis (u exactly 0) it is pi/2 for either sign
// of v.
double Azimuth(double u, double v, double pi);

// The state vector and the record's fields it stands for. Single load and
// dumbbell: Y(1..8) = X, Ycoord, Z, Psi, VX, VY, VZ2, w12. The two balls after
// the split: Y(1..8) = Xa, Xb, Ya, Yb, VXa, VXb, VYa, VYb. Put copies the
// fields into Y, Take copies Y back into the fields.
void PutSingleLoadState(SimRecord& r);
void TakeSingleLoadState(SimRecord& r);
void PutTwoBallState(SimRecord& r);
void TakeTwoBallState(SimRecord& r);

// Single load ("m=2") and dumbbell ("m=1+1"): derivatives of Y(1..8) at time T
// into DY(1..8), leaving the string's geometry and forces in the record.
void Diffur1(SimRecord& r, const Modes& modes);

// The two balls of the split load: derivatives of Y(1..8) into DY(1..8).
void Diffur2(SimRecord& r, const Modes& modes);

}  // namespace vozaz2
