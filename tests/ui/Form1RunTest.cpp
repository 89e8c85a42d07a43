// Runs in the main window, driven with the mouse and the keyboard: start,
// stop, continue and single steps; bad input; a divergence; the message box;
// the screens; the help window and "Выход"; the copies to the clipboard.
#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <cfenv>

#include "help/Form2.h"
#include "model/NumberText.h"
#include "run/Screens.h"
#include "tests/ui/WindowFixture.h"
#include "ui/ImageSurface.h"
#include "ui/ModeButtons.h"
#include "ui/PictureBox.h"

namespace vozaz2::testing {
namespace {

QString Number(double v) { return QString::fromStdString(NumberText(v, ',')); }

// The two screens as "Очистить экраны" leaves them, drawn independently.
QImage BareGrid(int screen) {
  ImageSurface s(screen == 2 ? kScreen2Width : kScreen3Width,
                 screen == 2 ? kScreen2Height : kScreen3Height);
  s.Cls();
  if (screen == 2)
    PrepareScreen2(s);
  else
    PrepareScreen3(s);
  return s.Image();
}

// What the box shows on the display: its image copied by paintEvent.
QImage Displayed(PictureBox* box) {
  return box->grab(box->contentsRect()).toImage().convertToFormat(QImage::Format_RGB32);
}

// --- Start ---------------------------------------------------------------

TEST_F(WindowTest, StartWithTheDefaultsFillsTheBoxesInRussianNotation) {
  Click(form->Command1);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(form->Text9->text(), "0,1");  // read back as typed
  EXPECT_EQ(form->Text3->text(), "2");    // V1 = w1 R1
  EXPECT_EQ(form->Text4->text(), "2");    // J1 = m R1^2
  EXPECT_EQ(form->Text5->text(), "2,4525");  // h1 = g / w1^2
  EXPECT_EQ(form->Text6->text(), Number(std::sqrt(1 + 2.4525 * 2.4525)));
  EXPECT_EQ(form->Text32->text(), "0,4");  // Mx = 2 R1 / 5
  EXPECT_EQ(form->Text37->text(), "0");
  EXPECT_EQ(form->Text43->text(), "0");
  EXPECT_TRUE(form->Timer1->isActive());
  EXPECT_EQ(form->Timer1->interval(), 1);

  ASSERT_TRUE(WaitForSteps(3));
  EXPECT_EQ(form->Text21->text(), "4");  // E1
  EXPECT_EQ(form->Text28->text(), "4");  // MKD1
  EXPECT_NE(form->Text31->text(), "Text31");
  EXPECT_TRUE(form->PacingRepaints());
}

// The boxes are the experiment's memory: after every step each box holds the
// text of its quantity, whatever the display has shown of it yet.
TEST_F(WindowTest, EveryStepLeavesItsNumbersInTheBoxes) {
  int checked = 0;
  QObject::connect(form->Timer1, &QTimer::timeout, form, [&] {
    const SimRecord& r = Record();
    EXPECT_EQ(form->Text31->text(), Number(r.T));
    EXPECT_EQ(form->Text17->text(), Number(r.FL));
    EXPECT_EQ(form->Text13->text(), Number(r.V2));
    EXPECT_EQ(form->Text29->text(), Number(r.MKD2));
    ++checked;
  });
  Click(form->Command1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return checked >= 50; }, 10000));
}

// --- Bad input ------------------------------------------------------------

class BadInput : public WindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(BadInput, ShowsTheInputMessageAndChangesNothing) {
  Type(form->Text7, QString::fromUtf8(GetParam()));  // CL
  const SimRecord before = Record();
  const QImage path = *form->Picture3->Image();
  Click(form->Command1);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0], kInputMessage);
  EXPECT_EQ(Record().R1, before.R1);
  EXPECT_EQ(Record().T0, before.T0);
  EXPECT_EQ(*form->Picture3->Image(), path);
  EXPECT_EQ(form->Text3->text(), "Text3");
  EXPECT_FALSE(form->Timer1->isActive());
  EXPECT_FALSE(form->Simulation().Started());
}

