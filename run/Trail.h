// The last turns of the balls' paths in space, in a memory of fixed size
// whatever the run's length: a ring of points for each ball, a new point
// when the ball has gone about two degrees about the axis (or as far along
// a straight flight) since the last, the oldest forgotten. A view draws
// them fading with age.
#pragma once

#include <array>
#include <cstddef>

#include "run/Snapshot.h"
#include "run/Space.h"

namespace vozaz2 {

class Trail {
 public:
  // Three turns at two degrees a point.
  static constexpr std::size_t kPoints = 540;

  // A new run: forgets everything.
  void Clear();
  // After a step: the balls where the step left them.
  void Add(const Apparatus& a);

  // Points of ball 0 (the load, ball a) or 1 (ball b), 0 the oldest.
  std::size_t Size(int ball) const { return Ring(ball).size; }
  Vec3 Point(int ball, std::size_t i) const {
    const Points& r = Ring(ball);
    return r.p[(r.head + kPoints - r.size + i) % kPoints];
  }

 private:
  struct Points {
    std::array<Vec3, kPoints> p;
    std::size_t head = 0;  // where the next point goes
    std::size_t size = 0;
  };
  const Points& Ring(int ball) const { return rings_[ball == 0 ? 0 : 1]; }
  static void Offer(Points& r, const Vec3& at);

  std::array<Points, 2> rings_;
};

}  // namespace vozaz2
