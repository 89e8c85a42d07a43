// The window's lab report: both screens recorded as they are drawn, the run
// tracked step by step, and the two commands that make the report of the run
// on the screens: "Отчёт (PDF)…" (a file) and "Печать…" (a print preview).
#pragma once

#include <QString>
#include <string>

#include "io/Report.h"
#include "run/ConservationTrack.h"
#include "run/DrawingRecord.h"
#include "run/Experiment.h"

class QWidget;

namespace vozaz2 {

class ReportCommands {
 public:
  // The two screens of the window; the experiment is to draw on Picture2()
  // and Picture3(), which pass every drawing on to them.
  ReportCommands(Surface& picture2, int width2, int height2, Surface& picture3, int width3, int height3);

  Surface& Picture2() { return record2_; }
  Surface& Picture3() { return record3_; }
  const DrawingRecord& Record2() const { return record2_; }
  const DrawingRecord& Record3() const { return record3_; }

  // Follows the experiment's runs: a new run starts the track afresh, a step
  // that ended normally adds to it. The experiment must go first.
  void Follow(Experiment& e);

  // The report of the run as it stands. `title` is the experiment's own, if
  // it has one.
  ReportContent Content(const Experiment& e, const std::string& title) const;

  // "Отчёт (PDF)…": asks where to save, then writes the page there; a
  // message box tells when the file cannot be written.
  void SavePdf(QWidget* parent, const Experiment& e, const std::string& title) const;
  // "Печать…": the page in a print preview, which prints it.
  void Print(QWidget* parent, const Experiment& e, const std::string& title) const;

 private:
  DrawingRecord record2_, record3_;
  ConservationTrack track_;
  bool diverged_ = false;
};

}  // namespace vozaz2
