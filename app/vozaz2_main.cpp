// vozaz2: the conical-pendulum simulator with its main window.
#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QSettings>
#include <cstdio>

#include "apparatus/ApparatusWindow.h"
#include "graphs/GraphsWindow.h"
#include "ui/Form1.h"
#include "ui/artwork/Artwork.h"

namespace {

// A window of the main window's: its zoom follows the main window's, and
// the "Вид" menu shows it under `caption`.
template <class Window>
void OfTheView(vozaz2::Form1* form, Window* window, const QString& caption) {
  if (form->Zoom() != 100) window->SetZoom(form->Zoom());
  QObject::connect(form, &vozaz2::Form1::ZoomChanged, window, &Window::SetZoom);
  auto* action = new QAction(caption, form);
  QObject::connect(action, &QAction::triggered, window, &Window::ShowInFront);
  form->AddViewAction(action);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vozaz2"));
  QApplication::setDesktopFileName(QStringLiteral("vozaz2"));
  QApplication::setApplicationVersion(QStringLiteral(VOZAZ2_VERSION));

  // QApplication has taken its own options (-platform, -style ...) out of the
  // arguments; --help and --version print and end the program here, and an
  // unknown option ends it with a message and status 1.
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Conical pendulum and the conservation of angular momentum."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption zoom(QStringLiteral("zoom"),
                                QStringLiteral("open the window at this zoom: 100, 125, 150 or 200 per cent"),
                                QStringLiteral("PERCENT"));
  parser.addOption(zoom);
  parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("an experiment file (*.vozaz2) to open"),
                               QStringLiteral("[FILE]"));
  parser.process(app);

  // Every window of the program, the main and the help window, shows the cone.
  QApplication::setWindowIcon(vozaz2::ConeIcon());

  // The main window is discarded when it closes, its timer with it. The
  // program ends when no window is left, so an open help window keeps it
  // running after "Выход".
  auto* form = new vozaz2::Form1;
  form->setAttribute(Qt::WA_DeleteOnClose);
  if (parser.isSet(zoom) && !form->SetZoom(parser.value(zoom).toInt())) {
    std::fprintf(stderr, "vozaz2: --zoom is 100, 125, 150 or 200, not %s\n", qPrintable(parser.value(zoom)));
    delete form;
    return 1;
  }
  // The zoom chosen last opens the next time, as a classroom's projector
  // wants it; --zoom sets it for this time only.
  const auto settings = [] { return QSettings(QSettings::UserScope, QStringLiteral("vozaz2"), QStringLiteral("vozaz2")); };
  const QString zoomKey = QStringLiteral("window/zoom");
  if (!parser.isSet(zoom)) form->SetZoom(settings().value(zoomKey, 100).toInt());
  QObject::connect(form, &vozaz2::Form1::ZoomChanged, form,
                   [settings, zoomKey](int percent) { settings().setValue(zoomKey, percent); });
  // The main window's one graphs window and its one apparatus window, kept
  // here: each follows the experiment from the start, so that opening it
  // (Ctrl+G or F9; Ctrl+I or F7) during a run shows the whole run, and it
  // closes with the main window. Their texts follow the main window's zoom.
  // "Вид" > "Графики" and "Установка" open them as well; the keys stay the
  // windows' own shortcuts, the menu only shows them.
  OfTheView(form, vozaz2::InstallGraphsWindow(form, form->Simulation()), QStringLiteral("&Графики\tCtrl+G, F9"));
  OfTheView(form, vozaz2::InstallApparatusWindow(form, form->Simulation()),
            QStringLiteral("&Установка\tCtrl+I, F7"));
  form->show();
  // A file given on the command line (a double click on it in the file
  // manager) is opened as by "Открыть…"; one that cannot be, says why.
  if (!parser.positionalArguments().isEmpty()) form->OpenExperiment(parser.positionalArguments().front());
  return app.exec();
}
