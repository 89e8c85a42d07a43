// The energy and angular-momentum account of a run.
//
// The balance  +/- EVL + E1 + EL1 - E2 - EL2 - Emg - Etr  is zero in theory:
// the work of the source plus the energies at the start equals the kinetic,
// elastic and potential energies now plus what friction has dissipated. What
// it shows is the error of the solution.
#pragma once

#include "model/Record.h"

namespace vozaz2 {

// Sums that grow at every step: the friction loss and the work of the source
// (trapezoid rule over the step); then FVLp := FVL.
void AddStepSums(SimRecord& r, bool twoBalls);

// State functions of a displayed single-load step: Emg, EL2, E2, MKD2 of the
// point load (of the dumbbell's centre).
void SingleLoadTerms(SimRecord& r);

// Kinetic energy and angular momentum of two balls of m/2 each, from their
// positions Xa..Yb and velocities VXa..VYb.
void TwoBallTerms(SimRecord& r);

// State functions of a displayed step after the split: both strings' elastic
// energy, no change of height, and the two balls' energy and momentum.
void SplitTerms(SimRecord& r);

// The balance shown as "+/- EVL+ E1 - E2 - EL- Emg - Etr". Each step's work
// counts with the sign of that step's drive (string up or sleeve down: +).
double Balance(const SimRecord& r);

}  // namespace vozaz2
