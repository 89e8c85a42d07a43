// What the main window's tests share: a shown window whose messages go to a
// recorder instead of a modal box, and small helpers that act as a user does.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "run/Messages.h"
#include "ui/Form1.h"
#include "ui/TextBox.h"

// Failure messages show the texts, not their bytes.
inline void PrintTo(const QString& text, std::ostream* os) { *os << text.toStdString(); }

namespace vozaz2::testing {

// A message box that records what it was shown and returns at once; a test
// may look around while it is "open".
class RecordedMessages final : public MessageSink {
 public:
  void Show(const std::string& text) override {
    shown.push_back(text);
    if (whileOpen) whileOpen();
  }
  std::vector<std::string> shown;
  std::function<void()> whileOpen;
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new Form1;
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->SetMessageSink(&messages);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
  }
  void TearDown() override {
    delete form.data();
    for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    Settle();
  }

  // Lets deferred deletions and pending events happen, as the event loop would.
  static void Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }

  void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

  // Replaces a box's text as a user does: click into it, select all, type.
  void Type(QLineEdit* box, const QString& text) {
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
      QTest::keyClick(box, Qt::Key_Delete);
    else
      QTest::keyClicks(box, text);
  }

  const SimRecord& Record() const { return form->Simulation().Record(); }

  // Runs the event loop until the run has made `steps` more steps.
  bool WaitForSteps(int steps, int timeoutMs = 10000) {
    const double until = Record().T0 + (steps - 0.5) * Record().P0;
    return QTest::qWaitFor([&] { return Record().T0 >= until; }, timeoutMs);
  }

  QPointer<Form1> form;
  RecordedMessages messages;
};

}  // namespace vozaz2::testing
