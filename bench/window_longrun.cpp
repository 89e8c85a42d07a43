// vozaz2-window-longrun: the main window in a long default run, with the
// memory of the process at the start and at the end. The window is shown
// (under Xvfb in scripts/longrun.sh), "Начать" is clicked as a user clicks
// it, and the run goes on at the pace of the window's own timer.
//
// With --graphs the graphs window is open throughout, showing the energy
// account against time; with --apparatus the window "Установка".
//
//   vozaz2-window-longrun [SECONDS [REPORT_EVERY_SECONDS]] [--graphs|--apparatus]   (defaults 120, 30)
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/FormControl.h"
#include "bench/ProcStatus.h"

#include "apparatus/ApparatusWindow.h"
#include "graphs/GraphsWindow.h"
#include "ui/Form1.h"

namespace {

using vozaz2::bench::StatusKb;

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const bool withGraphs = argc > 1 && std::string(argv[argc - 1]) == "--graphs";
  const bool withApparatus = argc > 1 && std::string(argv[argc - 1]) == "--apparatus";
  if (withGraphs || withApparatus) --argc;
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 120;
  const int every = argc > 2 ? std::atoi(argv[2]) : 30;
  if (seconds <= 0 || every <= 0) {
    std::fprintf(stderr, "usage: vozaz2-window-longrun [SECONDS [REPORT_EVERY_SECONDS]] [--graphs|--apparatus]\n");
    return 1;
  }
  vozaz2::bench::NoteMissingFigures();

  vozaz2::Form1 form;
  vozaz2::bench::CountingMessages messages;
  form.SetMessageSink(&messages);
  form.show();
  if (withGraphs) {
    vozaz2::GraphsWindow* graphs = vozaz2::InstallGraphsWindow(&form, form.Simulation());
    graphs->ShowInFront();
    graphs->ShowView(vozaz2::GraphsWindow::View::kEnergy);
  }
  if (withApparatus) vozaz2::InstallApparatusWindow(&form, form.Simulation())->ShowInFront();
  const vozaz2::SimRecord& r = form.Simulation().Record();
  auto report = [&](const char* when, int at) {
    const double steps = r.P0 > 0 ? r.T0 / r.P0 : 0;
    std::printf("%-6s %5d s  %9.0f steps  VmHWM %7ld kB  VmRSS %7ld kB  messages %d\n", when, at, steps,
                StatusKb("VmHWM"), StatusKb("VmRSS"), messages.shown);
    std::fflush(stdout);
  };

  int elapsed = 0;
  QTimer clock;
  QObject::connect(&clock, &QTimer::timeout, [&] {
    ++elapsed;
    if (elapsed == 1) report("start", elapsed);  // the first second of the run
    if (elapsed % every == 0 && elapsed < seconds) report("during", elapsed);
    if (elapsed >= seconds) {
      report("end", elapsed);
      app.quit();
    }
  });
  QTimer::singleShot(0, [&] {
    vozaz2::bench::FormControl<QPushButton>(form, "Command1")->click();
    clock.start(1000);
  });
  return app.exec();
}