INSTANTIATE_TEST_SUITE_P(Form1, BadInput, ::testing::Values("abc", "", "0", "1..2", "1e999"));

// A bad "Начать" during a run leaves the run going; while its message is
// open, no step runs.
TEST_F(WindowTest, BadStartDuringARunKeepsTheRunAndHoldsItsTicks) {
  Click(form->Command1);
  ASSERT_TRUE(WaitForSteps(2));
  bool tickedWhileOpen = false, timerStoppedWhileOpen = false;
  messages.whileOpen = [&] {
    timerStoppedWhileOpen = !form->Timer1->isActive();
    const double t = Record().T0;
    QTest::qWait(30);  // an event loop runs, as in a real message box
    tickedWhileOpen = Record().T0 != t;
  };
  Type(form->Text2, "x");  // w1
  const double r1 = Record().R1;
  Click(form->Command1);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(timerStoppedWhileOpen);
  EXPECT_FALSE(tickedWhileOpen);
  EXPECT_EQ(Record().R1, r1);
  EXPECT_TRUE(form->Timer1->isActive()) << "the run goes on";
  EXPECT_TRUE(WaitForSteps(2));
}

// --- Stop, continue, one step, and their keys ------------------------------

TEST_F(WindowTest, StopContinueAndSingleStep) {
  Click(form->Command1);
  ASSERT_TRUE(WaitForSteps(3));
  Click(form->Command2);  // "Остановить"
  EXPECT_FALSE(form->Timer1->isActive());
  EXPECT_FALSE(form->PacingRepaints());
  const double stopped = Record().T0;
  QTest::qWait(30);
  EXPECT_EQ(Record().T0, stopped);

  Click(form->Command7);  // "Сделать 1 шаг"
  EXPECT_DOUBLE_EQ(Record().T0, stopped + Record().P0);
  EXPECT_EQ(form->Text31->text(), Number(Record().T));
  EXPECT_FALSE(form->Timer1->isActive());

  Click(form->Command3);  // "Продолжить"
  EXPECT_TRUE(form->Timer1->isActive());
  EXPECT_TRUE(WaitForSteps(3));
}

TEST_F(WindowTest, KeysF5F6F8RunTheCommands) {
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form));
  QTest::keyClick(form, Qt::Key_F5);
  EXPECT_TRUE(form->Timer1->isActive());
  ASSERT_TRUE(WaitForSteps(2));
  QTest::keyClick(form, Qt::Key_F6);
  EXPECT_FALSE(form->Timer1->isActive());
  const double t = Record().T0;
  QTest::keyClick(form, Qt::Key_F8);
  EXPECT_DOUBLE_EQ(Record().T0, t + Record().P0);
  QTest::keyClick(form, Qt::Key_F6);
  EXPECT_TRUE(form->Timer1->isActive());
}

TEST_F(WindowTest, ContinueBeforeAnyStartMakesNoStep) {
  Click(form->Command3);
  Click(form->Command7);
  QTest::qWait(30);
  EXPECT_FALSE(form->Timer1->isActive());
  EXPECT_EQ(Record().T0, 0);
  EXPECT_EQ(form->Text31->text(), "Text31");
}

// --- Divergence -------------------------------------------------------------

