// What the session tells its followers after each command that changes the
// run: the event, the run's state, the record with the readout's quantities,
// the numbers for the result boxes, and the apparatus in three dimensions.
// A follower (the window's boxes and screens, the graphs, a view of the
// apparatus) reads what it needs from it; nothing is worked out for a
// follower that does not ask.
#pragma once

#include <array>
#include <cstddef>

#include "model/Modes.h"
#include "model/Record.h"
#include "run/Boxes.h"
#include "run/Quantities.h"

namespace vozaz2 {

// Where the run stands.
enum class RunState {
  kIdle,      // no run has been set up since the program opened or a file was opened
  kRunning,   // the timer makes the steps
  kStopped,   // set up, the timer stands ("Остановить", a step made by hand)
  kOver,      // the run reached the end it was given; "Продолжить" goes on past it
  kDiverged,  // the last step ended in the divergence message
};

// One ball as the step computed it: place and velocity (m, m/s; Z up, 0 in
// the plane of rotation at the start) and mass (kg).
struct Ball {
  double x = 0, y = 0, z = 0;
  double vx = 0, vy = 0, vz = 0;
  double mass = 0;
};

// The apparatus at the end of a step, from the step's own state: the sleeve
// on the axis, the string's vertical part above it up to its end (the driven
// end, or the place the released string is fixed), the slant part to ball a,
// and ball b: the dumbbell's second ball, or after the split the second
// ball, tied to the first by the second string.
struct Apparatus {
  double sleeveZ = 0;     // the sleeve's height
  double stringTopZ = 0;  // the top of the vertical part: sleeveZ + Lh
  int balls = 1;          // 1: one load of the whole mass; 2: a dumbbell or the split balls
  std::array<Ball, 2> ball;
  bool dumbbell = false;  // the two balls are one rigid dumbbell (axis Psi, spin w12)
  bool split = false;     // the two balls are free, tied by the second string
  double psi = 0, w12 = 0;
  double slantLength = 0;     // L: from the sleeve to ball a (computed by the step)
  double tension = 0;         // FL
  double secondTension = 0;   // FL2
  bool slack = false;         // the first string does not pull (released, or slack)
  bool secondTied = false;    // the second string pulls from Tr on
};

Apparatus ApparatusOf(const SimRecord& r);

enum class RunEvent {
  kRenewed,         // everything as at start-up (a file opened)
  kStarted,         // "Начать" set up a run
  kStep,            // a step was made
  kControls,        // the mode controls or the run's state changed without a step
  kTyped,           // a parameter was typed
  kScreensCleared,  // "Очистить экраны"
};

struct Snapshot {
  RunEvent event;
  RunState state;
  long long steps;  // made in this run
  const SimRecord& record;
  const Modes& controls;
  const BoxValues& boxes;  // what this command gave the result boxes

  double Quantity(std::size_t q) const { return kQuantities[q].read(record); }
  Apparatus Parts() const { return ApparatusOf(record); }
};

}  // namespace vozaz2
