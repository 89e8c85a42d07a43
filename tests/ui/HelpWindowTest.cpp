// "About" and the help window it opens, as the user meets them from the main
// window.
#include "help/Form2.h"
#include "tests/ui/WindowFixture.h"

namespace vozaz2::testing {
namespace {

Form2* OpenHelpWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* help = qobject_cast<Form2*>(w); help && help->isVisible()) return help;
  return nullptr;
}

// A help window put away (minimised, or behind the main window) comes back
// when "About" is pressed again: shown normal, in front and active.
TEST_F(WindowTest, AboutBringsTheHelpWindowBack) {
  Click(form->Command6);
  QPointer<Form2> help = OpenHelpWindow();
  ASSERT_TRUE(help);
  for (bool minimise : {true, false}) {
    if (minimise) {
      help->showMinimized();
      ASSERT_TRUE(QTest::qWaitFor([&] { return help->isMinimized(); }));
    }
    Activate();
    Click(form->Command6);
    EXPECT_EQ(OpenHelpWindow(), help.data());
    EXPECT_FALSE(help->isMinimized());
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(help)) << (minimise ? "minimised" : "behind");
  }
}

}  // namespace
}  // namespace vozaz2::testing
