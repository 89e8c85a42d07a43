// vozaz2-apparatus-bench: the cost of one frame of the view "Установка" at
// 900 x 700 pixels: the scene worked out from the step's state, the camera
// fitted, the picture painted with its trail and every vector into an image
// (as the window paints into its backing store). The run has gone 3000
// steps, so the trail is full. Figures only; never fails on time.
//
//   vozaz2-apparatus-bench [--png PREFIX] [Google Benchmark's options]
// --png saves each variant's frame as PREFIX-NAME.png first.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstring>
#include <string>

#include "bench/Rig.h"
#include "io/ApparatusPainting.h"
#include "run/Screens.h"
#include "ui/ImageSurface.h"

namespace {

using namespace vozaz2;

struct Variant {
  const char* name;
  std::initializer_list<int> clicks;  // as bench::Rig::Start takes them
};
constexpr Variant kVariants[] = {{"cone", {}}, {"dumbbell", {6, 8}}, {"split", {6, -2}}};

// A run of the variant after 3000 steps, and its frame painted.
struct Frame {
  explicit Frame(const Variant& v) {
    rig.Start(v.clicks);
    for (int i = 0; i < 3000; ++i) rig.session.Step();
  }
  void Paint(QImage& image) {
    const SimRecord& r = rig.session.Record();
    const SceneFrame frame = FrameOf(r);
    const Scene scene = SceneOf(ApparatusOf(r), r, frame, kAllArrows);
    Camera camera = CameraOf(ViewKind::kPerspective, 4 * frame.size);
    Fit(camera, frame.lo, frame.hi, 10, 24, image.width() - 20, image.height() - 60);
    if (background.size() != image.size()) {
      background = QImage(image.size(), image.format());
      QPainter b(&background);
      PaintApparatusFixed(b, QRectF(image.rect()), camera, frame, look);
    }
    QPainter p(&image);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, background);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    PaintApparatusMoving(p, QRectF(image.rect()), camera,
                         {scene, frame, &rig.session.History().Trail(), kAllArrows, r.T}, look);
  }
  QImage background;
  ImageSurface screen2{kScreen2Width, kScreen2Height}, screen3{kScreen3Width, kScreen3Height};
  bench::Rig rig{screen2, screen3, {false, true}};
  ApparatusLook look{QFont(QStringLiteral("DejaVu Sans"), 9), 1, QLocale(QLocale::Russian), true};
};

void BM_Frame(benchmark::State& state) {
  Frame frame(kVariants[state.range(0)]);
  QImage image(900, 700, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    frame.Paint(image);
    benchmark::DoNotOptimize(image.bits());
  }
  state.SetLabel(kVariants[state.range(0)].name);
}
BENCHMARK(BM_Frame)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--png") == 0) {
      for (const Variant& v : kVariants) {
        QImage image(900, 700, QImage::Format_ARGB32_Premultiplied);
        Frame(v).Paint(image);
        image.save(QString::fromUtf8(argv[i + 1]) + "-" + v.name + ".png");
      }
      for (int j = i; j + 2 < argc + 0; ++j) argv[j] = argv[j + 2];
      argc -= 2;
      break;
    }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
