// Series of runs: the slope of the law fitted with its error, a run that
// diverges or cannot start is a row that says so and the series goes on,
// and any number of workers gives the same rows as one.
#include <gtest/gtest.h>

#include <cmath>

#include "run/LineFit.h"
#include "run/SeriesRun.h"
#include "run/SeriesTable.h"

namespace vozaz2 {
namespace {

// Three points off the line y = 2x by (d, −2d, d): the slope stays exactly
// 2, the residuals leave Σr² = 6d² over one degree of freedom and
// Σ(x − x̄)² = 2, so the slope's error is d·√3. On the law's axes the same
// points are ratios e^x and e^y; runs that did not end complete are left out.
TEST(Series, FitsTheSlopeWithItsError) {
  const double d = 0.1;
  const std::vector<double> x = {-1, 0, 1}, y = {-2 + d, -2 * d, 2 + d};
  const std::optional<LineFit> fit = FitLine(x, y);
  ASSERT_TRUE(fit);
  EXPECT_NEAR(fit->slope, 2, 1e-15);
  EXPECT_NEAR(fit->intercept, 0, 1e-15);
  EXPECT_NEAR(fit->slopeError, d * std::sqrt(3.0), 1e-15);
  EXPECT_TRUE(std::isnan(FitLine({0, 1}, {0, 2})->slopeError));
  EXPECT_FALSE(FitLine({1, 1, 1}, {0, 1, 2}));

  std::vector<SeriesRow> rows;
  for (std::size_t i = 0; i < 3; ++i) {
    SeriesRow row;
    row.run = static_cast<long long>(i);
    row.R1 = 2, row.R2 = 2 / std::exp(x[i]), row.w1 = 3, row.w2 = 3 * std::exp(y[i]);
    rows.push_back(row);
  }
  rows.push_back(rows[0]);
  rows.back().end = SeriesEnd::kDiverged;
  const std::vector<LawPoint> points = LawPoints(rows);
  ASSERT_EQ(points.size(), 3u);
  const std::optional<LineFit> law = FitLaw(points);
  EXPECT_NEAR(law->slope, 2, 1e-12);
  EXPECT_NEAR(law->slopeError, d * std::sqrt(3.0), 1e-12);
}

SeriesPlan Plan(std::size_t parameter, double from, double to, long long count, bool log) {
  SeriesPlan plan;
  plan.series.range = SeriesRange{parameter, from, to, count, log};
  plan.series.steps = 60;
  plan.series.collect.push_back(*ColumnNamed("max:FL"));
  return plan;
}

std::vector<SeriesRow> Rows(const SeriesPlan& plan, unsigned jobs) {
  std::vector<SeriesRow> rows;
  RunSeries(plan, jobs, [&](const SeriesRow& row) { rows.push_back(row); });
  return rows;
}

// A string too stiff for the numbers diverges at once, R1 = 0 cannot start;
// the runs after them are made all the same, each row saying how it ended.
// The diverged run has no end values, only the time it failed at.
TEST(Series, ADivergedOrRefusedRunIsARowAndTheSeriesGoesOn) {
  const std::vector<SeriesRow> stiff = Rows(Plan(*ParameterIndex("CL"), 1e300, 10, 3, true), 2);
  ASSERT_EQ(stiff.size(), 3u);
  EXPECT_EQ(stiff[0].end, SeriesEnd::kDiverged);
  EXPECT_EQ(stiff[0].steps, 0);
  EXPECT_TRUE(std::isnan(stiff[0].values[0]));  // no step ended normally
  EXPECT_GT(stiff[0].values[4], 0);  // Tdiv
  EXPECT_EQ(stiff[2].end, SeriesEnd::kComplete);
  EXPECT_EQ(stiff[2].steps, 60);
  EXPECT_TRUE(std::isnan(stiff[2].values[4]));
  EXPECT_LT(stiff[2].values[3], 1e-6);  // the drift of MKD

  const SeriesPlan radii = Plan(*ParameterIndex("R1"), 0, 1, 3, false);
  const std::vector<SeriesRow> rows = Rows(radii, 1);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].end, SeriesEnd::kRefused);
  EXPECT_EQ(SeriesLine(radii, rows[0]), "1,0,не начат,0,,,,,,\n");
  EXPECT_EQ(rows[1].end, SeriesEnd::kComplete);
  EXPECT_EQ(SeriesHeader(radii), "run,R1,end,steps,R2,w2,MKD2,driftMKD,Tdiv,max:FL\n");
}

// One worker or four, the rows are the same and in the order of the runs; a
// cancelled series hands over no row after the runs it stopped.
TEST(Series, AnyNumberOfWorkersGivesTheSameRows) {
  const SeriesPlan plan = Plan(*ParameterIndex("VL"), 0.05, 0.8, 9, true);
  std::string one, four;
  for (const SeriesRow& row : Rows(plan, 1)) one += SeriesLine(plan, row);
  for (const SeriesRow& row : Rows(plan, 4)) four += SeriesLine(plan, row);
  EXPECT_EQ(one, four);
  EXPECT_EQ(std::count(one.begin(), one.end(), '\n'), 9);
  EXPECT_EQ(one.substr(0, 7), "1,0.05,");
  EXPECT_NE(one.find("\n9,0.8,"), std::string::npos);

  std::atomic<bool> cancel{false};
  long long seen = 0;
  // On one worker the row is handed over on the thread that runs, so the
  // cancel set there is seen before the next run begins: exactly 3 rows.
  // (With more workers, how many runs end before it is seen is up to the
  // machine's timing.)
  const long long handed = RunSeries(plan, 1, [&](const SeriesRow& row) {
    EXPECT_EQ(row.run, seen++);
    if (row.run == 2) cancel = true;
  }, &cancel);
  EXPECT_EQ(handed, 3);
}

}  // namespace
}  // namespace vozaz2
