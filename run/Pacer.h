// The tempo of a run: how many steps each tick of the stepping timer makes.
//
// As fast as possible, every tick makes one step: the run goes at whatever
// pace the timer and the machine allow. In real time the model's clock keeps
// to the wall clock, one step per step length P0 of wall time; slowed, one
// step per five P0. Only the pace changes: the steps, their numbers and the
// pictures are the same at every tempo.
//
// Drawing a frame (the main window's screens, the apparatus, the graphs)
// holds the timer up: the ticks that would have come meanwhile never come.
// As fast as possible, the window tells the pacer how long it drew, and the
// next ticks make those steps up (at most kCatchUp in one tick), so that the
// run keeps the pace of the bare timer whatever is open and at any zoom.
// The other tempos need no telling: they count by the clock.
//
// The pacer knows no clock. It is told the time of each tick, in milliseconds
// of any steady clock, and answers how many steps are due. So that a slow
// machine never piles up work, a tick catches up at most kCatchUp steps, a
// debt beyond that is forgiven, and over any stretch of time a paced run
// makes no more steps than the same ticks would as fast as possible (plus at
// most kCatchUp). The time the timer stands still (stopped, or a message
// open) is not counted: call Resume when it starts ticking again.
#pragma once

#include <cstdint>

namespace vozaz2 {

enum class Tempo { Fastest, RealTime, Slowed };

// How many times slower than real time the slowed tempo runs.
inline constexpr int kSlowedFactor = 5;

class Pacer {
 public:
  static constexpr int kCatchUp = 4;
  // The ticks lost to drawing kept owing at most: a frame of 50 ms, more
  // than any frame the windows draw; a longer hold-up is forgiven.
  static constexpr int kDrawnTicksKept = 50;

  Tempo CurrentTempo() const { return tempo_; }
  // A new tempo from the tick at `nowMs` on; nothing is owed from before.
  void SetTempo(Tempo tempo, std::int64_t nowMs);
  // The timer starts ticking again at `nowMs`: the pause is not counted.
  void Resume(std::int64_t nowMs);
  // A tick at `nowMs`, for steps of `stepSeconds` of model time: how many
  // steps to make now. As fast as possible, or with a step length that is
  // not a positive number, 1 (as fast as possible, with the ticks lost to
  // drawing made up).
  int StepsDue(std::int64_t nowMs, double stepSeconds);
  // The window drew for `drawnMs` while the timer ticks every `tickMs`.
  void Drew(double drawnMs, double tickMs);

 private:
  Tempo tempo_ = Tempo::Fastest;
  std::int64_t last_ = 0;  // the time of the last tick or resumption
  double owed_ = 0;        // steps the clock asks for and not yet made
  int unusedTicks_ = 0;      // ticks not yet used for a step, up to kCatchUp
  double drawnTicks_ = 0;    // ticks lost to drawing, made up as fast as possible
};

}  // namespace vozaz2
