#include "run/RunHistory.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

#include "model/Variant.h"

namespace vozaz2 {

RunHistory::RunHistory(std::size_t maxBuckets) : summary_(quantity::kQuantityCount, maxBuckets) {}

void RunHistory::Clear() {
  summary_.Clear();
  trail_.Clear();
  slack_ = 0;
  maxDrift_ = maxDriftT_ = maxBalance_ = maxBalanceT_ = 0;
  accuracy_ = {};
}

void RunHistory::Add(const SimRecord& r, const ErrorEstimate* estimate) {
  namespace Q = quantity;
  std::array<double, Q::kQuantityCount> values;
  // The estimates are not in the record: they come from the twin, or stay
  // not a number.
  for (std::size_t q = 0; q < Q::kErrR2; ++q) values[q] = kQuantities[q].read(r);
  std::fill(values.begin() + Q::kErrR2, values.end(), std::numeric_limits<double>::quiet_NaN());
  if (estimate) AddEstimate(r, *estimate, values.data());
  summary_.Add(values.data());
  trail_.Add(ApparatusOf(r));

  const bool released = r.ReleaseRun && r.T <= 1;
  const bool secondFixed = SplitDone(r) && r.T > std::max(1.2, r.Tr);
  if ((!released && r.FL == 0) || (secondFixed && r.FL2 == 0)) ++slack_;
  // Written so that a NaN (a run on its way to diverging) is taken as the
  // largest value rather than passed over.
  if (const double d = Relative(r.MKD2 - r.MKD1, r.MKD1); !(d <= maxDrift_)) {
    maxDrift_ = d;
    maxDriftT_ = r.T;
  }
  if (const double b = Relative(values[Q::kBalance], r.E1); !(b <= maxBalance_)) {
    maxBalance_ = b;
    maxBalanceT_ = r.T;
  }
}

}  // namespace vozaz2

namespace vozaz2 {

// Written, as above, so that a NaN is taken as the largest value.
void RunHistory::AddEstimate(const SimRecord& r, const ErrorEstimate& e, double* values) {
  namespace Q = quantity;
  Accuracy& a = accuracy_;
  a.twin = true;
  a.lockstep = e.lockstep;
  a.heldUntil = e.heldUntil;
  if (!e.known) return;
  ++a.steps;
  values[Q::kErrR2] = Relative(e.R2, r.R);
  values[Q::kErrW2] = Relative(e.w2, r.w2);
  values[Q::kErrMKD2] = Relative(e.MKD2, r.MKD1);
  values[Q::kErrBalance] = Relative(e.balance, r.E1);
  auto keep = [](double& largest, double v) {
    if (!(v <= largest)) largest = v;
  };
  keep(a.drift, values[Q::kMKDDrift]);
  keep(a.error, values[Q::kErrMKD2]);
  keep(a.unexplained, Relative(r.MKD2 - r.MKD1 - e.MKD2, r.MKD1));
  keep(a.balanceError, values[Q::kErrBalance]);
  a.roundedPi += Relative(2 * std::fabs(std::numbers::pi - r.Pi) * r.FL * r.L * r.P0, r.MKD1);
}

}  // namespace vozaz2
