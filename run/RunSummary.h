// A bounded summary of a run for its graphs: the steps are gathered into at
// most a fixed number of buckets of equal length, and each bucket keeps, for
// every column, the least and the greatest value and the last one. When the
// buckets are full, neighbours merge pairwise and each bucket takes twice as
// many steps as before. So the memory stays the same however long the run,
// and a graph drawn from the buckets still shows every excursion: a spike of
// one step stays in the maximum of its bucket.
//
// The last values of a bucket belong to one and the same step, so graphs of
// one quantity against another are drawn from them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vozaz2 {

class RunSummary {
 public:
  // maxBuckets is rounded up to an even number, at least 2.
  RunSummary(std::size_t columns, std::size_t maxBuckets);

  // Forgets every step.
  void Clear();

  // One step's values, `columns` of them. A value that is not finite leaves
  // the least and greatest of its column as they were.
  void Add(const double* values);

  std::size_t Columns() const { return columns_; }
  std::size_t Buckets() const { return buckets_; }
  std::size_t MaxBuckets() const { return maxBuckets_; }
  // Steps gathered in each full bucket.
  std::int64_t StepsPerBucket() const { return width_; }
  std::int64_t Steps() const { return steps_; }
  // Counts every change, for a reader that redraws only what changed.
  std::uint64_t Version() const { return version_; }

  double Min(std::size_t bucket, std::size_t column) const { return At(min_, bucket, column); }
  double Max(std::size_t bucket, std::size_t column) const { return At(max_, bucket, column); }
  double Last(std::size_t bucket, std::size_t column) const { return At(last_, bucket, column); }

 private:
  double At(const std::vector<double>& v, std::size_t bucket, std::size_t column) const {
    return v[bucket * columns_ + column];
  }
  void MergePairs();

  std::size_t columns_;
  std::size_t maxBuckets_;
  std::size_t buckets_ = 0;
  std::int64_t width_ = 1;       // steps per bucket
  std::int64_t inLast_ = 0;      // steps in the last bucket
  std::int64_t steps_ = 0;
  std::uint64_t version_ = 0;
  std::vector<double> min_, max_, last_;  // bucket-major, `columns_` per bucket
};

}  // namespace vozaz2
