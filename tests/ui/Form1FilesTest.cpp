// Experiment files in the main window: a run recorded with real clicks, saved,
// opened and run again; files that cannot be opened; the menu bar above a
// form that keeps every control in its place.
#include <QDate>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include "tests/ui/WindowFixture.h"
#include "io/ExperimentFile.h"
#include "ui/Form1Layout.h"
#include "ui/SaveDialogs.h"

namespace vozaz2::testing {
namespace {

// What a step leaves: the state vector, the accounts and every text box.
using StepSnapshot = std::tuple<std::vector<double>, std::vector<double>, QStringList>;

StepSnapshot Snap(Form1& form) {
  const SimRecord& r = form.Simulation().Record();
  std::vector<double> state;
  for (int i = StateVector::kFirst; i <= StateVector::kLast; ++i) state.push_back(r.Y(i));
  QStringList boxes;
  for (int n = 1; n <= 43; ++n) boxes << form.findChild<QLineEdit*>(QString("Text%1").arg(n))->text();
  return {state, {r.T0, r.EVL, r.Etr, r.E2, r.FL, r.FL2, r.MKD2, r.Mx, static_cast<double>(r.Cnt)}, boxes};
}

class FilesTest : public WindowTest {
 protected:
  QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
  QString Write(const char* name, const QByteArray& content) {
    QFile f(Path(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
    return f.fileName();
  }
  QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  QTemporaryDir dir;
};

// Typed numbers, clicks before "Начать", a click during the run, a stop and
// steps by hand: the file saved repeats that run when opened and started
// (the window plays its click at its step), and saves the same file again.
TEST_F(FilesTest, ARecordedRunRepeatsWhenOpened) {
  std::vector<StepSnapshot> made;
  QObject::connect(form, &Form1::StepMade, form, [&] { made.push_back(Snap(*form)); });
  Type(Get<TextBox>("Text1"), "1,3");
  Click(Get<QAbstractButton>("Option2"));  // "Втулки"
  Click(Get<QAbstractButton>("Option4"));  // "Вниз"
  Click(Get<QPushButton>("Command1"));
  ASSERT_TRUE(WaitForSteps(15));
  Click(Get<QAbstractButton>("Check3"));  // "VL= 0"
  ASSERT_TRUE(WaitForSteps(10));
  QPushButton* stop = Get<QPushButton>("Command2");
  Click(stop);
  Click(Get<QPushButton>("Command7"));
  Click(Get<QAbstractButton>("Check3"));
  Click(Get<QPushButton>("Command7"));
  Type(Get<TextBox>("Text1"), "2");  // after the run: not part of it
  ASSERT_TRUE(form->SaveExperiment(Path("run.vozaz2")));
  const long long steps = static_cast<long long>(made.size());
  ASSERT_EQ(form->Simulation().ToSave(form->Simulation().Typed()).steps, steps);
  ASSERT_EQ(form->Simulation().ToSave(form->Simulation().Typed()).events.size(), 2u);

  std::vector<StepSnapshot> first = std::move(made);
  made.clear();
  QObject::connect(form, &Form1::StepMade, form, [&] {
    if (static_cast<long long>(made.size()) == steps) stop->click();
  });
  ASSERT_TRUE(form->OpenExperiment(Path("run.vozaz2")));
  EXPECT_EQ(Get<TextBox>("Text1")->text(), "1,3");
  EXPECT_TRUE(Get<QAbstractButton>("Option2")->isChecked() && Get<QAbstractButton>("Option4")->isChecked());
  EXPECT_FALSE(Get<QAbstractButton>("Check3")->isChecked());
  Click(Get<QPushButton>("Command1"));
  const QTimer* timer = Get<QTimer>("Timer1");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !timer->isActive(); }, 10000));
  ASSERT_EQ(made.size(), first.size());
  for (std::size_t i = 0; i < made.size(); ++i) ASSERT_EQ(made[i], first[i]) << "step " << i + 1;
  EXPECT_TRUE(messages.shown.empty());
  ASSERT_TRUE(form->SaveExperiment(Path("again.vozaz2")));
  EXPECT_EQ(Read(Path("again.vozaz2")), Read(Path("run.vozaz2")));

