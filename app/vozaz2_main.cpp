// vozaz2: the conical-pendulum simulator with its main window.
#include <QApplication>

#include "graphs/GraphsWindow.h"
#include "ui/Form1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vozaz2"));
  QApplication::setDesktopFileName(QStringLiteral("vozaz2"));

  // The main window is discarded when it closes, its timer with it. The
  // program ends when no window is left, so an open help window keeps it
  // running after "Выход".
  auto* form = new vozaz2::Form1;
  form->setAttribute(Qt::WA_DeleteOnClose);
  // The graphs follow the experiment from the start, so that opening them
  // (Ctrl+G or F9) during a run shows the whole run. They close with the
  // main window.
  vozaz2::InstallGraphsWindow(form, form->Simulation());
  form->show();
  return app.exec();
}
