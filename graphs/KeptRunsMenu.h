// The menu "Опыты" of the graphs window: the kept runs of the session
// (run/KeptRuns.h), each a check box that shows or hides its layer over the
// current run, with a sample of its line; every one shown or hidden at once;
// a run renamed; a run saved as an experiment file, which "Открыть…" of the
// main window replays step for step; the list forgotten.
#pragma once

#include <QObject>
#include <QString>
#include <cstddef>
#include <functional>
#include <optional>

#include "io/ExperimentFile.h"

class QMenu;
class QWidget;

namespace vozaz2 {

class KeptRuns;
struct KeptRun;

// Writes the kept run as an experiment file, as "Сохранить как…" of the
// main window writes a run: opened and started, it repeats the run step for
// step. A run without a lesson's title takes its name for one.
std::optional<FileProblem> SaveKeptRun(const KeptRun& run, const QString& path);

class KeptRunsMenu final : public QObject {
  Q_OBJECT

 public:
  // The menu's entries are made anew each time it opens, from the list as it
  // stands; `changed` is told after every change the menu makes.
  KeptRunsMenu(KeptRuns& kept, QWidget* window, std::function<void()> changed);

  QMenu* Menu() const { return menu_; }
  // The entries, as the menu shows them when it opens.
  void Refill();

 private:
  void Rename(std::size_t i);
  void Save(std::size_t i);
  void ShowAll(bool shown);

  KeptRuns& kept_;
  QWidget* window_;
  std::function<void()> changed_;
  QMenu* menu_;
};

}  // namespace vozaz2
