// vozaz2-longrun: a long headless run, as the headless runner steps it (QImage
// screens, text boxes in memory), with the memory of the process read from
// /proc/self/status as it goes. A run whose memory grows with the number of
// steps leaks; the peak after 10^5 steps and after 10^6 steps must be equal.
//
//   vozaz2-longrun [STEPS [REPORT_EVERY]]     (defaults 1000000 and 100000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/ProcStatus.h"

#include "bench/Rig.h"
#include "run/Screens.h"
#include "ui/ImageSurface.h"

namespace {

using vozaz2::bench::StatusKb;

void Report(const char* when, long long steps) {
  std::printf("%-8s %9lld steps  VmHWM %7ld kB  VmRSS %7ld kB\n", when, steps, StatusKb("VmHWM"),
              StatusKb("VmRSS"));
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vozaz2;
  const long long steps = argc > 1 ? std::atoll(argv[1]) : 1000000;
  const long long every = argc > 2 ? std::atoll(argv[2]) : 100000;
  if (steps < 0 || every <= 0) {
    std::fprintf(stderr, "usage: vozaz2-longrun [STEPS [REPORT_EVERY]]\n");
    return 1;
  }
  vozaz2::bench::NoteMissingFigures();

  ImageSurface p2(kScreen2Width, kScreen2Height), p3(kScreen3Width, kScreen3Height);
  bench::Rig<MemoryTextBoxes> rig(p2, p3);
  if (!rig.Start()) {
    std::fprintf(stderr, "vozaz2-longrun: the default run did not start\n");
    return 1;
  }
  Experiment& e = rig.experiment;
  Report("start", 0);
  long long restarts = 0;
  const auto begin = std::chrono::steady_clock::now();
  for (long long done = 1; done <= steps; ++done) {
    e.SolveStep();
    // A diverged run is started again, as the user would, and counted.
    if (e.LastStepDiverged()) {
      ++restarts;
      e.Command1_Click();
    }
    if (done % every == 0) Report("after", done);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  std::printf("%lld steps in %.2f s (%.0f steps/s), T = %.3f s, %lld restarts after divergence\n",
              steps, seconds, seconds > 0 ? steps / seconds : 0.0, e.Record().T, restarts);
  return 0;
}
