// vozaz2: the conical-pendulum simulator with its main window.
#include <QAction>
#include <QApplication>
#include <QSettings>
#include <cstdio>
#include <cstring>
#include <optional>

#include "apparatus/ApparatusWindow.h"
#include "graphs/GraphsWindow.h"
#include "series/SeriesWindow.h"
#include "ui/Form1.h"
#include "ui/Startup.h"
#include "ui/artwork/Artwork.h"

namespace {

const char* const kHelp =
    "Использование: vozaz2 [--zoom ПРОЦЕНТЫ] [ФАЙЛ]\n"
    "Конический маятник и закон сохранения момента импульса: окно опыта.\n\n"
    "  ФАЙЛ              открыть файл опыта (*.vozaz2), как «Файл» > «Открыть…»\n"
    "  --zoom ПРОЦЕНТЫ   масштаб окна на этот раз: 100, 125, 150 или 200\n"
    "  -h, --help        эта справка\n"
    "  -v, --version     версия программы\n\n"
    "Опыт без окна проводит vozaz2-batch (vozaz2-batch --help).\n";

// --help and --version answer without a window, so also where there is no
// display; nothing else is looked at before the application exists.
std::optional<int> AnswerWithoutWindow(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h") || !std::strcmp(argv[i], "-?")) {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (!std::strcmp(argv[i], "--version") || !std::strcmp(argv[i], "-v")) {
      std::printf("vozaz2 %s\n", VOZAZ2_VERSION);
      return 0;
    }
  }
  return std::nullopt;
}

struct WindowOptions {
  std::optional<int> zoom;
  QString file;
};

// The arguments QApplication has left (it takes its own, -platform,
// -style, ...); a mistake is told in Russian and ends the program.
std::optional<WindowOptions> ReadArguments(const QStringList& args) {
  WindowOptions o;
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString& a = args[i];
    const bool zoom = a == QLatin1String("--zoom") || a.startsWith(QLatin1String("--zoom="));
    if (zoom) {
      const QString value = a.contains(u'=') ? a.section(u'=', 1) : (i + 1 < args.size() ? args[++i] : QString());
      bool ok = false;
      o.zoom = value.toInt(&ok);
      if (ok && vozaz2::Form1::Zooms().contains(*o.zoom)) continue;
      std::fprintf(stderr, "vozaz2: --zoom: нужно 100, 125, 150 или 200, а не «%s»\n", qPrintable(value));
      return std::nullopt;
    }
    if (a.startsWith(u'-') || !o.file.isEmpty()) {
      std::fprintf(stderr, "vozaz2: непонятный параметр «%s» (см. vozaz2 --help)\n", qPrintable(a));
      return std::nullopt;
    }
    o.file = a;
  }
  return o;
}

// The zoom chosen last opens the next time, as a classroom's projector wants
// it; --zoom sets it for this time only.
void KeepZoom(vozaz2::Form1* form, std::optional<int> once) {
  const auto settings = [] { return QSettings(QSettings::UserScope, QStringLiteral("vozaz2"), QStringLiteral("vozaz2")); };
  const QString zoomKey = QStringLiteral("window/zoom");
  form->SetZoom(once.value_or(settings().value(zoomKey, 100).toInt()));
  QObject::connect(form, &vozaz2::Form1::ZoomChanged, form,
                   [settings, zoomKey](int percent) { settings().setValue(zoomKey, percent); });
}

// A window of the main window's: its zoom follows the main window's, and
// the "Вид" menu shows it under `caption`.
template <class Window>
void OfTheView(vozaz2::Form1* form, Window* window, const QString& caption) {
  if (form->Zoom() != 100) window->SetZoom(form->Zoom());
  QObject::connect(form, &vozaz2::Form1::ZoomChanged, window, &Window::SetZoom);
  QObject::connect(window, &Window::Drew, form, &vozaz2::Form1::TookDrawing);
  auto* action = new QAction(caption, form);
  QObject::connect(action, &QAction::triggered, window, &Window::ShowInFront);
  form->AddViewAction(action);
}

// The series window, "Опыт" > "Серия опытов…": the main window's experiment
// made again and again with a parameter changed, and the law across the runs.
void InstallSeries(vozaz2::Form1* form) {
  vozaz2::SeriesWindow* window = vozaz2::InstallSeriesWindow(form, form->Simulation());
  auto* series = new QAction(QStringLiteral("Се&рия опытов…"), form);
  QObject::connect(series, &QAction::triggered, window, &vozaz2::SeriesWindow::ShowInFront);
  form->AddRunAction(series);
}

}  // namespace

int main(int argc, char** argv) {
  if (const std::optional<int> status = AnswerWithoutWindow(argc, argv)) return *status;
  vozaz2::KeepOffAbsentSessionBus();  // the window waits on no bus autolaunch
  QApplication app(argc, argv);
  vozaz2::LoadQtTranslations();  // Qt's dialogs speak Russian
  QApplication::setApplicationName(QStringLiteral("vozaz2"));
  QApplication::setDesktopFileName(QStringLiteral("vozaz2"));
  QApplication::setApplicationVersion(QStringLiteral(VOZAZ2_VERSION));
  const std::optional<WindowOptions> options = ReadArguments(QApplication::arguments());
  if (!options) return 1;

  // Every window of the program, the main and the help window, shows the cone.
  QApplication::setWindowIcon(vozaz2::ConeIcon());
  // The main window is discarded when it closes, its timer with it. The
  // program ends when no window is left, so an open help window keeps it
  // running after "Выход".
  auto* form = new vozaz2::Form1;
  form->setAttribute(Qt::WA_DeleteOnClose);
  KeepZoom(form, options->zoom);
  // The main window's one graphs window and its one apparatus window, kept
  // here: each follows the experiment from the start, so that opening it
  // (Ctrl+G or F9; Ctrl+I or F7) during a run shows the whole run, and it
  // closes with the main window. Their texts follow the main window's zoom.
  // "Вид" > "Графики" and "Установка" open them as well; the keys stay the
  // windows' own shortcuts, the menu only shows them.
  auto* graphs = vozaz2::InstallGraphsWindow(form, form->Simulation());
  OfTheView(form, graphs, QStringLiteral("&Графики\tCtrl+G, F9"));
  QObject::connect(form, &vozaz2::Form1::GraphsWithheld, graphs, &vozaz2::GraphsWindow::Withhold);
  auto* apparatus = vozaz2::InstallApparatusWindow(form, form->Simulation());
  OfTheView(form, apparatus, QStringLiteral("&Установка\tCtrl+I, F7"));
  QObject::connect(form, &vozaz2::Form1::GraphsWithheld, apparatus, &vozaz2::ApparatusWindow::Withhold);
  InstallSeries(form);
  form->show();
  // A file given on the command line (a double click on it in the file
  // manager) is opened as by "Открыть…"; one that cannot be, says why.
  if (!options->file.isEmpty()) form->OpenExperiment(options->file);
  return app.exec();
}
