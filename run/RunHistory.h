// The history of one run in a bounded memory, for the graphs and the report.
//
// Every step that ended normally adds the readout's quantities and the parts
// derived from them (run/Quantities.h) to a bounded summary (run/RunSummary.h:
// the least, greatest and last value per bucket of steps, buckets merged in
// pairs as the run grows). Beside it the history keeps, exactly, what the
// verification of the law needs over the whole run: the largest relative
// drift of the angular momentum and of the energy balance, with their times,
// and how many steps ended with a tied string that did not pull; and, when
// the run has a twin at half the step (run/Twin.h), how its drift compares
// with the estimated error of the integration.
#pragma once

#include <cstddef>

#include "model/Record.h"
#include "run/Quantities.h"
#include "run/RunSummary.h"
#include "run/ErrorEstimate.h"
#include "run/Trail.h"

namespace vozaz2 {

class RunHistory {
 public:
  static constexpr std::size_t kBuckets = 1024;

  explicit RunHistory(std::size_t maxBuckets = kBuckets);

  // A new run: forgets everything.
  void Clear();
  // After every step that ended normally, with the twin's estimate when the
  // run has a twin.
  void Add(const SimRecord& r, const ErrorEstimate* estimate = nullptr);

  // One column per quantity of kQuantities, in its order.
  const RunSummary& Summary() const { return summary_; }
  long long Steps() const { return summary_.Steps(); }
  // The largest |MKD2 - MKD1| / |MKD1| and |balance| / E1 over the run, and
  // the times at which they occurred (0 before the first step; a zero MKD1
  // or E1 counts the plain difference).
  double MaxMomentumDrift() const { return maxDrift_; }
  double MaxMomentumDriftTime() const { return maxDriftT_; }
  double MaxBalanceRatio() const { return maxBalance_; }
  double MaxBalanceRatioTime() const { return maxBalanceT_; }
  // Steps that ended with a string that did not pull although it was tied:
  // slack, or shortening faster than its friction lets it pull (FL = 0 after
  // the release phase; FL2 = 0 once the second string is fixed). The
  // account then still counts its energy as a spring's, CL*DL^2/2.
  long long SlackSteps() const { return slack_; }
  // The last turns of the path, for a view of the apparatus.
  const vozaz2::Trail& Trail() const { return trail_; }

  // The drift of the angular momentum against the twin's estimate of the
  // error, over the steps that had an estimate, all relative to |MKD1|.
  struct Accuracy {
    bool twin = false;  // the run had a twin
    Lockstep lockstep = Lockstep::kHeld;
    double heldUntil = 0;  // the twin followed the run up to this model time
    long long steps = 0;   // steps with an estimate
    double drift = 0;      // the largest |MKD2 - MKD1|
    double error = 0;      // the largest estimated |error of MKD2|
    // The largest |MKD2 - MKD1 - error of MKD2|: the change that the error
    // of the integration does not account for.
    double unexplained = 0;
    double balanceError = 0;  // the largest estimated |error of the balance| / E1
    // The most that the program's rounded pi can have changed MKD2 so far:
    // the azimuths take Pi (model/Constants.h), so the string's pull misses
    // the axis by up to 2 |pi - Pi| rad, a torque of at most that times FL L.
    double roundedPi = 0;
  };
  const Accuracy& AccuracyAccount() const { return accuracy_; }

 private:
  void AddEstimate(const SimRecord& r, const ErrorEstimate& e, double* values);

  RunSummary summary_;
  vozaz2::Trail trail_;
  long long slack_ = 0;
  double maxDrift_ = 0, maxDriftT_ = 0, maxBalance_ = 0, maxBalanceT_ = 0;
  Accuracy accuracy_;
};

}  // namespace vozaz2
