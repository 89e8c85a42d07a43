// A surface that passes every drawing on to a first surface and, when there
// is one, a second: a screen's own pixels and the same screen drawn larger
// for a zoomed window.
#pragma once

#include "run/Surface.h"

namespace vozaz2 {

class TeeSurface final : public Surface {
 public:
  explicit TeeSurface(Surface& first) : first_(first) {}

  // The second surface, or nullptr for none; not owned.
  void SetSecond(Surface* second) { second_ = second; }
  Surface* Second() const { return second_; }

  void Scale(float x1, float y1, float x2, float y2) override {
    first_.Scale(x1, y1, x2, y2);
    if (second_) second_->Scale(x1, y1, x2, y2);
  }
  void Cls() override {
    first_.Cls();
    if (second_) second_->Cls();
  }
  void PSet(float x, float y, Colour c) override {
    first_.PSet(x, y, c);
    if (second_) second_->PSet(x, y, c);
  }
  void Line(float x1, float y1, float x2, float y2, Colour c) override {
    first_.Line(x1, y1, x2, y2, c);
    if (second_) second_->Line(x1, y1, x2, y2, c);
  }
  void Circle(float x, float y, float radius, Colour c) override {
    first_.Circle(x, y, radius, c);
    if (second_) second_->Circle(x, y, radius, c);
  }

 private:
  Surface& first_;
  Surface* second_ = nullptr;
};

}  // namespace vozaz2
