// vozaz2-apparatus-bench: the cost of one frame of the view "Установка" at
// 900 x 700 pixels (at 100 % and 200 %), as the window paints it (apparatus/ApparatusView.h): the
// scene worked out from the step's state, the still parts copied from their
// layer, the rest painted with the trail and every vector, into an image as
// into the window's backing store. The run has gone 1500 steps, so the trail
// is full. Figures only; never fails on time.
//
//   vozaz2-apparatus-bench [--png PREFIX] [--longrun] [Google Benchmark's options]
// --png saves each variant's frame as PREFIX-NAME.png first; --longrun
// steps a default run 10^6 times with the view painting a frame every 1000
// steps, and prints the peak memory after 10^5 and 10^6 steps.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstring>
#include <string>

#include "apparatus/ApparatusView.h"
#include "bench/ProcStatus.h"
#include "bench/Rig.h"
#include "run/Screens.h"
#include "ui/ImageSurface.h"

namespace {

using namespace vozaz2;

struct Variant {
  const char* name;
  std::initializer_list<int> clicks;  // as bench::Rig::Start takes them
};
constexpr Variant kVariants[] = {{"cone", {}}, {"dumbbell", {6, 8}}, {"split", {6, -2}}};

// A run of the variant after 1500 steps, and its view.
struct Frame {
  explicit Frame(const Variant& v) {
    rig.Start(v.clicks);
    for (int i = 0; i < 1500; ++i) rig.session.Step();
    view.Restart();
    view.resize(900, 700);
  }
  void Paint(QImage& image) {
    QPainter p(&image);
    view.PaintFrame(p, image.deviceIndependentSize().toSize());
  }
  ImageSurface screen2{kScreen2Width, kScreen2Height}, screen3{kScreen3Width, kScreen3Height};
  bench::Rig rig{screen2, screen3, {false, true}};
  ApparatusView view{rig.session, nullptr};
};

// The second argument is the zoom: at 200 % the frame has four times the
// pixels, as on a projector's screen.
void BM_Frame(benchmark::State& state) {
  Frame frame(kVariants[state.range(0)]);
  const int ratio = static_cast<int>(state.range(1));
  frame.view.SetZoom(100 * ratio);
  QImage image(900 * ratio, 700 * ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  for (auto _ : state) {
    frame.Paint(image);
    benchmark::DoNotOptimize(image.bits());
  }
  state.SetLabel(kVariants[state.range(0)].name);
}
BENCHMARK(BM_Frame)->ArgsProduct({{0, 1, 2}, {1, 2}})->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The view beside a long default run: its memory stays flat.
void LongRun() {
  Frame frame(kVariants[0]);
  QImage image(900, 700, QImage::Format_ARGB32_Premultiplied);
  for (long step = 1; step <= 1'000'000; ++step) {
    frame.rig.session.Step();
    if (frame.rig.session.State() == RunState::kDiverged) frame.rig.Restart();
    if (step % 1000 == 0) frame.Paint(image);
    if (step == 100'000 || step == 1'000'000) {
      std::printf("after %ld steps with the view: VmHWM %ld kB, VmRSS %ld kB\n", step, bench::StatusKb("VmHWM"),
                  bench::StatusKb("VmRSS"));
      std::fflush(stdout);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--png") == 0) {
      for (const Variant& v : kVariants) {
        QImage image(900, 700, QImage::Format_ARGB32_Premultiplied);
        Frame(v).Paint(image);
        image.save(QString::fromUtf8(argv[i + 1]) + "-" + v.name + ".png");
      }
      for (int j = i; j + 2 < argc; ++j) argv[j] = argv[j + 2];
      argc -= 2;
      break;
    }
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--longrun") == 0) {
      LongRun();
      return 0;
    }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
