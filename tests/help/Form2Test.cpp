// The help window as a user meets it: "About" opens it, "Закрыть" or the
// title bar closes it, and every opening shows the help text once, fresh.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QWindow>

#include "help/Form2.h"
#include "help/HelpText.h"

// Failure messages show the texts, not their bytes.
inline void PrintTo(const QString& text, std::ostream* os) { *os << text.toStdString(); }

namespace {

using vozaz2::Form2;
using vozaz2::ShowHelpWindow;

// Lets a closed window's deferred deletion happen, as the event loop would.
void Settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

int TopLevelHelpWindows() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<Form2*>(w)) ++n;
  return n;
}

enum class CloseBy { Button, TitleBar };

void Close(Form2* window, CloseBy how) {
  if (how == CloseBy::Button) {
    QTest::mouseClick(window->Command1, Qt::LeftButton);
  } else {
    // What the window manager's close box does: a close request to the window.
    ASSERT_NE(window->windowHandle(), nullptr);
    window->windowHandle()->close();
  }
}

class HelpWindow : public testing::Test {
 protected:
  void TearDown() override {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* help = qobject_cast<Form2*>(w)) help->close();
    Settle();
    EXPECT_EQ(TopLevelHelpWindows(), 0);
  }
};

TEST_F(HelpWindow, OpensShowingTheHelpTextOnce) {
  Form2* window = ShowHelpWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->HelpString(), vozaz2::HelpText());
  EXPECT_EQ(window->Text1->toPlainText(), vozaz2::HelpDisplayText());
  EXPECT_EQ(window->Text1->document()->blockCount(), 44);
  EXPECT_TRUE(window->Text1->toPlainText().startsWith(QStringLiteral("    Под рисунком")));
}

class HelpWindowClose : public HelpWindow, public testing::WithParamInterface<CloseBy> {};

TEST_P(HelpWindowClose, UnloadsTheWindowAndTheTypedTextWithIt) {
  QPointer<Form2> first = ShowHelpWindow();
  ASSERT_TRUE(first);
  QTest::keyClicks(first->Text1, QStringLiteral("notes "));
  ASSERT_NE(first->Text1->toPlainText(), vozaz2::HelpDisplayText());

  Close(first, GetParam());
  Settle();
  EXPECT_TRUE(first.isNull()) << "a closed help window is deleted";
  EXPECT_EQ(TopLevelHelpWindows(), 0);

  Form2* second = ShowHelpWindow();
  EXPECT_EQ(TopLevelHelpWindows(), 1);
  EXPECT_EQ(second->Text1->toPlainText(), vozaz2::HelpDisplayText()) << "fresh, not doubled";

  Close(second, GetParam());
  Settle();
  Form2* third = ShowHelpWindow();
  EXPECT_EQ(third->Text1->toPlainText(), vozaz2::HelpDisplayText());
  EXPECT_EQ(third->Text1->document()->blockCount(), 44);
}

INSTANTIATE_TEST_SUITE_P(Ways, HelpWindowClose, testing::Values(CloseBy::Button, CloseBy::TitleBar),
                         [](const testing::TestParamInfo<CloseBy>& info) {
                           return info.param == CloseBy::Button ? "Zakryt" : "TitleBar";
                         });

TEST_F(HelpWindow, AboutWhileOpenRaisesTheSameWindowWithoutRebuildingIt) {
  Form2* first = ShowHelpWindow();
  QTest::keyClicks(first->Text1, QStringLiteral("x"));
  const QString edited = first->Text1->toPlainText();

  first->showMinimized();
  Form2* again = ShowHelpWindow();
  EXPECT_EQ(again, first);
  EXPECT_EQ(TopLevelHelpWindows(), 1);
  EXPECT_EQ(again->Text1->toPlainText(), edited) << "the open window keeps its text";
  EXPECT_FALSE(again->isMinimized());
  EXPECT_TRUE(again->isVisible());
}

TEST_F(HelpWindow, AboutRightAfterClosingLoadsANewWindow) {
  // Closing schedules the deletion; "About" before it has happened must not
  // bring back the closed window.
  QPointer<Form2> closed = ShowHelpWindow();
  QTest::keyClicks(closed->Text1, QStringLiteral("x"));
  closed->close();
  Form2* fresh = ShowHelpWindow();
  EXPECT_NE(fresh, closed.data());
  EXPECT_TRUE(fresh->isVisible());
  EXPECT_EQ(fresh->Text1->toPlainText(), vozaz2::HelpDisplayText());
  Settle();
  EXPECT_TRUE(closed.isNull());
  EXPECT_EQ(TopLevelHelpWindows(), 1);
}

