// The headless runner as a user runs it: one row per step whatever the
// locale, an exit status for each failure; with experiment files, a saved
// command line repeats its run byte for byte, a bad file is refused before
// anything is written, outputs are written whole or not at all, and the
// lessons shipped run.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>

namespace {

struct Result {
  int exitCode;
  QByteArray out, err;
};

Result RunBatch(const QStringList& args, const QString& locale = "C") {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("LC_ALL", locale);
  env.insert("LOCPATH", VOZAZ2_TEST_LOCALES);  // ru_RU.UTF-8 is built there
  p.setProcessEnvironment(env);
  p.start(VOZAZ2_BATCH, args);
  EXPECT_TRUE(p.waitForFinished(120000));
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
          p.readAllStandardError()};
}

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}

void Put(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

QList<QByteArray> Rows(const QByteArray& csv) { return csv.trimmed().split('\n'); }

const QByteArray kHeader =
    "step,T,L0,R2,w2,V2,J2,h2,L2,FL,Ftr,FC,Z2,E1,E2,Balance,EVL,EL,Emg,Etr,MKD1,MKD2,X,Y,VX,VY,"
    "w12,L00,FL2";

// Two runs with the same arguments write the same file, one row per step
// under the header, also when one runs under a decimal-comma locale.
// "--click 300:Check3" stops the drive after 300 steps: the source's work
// grows up to then and stays after.
TEST(Batch, SameArgumentsGiveTheSameFile) {
  QTemporaryDir dir;
  const QStringList args = {"--split", "--Tr", "1.5", "--steps", "400", "--click", "300:Check3", "--csv"};
  ASSERT_EQ(RunBatch(args + QStringList{dir.filePath("a")}).exitCode, 0);
  ASSERT_EQ(RunBatch(args + QStringList{dir.filePath("b")}, "ru_RU.UTF-8").exitCode, 0);
  const QByteArray csv = Contents(dir.filePath("a"));
  EXPECT_EQ(csv, Contents(dir.filePath("b")));
  // For a spreadsheet in a Russian locale: semicolons, decimal commas, the
  // labels with their units; the same numbers.
  const QByteArray table = RunBatch(args.mid(0, args.size() - 1) + QStringList{"--table", "-"}, "ru_RU.UTF-8").out;
  EXPECT_TRUE(table.startsWith("шаг;T, с;L0, м;R2, м;")) << table.left(80).toStdString();
  QByteArray asCsv = table.mid(table.indexOf('\n'));
  asCsv.replace(',', '.').replace(';', ',');
  EXPECT_EQ(asCsv, csv.mid(csv.indexOf('\n')));
  const QList<QByteArray> rows = Rows(csv);
  ASSERT_EQ(rows.size(), 401);
  EXPECT_EQ(rows[0], kHeader);
  EXPECT_NEAR(rows[3].split(',')[1].toDouble(), 0.015, 1e-12) << rows[3].toStdString();
  const int evl = kHeader.split(',').indexOf("EVL");
  auto work = [&](int step) { return rows[step].split(',')[evl].toDouble(); };
  EXPECT_TRUE(work(300) > work(299) && work(301) == work(300) && work(400) == work(300));
}

// --accuracy adds the twin's four estimates after today's columns, which
// keep their bytes; after the split's hand-over, where the twin cannot
// follow, they are empty.
TEST(Batch, AccuracyAddsColumnsAfterTodays) {
  const QStringList args = {"--split", "--steps", "400", "--csv", "-"};
  const QList<QByteArray> today = Rows(RunBatch(args).out), rows = Rows(RunBatch(args + QStringList{"--accuracy"}).out);
  ASSERT_EQ(rows.size(), today.size());
  EXPECT_EQ(rows[0], kHeader + ",errR2,errw2,errMKD2,errBalance");
  for (int step = 1; step < rows.size(); ++step) {
    ASSERT_TRUE(rows[step].startsWith(today[step] + ',')) << step;
    const QList<QByteArray> estimate = rows[step].mid(today[step].size() + 1).split(',');
    ASSERT_EQ(estimate.size(), 4);
    EXPECT_EQ(estimate[2].isEmpty(), step > 200) << step << ": " << rows[step].toStdString();
  }
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
      {{"--R1", "abc"}, 2, "vozaz2-batch: Введите правильно данные: --R1 abc"},
      {{"--dumbbell", "--R1", "0.5"}, 2, "vozaz2-batch: Введите правильно данные: R1 = 0.5, нужно R1 ≥ 0,51 м у гантели"},
      {{"--Mt", "-1"}, 2, "vozaz2-batch: Введите правильно данные: Mt = -1, нужно Mt > 0"},
      {{"R1=2"}, 1, "vozaz2-batch: R1=2 — не параметр командной строки (они начинаются с --; см. --help)"},
      {{"--bogus"}, 1, "vozaz2-batch: неизвестный параметр --bogus (см. --help)"},
      {{"--png", ""}, 1, "vozaz2-batch: --png: нужен префикс имён файлов"},
      {{"--svg", "-"}, 1, "vozaz2-batch: --svg -: это несколько файлов, в стандартный вывод их не записать"},
      {{"--report", "-"}, 1, "vozaz2-batch: в стандартный вывод можно записать только что-то одно"},
      {{"--steps", "50000001"}, 1, "vozaz2-batch: --steps 50000001: слишком много, не больше 50000000"},
  };
  for (const auto& row : refused) {
    const Result r = RunBatch(row.args + QStringList{"--csv", "-"});
    EXPECT_EQ(r.exitCode, row.exitCode) << row.args.join(' ').toStdString();
    EXPECT_TRUE(r.out.isEmpty() && r.err.trimmed() == row.err) << r.err.toStdString();
  }
  const Result r = RunBatch({"--MF", "1e-300", "--steps", "10", "--csv", "-"});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(Rows(r.out), QList<QByteArray>{kHeader});
  EXPECT_TRUE(r.err.startsWith("                Несовместимость параметров\n")) << r.err.toStdString();
  EXPECT_EQ(r.err.trimmed().split('\n').size(), 6);
}

