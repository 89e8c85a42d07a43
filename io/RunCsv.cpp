#include "io/RunCsv.h"

#include <QIODevice>
#include <cstdio>

#include "io/Locale.h"
#include "run/Experiment.h"
#include "run/Surface.h"

namespace vozaz2 {

CsvOutput::CsvOutput(QIODevice* device) : device_(device) { rows_.AppendHeader(); }

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

namespace {

class NoMessages final : public MessageSink {
 public:
  void Show(const std::string&) override {}
};

}  // namespace

CsvExportResult ExportRunCsv(const Scenario& s, const QString& path,
                             const std::function<bool(long long, long long)>& progress) {
  CsvExportResult result;
  // The screens draw nothing and the boxes take no text: the table is made
  // from the record, as the headless runner makes it.
  MemoryTextBoxes boxes(false);
  NullSurface oscillogram, trajectory;
  NoMessages messages;
  Experiment e(boxes, oscillogram, trajectory, messages, DecimalSeparator());
  e.Form_Load();
  LoadScenario(e, s);
  e.Command1_Click();
  if (!e.Started() || (!s.steps && !EndsWithinLimit(e.Record()))) {
    result.problem = FileProblem{QStringLiteral("эти данные не дают опыта")};
    return result;
  }

  WholeFile file(path);
  if ((result.problem = file.Open())) return result;
  CsvOutput csv(&file.Device());
  const long long total = s.steps.value_or(0);
  constexpr long long kProgressEvery = 4096;
  EventPlayer events(s.events);
  RunSteps(e, events, s.steps, [&](long long done) {
    csv.Row(done, e.Record());
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
