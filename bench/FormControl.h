// The main window's controls, menus and timer by their names, for the
// benchmark programs: a name the window lacks ends the program with a message.
#pragma once

#include <QObject>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace vozaz2::bench {

template <class W = QWidget>
W* FormControl(const QObject& form, const char* name) {
  for (QObject* child : form.findChildren<QObject*>(QString::fromLatin1(name)))
    if (auto* found = dynamic_cast<W*>(child)) return found;
  std::fprintf(stderr, "the main window has no %s of that kind\n", name);
  std::exit(2);
}

}  // namespace vozaz2::bench