// Both programs answer --help and --version in Russian, and without a
// display: the window program opens none to answer.
TEST(Batch, HelpAndVersionNeedNoDisplay) {
  for (const char* program : {VOZAZ2_BATCH, VOZAZ2_WINDOW}) {
    for (const char* option : {"--help", "--version"}) {
      QProcess p;
      QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
      env.remove("DISPLAY");
      env.remove("WAYLAND_DISPLAY");
      env.insert("QT_QPA_PLATFORM", "xcb");
      p.setProcessEnvironment(env);
      p.start(program, {option});
      ASSERT_TRUE(p.waitForFinished(60000));
      EXPECT_EQ(p.exitCode(), 0) << program << ' ' << option;
      const QString out = QString::fromUtf8(p.readAllStandardOutput());
      EXPECT_TRUE(option[2] == 'v' ? out.contains("1.") : out.contains("Использование")) << out.toStdString();
      EXPECT_TRUE(p.readAllStandardError().isEmpty());
    }
  }
}

// ARGS --save-setup F, then --setup F, gives the CSV of ARGS; and options
// beside --setup act after the file, as if appended to the saved command line.
TEST(BatchFile, SavedCommandLinesRepeatTheirRuns) {
  const QStringList lines[] = {
      {"--steps", "300"},
      {"--plane", "--down", "--R1", "1.3", "--VL", "0.07", "--P0", "0.0041", "--steps", "500"},
      {"--split", "--Tr", "1.5", "--steps", "400", "--click", "300:Check3"},
      {"--sleeve", "--click", "0:Option4", "--click", "Check3", "--click", "150:Check3", "--click", "150:Option3",
       "--w1", "2.1", "--steps", "350"},
      {"--plane", "--dumbbell", "--release", "--Mt", "0.05"},
      {"--mx-manual", "--Mx", "0.30000000000000004", "--CL", "12.5", "--Ktr", "0.9", "--steps", "200"},
  };
  QTemporaryDir dir;
  const QString file = dir.filePath("f.vozaz2"), a = dir.filePath("a.csv"), b = dir.filePath("b.csv");
  for (const QStringList& args : lines) {
    ASSERT_EQ(RunBatch(args + QStringList{"--save-setup", file}).exitCode, 0);
    ASSERT_EQ(RunBatch(args + QStringList{"--csv", a}).exitCode, 0);
    ASSERT_EQ(RunBatch({"--setup", file, "--csv", b}).exitCode, 0);
    EXPECT_EQ(Contents(a), Contents(b)) << args.join(' ').toStdString();
  }
  const QStringList more = {"--VL", "0.2", "--down", "--click", "150:Option3", "--steps", "250"};
  ASSERT_EQ(RunBatch(lines[3] + more + QStringList{"--csv", a}).exitCode, 0);
  ASSERT_EQ(RunBatch(lines[3] + QStringList{"--save-setup", file}).exitCode, 0);
  ASSERT_EQ(RunBatch(QStringList{"--setup", file, "--csv", b} + more).exitCode, 0);
  EXPECT_EQ(Contents(a), Contents(b));
  EXPECT_EQ(Contents(a).count('\n'), 251);
  // A file saved where the boxes take a decimal comma runs the same anywhere.
  ASSERT_EQ(RunBatch({"--VL", "0,07", "--steps", "100", "--save-setup", file}, "ru_RU.UTF-8").exitCode, 0);
  ASSERT_EQ(RunBatch({"--VL", "0.07", "--steps", "100", "--csv", a}).exitCode, 0);
  ASSERT_EQ(RunBatch({"--setup", file, "--csv", b}).exitCode, 0);
  EXPECT_EQ(Contents(a), Contents(b));
}