// A dumbbell whose centre circles 0.51 m from the axis: its inner ball meets
// the sleeve at the first step.
TEST_F(WindowTest, DivergenceStopsTheTimerAndShowsItsMessageOnce) {
  Click(form->Option8);  // "m=1+1"
  Type(form->Text1, "0,51");
  bool tickedWhileOpen = false, timerStoppedWhileOpen = false;
  messages.whileOpen = [&] {
    timerStoppedWhileOpen = !form->Timer1->isActive();
    const double t = Record().T0;
    QTest::qWait(30);
    tickedWhileOpen = Record().T0 != t;
  };
  Click(form->Command1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.shown.empty(); }, 5000));
  QTest::qWait(50);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0], DivergenceMessage());
  EXPECT_EQ(QString::fromStdString(messages.shown[0]).count("\r\n"), 5) << "six lines";
  EXPECT_TRUE(timerStoppedWhileOpen);
  EXPECT_FALSE(tickedWhileOpen);
  EXPECT_FALSE(form->Timer1->isActive());
  EXPECT_FALSE(form->Simulation().Timer1().Enabled);
  // Another step by hand fails again and says so again.
  Click(form->Command7);
  EXPECT_EQ(messages.shown.size(), 2u);
}

// The window's own message box: titled "Vozaz2", the text with its line
// breaks and leading blanks, one OK button, no icon. It is closed here by a
// timer, as a user would close it.
TEST_F(WindowTest, MessageBoxIsTitledVozaz2WithOneOkAndNoIcon) {
  form->SetMessageSink(nullptr);
  QString title, text;
  int buttons = -1;
  QMessageBox::Icon icon = QMessageBox::Warning;
  bool tickedWhileOpen = false;
  auto closeBox = [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return false;
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    buttons = static_cast<int>(box->buttons().size());
    const double t = Record().T0;
    QTest::qWait(30);
    tickedWhileOpen = Record().T0 != t;
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    return true;
  };
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    closer.stop();
    if (!closeBox()) closer.start(10);
  });
  Click(form->Command1);
  ASSERT_TRUE(WaitForSteps(2));
  Type(form->Text30, "x1");
  closer.start(10);
  Click(form->Command1);  // returns when the box is closed
  EXPECT_EQ(title, "Vozaz2");
  EXPECT_EQ(text, QString::fromStdString(kInputMessage));
  EXPECT_EQ(icon, QMessageBox::NoIcon);
  EXPECT_EQ(buttons, 1);
  EXPECT_FALSE(tickedWhileOpen);
  EXPECT_TRUE(form->Timer1->isActive());
}

// Floating-point flags left over by the event loop mean nothing to the
// experiment: a run starts and steps through them.
TEST_F(WindowTest, StaleFloatingPointFlagsDoNotStopARun) {
  std::feraiseexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
  Click(form->Command1);
  QTimer raiser;
  QObject::connect(&raiser, &QTimer::timeout, [] { std::feraiseexcept(FE_INVALID | FE_OVERFLOW); });
  raiser.start(0);
  ASSERT_TRUE(WaitForSteps(20));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(form->Timer1->isActive());
}

// --- Screens ---------------------------------------------------------------

TEST_F(WindowTest, ClearScreensLeavesTheBareGridsDuringARun) {
  Click(form->Command1);
  ASSERT_TRUE(WaitForSteps(20));
  Click(form->Command2);
  EXPECT_NE(*form->Picture2->Image(), BareGrid(2)) << "the run has drawn";
  Click(form->Command5);  // "Очистить экраны"
  EXPECT_EQ(*form->Picture2->Image(), BareGrid(2));
  EXPECT_EQ(*form->Picture3->Image(), BareGrid(3));
  Settle();
  EXPECT_EQ(Displayed(form->Picture2), BareGrid(2).convertToFormat(QImage::Format_RGB32));
  Click(form->Command5);
  EXPECT_EQ(*form->Picture3->Image(), BareGrid(3)) << "twice is once";
}

