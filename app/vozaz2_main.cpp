// vozaz2: the conical-pendulum simulator with its main window.
#include <QApplication>

#include "ui/Form1.h"
#include "ui/artwork/Artwork.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vozaz2"));
  QApplication::setDesktopFileName(QStringLiteral("vozaz2"));
  // Every window of the program, the main and the help window, shows the cone.
  QApplication::setWindowIcon(vozaz2::ConeIcon());

  // The main window is discarded when it closes, its timer with it. The
  // program ends when no window is left, so an open help window keeps it
  // running after "Выход".
  auto* form = new vozaz2::Form1;
  form->setAttribute(Qt::WA_DeleteOnClose);
  form->show();
  return app.exec();
}
