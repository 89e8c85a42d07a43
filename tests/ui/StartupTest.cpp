// What the program settles at its start: Qt's own dialogs in Russian, and a
// window that waits on no session bus being started.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>

#include "ui/Startup.h"

namespace vozaz2::testing {
namespace {

// Qt's translations are installed with the program (qt6-translations-l10n):
// the buttons of its dialogs and message boxes say their words in Russian.
TEST(Startup, QtDialogsSpeakRussian) {
  QTranslator* russian = LoadQtTranslations();
  ASSERT_TRUE(russian) << "Qt's translations (qt6-translations-l10n) are not installed";
  QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Open | QDialogButtonBox::Save);
  EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().toStdString(), "Отмена");
  EXPECT_EQ(box.button(QDialogButtonBox::Open)->text().toStdString(), "Открыть");
  EXPECT_EQ(box.button(QDialogButtonBox::Save)->text().toStdString(), "Сохранить");
  QCoreApplication::removeTranslator(russian);
  delete russian;
}

// A bus that runs is used as it is; one started for the display is gone to
// straight; where there is none, none is started (which the window would
// wait for).
TEST(Startup, NoSessionBusIsStartedForTheWindow) {
  EXPECT_EQ(SessionBusAddress({.address = "unix:path=/run/user/1000/bus"}), "");
  EXPECT_EQ(SessionBusAddress({.userBus = true}), "");
  EXPECT_EQ(SessionBusAddress({.autolaunched = "# the bus of display :5\n"
                                               "DBUS_SESSION_BUS_ADDRESS='unix:path=/tmp/dbus-X,guid=7'\n"
                                               "DBUS_SESSION_BUS_PID=5\n"}),
            "unix:path=/tmp/dbus-X,guid=7");
  EXPECT_EQ(SessionBusAddress({}), "disabled:");
  EXPECT_EQ(SessionBusAddress({.autolaunched = "# emptied\n"}), "disabled:");
}

}  // namespace
}  // namespace vozaz2::testing
