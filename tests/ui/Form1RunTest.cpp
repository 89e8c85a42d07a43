// Runs in the main window, driven with the mouse and the keyboard, and what
// they leave on the screens and on the clipboard.
#include <QAction>
#include <QMenu>
#include <QClipboard>
#include <QCursor>
#include <QLocale>
#include <QTimer>
#include <algorithm>
#include <cfenv>
#include <cmath>
#include <map>

#include "model/NumberText.h"
#include "run/Screens.h"
#include "tests/ui/WindowFixture.h"
#include "ui/ImageSurface.h"

namespace vozaz2::testing {
namespace {

QString Number(double v, const QString& point = ",") {
  return QString::fromStdString(NumberText(v, point.front().toLatin1()));
}

// Form_Load, in the locale the window opens in ('#' stands for its decimal
// point): the inputs show the defaults, every result box its own name; the
// first option of each frame is selected, nothing is ticked, nothing ticks and
// the screens are blank. "Начать" reads the defaults back, writes the start
// values in the same notation and steps every millisecond, each step leaving
// its numbers in the boxes. Floating-point flags left over by the event loop
// mean nothing to a step.
class StartUp : public WindowTest, public ::testing::WithParamInterface<QLocale::Language> {
  void SetUp() override { QLocale::setDefault(QLocale(GetParam())); WindowTest::SetUp(); }
  void TearDown() override { WindowTest::TearDown(); QLocale::setDefault(QLocale(QLocale::Russian)); }
};

TEST_P(StartUp, OpensWithTheDefaultsAndStartsFromThem) {
  EXPECT_EQ(form->windowTitle(), "Vozaz2");
  const QString point = QLocale().decimalPoint();
  auto local = [&](const char* text) { return QString::fromUtf8(text).replace('#', point); };
  const std::map<int, const char*> inputs = {{1, "1"},   {2, "2"},      {7, "10"},   {8, "1"},
                                             {9, "0#1"}, {30, "0#005"}, {32, "0#5"}, {33, "5"},
                                             {34, "2"},  {35, "1"},     {36, "1#2"}};
  for (int n = 1; n <= 43; ++n) {
    const QString name = QString("Text%1").arg(n);
    const auto input = inputs.find(n);
    EXPECT_EQ(Get<QLineEdit>(name)->text(), input == inputs.end() ? name : local(input->second));
  }
  for (int n = 1; n <= 12; ++n)
    EXPECT_EQ(Switch(n)->isChecked(), n <= 8 && n % 2 == 1) << Switch(n)->objectName().toStdString();
  for (PictureBox* screen : {Get<PictureBox>("Picture2"), Get<PictureBox>("Picture3")}) {
    QImage white(screen->Image()->size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(Rgb(*screen->Image()), white);
  }
  QTest::qWait(30);
  EXPECT_EQ(Record().T0, 0) << "a tick before \"Начать\"";

  std::feraiseexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
  Click(Get<QPushButton>("Command1"));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Record().VLset, 0.1);
  const std::pair<const char*, const char*> boxes[] = {  // V1, J1, h1, Mx = 2 R1 / 5, FL2
      {"Text3", "2"}, {"Text4", "2"}, {"Text5", "2#4525"}, {"Text32", "0#4"}, {"Text43", "0"}};
  for (auto [box, text] : boxes) EXPECT_EQ(Get<TextBox>(box)->text(), local(text));
  EXPECT_EQ(Get<QTimer>("Timer1")->interval(), 1);
  QTimer raiser;
  QObject::connect(&raiser, &QTimer::timeout, [] { std::feraiseexcept(FE_INVALID | FE_OVERFLOW); });
  raiser.start(0);
  ASSERT_TRUE(WaitForSteps(20));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Get<TextBox>("Text21")->text(), "4");  // E1
  EXPECT_EQ(Get<TextBox>("Text31")->text(), Number(Record().T, point));
}

INSTANTIATE_TEST_SUITE_P(Form1, StartUp, ::testing::Values(QLocale::Russian, QLocale::English));

// A bad parameter gives the input message and changes nothing: no run
// starts, or the run under way goes on as it was; no step runs while the
// message is open.
class BadInput : public WindowTest, public ::testing::WithParamInterface<std::tuple<const char*, bool>> {};

TEST_P(BadInput, ShowsTheInputMessageAndChangesNothing) {
  const auto [text, duringRun] = GetParam();
  if (duringRun) Click(Get<QPushButton>("Command1"));
  ASSERT_TRUE(!duringRun || WaitForSteps(2));
  const QString v1 = Get<TextBox>("Text3")->text();
  const QImage path = *Get<PictureBox>("Picture3")->Image();
  const double cl = Record().CL;
  bool ticked = true;
  messages.whileOpen = [&] {
    const double t = Record().T0;
    QTest::qWait(30);  // an event loop runs, as in a real message box
    ticked = Record().T0 != t;
  };
  Type(Get<TextBox>("Text7"), QString::fromUtf8(text));  // CL
  Click(Get<QPushButton>("Command1"));
  EXPECT_EQ(messages.shown, std::vector<std::string>{kInputMessage});
  EXPECT_FALSE(ticked);
  EXPECT_EQ(Record().CL, cl);
  EXPECT_EQ(Get<TextBox>("Text3")->text(), v1);
  EXPECT_TRUE(duringRun || *Get<PictureBox>("Picture3")->Image() == path) << "a screen prepared";
  EXPECT_EQ((form->Simulation().State() != RunState::kIdle), duringRun);
  EXPECT_TRUE(!duringRun || WaitForSteps(2)) << "the run goes on";
}

INSTANTIATE_TEST_SUITE_P(Form1, BadInput,
                         ::testing::Values(std::tuple("abc", false), std::tuple("", false), std::tuple("0", false),
                                           std::tuple("1..2", false), std::tuple("1e999", false),
                                           std::tuple("x", true)));

// Stop, one step and continue, by the buttons and by the keys F5, F6 (stop
// or continue) and F8; before the first start a step does nothing.
class RunControl : public WindowTest, public ::testing::WithParamInterface<bool> {
 protected:
  void Do(QPushButton* button, Qt::Key key) { GetParam() ? QTest::keyClick(form, key) : Click(button); }
};

TEST_P(RunControl, StopsStepsAndContinues) {
  if (GetParam()) Activate();
  const QTimer* timer = Get<QTimer>("Timer1");
  Do(Get<QPushButton>("Command7"), Qt::Key_F8);
  EXPECT_EQ(Record().T0, 0);
  Do(Get<QPushButton>("Command1"), Qt::Key_F5);
  ASSERT_TRUE(WaitForSteps(3));
  Do(Get<QPushButton>("Command2"), Qt::Key_F6);
  EXPECT_FALSE(timer->isActive());
  const double stopped = Record().T0;
  QTest::qWait(30);
  EXPECT_EQ(Record().T0, stopped);
  Do(Get<QPushButton>("Command7"), Qt::Key_F8);
  EXPECT_DOUBLE_EQ(Record().T0, stopped + Record().P0);
  EXPECT_EQ(Get<TextBox>("Text31")->text(), Number(Record().T));
  EXPECT_FALSE(timer->isActive());
  Do(Get<QPushButton>("Command3"), Qt::Key_F6);
  EXPECT_TRUE(WaitForSteps(3));
}

INSTANTIATE_TEST_SUITE_P(Form1, RunControl, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Keys" : "Buttons"; });

// A dumbbell whose centre circles 0.51 m from the axis: its inner ball meets
// the sleeve at the first step. The timer stops, the (six-line) divergence
// message is shown once; a step by hand fails and says so again.
TEST_F(WindowTest, DivergenceStopsTheTimerAndShowsItsMessageOnce) {
  Click(Get<QAbstractButton>("Option8"));  // "m=1+1"
  Type(Get<TextBox>("Text1"), "0,51");
  const QTimer* timer = Get<QTimer>("Timer1");
  bool stoppedWhileOpen = false;
  messages.whileOpen = [&] { stoppedWhileOpen = !timer->isActive(); };
  Click(Get<QPushButton>("Command1"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.shown.empty(); }, 5000));
  QTest::qWait(50);
  ASSERT_EQ(messages.shown, std::vector<std::string>{DivergenceMessage()});
  EXPECT_TRUE(stoppedWhileOpen);
  EXPECT_FALSE(timer->isActive());
  Click(Get<QPushButton>("Command7"));
  EXPECT_EQ(messages.shown.size(), 2u);
}

// "Очистить экраны" during a run leaves the bare grids, drawn here
// independently, in the images and on the display; twice is once.
TEST_F(WindowTest, ClearScreensLeavesTheBareGrids) {
  ImageSurface grid2(kScreen2Width, kScreen2Height), grid3(kScreen3Width, kScreen3Height);  // blank
  PrepareScreen2(grid2);
  PrepareScreen3(grid3);
  PictureBox *screen2 = Get<PictureBox>("Picture2"), *screen3 = Get<PictureBox>("Picture3");
  Click(Get<QPushButton>("Command1"));
  ASSERT_TRUE(WaitForSteps(20));
  EXPECT_NE(*screen2->Image(), grid2.Image()) << "the run has drawn";
  for (int i = 0; i < 2; ++i) {
    Click(Get<QPushButton>("Command2"));
    Click(Get<QPushButton>("Command5"));
    EXPECT_EQ(*screen2->Image(), grid2.Image());
    EXPECT_EQ(*screen3->Image(), grid3.Image());
  }
  Settle();
  EXPECT_EQ(Rgb(screen3->grab(screen3->contentsRect()).toImage()), Rgb(grid3.Image()));
}

// Tab walks the inputs in reading order, then the buttons; Ctrl+Shift+C
// copies the readout as a table.
TEST_F(WindowTest, KeysWalkTheInputsAndCopy) {
  Activate();
  Get<TextBox>("Text1")->setFocus();
  for (const char* next : {"Text2", "Text7", "Text8", "Text9", "Text32", "Text33", "Text34", "Text35", "Text30",
                           "Text36", "Command1"}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), next);
  }
  Click(Get<QPushButton>("Command1"));
  ASSERT_TRUE(WaitForSteps(20));
  Click(Get<QPushButton>("Command2"));
  QTest::keyClick(Get<PictureBox>("Picture3"), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  const QStringList rows = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(rows.size(), 43) << "every text box";
  EXPECT_EQ(rows.front(), "R1\t1");
  EXPECT_TRUE(rows.contains("T, с\t" + Get<TextBox>("Text31")->text()));
  for (const QString& row : rows) EXPECT_EQ(row.count('\t'), 1) << row.toStdString();
}

