// What the program settles before and after it makes its application object:
// Qt's own dialogs in the language of the window, and a start that waits on
// no message bus.
//
// Qt's accessibility bridge connects to the desktop's session bus (D-Bus) as
// the first widget is made, and waits for the connection. Where no session
// bus runs (a bare X session, a kiosk), the bus library starts one for the
// display ("autolaunch") and the window waits for that. A screen reader needs
// a session bus of its own and starts one where there is none; so where
// neither a running bus nor one started for the display can be found, the
// program starts none and goes without one, and where one was started for
// the display it goes to it straight.
#pragma once

#include <string>

class QTranslator;

namespace vozaz2 {

// Installs Qt's translations for Russian, the language of the window (Debian:
// qt6-translations-l10n), so that Qt's dialogs and the buttons of its message
// boxes speak it. Returns the installed translator (the application owns it),
// or null where Qt's translations are not installed.
QTranslator* LoadQtTranslations();

// What says where the session bus is.
struct BusFacts {
  std::string address{};       // DBUS_SESSION_BUS_ADDRESS
  bool userBus = false;        // $XDG_RUNTIME_DIR/bus exists
  std::string autolaunched{};  // the file a bus started for the display left (~/.dbus/session-bus/...)
};

// The address of the session bus to use where the bus library would start a
// bus to find it: the one started for the display, else "disabled:" (none,
// at once). Empty where the library finds a bus without starting one.
std::string SessionBusAddress(const BusFacts& facts);

// Before the application object: sets DBUS_SESSION_BUS_ADDRESS to
// SessionBusAddress() of this process and display, where that is not empty.
void KeepOffAbsentSessionBus();

}  // namespace vozaz2
