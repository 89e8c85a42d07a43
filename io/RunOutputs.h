// What a headless run writes: the table, the screens as pictures, the report
// and its figures. Each output is opened before the run, so that a folder
// that takes no file is found at once, sees every step, and is written whole
// at the end or not at all (an earlier file of its name stays then).
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "io/ExperimentFile.h"
#include "io/Report.h"
#include "io/RunCsv.h"
#include "run/Session.h"

class QImage;

namespace vozaz2 {

class RunOutput {
 public:
  explicit RunOutput(QString path) : path_(std::move(path)) {}
  virtual ~RunOutput() = default;
  RunOutput(const RunOutput&) = delete;
  RunOutput& operator=(const RunOutput&) = delete;

  // The file's name as given; "-" is standard output.
  const QString& Path() const { return path_; }
  // Whether the output needs what the screens showed, drawing by drawing
  // (the session must keep its drawings).
  virtual bool NeedsDrawings() const { return false; }
  virtual std::optional<FileProblem> Open();
  // After each step; false when the output was lost (the run ends).
  virtual bool Step(long long, const Session&) { return true; }
  // After the run.
  virtual std::optional<FileProblem> Finish(const Session& session);

 protected:
  // Writes the whole output; false when the writing failed, which is then
  // told in these words.
  virtual bool Write(QIODevice& out, const Session& session) = 0;
  virtual QString WriteError() const { return QStringLiteral("ошибка записи"); }
  // The file Open() opened, for an output written as it goes (a series' rows)
  // rather than at the end of one run; Commit() makes it whole.
  QIODevice& Device() { return file_->Device(); }
  std::optional<FileProblem> Commit() { return file_->Commit(); }

 private:
  QString path_;
  std::unique_ptr<WholeFile> file_;
};

// The table, one row a step (run/CsvRows.h); "-" streams to standard output.
// With the accuracy, each row ends with the twin's estimate of the errors.
class CsvRunOutput final : public RunOutput {
 public:
  explicit CsvRunOutput(QString path, CsvDialect dialect = {}, bool accuracy = false)
      : RunOutput(std::move(path)), dialect_(dialect), accuracy_(accuracy) {}
  std::optional<FileProblem> Open() override;
  bool Step(long long done, const Session& session) override;
  std::optional<FileProblem> Finish(const Session& session) override;

 private:
  bool Write(QIODevice&, const Session&) override { return true; }
  CsvDialect dialect_;
  std::unique_ptr<WholeFile> file_;
  std::optional<CsvOutput> csv_;
  bool accuracy_;
};

// A screen's picture as PNG, as it stands at the end.
class PngRunOutput final : public RunOutput {
 public:
  PngRunOutput(QString path, const QImage& image) : RunOutput(std::move(path)), image_(image) {}

 private:
  bool Write(QIODevice& out, const Session&) override;
  QString WriteError() const override { return QStringLiteral("ошибка записи PNG"); }
  const QImage& image_;
};

// The lab report as a PDF page.
class ReportRunOutput final : public RunOutput {
 public:
  using RunOutput::RunOutput;
  bool NeedsDrawings() const override { return true; }

 private:
  bool Write(QIODevice& out, const Session& session) override;
};

// One figure of the report as SVG.
class SvgRunOutput final : public RunOutput {
 public:
  SvgRunOutput(QString path, Figure figure) : RunOutput(std::move(path)), figure_(figure) {}
  bool NeedsDrawings() const override { return true; }

 private:
  bool Write(QIODevice& out, const Session& session) override;
  Figure figure_;
};

}  // namespace vozaz2
