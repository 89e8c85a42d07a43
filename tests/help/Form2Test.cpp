// The help window as a user meets it: "About" opens it, "Закрыть" or the
// title bar closes it, and every opening shows the help text once, fresh.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <algorithm>

#include "help/Form2.h"
#include "help/HelpText.h"

namespace {

using vozaz2::Form2;
using vozaz2::ShowHelpWindow;

// Lets a closed window's deferred deletion happen, as the event loop would.
void Settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

int HelpWindows() {
  const QWidgetList all = QApplication::topLevelWidgets();
  return static_cast<int>(std::count_if(all.begin(), all.end(), [](QWidget* w) { return qobject_cast<Form2*>(w); }));
}

// The text as the box shows it: one "\n" for each CR LF.
bool ShowsTheText(Form2* window) {
  return window->Text1->toPlainText() == QString::fromStdString(vozaz2::HelpText()).remove('\r');
}

// Closed by "Закрыть" (true) or by the title bar's close box (false).
class HelpWindow : public testing::TestWithParam<bool> {
 protected:
  void TearDown() override {
    for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    Settle();
  }
  void Close(Form2* window) {
    if (GetParam())
      QTest::mouseClick(window->Command1, Qt::LeftButton);
    else
      window->windowHandle()->close();
  }
};

// "About" opens the window titled "About" with the text once; "About" again
// brings up the same window, typed text and all. Closing discards the window
// with what was typed; "About" then, even before the deletion, loads a new
// window with the text once, never doubled.
TEST_P(HelpWindow, OpensOnceAndReopensFresh) {
  QPointer<Form2> first = ShowHelpWindow();
  ASSERT_TRUE(first);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->windowTitle().toStdString(), "About");
  EXPECT_EQ(first->Command1->text().toStdString(), "Закрыть");
  EXPECT_TRUE(ShowsTheText(first));
  QTest::keyClicks(first->Text1, "notes ");
  EXPECT_EQ(ShowHelpWindow(), first.data());
  EXPECT_EQ(HelpWindows(), 1);
  EXPECT_FALSE(ShowsTheText(first)) << "the open window keeps what was typed";

  Close(first);
  QPointer<Form2> second = ShowHelpWindow();
  ASSERT_TRUE(second && second != first) << "the closed window came back";
  EXPECT_TRUE(ShowsTheText(second));
  Settle();
  EXPECT_TRUE(first.isNull()) << "a closed help window is discarded";
  Close(second);
  Settle();
  EXPECT_EQ(HelpWindows(), 0);
  EXPECT_TRUE(ShowsTheText(ShowHelpWindow()));
  EXPECT_EQ(HelpWindows(), 1);
}

INSTANTIATE_TEST_SUITE_P(Ways, HelpWindow, testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Zakryt" : "TitleBar"; });

}  // namespace
