#include "run/ConservationTrack.h"

#include <algorithm>
#include <cmath>

#include "run/Accounting.h"

namespace vozaz2 {

// An even number of stretches, so that they merge in pairs.
ConservationTrack::ConservationTrack(std::size_t buckets)
    : capacity_(std::max<std::size_t>(buckets, 2) & ~std::size_t{1}) {
  buckets_.reserve(capacity_);
}

void ConservationTrack::Reset() {
  span_ = 1;
  inLast_ = 0;
  steps_ = 0;
  slack_ = 0;
  maxDrift_ = maxDriftT_ = maxBalance_ = maxBalanceT_ = 0;
  buckets_.clear();
}

namespace {

double Relative(double difference, double reference) {
  return reference != 0 ? std::fabs(difference / reference) : std::fabs(difference);
}

}  // namespace

void ConservationTrack::Add(const SimRecord& r) {
  const double balance = Balance(r);
  const std::array<double, kSeriesCount> v = {
      r.MKD1, r.MKD2, r.E2, r.EL2 - r.EL1, r.Emg, r.Etr, r.EVLSigned, balance};
  ++steps_;
  const bool released = r.ReleaseRun && r.T <= 1;
  const bool secondFixed = r.SplitDone == 1 && r.T > std::max(1.2, r.Tr);
  if ((!released && r.FL == 0) || (secondFixed && r.FL2 == 0)) ++slack_;
  // Written so that a NaN (a run on its way to diverging) is taken as the
  // largest value rather than passed over.
  if (const double d = Relative(r.MKD2 - r.MKD1, r.MKD1); !(d <= maxDrift_)) {
    maxDrift_ = d;
    maxDriftT_ = r.T;
  }
  if (const double b = Relative(balance, r.E1); !(b <= maxBalance_)) {
    maxBalance_ = b;
    maxBalanceT_ = r.T;
  }

  if (buckets_.empty() || inLast_ == span_) {
    if (buckets_.size() == capacity_) {
      // Full: neighbours merge, each stretch now twice as long.
      for (std::size_t i = 0; i < capacity_ / 2; ++i) {
        Bucket& a = buckets_[2 * i];
        const Bucket& b = buckets_[2 * i + 1];
        a.t1 = b.t1;
        for (int s = 0; s < kSeriesCount; ++s) {
          a.min[s] = std::min(a.min[s], b.min[s]);
          a.max[s] = std::max(a.max[s], b.max[s]);
          a.last[s] = b.last[s];
        }
        buckets_[i] = a;
      }
      buckets_.resize(capacity_ / 2);
      span_ *= 2;
    }
    Bucket fresh;
    fresh.t0 = r.T;
    fresh.min = fresh.max = v;
    buckets_.push_back(fresh);
    inLast_ = 0;
  }
  Bucket& b = buckets_.back();
  b.t1 = r.T;
  for (int s = 0; s < kSeriesCount; ++s) {
    b.min[s] = std::min(b.min[s], v[s]);
    b.max[s] = std::max(b.max[s], v[s]);
  }
  b.last = v;
  ++inLast_;
}

}  // namespace vozaz2
