// The headless runner as a user runs it.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

struct Result {
  int exitCode;
  QByteArray out, err;
  QList<QByteArray> Rows() const { return out.trimmed().split('\n'); }
};

Result RunBatch(const QStringList& args, const QStringList& env = {}) {
  QProcess p;
  QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
  for (const QString& kv : env) e.insert(kv.section('=', 0, 0), kv.section('=', 1));
  p.setProcessEnvironment(e);
  p.start(VOZAZ2_BATCH, args);
  EXPECT_TRUE(p.waitForFinished(120000));
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
          p.readAllStandardError()};
}

const QByteArray kHeader =
    "step,T,L0,R2,w2,V2,J2,h2,L2,FL,Ftr,FC,Z2,E1,E2,Balance,EVL,EL,Emg,Etr,MKD1,MKD2,X,Y,VX,VY,"
    "w12,L00,FL2";

// Two runs with the same arguments write the same file, one row per step
// under the header, also when one runs under a decimal-comma locale.
// "--click 300:Check3" stops the drive after 300 steps: the source's work
// grows up to then and stays after.
TEST(Batch, SameArgumentsGiveTheSameFile) {
  QTemporaryDir dir;
  const QStringList args = {"--split", "--Tr", "1.5", "--steps", "400", "--click", "300:Check3",
                            "--csv"};
  ASSERT_EQ(RunBatch(args + QStringList{dir.filePath("a")}).exitCode, 0);
  ASSERT_EQ(RunBatch(args + QStringList{dir.filePath("b")},
                     {"LOCPATH=" VOZAZ2_TEST_LOCALES, "LC_ALL=ru_RU.UTF-8", "LANG=ru_RU.UTF-8"})
                .exitCode, 0);
  QFile a(dir.filePath("a")), b(dir.filePath("b"));
  ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
  const QByteArray csv = a.readAll();
  EXPECT_EQ(csv, b.readAll());
  const QList<QByteArray> rows = csv.trimmed().split('\n');
  ASSERT_EQ(rows.size(), 401);
  EXPECT_EQ(rows[0], kHeader);
  EXPECT_NEAR(rows[3].split(',')[1].toDouble(), 0.015, 1e-12) << rows[3].toStdString();
  const int evl = kHeader.split(',').indexOf("EVL");
  auto work = [&](int step) { return rows[step].split(',')[evl].toDouble(); };
  EXPECT_TRUE(work(300) > work(299) && work(301) == work(300) && work(400) == work(300));
}

// A refused start writes nothing and exits with 2 (naming the option whose
// text no box would take), a misused command line with 1, a divergence with
// 3; the failed step writes no row. The messages go to the error stream.
TEST(Batch, FailuresExitWithTheirCodes) {
  const struct {
    QStringList args;
    int exitCode;
    QByteArray err;
  } refused[] = {
      {{"--R1", "abc"}, 2, "Введите правильно данные: --R1 abc"},
      {{"--dumbbell", "--R1", "0.5"}, 2, "Введите правильно данные"},
      {{"R1=2"}, 1, "vozaz2-batch: R1=2 is not an option (options begin with --; see --help)"},
      {{"--png", ""}, 1, "vozaz2-batch: --png needs a PREFIX for the names of the two pictures"},
      {{"--steps", "50000001"}, 1, "vozaz2-batch: --steps 50000001 is too large: at most 50000000"},
  };
  for (const auto& row : refused) {
    const Result r = RunBatch(row.args + QStringList{"--csv", "-"});
    EXPECT_EQ(r.exitCode, row.exitCode) << row.args.join(' ').toStdString();
    EXPECT_TRUE(r.out.isEmpty() && r.err.trimmed() == row.err) << r.err.toStdString();
  }
  const Result none = RunBatch({"--Mt", "-1", "--csv", "-"});
  EXPECT_EQ(none.exitCode, 0);
  EXPECT_EQ(none.Rows(), QList<QByteArray>{kHeader});
  EXPECT_TRUE(none.err.startsWith("vozaz2-batch: no step made: the run ends at T = 12*Mt = -12 s")) << none.err.toStdString();
  const Result r = RunBatch({"--MF", "1e-300", "--steps", "10", "--csv", "-"});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(r.Rows(), QList<QByteArray>{kHeader});
  EXPECT_TRUE(r.err.startsWith("                Несовместимость параметров\n")) << r.err.toStdString();
  EXPECT_EQ(r.err.trimmed().split('\n').size(), 6);
}
