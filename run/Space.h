// Points and directions in the apparatus's space, and the camera that puts
// them on a screen. Metres; Z up, 0 in the plane of rotation at the start,
// the vertical axis through the origin (as in the record).
//
// The camera looks at a target point from a direction given by two angles:
// the yaw turns about the vertical axis, the pitch lifts the eye above the
// horizontal. Seen from an eye at a finite distance the picture is in
// perspective; with no distance it is a parallel projection, in which
// lengths across the line of sight keep one scale (the side and top views).
#pragma once

#include <cmath>

namespace vozaz2 {

struct Vec3 {
  double x = 0, y = 0, z = 0;

  Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
  Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
  Vec3 operator*(double k) const { return {x * k, y * k, z * k}; }
  double Dot(const Vec3& o) const { return x * o.x + y * o.y + z * o.z; }
  Vec3 Cross(const Vec3& o) const { return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x}; }
  double Length() const { return std::sqrt(Dot(*this)); }
};

// A point on the screen (pixels, y down), how far it is towards the eye
// (m, for drawing the near things last) and the pixels a metre takes there.
struct ScreenPoint {
  double x = 0, y = 0;
  double depth = 0;
  double scale = 1;
};

// The three views a click gives.
enum class ViewKind { kPerspective, kSide, kTop };

struct Camera {
  double eyeDistance = 0;       // m from the target; 0: a parallel projection
  Vec3 target;                  // shown at (cx, cy)
  double pixelsPerMetre = 100;  // at the target's depth
  double cx = 0, cy = 0;

  // Turns the eye about the vertical axis (yaw) and lifts it above the
  // horizontal (pitch), rad.
  void Turn(double yaw, double pitch) {
    yaw_ = yaw;
    pitch_ = pitch;
    const double cy = std::cos(yaw), sy = std::sin(yaw), cp = std::cos(pitch), sp = std::sin(pitch);
    right_ = {-sy, cy, 0};
    up_ = {-sp * cy, -sp * sy, cp};
    toward_ = {cp * cy, cp * sy, sp};
  }
  double Yaw() const { return yaw_; }
  double Pitch() const { return pitch_; }
  // The unit vectors of the screen's right and up, and towards the eye.
  const Vec3& Right() const { return right_; }
  const Vec3& Up() const { return up_; }
  const Vec3& TowardEye() const { return toward_; }

  ScreenPoint Project(const Vec3& p) const {
    const Vec3 d = p - target;
    const double depth = d.Dot(toward_);
    // A point at or behind the eye is drawn as if just in front of it.
    const double f = eyeDistance > 0 ? eyeDistance / std::fmax(eyeDistance - depth, 1e-3 * eyeDistance) : 1.0;
    const double k = pixelsPerMetre * f;
    return {cx + k * d.Dot(right_), cy - k * d.Dot(up_), depth, k};
  }

 private:
  double yaw_ = 0, pitch_ = 0;
  Vec3 right_{0, 1, 0}, up_{0, 0, 1}, toward_{1, 0, 0};
};

// The preset camera of a view, looking at the origin: the perspective from
// above the near side, the side view with X to the right and Z up, the top
// view with X to the right and Y up (as the path screen). The eye's distance
// of the perspective is `eyeDistance` metres.
Camera CameraOf(ViewKind view, double eyeDistance);

// Moves and scales the camera so that the box between lo and hi fills the
// rectangle (pixels) as far as its shape allows, centred in it.
void Fit(Camera& camera, const Vec3& lo, const Vec3& hi, double left, double top, double width, double height);

}  // namespace vozaz2
