#include "run/Twin.h"

#include "model/FpFault.h"
#include "model/Variant.h"
#include "run/Accounting.h"

namespace vozaz2 {

namespace {

// What a run has switched to by the end of a step, a bit an event: the load
// handed over to two balls; the string still released (the step ended by
// 1 s); the second string's free length still following the balls (the step
// ended by Tr). Both runs must switch at the same step ends.
constexpr unsigned kSplit = 1, kReleased = 2, kFollowing = 4;

unsigned Phase(const SimRecord& r) {
  unsigned phase = 0;
  if (SplitDone(r)) phase |= kSplit;
  if (ReleaseRun(r) && r.T <= 1) phase |= kReleased;
  if (SplitDone(r) && r.T <= r.Tr) phase |= kFollowing;
  return phase;
}

// Richardson's factors 2^p / (2^p - 1) for the orders that hold (run/Twin.h).
constexpr double kFourthOrder = 16.0 / 15, kSecondOrder = 4.0 / 3, kFirstOrder = 2;

}  // namespace

const char* LockstepText(Lockstep lockstep) {
  switch (lockstep) {
    case Lockstep::kHeld: break;
    case Lockstep::kHandOver:
      return "груз разделяется на первом шаге после 1 с, а при половинном шаге этот шаг начинается в другой момент";
    case Lockstep::kReleaseEnd:
      return "отпущенная нить закрепляется в конце последнего шага до 1 с, а при половинном шаге этот шаг "
             "кончается в другой момент";
    case Lockstep::kSecondString:
      return "свободная длина второй нити закрепляется в конце последнего шага до Tr, а при половинном шаге "
             "этот шаг кончается в другой момент";
    case Lockstep::kDivergence: return "решение разошлось у одного из двух расчётов";
    case Lockstep::kClickBetweenHalfSteps: return "органы управления изменились между двумя полушагами";
  }
  return "";
}

Twin::Twin() : twin_(oscillogram_, path_) {}

void Twin::Start(const Experiment& run) {
  SimRecord r = run.Record();
  r.P0 = r.P0 / 2;
  twin_.StartFrom(r, run.Controls());
  estimate_ = {};
  halfSteps_ = 0;
}

void Twin::Follow(const Experiment& run) {
  if (estimate_.lockstep != Lockstep::kHeld) return;  // the twin stands
  if (run.LastStepDiverged()) return Break(Lockstep::kDivergence);
  const int flags = SavedFpFlags();
  TakeControls(run);
  HalfStep();
  const unsigned first = Phase(twin_.Record());
  HalfStep();
  if (estimate_.lockstep == Lockstep::kHeld) Check(run.Record(), first, Phase(twin_.Record()));
  if (estimate_.lockstep == Lockstep::kHeld) Richardson(run.Record());
  if (SavedFpFlags() != flags) RestoreFpFlags(flags);
}

void Twin::TakeControls(const Experiment& run) {
  if (twin_.Controls().SameStateAs(run.Controls())) return;
  if (halfSteps_ % 2 != 0) Break(Lockstep::kClickBetweenHalfSteps);
  // The rules of the controls write these signs into the record.
  SimRecord& r = twin_.Record();
  r.DirSign = run.Record().DirSign;
  r.MoverSign = run.Record().MoverSign;
  r.PathSign = run.Record().PathSign;
  twin_.Controls().TakeStateOf(run.Controls());
}

void Twin::HalfStep() {
  twin_.SolveStep();
  ++halfSteps_;
  if (twin_.LastStepDiverged()) Break(Lockstep::kDivergence);
}

void Twin::Break(Lockstep why) {
  if (estimate_.lockstep != Lockstep::kHeld) return;  // the first reason stays
  estimate_.lockstep = why;
  estimate_.known = false;
}

void Twin::Check(const SimRecord& run, unsigned afterFirst, unsigned afterSecond) {
  const unsigned differs = (afterFirst ^ Phase(run)) | (afterSecond ^ Phase(run));
  if (differs == 0) return;
  Break(differs & kSplit ? Lockstep::kHandOver : differs & kReleased ? Lockstep::kReleaseEnd : Lockstep::kSecondString);
}

// The derived quantities stand after a displayed step (Cnt is 1 then: the
// plotting zeroes it, the step's end counts it).
void Twin::Richardson(const SimRecord& run) {
  const SimRecord& twin = twin_.Record();
  estimate_.heldUntil = run.T0;
  if (run.Cnt != 1 || twin.Cnt != 1) return;
  const bool firstOrder = run.Ktr != 0 || ReleaseRun(run);
  const double k = firstOrder ? kFirstOrder : kFourthOrder;
  estimate_.R2 = (run.R - twin.R) * k;
  estimate_.w2 = (run.w2 - twin.w2) * k;
  estimate_.MKD2 = (run.MKD2 - twin.MKD2) * kFourthOrder;
  estimate_.balance = (Balance(run) - Balance(twin)) * (firstOrder ? kFirstOrder : kSecondOrder);
  estimate_.known = true;
}

}  // namespace vozaz2
