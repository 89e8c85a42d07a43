// How fast one step of the experiment is, and what it is made of.
//
// The figures that matter, side by side at the end:
//   - SolveStep without display: NullSurface screens, the readout's numbers
//     left as numbers; and the same with the readout turned into text as the
//     window does after every step;
//   - the same equations (Diffur1 on the record) stepped by Boost.Odeint's
//     classical runge_kutta4, the peer a C++ developer would reach for;
//   - SolveStep with the display gate closed (no plotting, no readout), the
//     integration and the accounts alone, which is what Odeint's step does;
//   - one right-hand side Diffur1: four of them are the floor of a step;
//   - the step as the headless runner does it (QImage screens, through the
//     session), in steps per second;
//   - the parts of a step's cost: the readout, one number-to-text conversion,
//     the plotting, the floating-point status checks;
//   - a session's step keeping the history, without and with the twin at
//     half the step that estimates the run's error (run/Twin.h).
#include <benchmark/benchmark.h>

#include <array>
#include <boost/numeric/odeint.hpp>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/Rig.h"
#include "run/Boxes.h"
#include "model/Equations.h"
#include "model/FpFault.h"
#include "model/NumberText.h"
#include "run/CsvRows.h"
#include "run/Plotting.h"
#include "run/Readout.h"
#include "run/Screens.h"
#include "ui/ImageSurface.h"

