// The apparatus as a picture in space: what a view of it draws, worked out
// from the step's own state (run/Snapshot.h: Apparatus) and the run's start
// values, with no painting in it, so that it is tested without a display.
//
// The stand holds a drive on the vertical axis above the sleeve; the string
// comes down from the drive, through the sleeve, and slants to the load (to
// ball a of the dumbbell or of the split load). A faint cone is the surface
// the slant part sweeps, and a dashed circle the start's radius R1 at the
// start height. The vectors of the law are drawn to scales fixed at the
// start of the run (FrameOf), so that their lengths compare over time.
//
// The angular momentum is taken about the sleeve point S, where the string
// turns: L = sum of m (r - S) x v over the balls. Its vertical part is the
// accounting's MKD2, m (x vy - y vx) summed, whatever the height of S; on a
// cone the rest, the horizontal part, points to the load and turns with it.
#pragma once

#include <array>
#include <cstddef>

#include "model/Record.h"
#include "run/Snapshot.h"
#include "run/Space.h"

namespace vozaz2 {

// The vectors a view can show, each switched on and off by itself.
enum class Arrow : unsigned {
  kOmega,      // the angular speed, along the axis
  kMomentum,   // the angular momentum about the sleeve point, whole
  kVertical,   // its vertical part, with a mark at MKD1
  kVelocity,   // each ball's velocity
  kForce,      // the strings' forces on the balls
  kParts,      // the dumbbell's orbit and spin parts of the angular momentum
  kCount
};
inline constexpr unsigned ArrowBit(Arrow a) { return 1u << static_cast<unsigned>(a); }
inline constexpr unsigned kAllArrows = (1u << static_cast<unsigned>(Arrow::kCount)) - 1;

// How many units of each vector's quantity one metre of arrow stands for.
struct ArrowScales {
  double omega = 1;     // rad/s per m
  double momentum = 1;  // kg·m²/s per m
  double velocity = 1;  // m/s per m
  double force = 1;     // n per m
};

// What the run's start fixes: the box the view is fitted to, the stand's
// measures, the scales of the vectors.
struct SceneFrame {
  Vec3 lo, hi;               // the box the views fit
  double size = 1;           // the apparatus's measure, m: the load's reach from the axis or h1
  double columnRadius = 1;   // the stand's column stands this far from the axis,
  double columnAzimuth = 2.6179938779914944;  // at 150 degrees: behind, to the left in the perspective
  double driveZ = 1;         // height of the drive on the axis
  double floorZ = -1;        // the stand's foot (the table in the plane)
  bool table = false;        // the load moves on a table (rotation in the plane)
  double tableRadius = 1;
  double r1 = 1;             // the start circle, at height 0
  ArrowScales per;
  double BallRadius(double mass) const { return 0.045 * size * std::cbrt(mass); }
};

// From the run's start values only (R1, w1, h1, m, Mx, MKD1 ...), so it is
// the same at any step of the run.
SceneFrame FrameOf(const SimRecord& r);

// The angular momentum about a point, and for a dumbbell its parts: the
// centre's orbit (the whole mass at the centre) and the spin about the
// centre. A single load's is all orbit.
struct MomentumParts {
  Vec3 whole, orbit, spin;
};
MomentumParts MomentumAbout(const Apparatus& a, const Vec3& point);

// The angular speed about the vertical axis: the vertical part of the
// angular momentum over the moment of inertia about the axis, both from the
// balls' places and velocities (for a load on a circle, its V/R).
double AxisOmega(const Apparatus& a);

// One vector drawn from tail to head (the head - tail is value / scale in
// the vector's direction); `ball` is the ball it belongs to, or -1.
struct DrawnArrow {
  Arrow kind = Arrow::kOmega;
  int part = 0;  // kMomentum: 0; kForce: 0 the first string, 1 the second; kParts: 0 orbit, 1 spin
  Vec3 tail, head;
  double value = 0;
  int ball = -1;
};

struct Scene {
  static constexpr std::size_t kSag = 16;        // segments of a slack string
  static constexpr std::size_t kMarks = 24;      // marks on the vertical part
  static constexpr std::size_t kMaxArrows = 12;

  Vec3 sleeve;     // S: where the string turns
  Vec3 drive;      // the string's top, where the drive holds it
  int balls = 1;
  std::array<Vec3, 2> ball;
  std::array<double, 2> ballRadius{};
  bool dumbbell = false;
  bool split = false;
  bool slack = false;          // the first string does not pull: drawn sagging
  // The slant part from S to ball a, kSag + 1 points (straight when taut).
  std::array<Vec3, kSag + 1> slant;
  bool secondString = false;   // the split balls are tied
  bool secondSlack = false;
  // Marks on the vertical part that move with the driven string's end.
  std::array<double, kMarks> markZ{};
  std::size_t marks = 0;
  // The cone the slant part sweeps: apex S, base the circle through ball a.
  double coneZ = 0, coneRadius = 0;
  double omega = 0;            // AxisOmega
  std::array<DrawnArrow, kMaxArrows> arrow;
  std::size_t arrows = 0;
  double momentumStart = 0;    // MKD1, marked on the vertical part
  Vec3 momentumStartMark;      // where the mark is
};

// The scene at the end of a step, with the vectors whose bits are in `shown`.
Scene SceneOf(const Apparatus& a, const SimRecord& r, const SceneFrame& frame, unsigned shown);

}  // namespace vozaz2
