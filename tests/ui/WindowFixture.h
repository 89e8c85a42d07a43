// What the main window's tests share: a shown window whose messages go to a
// recorder instead of a modal box, and helpers that act as a user does.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/NumberText.h"
#include "run/Messages.h"
#include "run/Screens.h"
#include "run/Session.h"
#include "ui/Form1.h"
#include "ui/ImageSurface.h"
#include "ui/ModeButtons.h"
#include "ui/PictureBox.h"
#include "ui/TextBox.h"

// Failure messages show the texts, not their bytes.
inline void PrintTo(const QString& text, std::ostream* os) { *os << text.toStdString(); }
// Images compare by their pixels only.
inline QImage Rgb(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

namespace vozaz2::testing {

// Records each message and returns at once; `whileOpen` runs meanwhile.
struct RecordedMessages final : MessageSink {
  void Show(const std::string& text) override {
    shown.push_back(text);
    if (whileOpen) whileOpen();
  }
  std::vector<std::string> shown;
  std::function<void()> whileOpen;
};

// The default run without a window, `steps` ticks after "Начать", with boxes
// and screens of its own: what the window must show after as many steps.
struct HeadlessRun {
  explicit HeadlessRun(long long steps) {
    for (int box = 1; box <= kBoxCount; ++box) texts[box - 1] = "Text" + std::to_string(box);
    for (std::size_t i = 0; i < kParameterCount; ++i)
      texts[kParameterBoxes[i] - 1] = ExactNumberText(s.Typed()[i], ',');
    s.Follow([this](const Snapshot& shot) {
      for (int box = 1; box <= kBoxCount; ++box)
        if (shot.boxes.Written(box)) texts[box - 1] = NumberText(shot.boxes.Value(box), ',');
    });
    s.Start(s.Typed());
    for (long long i = 0; i < steps; ++i) s.Tick();
  }
  std::string Text(int box) const { return texts.at(box - 1); }
  ImageSurface screen2{kScreen2Width, kScreen2Height}, screen3{kScreen3Width, kScreen3Height};
  Session s{screen2, screen3};
  std::array<std::string, kBoxCount> texts;
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
  void Activate() {  // keys go to the active window only
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
  }
  void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  // Replaces a box's text as a user does: click into it, select all, type.
  void Type(QLineEdit* box, const QString& text) {
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
  }
  // The window's control, menu, action or timer of that name and kind; where
  // it has none, the test ends, failed.
  template <class W = QWidget>
  W* Get(const QString& name) const {
    for (QObject* child : form->findChildren<QObject*>(name))
      if (auto* found = dynamic_cast<W*>(child)) return found;
    throw std::invalid_argument("the window has no " + name.toStdString() + " of that kind");
  }
  // The mode switches in one row: 1..8 Option1..8, 9..12 Check1..4.
  QAbstractButton* Switch(int n) const {
    return Get<QAbstractButton>(n <= 8 ? QString("Option%1").arg(n) : QString("Check%1").arg(n - 8));
  }
  const SimRecord& Record() const { return form->Simulation().Record(); }
  // Runs the event loop until the run has made `steps` more steps.
  bool WaitForSteps(int steps) {
    const double until = Record().T0 + (steps - 0.5) * Record().P0;
    return QTest::qWaitFor([&] { return Record().T0 >= until; }, 10000);
  }

  QPointer<Form1> form;
  RecordedMessages messages;
};

}  // namespace vozaz2::testing
