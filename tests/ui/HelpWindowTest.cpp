// "About" and the help window it opens, as the user meets them from the main
// window, and "Выход" with the help window open.
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QWindow>

#include "help/Form2.h"
#include "help/HelpText.h"
#include "tests/ui/WindowFixture.h"

namespace vozaz2::testing {
namespace {

// The help window on the screen, if exactly one is.
Form2* Help() {
  std::vector<Form2*> open;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* help = qobject_cast<Form2*>(w); help && help->isVisible()) open.push_back(help);
  return open.size() == 1 ? open[0] : nullptr;
}

// The text as the box shows it: one "\n" for each CR LF.
bool ShowsTheText(Form2* help) {
  return help->Text1->toPlainText() == QString::fromStdString(HelpText()).remove('\r');
}

// The help window is closed by "Закрыть" and the main window discarded when
// closed (true), or by the title bar with the main window kept (false).
class HelpWindow : public WindowTest, public ::testing::WithParamInterface<bool> {};

// "About" opens one window titled "About" with the text once. Pressed again,
// it brings the same window back, typed text and all, shown normal and
// active, from minimised or from behind the main window. Closing discards the
// window with what was typed; "About" then, even before the deletion, loads a
// new one with the text once. "Выход" during a run closes the main window with
// no further step and no message; the help window stays.
TEST_P(HelpWindow, ComesBackOnceFreshAndOutlivesTheMainWindow) {
  Click(Get<QPushButton>("Command6"));
  QPointer<Form2> help = Help();
  ASSERT_TRUE(help);
  EXPECT_EQ(help->windowTitle(), "About");
  EXPECT_EQ(help->Command1->text(), "Закрыть");
  EXPECT_TRUE(ShowsTheText(help));
  QTest::keyClicks(help->Text1, "notes ");
  for (bool minimise : {true, false}) {
    if (minimise) {
      help->showMinimized();
      ASSERT_TRUE(QTest::qWaitFor([&] { return help->isMinimized(); }));
    }
    Activate();
    Click(Get<QPushButton>("Command6"));
    ASSERT_EQ(Help(), help.data());
    EXPECT_FALSE(help->isMinimized());
    EXPECT_TRUE(QTest::qWaitForWindowActive(help)) << (minimise ? "minimised" : "behind");
  }
  EXPECT_FALSE(ShowsTheText(help)) << "the open window keeps what was typed";

  GetParam() ? Click(help->Command1) : (void)help->windowHandle()->close();
  Click(Get<QPushButton>("Command6"));
  QPointer<Form2> fresh = Help();
  ASSERT_TRUE(fresh && fresh != help);
  EXPECT_TRUE(ShowsTheText(fresh));
  Settle();
  EXPECT_TRUE(help.isNull()) << "a closed help window is discarded";

  form->setAttribute(Qt::WA_DeleteOnClose, GetParam());
  Click(Get<QPushButton>("Command1"));
  ASSERT_TRUE(WaitForSteps(2));
  QPointer<QTimer> timer = Get<QTimer>("Timer1");
  const double t = Record().T0;
  Click(Get<QPushButton>("Command4"));  // "Выход"
  Settle();
  QTest::qWait(30);
  EXPECT_EQ(form.isNull(), GetParam());
  EXPECT_TRUE(!form || Record().T0 == t) << "a step after the close";
  EXPECT_TRUE(!timer || !timer->isActive());
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Help(), fresh.data());
}

// The help window follows the main window's zoom, shows both lines of its
// author line whole at every zoom (nothing of them on its label's last row
// of pixels, where the window's edge cuts), and closes with Escape.
TEST_F(WindowTest, HelpFollowsTheFormAndClosesWithEscape) {
  const auto authorLineWhole = [](Form2* help) {
    const QImage label = help->grab(help->Label1->geometry()).toImage();
    int lastRow = 0, rows = 0;
    for (int y = 0; y < label.height(); ++y) {
      bool ink = false;
      for (int x = 0; x < label.width(); ++x) ink = ink || qGray(label.pixel(x, y)) < 128;
      rows += ink;
      lastRow = ink ? y : lastRow;
    }
    return rows > 0 && lastRow < label.height() - 1;
  };
  ASSERT_TRUE(form->SetZoom(200));
  Click(Get<QPushButton>("Command6"));
  QPointer<Form2> help = Help();
  ASSERT_TRUE(help);
  EXPECT_EQ(help->size(), QSize(784, 512));
  EXPECT_TRUE(authorLineWhole(help));
  ASSERT_TRUE(form->SetZoom(100));
  EXPECT_EQ(help->size(), QSize(392, 256));
  EXPECT_TRUE(authorLineWhole(help));
  help->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(help));
  QTest::keyClick(help->Text1, Qt::Key_Escape);
  Settle();
  EXPECT_TRUE(help.isNull()) << "Escape closes the help window";
}

INSTANTIATE_TEST_SUITE_P(Form1, HelpWindow, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Zakryt" : "TitleBar"; });

}  // namespace
}  // namespace vozaz2::testing
