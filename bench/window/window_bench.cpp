// vozaz2-window-bench: does the main window keep pace with its 1 ms timer?
//
// First an empty precise 1 ms timer runs for the given time: the rate at
// which the event loop can deliver ticks at all. Then the main window is shown
// and a default run is started with a click on "Начать"; it runs for the same
// time. Printed: both rates, their ratio, and the cost of one tick of the
// window (median and 99th percentile) besides the cost of its repaints.
// Figures only; this program never fails on time.
//
// With --tempo real, slow or all the run goes at that tempo (all: each in
// turn, as fast as possible first), and the step rate is printed against the
// tempo's own: 1/P0 steps per second in real time, a fifth of it slowed, the
// empty timer's rate as fast as possible.
//
// With --zoom PERCENT (125, 150 or 200) the window is zoomed so, as for a
// projector.
//
// With --screenshot FILE it also saves the window, as it stands after
// --shot-after seconds of the run, as a PNG picture.
//
// With --graphs the graphs window is open beside it during the run and shows
// its ready-made views in turn, one a second; --graphs-shots PREFIX saves each
// view as PREFIX-N.png at the end of the run (and a graph of one's own, the
// heights and lengths against time, as PREFIX-7.png). With --apparatus the
// window "Установка" is open beside it, in perspective with every vector
// (--apparatus-shot FILE saves it at the end). --dumbbell runs the
// dumbbell ("m=1+1") instead of the single load, --split the load that splits
// in the plane ("В плоскости", "m= 1+1 от 1с  до Tr с").
#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#endif

#include "bench/FormControl.h"
#include "bench/ProcStatus.h"
#include "apparatus/ApparatusWindow.h"
#include "graphs/GraphsWindow.h"
#include "run/Quantities.h"
#include "ui/Form1.h"

namespace {

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const auto i = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
  return v[i];
}

// Processor time of this program so far (user and system), in seconds; NaN
// where the system has no getrusage.
double CpuSeconds() {
#if defined(__unix__) || defined(__APPLE__)
  rusage use{};
  getrusage(RUSAGE_SELF, &use);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
  return seconds(use.ru_utime) + seconds(use.ru_stime);
#else
  return NAN;
#endif
}

void RunEventLoopFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

// Measures the time from the delivery of a QTimer's timer event to the end of
// the handlers of its timeout signal that were connected before this probe.
class TickProbe final : public QObject {
 public:
  explicit TickProbe(QTimer* timer) {
    timer->installEventFilter(this);
    connect(timer, &QTimer::timeout, this, [this] {
      costs.push_back(static_cast<double>(clock_.nsecsElapsed() - start_) / 1e6);
    });
    clock_.start();
  }
  std::vector<double> costs;  // ms per tick

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Timer) start_ = clock_.nsecsElapsed();
    return false;
  }

 private:
  QElapsedTimer clock_;
  qint64 start_ = 0;
};

