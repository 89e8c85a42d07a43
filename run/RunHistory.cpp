#include "run/RunHistory.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/Variant.h"

namespace vozaz2 {

RunHistory::RunHistory(std::size_t maxBuckets) : summary_(quantity::kQuantityCount, maxBuckets) {}

void RunHistory::Clear() {
  summary_.Clear();
  trail_.Clear();
  slack_ = 0;
  maxDrift_ = maxDriftT_ = maxBalance_ = maxBalanceT_ = 0;
}

namespace {

double Relative(double difference, double reference) {
  return reference != 0 ? std::fabs(difference / reference) : std::fabs(difference);
}

}  // namespace

void RunHistory::Add(const SimRecord& r) {
  std::array<double, quantity::kQuantityCount> values;
  for (std::size_t q = 0; q < values.size(); ++q) values[q] = kQuantities[q].read(r);
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
  if (const double b = Relative(values[quantity::kBalance], r.E1); !(b <= maxBalance_)) {
    maxBalance_ = b;
    maxBalanceT_ = r.T;
  }
}

}  // namespace vozaz2
