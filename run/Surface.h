// A drawing surface with a user coordinate system, as the two screens need it.
#pragma once

#include <cstdint>

namespace vozaz2 {

// A colour value: red + 256*green + 65536*blue, each 0..255.
using Colour = std::uint32_t;

constexpr Colour Rgb(unsigned red, unsigned green, unsigned blue) {
  return red + 256u * green + 65536u * blue;
}

// The colours of the screens.
namespace colours {
inline constexpr Colour kGrid = 1;  // red 1: looks black
inline constexpr Colour kAxisGrey = Rgb(200, 200, 200);
inline constexpr Colour kRed = Rgb(250, 0, 0);
inline constexpr Colour kBlue = Rgb(0, 0, 250);
inline constexpr Colour kGreen = Rgb(0, 250, 0);
inline constexpr Colour kOlive = Rgb(200, 200, 0);
inline constexpr Colour kDarkGrey = Rgb(50, 50, 50);
inline constexpr Colour kNearWhite = Rgb(250, 250, 250);
inline constexpr Colour kBallB = 1;
inline constexpr Colour kBackground = Rgb(255, 255, 255);
}  // namespace colours

// Coordinates are single precision, in the units set by Scale. Pen width is
// one pixel; every drawing overwrites what lies under it; whatever falls
// outside the surface is clipped without error.
class Surface {
 public:
  virtual ~Surface() = default;
  // (x1, y1) is the top-left corner, (x2, y2) the bottom-right one; with
  // y1 > y2 the y axis grows upwards. Cls keeps the scale.
  virtual void Scale(float x1, float y1, float x2, float y2) = 0;
  virtual void Cls() = 0;
  virtual void PSet(float x, float y, Colour c) = 0;
  virtual void Line(float x1, float y1, float x2, float y2, Colour c) = 0;
  // A full circle outline; the radius is measured in units of the x axis.
  virtual void Circle(float x, float y, float radius, Colour c) = 0;
};

// A surface that draws nothing: for runs that only want the numbers.
class NullSurface final : public Surface {
 public:
  void Scale(float, float, float, float) override {}
  void Cls() override {}
  void PSet(float, float, Colour) override {}
  void Line(float, float, float, float, Colour) override {}
  void Circle(float, float, float, Colour) override {}
};

}  // namespace vozaz2
