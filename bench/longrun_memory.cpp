// vozaz2-longrun: a long headless run on a session that keeps what the window
// keeps (QImage screens with their drawings, the run's history), with the
// memory of the process read from
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
  // The session keeps what the window keeps: the drawings and the history.
  bench::Rig rig(p2, p3, {true, true});
  if (!rig.Start()) {
    std::fprintf(stderr, "vozaz2-longrun: the default run did not start\n");
    return 1;
  }
  Session& session = rig.session;
  Report("start", 0);
  long long restarts = 0;
  const auto begin = std::chrono::steady_clock::now();
  for (long long done = 1; done <= steps; ++done) {
    session.Step();
    // A diverged run is started again, as the user would, and counted.
    if (session.State() == RunState::kDiverged) {
      ++restarts;
      rig.Restart();
    }
    if (done % every == 0) Report("after", done);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  std::printf("%lld steps in %.2f s (%.0f steps/s), T = %.3f s, %lld restarts after divergence\n",
              steps, seconds, seconds > 0 ? steps / seconds : 0.0, session.Record().T, restarts);
  return 0;
}
