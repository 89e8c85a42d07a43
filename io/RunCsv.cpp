#include "io/RunCsv.h"

#include <QIODevice>
#include <cstdio>

#include "run/Replay.h"
#include "run/Surface.h"

namespace vozaz2 {

CsvOutput::CsvOutput(QIODevice* device, CsvDialect dialect, bool accuracy) : device_(device), rows_(dialect) {
  rows_.AppendHeader(accuracy);
}

bool CsvOutput::Flush() {
  const std::string_view text = rows_.Text();
  if (!text.empty()) {
    const auto size = static_cast<qint64>(text.size());
    if (device_)
      ok_ = ok_ && device_->write(text.data(), size) == size;
    else
      ok_ = ok_ && std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    rows_.Clear();
  }
  if (!device_) ok_ = ok_ && std::fflush(stdout) == 0 && !std::ferror(stdout);
  return ok_;
}

CsvExportResult ExportRunCsv(const Scenario& s, const QString& path, CsvDialect dialect,
                             const std::function<bool(long long, long long)>& progress) {
  CsvExportResult result;
  // The screens draw nothing and nothing is kept: the table is made from the
  // record, as the headless runner makes it.
  NullSurface oscillogram, trajectory;
  Session session(oscillogram, trajectory, {false, false});
  if (!StartReplay(session, s).message.empty() || (!s.steps && !EndsWithinLimit(session.Record()))) {
    result.problem = FileProblem{QStringLiteral("эти данные не дают опыта")};
    return result;
  }

  WholeFile file(path);
  if ((result.problem = file.Open())) return result;
  CsvOutput csv(&file.Device(), dialect);
  const long long total = s.steps.value_or(0);
  constexpr long long kProgressEvery = 4096;
  ReplaySteps(session, s.steps, [&](long long done) {
    csv.Row(done, session.Record());
    if (done % kProgressEvery == 0 && progress && !progress(done, total)) {
      result.cancelled = true;
      return false;
    }
    return csv.Ok();
  });
  if (result.cancelled) return result;  // the temporary file goes, an old file stays
  if (!csv.Flush()) {
    result.problem = FileProblem{QStringLiteral("ошибка записи")};
    return result;
  }
  if ((result.problem = file.Commit())) return result;
  result.written = true;
  return result;
}

}  // namespace vozaz2
