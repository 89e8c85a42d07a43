// The words of the lab report: what a report is made of (ReportContent), its
// title and byline, the variant of the run in words, the rows of the set-up
// and of the readout, and the verification paragraph. Strings only: nothing
// here paints, so none of it needs fonts or a QGuiApplication.
// Numbers are written as a Russian textbook writes them (io/Locale.h), with
// the digits that mean something; units are SI symbols, each written once.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "io/Locale.h"
#include "model/Modes.h"
#include "model/Record.h"
#include "run/DrawingRecord.h"
#include "run/RunHistory.h"
#include "run/Session.h"
#include "run/Task.h"

namespace vozaz2 {

// A number of the report's prose, a value typed or a tick of an axis: six
// significant digits at most, "0,005", "−1,6", "2·10⁻⁸".
inline QString ReportNumber(double v) { return Significant(v, 6); }
// A moment of the run, "94,81": four significant digits.
inline QString ReportTime(double t) { return Significant(t, 4); }

struct ReportContent {
  const SimRecord& record;  // at the end of the run
  const Modes& controls;    // as they stand at the end of the run
  const DrawingRecord& oscillogram;
  const DrawingRecord& path;
  const RunHistory& history;
  std::string title;  // the experiment's own title; empty: the variant says it
  QString version;    // the program's
  QDate date = QDate::currentDate();
  bool diverged = false;  // the run ended in the divergence message
  std::optional<Task> task;  // the experiment's task with the answers: a page of its own
};

// The report of the run a session holds: its experiment's title and task as
// opened, this program's version, today's date.
ReportContent ContentOf(const Session& session);

// The experiment's own title, or else the variant's in a few words.
QString ReportTitle(const ReportContent& c);

// The line under the title: which lab work, the date, the program's version.
QString ReportByline(const ReportContent& c);

// The variant of the run in words, one item per choice: rotation, what is
// driven and which way, the release, the shape of the load, the split.
QStringList VariantInWords(const SimRecord& r, const Modes& controls);
// The same items as one sentence: "Вариант опыта: …; ….".
QString VariantSentence(const SimRecord& r, const Modes& controls);

// One row of a table: the name of the box in the window ("FL", "w1"), its
// value and its SI unit ("Н"), each once.
struct ReadoutRow {
  QString label, value, unit;
};
// The readout at the end: the result boxes of the window (run/Quantities.h),
// the variant's own last (w12 of the dumbbell, L00 and FL2 after the split),
// each to six significant digits (the boxes and the CSV keep every digit).
std::vector<ReadoutRow> ReadoutRows(const SimRecord& r);

// The eleven parameters, in the order of kParameterNames.
std::vector<ReadoutRow> ParameterRows(const SimRecord& r);

// The verification paragraph of a run that ended at `r`, a sentence or two
// each: why the angular momentum should be kept in this variant; the largest
// drift of the angular momentum and of the energy balance over the run;
// whether the angular momentum was kept within the error of the integration;
// whether the balance holds, and why not where the model's balance is only
// approximate; a divergence.
QString VerificationText(const SimRecord& r, const RunHistory& history, bool diverged);

}  // namespace vozaz2
