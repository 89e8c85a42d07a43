#include "run/Trail.h"

#include <algorithm>

namespace vozaz2 {

namespace {

constexpr double kStep = 0.035;       // rad: about two degrees
constexpr double kLeastStep = 0.005;  // m: near the axis, a point per half centimetre

}  // namespace

void Trail::Clear() {
  for (Points& r : rings_) r.head = r.size = 0;
}

void Trail::Offer(Points& r, const Vec3& at) {
  if (r.size > 0) {
    const Vec3 last = r.p[(r.head + kPoints - 1) % kPoints];
    const double step = std::max(kStep * std::hypot(at.x, at.y), kLeastStep);
    const Vec3 d = at - last;
    if (d.Dot(d) < step * step) return;
  }
  r.p[r.head] = at;
  r.head = (r.head + 1) % kPoints;
  r.size = std::min(r.size + 1, kPoints);
}

void Trail::Add(const Apparatus& a) {
  for (std::size_t i = 0; i < static_cast<std::size_t>(a.balls) && i < rings_.size(); ++i)
    Offer(rings_[i], {a.ball[i].x, a.ball[i].y, a.ball[i].z});
}

}  // namespace vozaz2
