// The conservation check of a run, step by step: how far the angular
// momentum and the energy balance strayed over the whole run, and their
// course against time for the report's graphs, in a bounded memory.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "model/Record.h"

namespace vozaz2 {

class ConservationTrack {
 public:
  // The quantities followed: the angular momentum at the start and now, and
  // the terms of the energy account (EVL with the sign it has in the balance,
  // EL as EL2 - EL1) with the balance itself.
  enum Series { kMKD1, kMKD2, kE2, kEL, kEmg, kEtr, kEVL, kBalance, kSeriesCount };

  // A stretch of consecutive steps: its first and last time, and the least,
  // the greatest and the last value of each quantity over it.
  struct Bucket {
    double t0 = 0, t1 = 0;
    std::array<double, kSeriesCount> min{}, max{}, last{};
  };

  // At most `buckets` stretches (at least 2); when they are full, neighbours
  // merge in pairs and every stretch covers twice as many steps.
  explicit ConservationTrack(std::size_t buckets = 512);

  // A new run: forgets everything.
  void Reset();
  // After every step that ended normally.
  void Add(const SimRecord& r);

  long long Steps() const { return steps_; }
  // The largest |MKD2 - MKD1| / |MKD1| and |balance| / E1 over the run, and
  // the times at which they occurred (0 before the first step; a zero MKD1
  // or E1 counts the plain difference).
  double MaxMomentumDrift() const { return maxDrift_; }
  double MaxMomentumDriftTime() const { return maxDriftT_; }
  double MaxBalanceRatio() const { return maxBalance_; }
  double MaxBalanceRatioTime() const { return maxBalanceT_; }
  const std::vector<Bucket>& Buckets() const { return buckets_; }
  // Steps that ended with a string that did not pull although it was tied:
  // slack, or shortening faster than its friction lets it pull (FL = 0 after
  // the release phase; FL2 = 0 once the second string is fixed). The
  // account then still counts its energy as a spring's, CL*DL^2/2.
  long long SlackSteps() const { return slack_; }

 private:
  std::size_t capacity_;
  long long span_ = 1;      // steps per stretch
  long long inLast_ = 0;    // steps in the last stretch
  long long steps_ = 0;
  long long slack_ = 0;
  double maxDrift_ = 0, maxDriftT_ = 0, maxBalance_ = 0, maxBalanceT_ = 0;
  std::vector<Bucket> buckets_;
};

}  // namespace vozaz2