namespace {

using namespace vozaz2;
using vozaz2::bench::Rig;

// The dumbbell and the split load under the default drive run into the axis
// after some 2200 steps, so every run is restarted long before that.
constexpr int kStepsPerRun = 2000;

// Variants: the default single load on a cone (string end pulled up), the
// dumbbell ("m=1+1", Diffur1 with the turning axis) and the split load
// ("m= 1+1 от 1с  до Tr с": two balls and Diffur2 after the first second).
const std::initializer_list<int> kVariantClicks[] = {{}, {8}, {-2}};
const char* const kVariantNames[] = {"cone", "dumbbell", "split"};

// nShow > 1 shows only every nShow-th step or so (the record's display gate):
// the other steps integrate and keep the accounts, but neither plot nor
// write the readout.
void StepLoop(benchmark::State& state, Rig& rig, int variant, std::int16_t nShow = 1) {
  if (!rig.Start(kVariantClicks[variant])) {
    state.SkipWithError("the run did not start");
    return;
  }
  Experiment& e = rig.experiment;
  e.Record().NShow = nShow;
  int n = 0;
  for (auto _ : state) {
    e.SolveStep();
    if (++n == kStepsPerRun) {
      state.PauseTiming();
      if (e.LastStepDiverged()) {
        state.SkipWithError("the run diverged");
        break;
      }
      rig.Restart();
      n = 0;
      state.ResumeTiming();
    }
  }
  state.SetLabel(kVariantNames[variant]);
}

void BM_SolveStep_NoDisplay(benchmark::State& state) {
  NullSurface p2, p3;
  Rig rig(p2, p3);
  StepLoop(state, rig, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_SolveStep_NoDisplay)->DenseRange(0, 2);

// The same steps with the display gate closed: a step without plotting and
// readout, which is what Odeint's stepper is to be compared with. (A shown
// step every 15000 steps or so.)
void BM_SolveStep_NotShown(benchmark::State& state) {
  NullSurface p2, p3;
  Rig rig(p2, p3);
  StepLoop(state, rig, static_cast<int>(state.range(0)), 30000);
}
BENCHMARK(BM_SolveStep_NotShown)->DenseRange(0, 2);

// The step with the readout turned into the boxes' texts, as the window does
// after every step.
void BM_SolveStep_ReadoutTexts(benchmark::State& state) {
  NullSurface p2, p3;
  Rig rig(p2, p3);
  std::array<std::string, kBoxCount> texts;
  rig.session.Follow([&texts](const Snapshot& s) {
    for (int box = 1; box <= kBoxCount; ++box)
      if (s.boxes.Written(box)) texts[box - 1] = NumberText(s.boxes.Value(box), ',');
  });
  if (!rig.Start()) return state.SkipWithError("the run did not start");
  int n = 0;
  for (auto _ : state) {
    rig.session.Step();
    if (++n == kStepsPerRun) rig.Restart(), n = 0;
  }
}
BENCHMARK(BM_SolveStep_ReadoutTexts);

// As the headless runner steps (without writing its CSV): through the
// session, on QImage screens.
void BM_SolveStep_Batch(benchmark::State& state) {
  ImageSurface p2(kScreen2Width, kScreen2Height), p3(kScreen3Width, kScreen3Height);
  Rig rig(p2, p3);
  if (!rig.Start()) return state.SkipWithError("the run did not start");
  int n = 0;
  for (auto _ : state) {
    rig.session.Step();
    if (++n == kStepsPerRun) rig.Restart(), n = 0;
  }
  state.counters["steps/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SolveStep_Batch);

// A session's step as the window makes it, keeping the history (no
// drawings): without the twin (0) and with it (1).
void BM_SessionStep_Accuracy(benchmark::State& state) {
  NullSurface p2, p3;
  Rig rig(p2, p3, {false, true});
  rig.session.SetAccuracy(state.range(0) != 0);
  if (!rig.Start()) return state.SkipWithError("the run did not start");
  int n = 0;
  for (auto _ : state) {
    rig.session.Step();
    if (++n == kStepsPerRun) rig.Restart(), n = 0;
  }
  state.SetLabel(state.range(0) != 0 ? "with the twin" : "without");
}
BENCHMARK(BM_SessionStep_Accuracy)->DenseRange(0, 1);

// A record in the middle of a default run, with its controls.
struct MidRun {
  NullSurface p2, p3;
  Rig rig{p2, p3};
  MidRun() {
    rig.Start();
    for (int i = 0; i < 100; ++i) rig.experiment.SolveStep();
  }
  SimRecord& Record() { return rig.experiment.Record(); }
  const Modes& Controls() { return rig.experiment.Controls(); }
};

// Odeint's system: the state in a std::array, the right-hand side Diffur1 on
// the record, with the stage time in T. T0 is the start of the step, as the
// elongation rate of the string needs it.
using State8 = std::array<double, 8>;

struct Diffur1System {
  SimRecord& r;
  const Modes& modes;
  void operator()(const State8& x, State8& dxdt, double t) const {
    for (int i = 0; i < 8; ++i) r.Y(i + 1) = x[i];
    r.T = t;
    Diffur1(r, modes);
    for (int i = 0; i < 8; ++i) dxdt[i] = r.DY(i + 1);
  }
};

void BM_OdeintRk4_Diffur1(benchmark::State& state) {
  MidRun run;
  SimRecord& r = run.Record();
  const SimRecord start = r;
  Diffur1System system{r, run.Controls()};
  boost::numeric::odeint::runge_kutta4<State8> stepper;
  State8 x;
  auto load = [&] {
    r = start;
    for (int i = 0; i < 8; ++i) x[i] = r.Y(i + 1);
  };
  load();
  ClearFpFaults();
  int n = 0;
  for (auto _ : state) {
    r.T = r.T0;  // the step starts at T0
    stepper.do_step(system, x, r.T0, r.P0);
    r.DLp = r.DL;
    r.T0 += r.P0;
    benchmark::DoNotOptimize(x);
    if (++n == kStepsPerRun) {
      state.PauseTiming();
      load();
      n = 0;
      state.ResumeTiming();
    }
  }
  if (FpFaultRaised()) state.SkipWithError("a floating-point fault");
}
BENCHMARK(BM_OdeintRk4_Diffur1);

// One right-hand side at a stage inside the step (the elongation rate is
// recomputed, as at three of the four stages).
void BM_Diffur1(benchmark::State& state) {
  MidRun run;
  SimRecord& r = run.Record();
  const Modes& modes = run.Controls();
  r.T = r.T0 + r.P0 / 2;
  ClearFpFaults();
  for (auto _ : state) {
    Diffur1(r, modes);
    benchmark::DoNotOptimize(r.DY(5));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Diffur1);

// The readout of a displayed step: 27 numbers for the boxes.
void BM_Readout(benchmark::State& state) {
  MidRun run;
  BoxValues boxes;
  for (auto _ : state) {
    WriteReadout(run.Record(), boxes, {});
    benchmark::DoNotOptimize(boxes);
  }
}
BENCHMARK(BM_Readout);

// One row of the CSV table, over the records of 512 successive steps (so that
// the numbers change from row to row as in a run): rows per second.
void BM_CsvRow(benchmark::State& state) {
  MidRun run;
  std::vector<SimRecord> records;
  for (int i = 0; i < 512; ++i) {
    run.rig.experiment.SolveStep();
    records.push_back(run.Record());
  }
  CsvRows rows;
  std::size_t i = 0;
  for (auto _ : state) {
    rows.Append(static_cast<long long>(i), records[i % records.size()]);
    if (rows.Full()) rows.Clear();
    ++i;
  }
  state.counters["rows/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CsvRow);

void BM_NumberText(benchmark::State& state) {
  double v = 21.293170976400209;
  for (auto _ : state) {
    benchmark::DoNotOptimize(NumberText(v, ','));
    benchmark::DoNotOptimize(v);
  }
}
BENCHMARK(BM_NumberText);

// The plotting of a displayed single-load step: six points.
void BM_Plot_NullSurface(benchmark::State& state) {
  MidRun run;
  NullSurface p2, p3;
  for (auto _ : state) PlotSingleLoad(run.Record(), p2, p3);
}
BENCHMARK(BM_Plot_NullSurface);

void BM_Plot_ImageSurface(benchmark::State& state) {
  MidRun run;
  ImageSurface p2(kScreen2Width, kScreen2Height), p3(kScreen3Width, kScreen3Height);
  p2.Scale(0, 5, 12, -5);
  p3.Scale(-5, 5, 5, -5);
  for (auto _ : state) PlotSingleLoad(run.Record(), p2, p3);
}
BENCHMARK(BM_Plot_ImageSurface);

// A step clears the status flags once and tests them at every right-hand side
// and after each phase: one clear and one test.
void BM_FpClearAndTest(benchmark::State& state) {
  for (auto _ : state) {
    ClearFpFaults();
    benchmark::DoNotOptimize(FpFaultRaised());
  }
}
BENCHMARK(BM_FpClearAndTest);

void BM_FpTest(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(FpFaultRaised());
}
BENCHMARK(BM_FpTest);

// Prints the normal console report and keeps the median (or the only) CPU
// time of every benchmark for the summary. The benchmarks run on one thread;
// on a quiet machine CPU and real time agree, and on a shared one the CPU
// time is the figure that others' work does not inflate.
class SummaryReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median) continue;
      const std::string name = run.run_name.str();
      if (median || !medians_.count(name)) medians_[name] = Nanoseconds(run);
    }
  }

  // The median time in ns, or a negative number when it was not measured.
  double Get(const std::string& name) const {
    auto it = medians_.find(name);
    return it == medians_.end() ? -1 : it->second;
  }

 private:
  static double Nanoseconds(const Run& run) {
    return run.GetAdjustedCPUTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
  }
  std::map<std::string, double> medians_;
};

void PrintSummary(const SummaryReporter& s) {
  const double step = s.Get("BM_SolveStep_NoDisplay/0");
  const double texts = s.Get("BM_SolveStep_ReadoutTexts");
  const double notShown = s.Get("BM_SolveStep_NotShown/0");
  const double batch = s.Get("BM_SolveStep_Batch");
  const double odeint = s.Get("BM_OdeintRk4_Diffur1");
  const double rhs = s.Get("BM_Diffur1");
  const double readout = s.Get("BM_Readout");
  const double text = s.Get("BM_NumberText");
  const double plot = s.Get("BM_Plot_NullSurface");
  const double plotImage = s.Get("BM_Plot_ImageSurface");
  const double flags = s.Get("BM_FpClearAndTest");
  if (step < 0 || odeint < 0 || rhs < 0) {
    std::printf("\nSummary: run all benchmarks (no filter) for the side-by-side figures.\n");
    return;
  }
  std::printf("\nSummary (median CPU time)\n");
  std::printf("  SolveStep, no display (NullSurface)                 %9.1f ns\n", step);
  std::printf("    dumbbell / split load                              %9.1f / %.1f ns\n",
              s.Get("BM_SolveStep_NoDisplay/1"), s.Get("BM_SolveStep_NoDisplay/2"));
  std::printf("  a session's step, readout as the window's texts      %9.1f ns\n", texts);
  std::printf("  Odeint runge_kutta4 on the same Diffur1             %9.1f ns\n", odeint);
  std::printf("  one Diffur1 (x4 = %.1f ns)                        %9.1f ns\n", 4 * rhs, rhs);
  std::printf("  ratio SolveStep / Odeint step                       %9.2f   (target <= 1)\n",
              step / odeint);
  std::printf("  ratio SolveStep / four Diffur1                      %9.2f   (target <= 1.3)\n",
              step / (4 * rhs));
  std::printf("  ratio Odeint step / four Diffur1                    %9.2f\n", odeint / (4 * rhs));
  if (notShown > 0) {
    std::printf("  SolveStep not shown (display gate closed)           %9.1f ns\n", notShown);
    std::printf("    dumbbell / split load                              %9.1f / %.1f ns\n",
                s.Get("BM_SolveStep_NotShown/1"), s.Get("BM_SolveStep_NotShown/2"));
    std::printf("  ratio not-shown step / Odeint step                  %9.2f\n", notShown / odeint);
    std::printf("  ratio not-shown step / four Diffur1                 %9.2f\n", notShown / (4 * rhs));
  }
  std::printf("  parts of a step: readout %.1f ns (in the window 27 x NumberText %.1f ns), plotting %.1f ns\n",
              readout, text, plot);
  std::printf("                   (on QImage screens %.1f ns), clear+test of the FP flags %.1f ns\n",
              plotImage, flags);
  if (batch > 0)
    std::printf("  as the headless runner (QImage screens, the session): %.1f ns = %.0f steps/s\n",
                batch, 1e9 / batch);
  const double alone = s.Get("BM_SessionStep_Accuracy/0"), twinned = s.Get("BM_SessionStep_Accuracy/1");
  if (alone > 0 && twinned > 0)
    std::printf("  a session's step with history: %.1f ns; with the twin %.1f ns: ratio %.2f   (target <= 3.5)\n",
                alone, twinned, twinned / alone);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintSummary(reporter);
  benchmark::Shutdown();
  return 0;
}
