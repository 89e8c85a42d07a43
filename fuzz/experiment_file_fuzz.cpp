// Fuzzes the experiment file: arbitrary bytes are read as a .vozaz2 file.
// A refused file must say why; an accepted one must be a runnable scenario
// (with a series that can run, if it has one), must read back the same from
// the text it writes, and is run with its clicks for at most 300 steps, its
// task (if any) watching its moment; the first runs of its series over a
// range, for at most 50 steps each.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "io/ExperimentFile.h"
#include "run/SeriesRun.h"
#include "run/Replay.h"
#include "run/Screens.h"
#include "run/TaskCheck.h"
#include "run/TaskReplay.h"
#include "ui/ImageSurface.h"

namespace {

constexpr long long kMaxFuzzSteps = 300;
constexpr long long kMaxSeriesFuzzRuns = 3, kMaxSeriesFuzzSteps = 50;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "experiment_file_fuzz: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vozaz2;
  const auto read =
      ReadExperimentDocument(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  if (const FileProblem* p = std::get_if<FileProblem>(&read)) {
    if (p->what.isEmpty()) Fail("a file refused without a problem");
    return 0;
  }
  const ExperimentDocument& d = std::get<ExperimentDocument>(read);
  const Scenario& s = d.scenario;
  if (ScenarioProblem(s)) Fail("an accepted file has a scenario problem");
  if (d.series && SeriesProblem(*d.series)) Fail("an accepted file has a series problem");
  const auto again = ReadExperimentDocument(ExperimentJson(d));
  if (!std::holds_alternative<ExperimentDocument>(again) || std::get<ExperimentDocument>(again) != d)
    Fail("the written text does not read back as the same experiment");
  if (d.series && d.series->range) {
    SeriesPlan plan{*d.series, s, {}};
    plan.series.time.reset();
    plan.series.steps = std::min(plan.series.steps.value_or(kMaxSeriesFuzzSteps), kMaxSeriesFuzzSteps);
    NullSurface a, b;
    Session runs(a, b, SeriesSessionOptions(plan.series));
    for (long long i = 0; i < std::min(plan.Count(), kMaxSeriesFuzzRuns); ++i)
      if (RunOne(runs, plan, i).values.size() != plan.series.collect.size()) Fail("a row without its columns");
  }

  // The run as the runner makes it, keeping what a report needs.
  ImageSurface oscillogram(kScreen2Width, kScreen2Height), path(kScreen3Width, kScreen3Height);
  Session session(oscillogram, path);
  Scenario bounded = s;
  bounded.steps = std::min(s.steps.value_or(kMaxFuzzSteps), kMaxFuzzSteps);
  Replay(session, bounded);
  // A task's moment watched over the same bounded run, and its comparison.
  if (bounded.task) {
    const TaskReplayResult r = ReplayTask(bounded);
    if (r.observed && bounded.task->answers.prediction) Judge(*bounded.task, *bounded.task->answers.prediction, *r.observed);
  }
  return 0;
}