  // The run's table, made again headless, is the runner's for that file.
  ASSERT_TRUE(form->ExportCsv(Path("run.csv")));
  QProcess batch;
  batch.start(VOZAZ2_BATCH, {"--setup", Path("run.vozaz2"), "--csv", Path("batch.csv")});
  ASSERT_TRUE(batch.waitForFinished(60000) && batch.exitCode() == 0);
  EXPECT_EQ(Read(Path("run.csv")).count('\n'), steps + 1);
  EXPECT_EQ(Read(Path("run.csv")), Read(Path("batch.csv")));
  // For a spreadsheet: the Russian notation, the labels with their units.
  ASSERT_TRUE(form->ExportCsv(Path("sheet.csv"), true));
  EXPECT_TRUE(Read(Path("sheet.csv")).startsWith("шаг;T, с;")) << Read(Path("sheet.csv")).left(40).data();
  // A table that cannot be written says so, naming the file.
  messages.shown.clear();
  EXPECT_FALSE(form->ExportCsv(Path("no folder/run.csv")));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].find("run.csv"), std::string::npos) << messages.shown[0];
}

// Opening shows the title and the description and starts nothing; before
// any run "Сохранить как…" saves the boxes and controls, but not a box that
// "Начать" would refuse.
TEST_F(FilesTest, OpeningShowsTheLessonAndSavingChecksTheBoxes) {
  EXPECT_FALSE(form->ExportCsv(Path("none.csv"))) << "no run: no table";
  EXPECT_FALSE(QFile::exists(Path("none.csv")));
  messages.shown.clear();
  ASSERT_TRUE(form->SaveExperiment(Path("startup.vozaz2")));
  Type(Get<TextBox>("Text7"), "abc");
  EXPECT_FALSE(form->SaveExperiment(Path("bad.vozaz2")));
  EXPECT_EQ(messages.shown, std::vector<std::string>{kInputMessage});
  EXPECT_FALSE(QFile::exists(Path("bad.vozaz2")));

  Scenario lesson;
  lesson.title = "Втулка вниз";
  lesson.description = "Смотрите на MKD2.";
  lesson.parameters[1] = 2.5;
  lesson.before = {{true, 2}};
  ASSERT_FALSE(WriteExperimentFile(Path("lesson.vozaz2"), lesson));
  ASSERT_TRUE(form->OpenExperiment(Path("lesson.vozaz2")));
  EXPECT_EQ(form->windowTitle(), "Vozaz2 — Втулка вниз");
  EXPECT_EQ(Get<TextBox>("Text2")->text(), "2,5");
  EXPECT_EQ(Get<TextBox>("Text7")->text(), "10") << "the start-up default";
  EXPECT_TRUE(Get<QAbstractButton>("Option2")->isChecked());
  EXPECT_FALSE((form->Simulation().State() != RunState::kIdle));
  QWidget* lessonWindow = form->findChild<QWidget*>("Lesson");
  ASSERT_TRUE(lessonWindow && lessonWindow->isVisible());
  EXPECT_EQ(lessonWindow->findChild<QPlainTextEdit*>()->toPlainText(), "Смотрите на MKD2.");
  EXPECT_EQ(form->ShowLesson(), lessonWindow) << "one lesson window";

  // A run of the lesson with another set-up is saved as what it is.
  Type(Get<TextBox>("Text9"), "0,05");
  Click(Get<QPushButton>("Command1"));
  Click(Get<QPushButton>("Command2"));
  ASSERT_TRUE(form->SaveExperiment(Path("changed.vozaz2")));
  const Scenario changed = std::get<Scenario>(ReadExperimentFile(Path("changed.vozaz2")));
  EXPECT_EQ(changed.title, "Втулка вниз (изменён)");
  EXPECT_NE(changed.description.find("VL = 0,05 (в уроке 0,1)"), std::string::npos) << changed.description;

  ASSERT_TRUE(form->OpenExperiment(Path("startup.vozaz2")));
  EXPECT_EQ(form->windowTitle(), "Vozaz2");
  EXPECT_FALSE(Get<QAbstractButton>("Option2")->isChecked());
  Settle();
  EXPECT_FALSE(form->findChild<QWidget*>("Lesson")) << "no description, no lesson window";
}

