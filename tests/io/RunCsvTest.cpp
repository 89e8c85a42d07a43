// The window's CSV export: the run made again headless gives the runner's
// very bytes, and a cancelled export leaves no file and keeps an old one.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>

#include "io/RunCsv.h"
#include "run/Replay.h"

namespace vozaz2 {
namespace {

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}

TEST(RunCsv, ExportEqualsTheRunnersTableAndCancelsCleanly) {
  QTemporaryDir dir;
  Scenario s;
  s.parameters[0] = 1.25;
  s.before = {{true, 2}};  // the sleeve is driven
  s.events = {{150, {true, 4}}, {150, {false, 3}}, {420, {false, 3}}};
  s.steps = 9000;  // past the oscillogram's width: every progress report comes
  ASSERT_FALSE(WriteExperimentFile(dir.filePath("run.vozaz2"), s));

  long long reports = 0, last = 0;
  const CsvExportResult ok = ExportRunCsv(s, dir.filePath("window.csv"), {}, [&](long long done, long long total) {
    ++reports;
    last = done;
    return total == 9000;
  });
  ASSERT_TRUE(ok.written && !ok.problem && !ok.cancelled);
  EXPECT_EQ(reports, 2);
  EXPECT_EQ(last, 8192);
  QProcess batch;
  batch.start(VOZAZ2_BATCH, {"--setup", dir.filePath("run.vozaz2"), "--csv", dir.filePath("batch.csv")});
  ASSERT_TRUE(batch.waitForFinished(60000) && batch.exitCode() == 0);
  const QByteArray table = Contents(dir.filePath("window.csv"));
  EXPECT_EQ(table.count('\n'), 9001);
  EXPECT_EQ(table, Contents(dir.filePath("batch.csv")));

  // Every number is the very double of its step, not a rounded one: the
  // same run replayed here, row against record.
  NullSurface none;
  Session session(none, none, {false, false});
  const QList<QByteArray> rows = table.split('\n');
  Replay(session, s, [&](long long done) {
    const QList<QByteArray> cells = rows.at(done).split(',');
    EXPECT_EQ(cells.at(0).toLongLong(), done);
    for (std::size_t q = 0; q < quantity::kReadoutCount; ++q) {
      const double value = kQuantities[q].read(session.Record());
      EXPECT_EQ(std::strtod(cells.at(static_cast<qsizetype>(q) + 1).constData(), nullptr), value)
          << kQuantities[q].key << " at step " << done << ": " << cells.at(static_cast<qsizetype>(q) + 1).constData();
    }
    return done < 600 && !HasFailure();
  });

  QFile old(dir.filePath("old.csv"));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old\n") == 4);
  old.close();
  const CsvExportResult cancelled = ExportRunCsv(s, old.fileName(), {}, [](long long, long long) { return false; });
  EXPECT_TRUE(cancelled.cancelled && !cancelled.written);
  EXPECT_EQ(Contents(old.fileName()), "old\n");
  EXPECT_FALSE(ExportRunCsv(s, dir.filePath("none.csv"), {}, [](long long, long long) { return false; }).written);
  EXPECT_FALSE(QFile::exists(dir.filePath("none.csv")));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4);  // no temporary file is left
}

}  // namespace
}  // namespace vozaz2
