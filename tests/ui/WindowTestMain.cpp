// The main window's tests run offscreen unless the caller chose a platform,
// in a Russian locale (a decimal comma), as a Russian classroom runs them.
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
