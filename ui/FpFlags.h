// Keeps the floating-point status flags across code that is not the model's.
//
// The simulation step detects an overflow, a division by zero or an invalid
// operation by the status flags that its own arithmetic raises; it tests them
// between its drawing and readout calls. Whatever the window does inside those
// calls (laying out a line edit's text, asking for a repaint) must leave the
// flags exactly as it found them, or a harmless flag raised inside Qt would
// end the run with the divergence message.
#pragma once

#include "model/FpFault.h"

namespace vozaz2 {

class KeepFpFlags {
 public:
  KeepFpFlags() : saved_(SavedFpFlags()) {}
  ~KeepFpFlags() { RestoreFpFlags(saved_); }
  KeepFpFlags(const KeepFpFlags&) = delete;
  KeepFpFlags& operator=(const KeepFpFlags&) = delete;

 private:
  int saved_;  // see SavedFpFlags: the same on every platform
};

}  // namespace vozaz2
