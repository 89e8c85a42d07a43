#include "run/Pacer.h"

#include <algorithm>
#include <cmath>

namespace vozaz2 {

void Pacer::SetTempo(Tempo tempo, std::int64_t nowMs) {
  tempo_ = tempo;
  owed_ = 0;
  Resume(nowMs);
}

void Pacer::Resume(std::int64_t nowMs) {
  last_ = nowMs;
  owed_ -= std::floor(owed_);  // a part of a step may wait; whole ones are dropped
  drawnTicks_ = 0;
}

void Pacer::Drew(double drawnMs, double tickMs) {
  if (tempo_ != Tempo::Fastest || !(drawnMs > tickMs) || !(tickMs > 0)) return;
  // The tick due during the drawing comes at its end, late but not lost;
  // the ones after it are lost.
  drawnTicks_ = std::min(drawnTicks_ + (drawnMs - tickMs) / tickMs, static_cast<double>(kDrawnTicksKept));
}

int Pacer::StepsDue(std::int64_t nowMs, double stepSeconds) {
  const std::int64_t elapsed = std::max<std::int64_t>(0, nowMs - last_);
  last_ = nowMs;
  if (tempo_ == Tempo::Fastest) {
    const int madeUp = std::min(static_cast<int>(drawnTicks_), kCatchUp - 1);
    drawnTicks_ -= madeUp;
    return 1 + madeUp;
  }
  if (!(stepSeconds > 0)) return 1;
  const double msPerStep = stepSeconds * 1000.0 * (tempo_ == Tempo::Slowed ? kSlowedFactor : 1);
  owed_ = std::min(owed_ + static_cast<double>(elapsed) / msPerStep, static_cast<double>(kCatchUp));
  unusedTicks_ = std::min(unusedTicks_ + 1, kCatchUp);
  const int steps = std::min(static_cast<int>(owed_), unusedTicks_);
  owed_ -= steps;
  unusedTicks_ -= steps;
  return steps;
}

}  // namespace vozaz2
