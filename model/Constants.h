// The fixed numbers of the apparatus and of the program. The window's start-up
// writes the first four into the record (m, Lh1, Pi, TimerMs); kGravity is
// used as it stands.
#pragma once

namespace vozaz2 {

// Mass of the load, kg (the dumbbell and the split load: two balls of half).
inline constexpr double kMass = 2.0;

// Vertical part of the string, from its driven end down to the sleeve, at the
// start of a run, m.
inline constexpr double kVerticalStringLength = 20.0;

// Pi to ten figures, as every angle of the program is computed with it. It is
// deliberately not the closest double to pi: the azimuths, the turns of the
// dumbbell and so every plotted point carry its rounding, which is part of the
// program's results.
inline constexpr double kPi = 3.141592654;

// Interval of the stepping timer during a run, ms.
inline constexpr int kTimerMs = 1;

// Acceleration of gravity, m/s^2.
inline constexpr double kGravity = 9.81;

}  // namespace vozaz2
