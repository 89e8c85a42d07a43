// The run's table as a CSV file: the header, then one row a step with the
// step number and the readout's quantities (run/CsvRows.h).
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "io/ExperimentFile.h"
#include "run/CsvRows.h"
#include "run/Scenario.h"

class QIODevice;

namespace vozaz2 {

// Rows gathered in a large buffer that goes out in large pieces, to a device
// or, streaming, to standard output.
class CsvOutput {
 public:
  // A null device is standard output. The header is the first row; with the
  // accuracy, it names the estimate's columns too (run/CsvRows.h).
  explicit CsvOutput(QIODevice* device, CsvDialect dialect = {}, bool accuracy = false);

  void Row(long long step, const SimRecord& r, const ErrorEstimate* estimate = nullptr) {
    rows_.Append(step, r, estimate);
    if (rows_.Full()) Flush();
  }
  // Hands the gathered text on; false once a write has failed.
  bool Flush();
  bool Ok() const { return ok_; }

 private:
  QIODevice* device_;
  CsvRows rows_;
  bool ok_ = true;
};

// Makes the whole table of a scenario's run by running it again headless,
// step for step as the runner does, into a file written whole or not at all:
// the same bytes as `vozaz2-batch --setup FILE --csv PATH` for that scenario
// (in the spreadsheet's dialect, as `--table PATH`).
// progress(done, total) is called now and then (total is the step count, or
// 0 when the run goes on until T reaches 12 Mt); a false answer cancels, and
// then no file is left. Returns the problem, or nothing when the file was
// written (a run that diverges still writes the rows up to the divergence).
struct CsvExportResult {
  bool written = false;
  bool cancelled = false;
  std::optional<FileProblem> problem;
};
CsvExportResult ExportRunCsv(const Scenario& s, const QString& path, CsvDialect dialect,
                             const std::function<bool(long long done, long long total)>& progress);

}  // namespace vozaz2
