// GoogleTest main for the main window's tests: an application on the
// offscreen platform (unless the caller chose another), in a Russian locale,
// as a Russian-speaking classroom runs the program: numbers with a decimal
// comma.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Russian));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
