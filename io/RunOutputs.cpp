#include "io/RunOutputs.h"

#include <QImage>

namespace vozaz2 {

std::optional<FileProblem> RunOutput::Open() {
  file_ = std::make_unique<WholeFile>(path_);
  return file_->Open();
}

std::optional<FileProblem> RunOutput::Finish(const Session& session) {
  if (!Write(file_->Device(), session)) return FileProblem{WriteError()};
  return file_->Commit();
}

std::optional<FileProblem> CsvRunOutput::Open() {
  if (Path() != QStringLiteral("-")) {
    file_ = std::make_unique<WholeFile>(Path());
    if (auto problem = file_->Open()) return problem;
  }
  csv_.emplace(file_ ? &file_->Device() : nullptr, dialect_, accuracy_);
  return std::nullopt;
}

bool CsvRunOutput::Step(long long done, const Session& session) {
  csv_->Row(done, session.Record(), session.Estimate());
  return csv_->Ok();  // a lost row ends the run: its file would not be whole
}

std::optional<FileProblem> CsvRunOutput::Finish(const Session&) {
  if (!csv_->Flush())
    return FileProblem{file_ ? QStringLiteral("ошибка записи") : QStringLiteral("ошибка записи в стандартный вывод")};
  if (file_) return file_->Commit();
  return std::nullopt;
}

bool PngRunOutput::Write(QIODevice& out, const Session&) { return image_.save(&out, "PNG"); }

bool ReportRunOutput::Write(QIODevice& out, const Session& session) {
  return WriteReportPdf(out, ContentOf(session));
}

bool SvgRunOutput::Write(QIODevice& out, const Session& session) {
  return WriteSvgFigure(out, figure_, ContentOf(session));
}

}  // namespace vozaz2