// What a screen shows is its image, after a run, a resize of the window and
// a repaint: the image is the truth.
TEST_F(WindowTest, ScreensShowTheirImagesAfterRunsAndResizes) {
  Click(form->Command1);
  ASSERT_TRUE(WaitForSteps(50));
  Click(form->Command2);
  Settle();
  EXPECT_EQ(Displayed(form->Picture2), form->Picture2->Image()->convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(Displayed(form->Picture3), form->Picture3->Image()->convertToFormat(QImage::Format_RGB32));
  form->resize(500, 400);
  form->resize(900, 700);
  Settle();
  EXPECT_EQ(form->Picture3->geometry(), QRect(528, 0, 265, 265)) << "nothing moves with the window";
  EXPECT_EQ(Displayed(form->Picture3), form->Picture3->Image()->convertToFormat(QImage::Format_RGB32));
}

// --- Help window and exit ---------------------------------------------------

int HelpWindows() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<Form2*>(w) && w->isVisible()) ++n;
  return n;
}

TEST_F(WindowTest, AboutTwiceOpensOneHelpWindowAndReopeningShowsTheTextOnce) {
  Click(form->Command6);
  Click(form->Command6);
  EXPECT_EQ(HelpWindows(), 1);
  QPointer<Form2> help = ShowHelpWindow();
  ASSERT_TRUE(help);
  const QString text = help->Text1->toPlainText();
  ASSERT_FALSE(text.isEmpty());
  help->close();
  Settle();
  EXPECT_EQ(HelpWindows(), 0);
  Click(form->Command6);
  help = ShowHelpWindow();
  ASSERT_TRUE(help);
  EXPECT_EQ(help->Text1->toPlainText(), text) << "built anew, not doubled";
  EXPECT_EQ(HelpWindows(), 1);
}

TEST_F(WindowTest, ExitDuringARunClosesOnlyTheMainWindow) {
  Click(form->Command6);
  QPointer<Form2> help = ShowHelpWindow();
  Click(form->Command1);
  ASSERT_TRUE(WaitForSteps(2));
  QPointer<QTimer> timer = form->Timer1;
  Click(form->Command4);  // "Выход"
  Settle();
  EXPECT_FALSE(form) << "the main window is discarded, its timer with it";
  EXPECT_FALSE(timer);
  EXPECT_TRUE(messages.shown.empty());
  ASSERT_TRUE(help);
  EXPECT_TRUE(help->isVisible());
}

TEST_F(WindowTest, AClosedWindowKeptAliveMakesNoMoreSteps) {
  form->setAttribute(Qt::WA_DeleteOnClose, false);
  Click(form->Command1);
  ASSERT_TRUE(WaitForSteps(2));
  form->close();  // as the title bar's close box does
  const double t = Record().T0;
  QTest::qWait(30);
  EXPECT_EQ(Record().T0, t);
  EXPECT_FALSE(form->Timer1->isActive());
}

// --- Clipboard ---------------------------------------------------------------

TEST_F(WindowTest, CtrlCOverAScreenCopiesItsPicture) {
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form));
  Click(form->Command1);
  ASSERT_TRUE(WaitForSteps(20));
  Click(form->Command2);
  QTest::mouseClick(form->Picture3, Qt::LeftButton);  // the screen takes the focus
  QTest::keyClick(form->Picture3, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
            form->Picture3->Image()->convertToFormat(QImage::Format_RGB32));
}

TEST_F(WindowTest, CtrlShiftCCopiesTheReadoutAsATable) {
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form));
  Click(form->Command1);
  ASSERT_TRUE(WaitForSteps(5));
  Click(form->Command2);
  form->Text1->setFocus();
  QTest::keyClick(form->Text1, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  const QStringList rows = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(rows.size(), 43) << "every text box";
  EXPECT_EQ(rows.front(), "R1\t1");
  EXPECT_TRUE(rows.contains("VL, м/с\t0,1"));
  EXPECT_TRUE(rows.contains("T, с\t" + form->Text31->text()));
  EXPECT_TRUE(rows.contains("+/- EVL+ E1 - E2 - EL- Emg - Etr\t" + form->Text23->text()));
  for (const QString& row : rows) EXPECT_EQ(row.count('\t'), 1) << row.toStdString();
}

}  // namespace
}  // namespace vozaz2::testing
