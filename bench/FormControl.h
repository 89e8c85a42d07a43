// The main window for the benchmark programs: its controls, menus and timer by
// their names (a name the window lacks ends the program with a message), and
// a message box that only counts what it is shown.
#pragma once

#include <QObject>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ui/Form1.h"

namespace vozaz2::bench {

template <class W = QWidget>
W* FormControl(const QObject& form, const char* name) {
  for (QObject* child : form.findChildren<QObject*>(QString::fromLatin1(name)))
    if (auto* found = dynamic_cast<W*>(child)) return found;
  std::fprintf(stderr, "the main window has no %s of that kind\n", name);
  std::exit(2);
}

// A message would wait for a user: here it is only counted.
class CountingMessages final : public MessageSink {
 public:
  void Show(const std::string&) override { ++shown; }
  int shown = 0;
};

}  // namespace vozaz2::bench