// Counts the window's repaints and times them: an UpdateRequest to the window
// that repaints the time box (which changes at every step) is one repaint of
// the window during the run.
class PaintProbe final : public QObject {
 public:
  PaintProbe(QWidget* window, QWidget* timeBox) {
    window->installEventFilter(this);
    timeBox->installEventFilter(this);
    clock_.start();
  }
  std::vector<double> costs;  // ms per repaint of the window

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      painted_ = true;
      return false;
    }
    if (event->type() != QEvent::UpdateRequest || inside_) return false;
    // Let the window handle the request here, inside the filter, to time it.
    inside_ = true;
    painted_ = false;
    const qint64 t0 = clock_.nsecsElapsed();
    watched->event(event);
    if (painted_) costs.push_back(static_cast<double>(clock_.nsecsElapsed() - t0) / 1e6);
    inside_ = false;
    return true;
  }

 private:
  QElapsedTimer clock_;
  bool inside_ = false;
  bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QCommandLineParser cli;
  cli.setApplicationDescription(
      "Measures the tick rate of an empty 1 ms precise timer and the step rate of the main "
      "window during a default run, and prints both.");
  cli.addHelpOption();
  QCommandLineOption secondsOpt("seconds", "Length of each measurement (default 10).", "S", "10");
  QCommandLineOption shotOpt("screenshot", "Save the window as a PNG picture.", "FILE");
  QCommandLineOption shotAfterOpt("shot-after", "Seconds of the run before the picture (default 2.5).",
                                  "S", "2.5");
  QCommandLineOption graphsOpt("graphs", "Keep the graphs window open, its ready-made views in turn.");
  QCommandLineOption graphShotsOpt("graphs-shots", "Save each ready-made view as PREFIX-N.png.", "PREFIX");
  QCommandLineOption apparatusOpt("apparatus", "Keep the window \"Установка\" open.");
  QCommandLineOption apparatusShotOpt("apparatus-shot", "Save the window \"Установка\" at the end.", "FILE");
  QCommandLineOption dumbbellOpt("dumbbell", "Run the dumbbell (\"m=1+1\").");
  QCommandLineOption splitOpt("split", "Run the load that splits in the plane.");
  QCommandLineOption tempoOpt("tempo", "fast (default), real, slow, or all of them in turn.", "TEMPO", "fast");
  QCommandLineOption zoomOpt("zoom", "The window's zoom in per cent: 100 (default), 125, 150 or 200.", "PERCENT",
                             "100");
  cli.addOptions({secondsOpt, shotOpt, shotAfterOpt, graphsOpt, graphShotsOpt, apparatusOpt, apparatusShotOpt,
                  dumbbellOpt, splitOpt, tempoOpt, zoomOpt});
  cli.process(app);
  const int ms = static_cast<int>(cli.value(secondsOpt).toDouble() * 1000);
  const QString shot = cli.value(shotOpt);
  const int shotMs = static_cast<int>(cli.value(shotAfterOpt).toDouble() * 1000);
  const QString graphShots = cli.value(graphShotsOpt);
  const bool withGraphs = cli.isSet(graphsOpt) || !graphShots.isEmpty();
  if (ms <= 0 || shotMs < 0) {
    std::fprintf(stderr, "vozaz2-window-bench: the times must be positive\n");
    return 2;
  }
  const QString tempoName = cli.value(tempoOpt);
  std::vector<vozaz2::Tempo> tempos;
  if (tempoName == "fast" || tempoName == "all") tempos.push_back(vozaz2::Tempo::Fastest);
  if (tempoName == "real" || tempoName == "all") tempos.push_back(vozaz2::Tempo::RealTime);
  if (tempoName == "slow" || tempoName == "all") tempos.push_back(vozaz2::Tempo::Slowed);
  if (tempos.empty()) {
    std::fprintf(stderr, "vozaz2-window-bench: --tempo is fast, real, slow or all\n");
    return 2;
  }

  // 1. An empty precise 1 ms timer.
  double emptyRate = 0;
  {
    long ticks = 0;
    QTimer empty;
    empty.setTimerType(Qt::PreciseTimer);
    QObject::connect(&empty, &QTimer::timeout, [&] { ++ticks; });
    QElapsedTimer clock;
    empty.start(1);
    clock.start();
    RunEventLoopFor(ms);
    empty.stop();
    emptyRate = static_cast<double>(ticks) * 1000.0 / static_cast<double>(clock.elapsed());
    std::printf("empty 1 ms precise timer: %8.1f ticks/s\n", emptyRate);
  }

  // 2. The window, shown, during a default run at each tempo asked for.
  for (const vozaz2::Tempo tempo : tempos) {
    vozaz2::Form1 form;
    form.SetTempo(tempo);
    if (!form.SetZoom(cli.value(zoomOpt).toInt())) {
      std::fprintf(stderr, "vozaz2-window-bench: --zoom is 100, 125, 150 or 200\n");
      return 2;
    }
    vozaz2::bench::CountingMessages messages;
    form.SetMessageSink(&messages);
    form.move(0, 0);
    form.show();
    vozaz2::GraphsWindow* graphs = nullptr;
    if (withGraphs) {
      graphs = vozaz2::InstallGraphsWindow(&form, form.Simulation());
      QObject::connect(graphs, &vozaz2::GraphsWindow::Drew, &form, &vozaz2::Form1::TookDrawing);
      graphs->ShowInFront();
      if (form.Zoom() != 100) graphs->SetZoom(form.Zoom());
      graphs->move(200, 330);
    }
    auto control = [&form](const char* name) { return vozaz2::bench::FormControl<QAbstractButton>(form, name); };
    vozaz2::ApparatusWindow* apparatus = nullptr;
    if (cli.isSet(apparatusOpt) || cli.isSet(apparatusShotOpt)) {
      apparatus = vozaz2::InstallApparatusWindow(&form, form.Simulation());
      QObject::connect(apparatus, &vozaz2::ApparatusWindow::Drew, &form, &vozaz2::Form1::TookDrawing);
      apparatus->ShowInFront();
      if (form.Zoom() != 100) apparatus->SetZoom(form.Zoom());
      apparatus->move(300, 100);
    }
    if (cli.isSet(dumbbellOpt)) control("Option8")->click();
    if (cli.isSet(splitOpt)) {
      control("Option6")->click();
      control("Check2")->click();
    }
    RunEventLoopFor(500);  // mapped and painted once
    QTimer views;
    int view = 0;
    if (graphs) {
      QObject::connect(&views, &QTimer::timeout, [&] {
        view = (view + 1) % vozaz2::GraphsWindow::kReadyViews;
        graphs->ShowView(static_cast<vozaz2::GraphsWindow::View>(view));
      });
      views.start(1000);
    }
    const long frames0 = apparatus ? apparatus->Frames() : 0;
    const double frameSeconds0 = apparatus ? apparatus->FrameSeconds() : 0;
    const long redraws0 = graphs ? graphs->Redraws() : 0;
    const double redrawSeconds0 = graphs ? graphs->RedrawSeconds() : 0;
    TickProbe ticks(vozaz2::bench::FormControl<QTimer>(form, "Timer1"));
    PaintProbe paints(&form, vozaz2::bench::FormControl(form, "Text31"));
    const vozaz2::SimRecord& r = form.Simulation().Record();

    const double cpu0 = CpuSeconds();
    QElapsedTimer clock;
    control("Command1")->click();  // "Начать" with the default parameters
    clock.start();
    if (!shot.isEmpty() && shotMs < ms) {
      RunEventLoopFor(shotMs);
      if (!form.grab().save(shot)) std::fprintf(stderr, "vozaz2-window-bench: cannot write %s\n", qPrintable(shot));
      RunEventLoopFor(ms - static_cast<int>(clock.elapsed()));
    } else {
      RunEventLoopFor(ms);
    }
    const double elapsed = static_cast<double>(clock.elapsed()) / 1000.0;
    const long redraws = graphs ? graphs->Redraws() - redraws0 : 0;
    const double redrawSeconds = graphs ? graphs->RedrawSeconds() - redrawSeconds0 : 0;
    if (!graphShots.isEmpty())
      for (int v = 0; v < vozaz2::GraphsWindow::kReadyViews; ++v) {
        graphs->ShowView(static_cast<vozaz2::GraphsWindow::View>(v));
        graphs->grab().save(QStringLiteral("%1-%2.png").arg(graphShots).arg(v + 1));
      }
    if (!graphShots.isEmpty()) {
      graphs->ShowCustom({vozaz2::quantity::kZ2, vozaz2::quantity::kH2, vozaz2::quantity::kL2}, vozaz2::quantity::kT);
      graphs->grab().save(QStringLiteral("%1-7.png").arg(graphShots));
    }
    const long frames = apparatus ? apparatus->Frames() - frames0 : 0;
    const double frameSeconds = apparatus ? apparatus->FrameSeconds() - frameSeconds0 : 0;
    if (cli.isSet(apparatusShotOpt)) apparatus->grab().save(cli.value(apparatusShotOpt));
    control("Command2")->click();  // "Остановить"
    const long steps = static_cast<long>(r.T0 / r.P0 + 0.5);
    if (!shot.isEmpty() && shotMs >= ms) form.grab().save(shot);

    const double cpu = CpuSeconds() - cpu0;
    const double stepRate = static_cast<double>(steps) / elapsed;
    const double expected = tempo == vozaz2::Tempo::Fastest ? emptyRate
                            : tempo == vozaz2::Tempo::RealTime ? 1.0 / r.P0
                                                               : 1.0 / (vozaz2::kSlowedFactor * r.P0);
    std::printf("window, default run, %s:\n", qPrintable(vozaz2::Form1::TempoName(tempo)));
    std::printf("  steps:                  %8.1f steps/s (%ld steps in %.2f s)\n", stepRate, steps, elapsed);
    std::printf("  against the expected:   %8.1f steps/s, %.1f %%\n", expected, 100.0 * stepRate / expected);
    std::printf("  cost of a tick (step, boxes, drawing): median %.3f ms, p99 %.3f ms\n",
                Percentile(ticks.costs, 0.5), Percentile(ticks.costs, 0.99));
    std::printf("  repaints of the window: %8.1f /s, median %.3f ms, p99 %.3f ms\n",
                static_cast<double>(paints.costs.size()) / elapsed, Percentile(paints.costs, 0.5),
                Percentile(paints.costs, 0.99));
    if (std::isnan(cpu))
      std::printf("  processor time of the program during the run: not available on this system\n");
    else
      std::printf("  processor time of the program during the run: %.0f %%\n", 100.0 * cpu / elapsed);
    if (graphs)
      std::printf("  graphs window open: %.1f redraws/s, %.2f ms each, %.1f %% of the time; memory VmRSS %ld kB\n",
                  static_cast<double>(redraws) / elapsed, redraws ? 1000 * redrawSeconds / static_cast<double>(redraws) : 0.0,
                  100 * redrawSeconds / elapsed, vozaz2::bench::StatusKb("VmRSS"));
    if (apparatus)
      std::printf("  window \"Установка\" open: %.1f frames/s, %.2f ms each, %.1f %% of the time; memory VmRSS %ld kB\n",
                  static_cast<double>(frames) / elapsed, frames ? 1000 * frameSeconds / static_cast<double>(frames) : 0.0,
                  100 * frameSeconds / elapsed, vozaz2::bench::StatusKb("VmRSS"));
    if (form.Simulation().State() == vozaz2::RunState::kDiverged) std::printf("  (the run diverged)\n");
  }
  return 0;
}
