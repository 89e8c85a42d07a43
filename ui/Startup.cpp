#include "ui/Startup.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vozaz2 {

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string FileText(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The file in which a bus started for the display ("dbus-launch
// --autolaunch") leaves its address: ~/.dbus/session-bus/MACHINE-DISPLAY,
// the display without its screen and leading colon (":0.0" is "0").
std::string AutolaunchFile() {
  std::string display = Environment("DISPLAY"), machine = FileText("/var/lib/dbus/machine-id");
  if (machine.empty()) machine = FileText("/etc/machine-id");
  while (!machine.empty() && (machine.back() == '\n' || machine.back() == ' ')) machine.pop_back();
  const std::string home = Environment("HOME");
  if (display.empty() || machine.empty() || home.empty()) return {};
  if (const auto colon = display.rfind(':'); colon != std::string::npos)
    if (const auto dot = display.find('.', colon); dot != std::string::npos) display.erase(dot);
  if (display.front() == ':') display.erase(0, 1);
  return home + "/.dbus/session-bus/" + machine + "-" + display;
}

}  // namespace

QTranslator* LoadQtTranslations() {
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      QCoreApplication::installTranslator(translator))
    return translator;
  delete translator;
  return nullptr;
}

std::string SessionBusAddress(const BusFacts& facts) {
  if (!facts.address.empty() || facts.userBus) return {};
  const std::string key = "DBUS_SESSION_BUS_ADDRESS=";
  std::istringstream lines(facts.autolaunched);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(key, 0) != 0) continue;
    std::string address = line.substr(key.size());
    if (address.size() >= 2 && address.front() == '\'' && address.back() == '\'')
      address = address.substr(1, address.size() - 2);
    if (!address.empty()) return address;
  }
  return "disabled:";
}

void KeepOffAbsentSessionBus() {
#if defined(__unix__) && !defined(__APPLE__)
  BusFacts facts;
  facts.address = Environment("DBUS_SESSION_BUS_ADDRESS");
  const std::string runtime = Environment("XDG_RUNTIME_DIR");
  std::error_code unknown;
  facts.userBus = !runtime.empty() && std::filesystem::exists(runtime + "/bus", unknown);
  if (const std::string file = AutolaunchFile(); !file.empty()) facts.autolaunched = FileText(file);
  if (const std::string address = SessionBusAddress(facts); !address.empty())
    setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
#endif
}

}  // namespace vozaz2
