// What a headless series writes: its table, a row a run as the runs finish,
// and its report. They are a run's outputs (io/RunOutputs.h), opened before
// the first run so that a folder that takes no file is found at once, and
// written whole at the end or not at all; a series has no one session to
// finish them with, so they finish with what the series gathered.
#pragma once

#include "io/RunOutputs.h"
#include "io/SeriesReport.h"
#include "run/SeriesTable.h"

namespace vozaz2 {

// The table of a series (run/SeriesTable.h); "-" is standard output.
class SeriesTableOutput final : public RunOutput {
 public:
  SeriesTableOutput(QString path, const SeriesPlan& plan, CsvDialect dialect = {})
      : RunOutput(std::move(path)), plan_(plan), dialect_(dialect) {}
  // Opens the file and writes the header.
  std::optional<FileProblem> Open() override;
  void Row(const SeriesRow& row);
  std::optional<FileProblem> FinishSeries() { return Commit(); }

 private:
  bool Write(QIODevice&, const Session&) override { return true; }
  const SeriesPlan& plan_;
  CsvDialect dialect_;
};

// The series' report as a PDF page.
class SeriesReportOutput final : public RunOutput {
 public:
  using RunOutput::RunOutput;
  std::optional<FileProblem> FinishSeries(const SeriesReportContent& content);

 private:
  bool Write(QIODevice&, const Session&) override { return true; }
};

}  // namespace vozaz2
