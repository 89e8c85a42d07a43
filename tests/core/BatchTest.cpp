// The headless runner as a user runs it.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace {

struct Result {
  int exitCode;
  QByteArray out, err;
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

QList<QByteArray> Lines(const QByteArray& text) {
  QList<QByteArray> lines = text.split('\n');
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.pop_back();
  return lines;
}

const QByteArray kHeader =
    "step,T,L0,R2,w2,V2,J2,h2,L2,FL,Ftr,FC,Z2,E1,E2,Balance,EVL,EL,Emg,Etr,MKD1,MKD2,X,Y,VX,VY,"
    "w12,L00,FL2";

TEST(Batch, SameArgumentsGiveTheSameFile) {
  QTemporaryDir dir;
  const QString a = dir.filePath("a.csv"), b = dir.filePath("b.csv");
  const QStringList args = {"--split", "--Tr", "1.5", "--steps", "400", "--csv"};
  ASSERT_EQ(RunBatch(args + QStringList{a}).exitCode, 0);
  ASSERT_EQ(RunBatch(args + QStringList{b}).exitCode, 0);
  QFile fa(a), fb(b);
  ASSERT_TRUE(fa.open(QIODevice::ReadOnly));
  ASSERT_TRUE(fb.open(QIODevice::ReadOnly));
  const QByteArray ca = fa.readAll();
  EXPECT_EQ(Lines(ca).size(), 401);
  EXPECT_EQ(ca, fb.readAll());
}

TEST(Batch, WritesOneRowPerStepUnderTheHeader) {
  const Result r = RunBatch({"--steps", "3", "--csv", "-"});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 4);
  EXPECT_EQ(lines[0], kHeader);
  for (int i = 1; i <= 3; ++i) {
    const auto fields = lines[i].split(',');
    ASSERT_EQ(fields.size(), kHeader.count(',') + 1) << lines[i].toStdString();
    EXPECT_EQ(fields[0].toInt(), i);
    bool ok = false;
    EXPECT_NEAR(fields[1].toDouble(&ok), 0.005 * i, 1e-12);
    EXPECT_TRUE(ok);
  }
}

// Under a decimal-comma locale the CSV still uses points: its fields are
// separated by commas.
TEST(Batch, CsvDoesNotDependOnTheLocale) {
  const QStringList env = {"LOCPATH=" VOZAZ2_TEST_LOCALES, "LC_ALL=ru_RU.UTF-8",
                           "LANG=ru_RU.UTF-8"};
  const Result plain = RunBatch({"--steps", "5", "--csv", "-"});
  const Result russian = RunBatch({"--steps", "5", "--P0", "0,005", "--csv", "-"}, env);
  ASSERT_EQ(russian.exitCode, 0) << russian.err.toStdString();
  EXPECT_EQ(russian.out.toStdString(), plain.out.toStdString());
}

TEST(Batch, BadParameterExitsWith2) {
  for (const QStringList& args : {QStringList{"--R1", "abc"}, QStringList{"--CL", "0"},
                                  QStringList{"--dumbbell", "--R1", "0.5"}}) {
    const Result r = RunBatch(args + QStringList{"--steps", "1"});
    EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
    EXPECT_EQ(r.err.trimmed(), QByteArray("Введите правильно данные"));
    EXPECT_TRUE(r.out.isEmpty());
  }
}

TEST(Batch, DivergenceExitsWith3) {
  const Result r = RunBatch({"--MF", "1e-300", "--steps", "10", "--csv", "-"});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(Lines(r.out), QList<QByteArray>{kHeader});  // the failed step writes no row
  EXPECT_TRUE(r.err.startsWith("                Несовместимость параметров\n")) << r.err.toStdString();
  EXPECT_EQ(Lines(r.err).size(), 6);
}

// "--click 10:Check3" stops the drive after ten steps: the source's work
// grows up to then and stays after.
TEST(Batch, TimedClick) {
  const Result r = RunBatch({"--steps", "20", "--click", "10:Check3", "--csv", "-"});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 21);
  const int evl = kHeader.split(',').indexOf("EVL");
  auto work = [&](int step) { return lines[step].split(',')[evl].toDouble(); };
  EXPECT_GT(work(10), work(9));
  EXPECT_EQ(work(11), work(10));
  EXPECT_EQ(work(20), work(10));
  const Result bad = RunBatch({"--click", "x:Check3"});
  EXPECT_EQ(bad.exitCode, 1);
  const Result unknown = RunBatch({"--click", "Check9"});
  EXPECT_EQ(unknown.exitCode, 1);
}

}  // namespace
