#include "run/RunSummary.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vozaz2 {

RunSummary::RunSummary(std::size_t columns, std::size_t maxBuckets)
    : columns_(columns), maxBuckets_(std::max<std::size_t>(2, maxBuckets + maxBuckets % 2)) {
  // Everything the summary will ever hold is allocated here.
  min_.resize(columns_ * maxBuckets_);
  max_.resize(columns_ * maxBuckets_);
  last_.resize(columns_ * maxBuckets_);
}

void RunSummary::Clear() {
  buckets_ = 0;
  width_ = 1;
  inLast_ = 0;
  steps_ = 0;
  ++version_;
}

void RunSummary::Add(const double* values) {
  if (buckets_ == 0 || inLast_ == width_) {
    if (buckets_ == maxBuckets_) MergePairs();
    // A merge leaves an even number of full buckets, so a new one starts.
    const std::size_t b = buckets_++;
    inLast_ = 0;
    constexpr double kInf = std::numeric_limits<double>::infinity();
    std::fill_n(min_.begin() + static_cast<std::ptrdiff_t>(b * columns_), columns_, kInf);
    std::fill_n(max_.begin() + static_cast<std::ptrdiff_t>(b * columns_), columns_, -kInf);
  }
  const std::size_t base = (buckets_ - 1) * columns_;
  for (std::size_t c = 0; c < columns_; ++c) {
    const double v = values[c];
    last_[base + c] = v;
    if (!std::isfinite(v)) continue;
    if (v < min_[base + c]) min_[base + c] = v;
    if (v > max_[base + c]) max_[base + c] = v;
  }
  ++inLast_;
  ++steps_;
  ++version_;
}

// Bucket i of the merged summary is buckets 2i and 2i + 1; its last values are
// those of 2i + 1, the later one.
void RunSummary::MergePairs() {
  for (std::size_t i = 0; i < buckets_ / 2; ++i) {
    const std::size_t to = i * columns_, a = 2 * i * columns_, b = a + columns_;
    for (std::size_t c = 0; c < columns_; ++c) {
      min_[to + c] = std::min(min_[a + c], min_[b + c]);
      max_[to + c] = std::max(max_[a + c], max_[b + c]);
      last_[to + c] = last_[b + c];
    }
  }
  buckets_ /= 2;
  width_ *= 2;
  inLast_ = width_;
}

}  // namespace vozaz2