TEST_F(HelpWindow, IsAnOrdinaryNonModalWindowOfItsOwn) {
  Form2* window = ShowHelpWindow();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("About"));
  EXPECT_EQ(window->parentWidget(), nullptr);
  EXPECT_TRUE(window->isWindow());
  EXPECT_EQ(window->windowModality(), Qt::NonModal);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(window->testAttribute(Qt::WA_DeleteOnClose));
  EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(HelpWindow, ControlsCarryTheirNamesAndCaptions) {
  Form2* window = ShowHelpWindow();
  EXPECT_EQ(window->findChild<QPlainTextEdit*>(QStringLiteral("Text1")), window->Text1);
  EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("Label1")), window->Label1);
  EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("Label2")), window->Label2);
  EXPECT_EQ(window->findChild<QPushButton*>(QStringLiteral("Command1")), window->Command1);
  EXPECT_EQ(window->Command1->text(), QStringLiteral("Закрыть"));
  EXPECT_TRUE(window->Label2->text().isEmpty());
  EXPECT_FALSE(window->Label1->text().isEmpty());
}

TEST_F(HelpWindow, TextBoxIsEditableWrapsAndScrollsVertically) {
  Form2* window = ShowHelpWindow();
  QPlainTextEdit* box = window->Text1;
  QApplication::processEvents();
  EXPECT_FALSE(box->isReadOnly());
  EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(box->horizontalScrollBar()->maximum(), 0) << "nothing runs past the right edge";
  EXPECT_GT(box->verticalScrollBar()->maximum(), 0) << "the text is longer than the box";
  EXPECT_EQ(box->verticalScrollBar()->value(), 0) << "opens at the first line";
  EXPECT_EQ(box->textCursor().position(), 0);
  // The first paragraph is one line of the text but several lines on screen.
  const QTextBlock first = box->document()->firstBlock();
  ASSERT_NE(first.layout(), nullptr);
  EXPECT_GT(first.layout()->lineCount(), 1);
}

// The layout in twips, 15 to a pixel at 96 dpi, scaled by the screen's dpi.
int Px(int twips) {
  const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInch();
  return qRound(twips * dpi / 1440.0);
}

TEST_F(HelpWindow, StandsWhereTheLayoutPutsIt) {
  Form2* window = ShowHelpWindow();
  EXPECT_EQ(window->size(), QSize(Px(5880), Px(3840)));
  EXPECT_EQ(window->geometry().topLeft(),
            QGuiApplication::primaryScreen()->geometry().topLeft() + QPoint(Px(5910), Px(4695)));
  struct Place {
    QWidget* control;
    int left, top, width, height;
  };
  for (const Place& p : {Place{window->Text1, 120, 120, 5655, 3135},
                         Place{window->Label2, 0, 3240, 6255, 255},
                         Place{window->Label1, 120, 3460, 4095, 375},
                         Place{window->Command1, 4680, 3550, 1095, 255}}) {
    SCOPED_TRACE(p.control->objectName().toStdString());
    EXPECT_EQ(p.control->pos(), QPoint(Px(p.left), Px(p.top)));
    EXPECT_NEAR(p.control->width(), Px(p.width), 1);
    EXPECT_NEAR(p.control->height(), Px(p.height), 1);
  }
}

TEST_F(HelpWindow, CaptionsFitTheirControls) {
  Form2* window = ShowHelpWindow();

  const QFontMetrics label(window->Label1->font());
  const QStringList lines = window->Label1->text().split(QChar('\n'));
  for (const QString& line : lines)
    EXPECT_LE(label.horizontalAdvance(line), window->Label1->width()) << line.toStdString();
  EXPECT_LE(lines.size() * label.height() + (lines.size() - 1) * label.leading(),
            window->Label1->height());

  QPushButton* button = window->Command1;
  const QFontMetrics caption(button->font());
  const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
  EXPECT_LE(caption.horizontalAdvance(button->text()) + 2 * frame + 4, button->width());
  EXPECT_LE(caption.height() + 2 * frame, button->height());

  // The sizes were chosen for this font; a wider fallback could spoil them.
  EXPECT_EQ(QFontInfo(button->font()).family(), QStringLiteral("DejaVu Sans"));
}

}  // namespace