// A file that is no experiment stops the runner before anything is written:
// status 2 and one line naming the file; the earlier CSV stays.
TEST(BatchFile, BadFilesAreRefusedBeforeAnythingIsWritten) {
  const QByteArray head = R"({"format": "vozaz2-experiment", "version": 1, )";
  const QByteArray bad[] = {
      "{\"format\": \"vozaz2-experiment\",\n \"version\": 1,\n \"steps\": }",
      head + R"("parameters": {"R1": 1}, "Steps": 5})",
      head + R"("parameters": {"R1": "1"}})",
      head + R"("before": ["Option9"]})",
      head + R"("events": [{"step": 1.5, "click": "Check3"}]})",
      head + R"("steps": 50000001})",
      head + R"("title": ")" + QByteArray(1 << 20, 'a') + "\"}",
      "\xff\xfe{}",
  };
  QTemporaryDir dir;
  const QString file = dir.filePath("bad.vozaz2"), csv = dir.filePath("a.csv");
  Put(csv, "earlier");
  for (const QByteArray& text : bad) {
    Put(file, text);
    const Result r = RunBatch({"--setup", file, "--csv", csv, "--png", dir.filePath("p")});
    EXPECT_EQ(r.exitCode, 2) << r.err.toStdString();
    EXPECT_TRUE(r.err.startsWith(("vozaz2-batch: " + file + ": ").toUtf8()) && r.err.count('\n') == 1)
        << r.err.toStdString();
  }
  const Result r = RunBatch({"--setup", dir.filePath("none.vozaz2"), "--csv", csv});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(Contents(csv), "earlier");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