// Ctrl+C copies the screen under the mouse pointer whatever has the focus (a
// text box just typed in, another screen); away from the screens, the screen
// with the focus, or a focused box's selected text.
TEST_F(WindowTest, CtrlCCopiesTheScreenPointedAt) {
  Click(Get<QPushButton>("Command1"));
  ASSERT_TRUE(WaitForSteps(20));
  Click(Get<QPushButton>("Command2"));
  Activate();
  struct Row {
    QWidget* focus;
    QWidget* pointer;
    PictureBox* copied;  // nullptr: the box's selected text
  };
  TextBox *r1 = Get<TextBox>("Text1"), *fl = Get<TextBox>("Text17");
  PictureBox *screen2 = Get<PictureBox>("Picture2"), *screen3 = Get<PictureBox>("Picture3");
  QPushButton* start = Get<QPushButton>("Command1");
  const Row rows[] = {{r1, screen3, screen3},
                      {fl, screen2, screen2},
                      {screen2, screen3, screen3},
                      {screen2, start, screen2},
                      {r1, start, nullptr}};
  for (const Row& row : rows) {
    SCOPED_TRACE((row.focus->objectName() + " / " + row.pointer->objectName()).toStdString());
    QGuiApplication::clipboard()->clear();
    if (row.focus == r1) Type(r1, "0,75");
    row.focus->setFocus();
    if (auto* box = qobject_cast<QLineEdit*>(row.focus)) box->selectAll();
    QCursor::setPos(row.pointer->mapToGlobal(row.pointer->rect().center()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    if (row.copied)
      EXPECT_EQ(Rgb(QGuiApplication::clipboard()->image()), Rgb(*row.copied->Image()));
    else
      EXPECT_EQ(QGuiApplication::clipboard()->text(), "0,75");
  }
}

// Enter in an input box starts the run, as "Начать" does, bad input and all;
// in a result box it does nothing.
TEST_F(WindowTest, EnterInAnInputBoxStarts) {
  Activate();
  TextBox *r2 = Get<TextBox>("Text11"), *cl = Get<TextBox>("Text7");
  Type(r2, "1");
  QTest::keyClick(r2, Qt::Key_Return);
  EXPECT_FALSE((form->Simulation().State() != RunState::kIdle));
  Type(cl, "abc");
  QTest::keyClick(cl, Qt::Key_Return);
  EXPECT_EQ(messages.shown, std::vector<std::string>{kInputMessage});
  EXPECT_FALSE((form->Simulation().State() != RunState::kIdle));
  Type(cl, "20");
  QTest::keyClick(cl, Qt::Key_Enter);
  EXPECT_EQ(Record().CL, 20);
  EXPECT_TRUE(Get<QTimer>("Timer1")->isActive());
  EXPECT_TRUE(WaitForSteps(3));
}

// The tempo, by its keys: named in the title and checked in its menu; paced,
// stopped and continued, the steps are those of a run as fast as possible:
// the same numbers in every box, the same pictures. (How many steps the
// clock allows is the pacer's, tested without a clock in the core.)
TEST_F(WindowTest, TempoChangesThePaceOnly) {
  Activate();
  struct Row {
    Qt::Key key;
    Tempo tempo;
    const char* title;
  };
  for (const Row& row : {Row{Qt::Key_3, Tempo::Slowed, "Vozaz2 — замедленно"},
                         Row{Qt::Key_1, Tempo::Fastest, "Vozaz2"},
                         Row{Qt::Key_2, Tempo::RealTime, "Vozaz2 — реальное время"}}) {
    QTest::keyClick(form, row.key, Qt::ControlModifier);
    EXPECT_EQ(form->CurrentTempo(), row.tempo);
    EXPECT_EQ(form->windowTitle(), row.title);
    const QList<QAction*> entries = Get<QMenu>("TempoMenu")->actions();
    EXPECT_EQ(std::count_if(entries.begin(), entries.end(), [](QAction* a) { return a->isChecked(); }), 1);
    EXPECT_TRUE(entries.at(static_cast<int>(row.tempo))->isChecked());
  }

  auto steps = [&] { return static_cast<long>(std::lround(Record().T0 / Record().P0)); };
  Click(Get<QPushButton>("Command1"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return steps() >= 3; }, 20000));
  QTest::keyClick(form, Qt::Key_F6);
  QTest::keyClick(form, Qt::Key_F6);
  const long before = steps();
  ASSERT_TRUE(QTest::qWaitFor([&] { return steps() > before; }, 20000));
  QTest::keyClick(form, Qt::Key_F6);

  const HeadlessRun fast(steps());
  for (int n = 1; n <= kBoxCount; ++n)
    EXPECT_EQ(Get<QLineEdit>(QString("Text%1").arg(n))->text().toStdString(), fast.Text(n)) << n;
  EXPECT_EQ(*Get<PictureBox>("Picture2")->Image(), fast.screen2.Image());
  EXPECT_EQ(*Get<PictureBox>("Picture3")->Image(), fast.screen3.Image());
}

// A run ends where it is told, with the timer, and goes on with F6; the
// line under the form says where the run stands.
TEST_F(WindowTest, RunEndsAtItsLimitAndSaysSo) {
  form->SetRunLimit({RunLimit::Kind::kSteps, 40, 0});
  auto* state = Get<QLabel>("RunState");
  EXPECT_EQ(state->text(), "Опыт не начат");
  Click(Get<QPushButton>("Command1"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->Simulation().State() == RunState::kOver; }, 60000));
  EXPECT_EQ(form->Simulation().Steps(), 40);
  EXPECT_FALSE(form->findChild<QTimer*>("Timer1")->isActive());
  EXPECT_EQ(state->text(), "Опыт окончен: T = 0,2 с, 40 шагов (F6 — продолжить дальше)");
  Activate();
  QTest::keyClick(form, Qt::Key_F6);
  ASSERT_TRUE(WaitForSteps(3));
  QTest::keyClick(form, Qt::Key_F6);
  EXPECT_TRUE(state->text().startsWith("Опыт остановлен: T = ")) << state->text().toStdString();
  EXPECT_TRUE(messages.shown.empty());
}

// A number that does not read, or means nothing, gets the input message and
// leaves the focus in its box with the text selected.
TEST_F(WindowTest, BadNumbersKeepTheFocusInTheirBox) {
  Activate();
  for (const auto& [box, text] : {std::pair{"Text1", "abc"}, std::pair{"Text8", "-5"}}) {
    messages.shown.clear();
    Type(Get<TextBox>(box), text);
    Click(Get<QPushButton>("Command1"));
    EXPECT_EQ(messages.shown, std::vector<std::string>{kInputMessage});
    EXPECT_EQ(QApplication::focusWidget(), Get<TextBox>(box));
    EXPECT_EQ(Get<TextBox>(box)->selectedText(), text);
    Type(Get<TextBox>(box), "1");
  }
}

}  // namespace
}  // namespace vozaz2::testing
