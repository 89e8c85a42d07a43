#include "io/SeriesOutputs.h"

namespace vozaz2 {

std::optional<FileProblem> SeriesTableOutput::Open() {
  if (auto problem = RunOutput::Open()) return problem;
  Device().write(QByteArray::fromStdString(SeriesHeader(plan_, dialect_)));
  return std::nullopt;
}

void SeriesTableOutput::Row(const SeriesRow& row) {
  Device().write(QByteArray::fromStdString(SeriesLine(plan_, row, dialect_)));
}

std::optional<FileProblem> SeriesReportOutput::FinishSeries(const SeriesReportContent& content) {
  if (!WriteSeriesReportPdf(Device(), content)) return FileProblem{WriteError()};
  return Commit();
}

}  // namespace vozaz2
