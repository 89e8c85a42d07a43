// vozaz2-report-bench: what keeping the screens' drawings costs on a long run,
// and how long the lab report takes to make at its end. For each variant it
// steps a run as the headless runner does (QImage screens wrapped in records,
// the conservation track fed after every step) and prints the drawings kept
// and the records' memory as the run goes on, the steps per second with and
// without the records, and the time to write the PDF and the SVG figures
// after REPORT_AT steps.
//
//   vozaz2-report-bench [STEPS [REPORT_AT]]     (defaults 1000000 and 100000)
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "bench/Rig.h"
#include "io/Report.h"
#include "run/DrawingRecord.h"
#include "run/Screens.h"
#include "ui/ImageSurface.h"

namespace {

using namespace vozaz2;
using Clock = std::chrono::steady_clock;

double Since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

// Steps `steps` times, starting the run again after a divergence as a user
// would; `after` runs after every step.
template <class After>
long long Steps(bench::Rig& rig, long long steps, After&& after) {
  long long restarts = 0;
  for (long long done = 1; done <= steps; ++done) {
    rig.session.Step();
    if (rig.session.State() == RunState::kDiverged) {
      ++restarts;
      rig.Restart();
    }
    after(done);
  }
  return restarts;
}

void Variant(const char* name, std::initializer_list<int> clicks, long long steps, long long reportAt,
             const QString& folder) {
  std::printf("%s\n", name);
  {
    // The same run on bare screens, for the cost of the records.
    ImageSurface p2(kScreen2Width, kScreen2Height), p3(kScreen3Width, kScreen3Height);
    bench::Rig rig(p2, p3);
    rig.Start(clicks);
    const auto t = Clock::now();
    Steps(rig, steps, [](long long) {});
    std::printf("  bare screens:       %.0f steps/s\n", steps / Since(t));
  }
  ImageSurface p2(kScreen2Width, kScreen2Height), p3(kScreen3Width, kScreen3Height);
  bench::Rig rig(p2, p3, {true, true});
  rig.Start(clicks);
  const DrawingRecord &r2 = rig.session.OscillogramDrawings(), &r3 = rig.session.PathDrawings();
  double stepping = 0;
  auto t = Clock::now();
  const long long restarts = Steps(rig, steps, [&](long long done) {
    if (done % reportAt != 0 && done != steps) return;
    stepping += Since(t);
    std::printf("  after %8lld steps: oscillogram %6zu drawings %7zu bytes, path %6zu drawings %7zu bytes\n",
                done, r2.Count(), r2.MemoryBytes(), r3.Count(), r3.MemoryBytes());
    if (done == reportAt) {
      const ReportContent c = ContentOf(rig.session);
      auto w = Clock::now();
      WriteReportPdf(folder + "/" + name + ".pdf", c);
      const double pdf = Since(w);
      w = Clock::now();
      WriteSvgFigures(folder + "/" + name, c);
      std::printf("  report after %lld steps: PDF %.3f s, SVG figures %.3f s\n", done, pdf, Since(w));
    }
    t = Clock::now();
  });
  std::printf("  recorded screens:   %.0f steps/s, %lld restarts after divergence\n", steps / stepping, restarts);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const long long steps = argc > 1 ? std::atoll(argv[1]) : 1000000;
  const long long reportAt = argc > 2 ? std::atoll(argv[2]) : 100000;
  if (steps <= 0 || reportAt <= 0) {
    std::fprintf(stderr, "usage: vozaz2-report-bench [STEPS [REPORT_AT]]\n");
    return 1;
  }
  QTemporaryDir dir;
  Variant("default", {}, steps, reportAt, dir.path());
  // The dumbbell with the drive stopped turns for ever: its sign at (4, -4)
  // is painted over and drawn again at every step.
  Variant("dumbbell", {6, 8, -3}, steps, reportAt, dir.path());
  Variant("split", {6, -2}, steps, reportAt, dir.path());
  return 0;
}