// A file that cannot be opened, or is no experiment (a row for each stage of
// the reading): one message naming the file and the problem, and nothing
// changes: not the boxes, the controls, the screens, the title, the record of
// the run, nor the run itself, which goes on.
class BadFile : public FilesTest, public ::testing::WithParamInterface<std::pair<const char*, QByteArray>> {};

TEST_P(BadFile, GivesTheMessageAndChangesNothing) {
  const auto& [name, content] = GetParam();
  const QString path = content.isNull() ? Path(name) : Write(name, content);  // "." is a folder
  Click(Get<QAbstractButton>("Option6"));
  Click(Get<QPushButton>("Command1"));
  ASSERT_TRUE(WaitForSteps(5));
  Click(Get<QAbstractButton>("Check3"));
  PictureBox *screen2 = Get<PictureBox>("Picture2"), *screen3 = Get<PictureBox>("Picture3");
  auto everything = [&] {
    QStringList switches;
    for (int n = 1; n <= 12; ++n) switches << QString("%1%2").arg(Switch(n)->isChecked()).arg(Switch(n)->isEnabled());
    return std::tuple(Snap(*form), switches, form->windowTitle(), *screen2->Image(), *screen3->Image(),
                      form->Simulation().ToSave(form->Simulation().Typed()));
  };
  const auto before = everything();
  bool unchanged = false;
  messages.whileOpen = [&] { unchanged = everything() == before; };
  EXPECT_FALSE(form->OpenExperiment(path));
  ASSERT_EQ(messages.shown.size(), 1u);
  const QString shown = QString::fromStdString(messages.shown[0]);
  EXPECT_TRUE(shown.contains(QFileInfo(path).fileName())) << messages.shown[0];
  EXPECT_TRUE(shown.contains(std::get<FileProblem>(ReadExperimentFile(path)).what)) << messages.shown[0];
  EXPECT_TRUE(unchanged);
  EXPECT_TRUE(WaitForSteps(3)) << "the run goes on";
}

const QByteArray kHead = R"({"format": "vozaz2-experiment", "version": 1, )";
INSTANTIATE_TEST_SUITE_P(
    Form1, BadFile,
    ::testing::Values(std::pair("missing.vozaz2", QByteArray()), std::pair(".", QByteArray()),
                      std::pair("empty.vozaz2", QByteArray("")), std::pair("list.vozaz2", QByteArray("[1]")),
                      std::pair("format.vozaz2", QByteArray(R"({"version": 1})")),
                      std::pair("key.vozaz2", kHead + R"("parametrs": {}})"),
                      std::pair("number.vozaz2", kHead + R"("parameters": {"R1": "два"}})"),
                      std::pair("control.vozaz2", kHead + R"("before": ["Option9"]})"),
                      std::pair("order.vozaz2", kHead + R"("events": [{"step": 5, "click": "Check3"},
                                                                         {"step": 2, "click": "Check3"}]})"),
                      std::pair("steps.vozaz2", kHead + R"("steps": -1})"),
                      std::pair("large.vozaz2", kHead + R"("title": ")" + QByteArray(kMaxExperimentFileBytes, 'a') + "\"}")),
    [](const auto& info) { return std::to_string(info.index); });