// Outputs are opened before the run: a picture prefix in a missing folder
// fails at once and leaves the earlier CSV as it was; a write that fails
// (a full device, standard output included) is an error, never a success.
TEST(BatchFile, FailedWritesAreErrorsAndKeepEarlierFiles) {
  QTemporaryDir dir;
  const QString csv = dir.filePath("a.csv");
  Put(csv, "earlier");
  const Result missing = RunBatch({"--csv", csv, "--png", dir.filePath("missing/p")});
  EXPECT_EQ(missing.exitCode, 4);
  EXPECT_TRUE(missing.err.contains("missing/p-oscillogram.png")) << missing.err.toStdString();
  EXPECT_EQ(Contents(csv), "earlier");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

  EXPECT_EQ(RunBatch({"--steps", "10", "--csv", "/dev/full"}).exitCode, 4);
  EXPECT_EQ(RunBatch({"--save-setup", "/dev/full"}).exitCode, 4);
  QProcess p;
  p.setStandardOutputFile("/dev/full");
  p.start(VOZAZ2_BATCH, {"--steps", "10", "--csv", "-"});
  ASSERT_TRUE(p.waitForFinished());
  EXPECT_EQ(p.exitCode(), 4);

  ASSERT_EQ(RunBatch({"--steps", "10", "--csv", csv, "--png", dir.filePath("p")}).exitCode, 0);
  EXPECT_EQ(Contents(csv).count('\n'), 11);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

// Every lesson runs to its end; the angular momentum of the load (of the
// dumbbell, of the two balls) stays what it was at the start.
TEST(BatchFile, LessonsRunAndKeepTheAngularMomentum) {
  const QStringList lessons = QDir(VOZAZ2_EXAMPLES).entryList({"*.vozaz2"});
  ASSERT_GE(lessons.size(), 8);
  for (const QString& lesson : lessons) {
    const Result r = RunBatch({"--setup", QDir(VOZAZ2_EXAMPLES).filePath(lesson), "--csv", "-"});
    EXPECT_EQ(r.exitCode, 0) << lesson.toStdString() << r.err.toStdString();
    const QList<QByteArray> rows = r.out.trimmed().split('\n');
    const int mkd1 = rows[0].split(',').indexOf("MKD1");
    double worst = 0;
    for (qsizetype i = 1; i < rows.size(); ++i) {
      const QList<QByteArray> f = rows[i].split(',');
      worst = std::max(worst, std::abs(f[mkd1 + 1].toDouble() / f[mkd1].toDouble() - 1));
    }
    EXPECT_LT(worst, 1e-7) << lesson.toStdString();
    EXPECT_GT(rows.size(), 2000) << lesson.toStdString();
  }
}

// A series' table is the same with any number of workers and from the file
// the series is saved in; each run, saved alone and run, ends on the very
// numbers of its row (its greatest FL too).
TEST(BatchFile, ASeriesRunGivesTheNumbersOfTheSameRunAlone) {
  QTemporaryDir dir;
  const QStringList vary = {"--vary", "VL=0.05:0.4:6", "--steps", "300", "--collect", "R2,w2,MKD2,max:FL,Tdiv"};
  const Result one = RunBatch(vary + QStringList{"--jobs", "1"});
  ASSERT_EQ(one.exitCode, 0) << one.err.toStdString();
  EXPECT_EQ(RunBatch(vary + QStringList{"--jobs", "3"}, "ru_RU.UTF-8").out, one.out);
  const QString file = dir.filePath("s.vozaz2");
  ASSERT_EQ(RunBatch(vary + QStringList{"--save-setup", file}).exitCode, 0);
  EXPECT_EQ(RunBatch({"--series", file, "--csv", "-"}).out, one.out);
  const QList<QByteArray> rows = Rows(one.out), header = kHeader.split(',');
  ASSERT_EQ(rows.size(), 7);
  EXPECT_EQ(rows[0], "run,VL,end,steps,R2,w2,MKD2,max:FL,Tdiv");
  for (int k : {2, 6}) {
    const QString alone = dir.filePath("alone.vozaz2");
    ASSERT_EQ(RunBatch({"--series", file, "--run", QString::number(k), "--save-setup", alone}).exitCode, 0);
    const QList<QByteArray> steps = Rows(RunBatch({"--setup", alone, "--csv", "-"}).out);
    ASSERT_EQ(steps.size(), 301);
    const QList<QByteArray> last = steps.last().split(','), row = rows[k].split(',');
    EXPECT_EQ(row.mid(4, 3), (QList<QByteArray>{last[header.indexOf("R2")], last[header.indexOf("w2")],
                                                last[header.indexOf("MKD2")]}));
    double fl = 0;
    for (qsizetype i = 1; i < steps.size(); ++i) fl = std::max(fl, steps[i].split(',')[header.indexOf("FL")].toDouble());
    EXPECT_EQ(row[7].toDouble(), fl);
  }
  const struct {
    QStringList args;
    const char* err;
  } refused[] = {
      {{"--vary", "VL=0.1:1"}, "--vary VL=0.1:1: нужно ПАРАМЕТР=ОТ:ДО:ЧИСЛО"},
      {{"--vary", "VL=0:1:3", "--log"}, "VL: для логарифмического шага начало и конец > 0"},
      {{"--vary", "VL=0.1:1:3", "--run", "4"}, "--run 4: в серии 3 опытов"},
      {{"--vary", "VL=0.1:1:3", "--collect", "R2,R3"}, "--collect: не знаю, что такое «R3»"},
      {{"--jobs", "2"}, "только для серии"},
      {{"--series", file, "--png", "p"}, "--png и --svg — для одного опыта серии"},
  };
  for (const auto& c : refused) {
    const Result r = RunBatch(c.args);
    EXPECT_TRUE(r.exitCode == 1 && r.out.isEmpty() && r.err.contains(c.err)) << r.err.toStdString();
  }
}

}  // namespace
