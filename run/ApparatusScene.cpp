#include "run/ApparatusScene.h"

#include <algorithm>
#include <cmath>

#include "model/Variant.h"

namespace vozaz2 {

namespace {

// The least of 1, 2 and 5 times a power of ten that is not below v (1 for
// a v that is not a positive number): a scale one reads at a glance.
double NiceAbove(double v) {
  if (!(v > 0) || !std::isfinite(v)) return 1;
  const double p = std::pow(10.0, std::floor(std::log10(v)));
  for (double m : {1.0, 2.0, 5.0})
    if (m * p >= v * (1 - 1e-12)) return m * p;
  return 10 * p;
}

Vec3 At(const Ball& b) { return {b.x, b.y, b.z}; }
Vec3 VelocityOf(const Ball& b) { return {b.vx, b.vy, b.vz}; }

void AddArrow(Scene& s, Arrow kind, int part, const Vec3& tail, const Vec3& along, double value, int ball = -1) {
  if (s.arrows == Scene::kMaxArrows) return;
  s.arrow[s.arrows++] = {kind, part, tail, tail + along, value, ball};
}

// The slant part from S to ball a: straight when it pulls, else hanging
// below the straight line by a sixth of its span in the middle.
void Slant(Scene& s) {
  const Vec3 from = s.sleeve, to = s.ball[0];
  const double sag = s.slack ? (to - from).Length() / 6 : 0;
  for (std::size_t i = 0; i <= Scene::kSag; ++i) {
    const double t = static_cast<double>(i) / Scene::kSag;
    s.slant[i] = from + (to - from) * t - Vec3{0, 0, 4 * sag * t * (1 - t)};
  }
}

// Marks every tenth of the apparatus's measure on the string between the
// sleeve and the drive, carried with the driven end (DString): the string
// is seen to run through the sleeve.
void Marks(Scene& s, const SimRecord& r, const SceneFrame& f) {
  const double d = 0.1 * f.size;
  double z = r.DString + std::ceil((s.sleeve.z - r.DString) / d) * d;
  for (s.marks = 0; z < s.drive.z && s.marks < Scene::kMarks; z += d) s.markZ[s.marks++] = z;
}

void MomentumArrows(Scene& s, const Apparatus& a, const SimRecord& r, const SceneFrame& f, unsigned shown) {
  const MomentumParts L = MomentumAbout(a, s.sleeve);
  const double k = 1 / f.per.momentum;
  s.momentumStart = r.MKD1;
  s.momentumStartMark = s.sleeve + Vec3{0, 0, r.MKD1 * k};
  if (shown & ArrowBit(Arrow::kMomentum)) AddArrow(s, Arrow::kMomentum, 0, s.sleeve, L.whole * k, L.whole.Length());
  if (shown & ArrowBit(Arrow::kVertical)) AddArrow(s, Arrow::kVertical, 0, s.sleeve, {0, 0, L.whole.z * k}, L.whole.z);
  if ((shown & ArrowBit(Arrow::kParts)) && a.dumbbell) {
    AddArrow(s, Arrow::kParts, 0, s.sleeve, L.orbit * k, L.orbit.z);
    AddArrow(s, Arrow::kParts, 1, s.sleeve + L.orbit * k, L.spin * k, L.spin.z);
  }
}

void BallArrows(Scene& s, const Apparatus& a, const SceneFrame& f, unsigned shown) {
  if (shown & ArrowBit(Arrow::kVelocity))
    for (int i = 0; i < a.balls; ++i) {
      const Vec3 v = VelocityOf(a.ball[static_cast<std::size_t>(i)]);
      AddArrow(s, Arrow::kVelocity, 0, s.ball[static_cast<std::size_t>(i)], v * (1 / f.per.velocity), v.Length(), i);
    }
  if (!(shown & ArrowBit(Arrow::kForce))) return;
  const double k = 1 / f.per.force;
  auto pull = [&](int part, int on, const Vec3& toward, double force) {
    const Vec3 d = toward - s.ball[static_cast<std::size_t>(on)];
    const double n = d.Length();
    if (force > 0 && n > 0) AddArrow(s, Arrow::kForce, part, s.ball[static_cast<std::size_t>(on)], d * (force * k / n), force, on);
  };
  pull(0, 0, s.sleeve, a.tension);
  if (a.split) {
    pull(1, 0, s.ball[1], a.secondTension);
    pull(1, 1, s.ball[0], a.secondTension);
  }
}

}  // namespace

SceneFrame FrameOf(const SimRecord& r) {
  SceneFrame f;
  // The farthest the load goes from the axis at the start: R1, or R1 + V1
  // when it flies free for the first second.
  const double reach = r.R1 + (ReleaseRun(r) ? std::fabs(r.V1) : 0) + (DumbbellRun(r) ? 0.5 : 0);
  f.size = std::max({reach, r.h1, 1e-3});
  f.table = PlaneRun(r);
  f.r1 = r.R1;
  f.columnRadius = 1.5 * std::max(reach, 0.3 * f.size);
  f.tableRadius = 1.3 * reach;
  f.driveZ = r.h1 + 0.35 * f.size;
  f.floorZ = f.table ? 0 : -0.4 * f.size;
  // A released load falls freely for the first second.
  if (ReleaseRun(r) && !f.table) f.floorZ -= 9.81 / 2;
  // The start values give each vector its length at the start, a share of
  // the apparatus's measure, and the scale rounds that to 1, 2 or 5.
  const double w1 = std::fabs(r.w1), v1 = std::fabs(r.V1);
  const double force = std::hypot(r.m * w1 * w1 * r.R1, f.table ? 0 : r.Fmg);
  const double momentum = DumbbellRun(r) ? std::fabs(r.MKD1) : r.m * v1 * std::hypot(r.R1, r.h1);
  const double fastest = DumbbellRun(r) ? w1 * (r.R1 + 0.5) : v1;
  f.per = {NiceAbove(w1 / (0.3 * f.size)), NiceAbove(momentum / (0.45 * f.size)),
           NiceAbove(fastest / (0.35 * f.size)), NiceAbove(force / (0.35 * f.size))};
  // The box the views fit: the start circle's reach, the column, the drive
  // and the angular momentum's room above the sleeve.
  const double cx = f.columnRadius * std::cos(f.columnAzimuth), cy = f.columnRadius * std::sin(f.columnAzimuth);
  const double wide = f.table ? f.tableRadius : 1.1 * reach;
  f.lo = {std::min(-wide, cx), std::min(-wide, cy), f.floorZ};
  f.hi = {std::max(wide, cx), std::max(wide, cy), std::max(f.driveZ, r.h1 + 0.45 * f.size) + 0.05 * f.size};
  return f;
}

MomentumParts MomentumAbout(const Apparatus& a, const Vec3& point) {
  MomentumParts L;
  Vec3 centre, velocity;
  double mass = 0;
  for (int i = 0; i < a.balls; ++i) {
    const Ball& b = a.ball[static_cast<std::size_t>(i)];
    L.whole = L.whole + (At(b) - point).Cross(VelocityOf(b)) * b.mass;
    centre = centre + At(b) * b.mass;
    velocity = velocity + VelocityOf(b) * b.mass;
    mass += b.mass;
  }
  if (mass > 0) L.orbit = (centre * (1 / mass) - point).Cross(velocity * (1 / mass)) * mass;
  L.spin = L.whole - L.orbit;
  return L;
}

double AxisOmega(const Apparatus& a) {
  double moment = 0, inertia = 0;
  for (int i = 0; i < a.balls; ++i) {
    const Ball& b = a.ball[static_cast<std::size_t>(i)];
    moment += (b.x * b.vy - b.y * b.vx) * b.mass;
    inertia += (b.x * b.x + b.y * b.y) * b.mass;
  }
  return inertia > 0 ? moment / inertia : 0;
}

Scene SceneOf(const Apparatus& a, const SimRecord& r, const SceneFrame& f, unsigned shown) {
  Scene s;
  s.sleeve = {0, 0, a.sleeveZ};
  s.drive = {0, 0, f.driveZ};
  s.balls = a.balls;
  s.dumbbell = a.dumbbell;
  s.split = a.split;
  for (std::size_t i = 0; i < static_cast<std::size_t>(a.balls); ++i) {
    s.ball[i] = At(a.ball[i]);
    s.ballRadius[i] = f.BallRadius(a.ball[i].mass);
  }
  s.slack = a.slack;
  Slant(s);
  s.secondString = a.split;
  s.secondSlack = !a.secondTied || a.secondTension == 0;
  Marks(s, r, f);
  s.coneZ = s.ball[0].z;
  s.coneRadius = std::hypot(s.ball[0].x, s.ball[0].y);
  s.omega = AxisOmega(a);
  if (shown & ArrowBit(Arrow::kOmega))
    AddArrow(s, Arrow::kOmega, 0, {0, 0, s.coneZ}, {0, 0, s.omega / f.per.omega}, s.omega);
  MomentumArrows(s, a, r, f, shown);
  BallArrows(s, a, f, shown);
  return s;
}

Camera CameraOf(ViewKind view, double eyeDistance) {
  constexpr double kDeg = 3.14159265358979323846 / 180;
  Camera c;
  // The side and top views have the eye on the -Y side: X to the right.
  switch (view) {
    case ViewKind::kPerspective:
      c.Turn(-62 * kDeg, 22 * kDeg);
      c.eyeDistance = eyeDistance;
      break;
    case ViewKind::kSide: c.Turn(-90 * kDeg, 0); break;
    case ViewKind::kTop: c.Turn(-90 * kDeg, 90 * kDeg); break;
  }
  return c;
}

void Fit(Camera& camera, const Vec3& lo, const Vec3& hi, double left, double top, double width, double height) {
  camera.target = (lo + hi) * 0.5;
  camera.pixelsPerMetre = 1;
  camera.cx = camera.cy = 0;
  double x0 = INFINITY, x1 = -INFINITY, y0 = INFINITY, y1 = -INFINITY;
  for (int corner = 0; corner < 8; ++corner) {
    const ScreenPoint p = camera.Project({corner & 1 ? hi.x : lo.x, corner & 2 ? hi.y : lo.y, corner & 4 ? hi.z : lo.z});
    x0 = std::min(x0, p.x);
    x1 = std::max(x1, p.x);
    y0 = std::min(y0, p.y);
    y1 = std::max(y1, p.y);
  }
  const double k = std::min(width / std::max(x1 - x0, 1e-9), height / std::max(y1 - y0, 1e-9));
  camera.pixelsPerMetre = k;
  camera.cx = left + width / 2 - k * (x0 + x1) / 2;
  camera.cy = top + height / 2 - k * (y0 + y1) / 2;
}

}  // namespace vozaz2