// The lessons that come with the program are in the menu by their titles,
// and each of them opens.
TEST_F(FilesTest, EveryLessonOpensFromTheMenu) {
  const QList<QAction*> entries = Get<QMenu>("LessonsMenu")->actions();
  ASSERT_GE(entries.size(), 9);
  for (QAction* entry : entries) {
    entry->trigger();
    EXPECT_EQ(form->windowTitle(), "Vozaz2 — " + entry->text().replace("&&", "&"));
  }
  EXPECT_TRUE(messages.shown.empty());
}

// The menu bar stands above the form, and every control keeps its place in
// the form.
TEST_F(FilesTest, TheMenuBarLeavesTheFormInPlace) {
  const QMenuBar* bar = Get<QMenuBar>("MenuBar");
  const int top = bar->geometry().bottom() + 1;
  EXPECT_GT(top, 10);
  EXPECT_EQ(bar->geometry().top(), 0);
  for (const Form1Control& c : kForm1Layout) {
    if (c.frame) continue;
    const QWidget* w = Get(c.name);
    const QPoint at = w->mapTo(form, QPoint(0, 0));
    EXPECT_EQ(at, QPoint(Pixels(c.left), top + Pixels(c.top))) << c.name;
  }
  QStringList menus;
  for (QAction* a : bar->actions())
    if (a->isVisible()) menus << a->text();
  EXPECT_EQ(menus, QStringList({"&Файл", "&Опыт", "&Вид", "&Справка"}));
  EXPECT_EQ(Get<QMenu>("ViewMenu")->actions().value(0), Get<QMenu>("TempoMenu")->menuAction());
  QStringList shortcuts;
  for (QAction* a : Get<QMenu>("FileMenu")->actions()) shortcuts << a->shortcut().toString();
  EXPECT_TRUE(shortcuts.contains("Ctrl+O") && shortcuts.contains("Ctrl+S"));
}

// A file is proposed under the experiment's title and the date, in the folder
// used last, but never in the lessons' own folder.
TEST(SaveDialogs, NamesFromTheTitleOutsideTheLessons) {
  QTemporaryDir lessons, mine;
  const QString date = QDate::currentDate().toString("yyyy-MM-dd");
  EXPECT_EQ(ProposedPath(mine.path(), {lessons.path()}, "Нить: вверх/вниз?", "vozaz2"),
            mine.path() + "/Нить- вверх-вниз- " + date + ".vozaz2");
  const QString proposed = ProposedPath(lessons.path() + "/", {lessons.path()}, "", "csv");
  EXPECT_FALSE(proposed.startsWith(lessons.path())) << proposed.toStdString();
  EXPECT_TRUE(proposed.endsWith("/Опыт " + date + ".csv")) << proposed.toStdString();
}

// Every lesson shipped, in the order of its numbered file, runs in the
// window to its end (its steps, or the oscillogram's width) without a
// message, and stands over there.
TEST_F(FilesTest, EveryLessonEndsWithoutAMessage) {
  const auto lessons = Form1::Lessons();
  ASSERT_GE(lessons.size(), 9);
  for (qsizetype i = 1; i < lessons.size(); ++i) EXPECT_LT(lessons[i - 1].second, lessons[i].second);
  for (const auto& [title, path] : lessons) {
    SCOPED_TRACE(title.toStdString());
    ASSERT_TRUE(form->OpenExperiment(path));
    if (form->CurrentTask()) Type(Get<QLineEdit>("TaskPrediction"), "1");  // a task asks first
    Click(Get<QPushButton>("Command1"));
    Click(Get<QPushButton>("Command2"));
    for (int i = 0; i < 100000 && form->Simulation().State() == RunState::kStopped; ++i)
      Get<QPushButton>("Command7")->click();
    EXPECT_EQ(form->Simulation().State(), RunState::kOver);
    EXPECT_TRUE(Get<QLabel>("RunState")->text().startsWith("Опыт окончен")) << Get<QLabel>("RunState")->text().toStdString();
    EXPECT_EQ(messages.shown, std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace vozaz2::testing
