// The mode switches of the main window, clicked as a user clicks them: the
// rules run on each user click, disabled controls ignore the user, and the
// widgets always show the mode model, never a state of their own.
#include <QAbstractButton>
#include <QRandomGenerator>
#include <QStringList>

#include "model/Modes.h"
#include "tests/ui/WindowFixture.h"
#include "ui/ModeButtons.h"

namespace vozaz2::testing {
namespace {

// Clicks given by control names, and what the controls then show: each
// expectation is "Name:flags" with x selected/ticked, o not, d disabled, e
// enabled.
struct ModeCase {
  const char* name;
  const char* clicks;
  const char* expect;
  float moverSign, dirSign, pathSign;
};

std::ostream& operator<<(std::ostream& os, const ModeCase& c) { return os << c.name; }

const ModeCase kCases[] = {
    {"ReleaseForcesStringDownAndStopsDrive", "Check1",
     "Option1:xe Option2:od Option3:od Option4:xe Check3:xe", 1, -1, 1},
    {"DriveStopStaysWhileReleased", "Check1 Check3", "Check3:xe Check1:xe", 1, -1, 1},
    {"UnreleasingFreesUpButKeepsDownAndStop", "Check1 Check1",
     "Option3:oe Option4:xe Check3:xe Option2:oe Check1:oe", 1, -1, 1},
    {"UnreleasingInThePlaneKeepsSleeveOff", "Option6 Check1 Check1", "Option2:od Option6:xe", 1, -1, 0},
    {"UnreleasingWhileSplitKeepsSleeveOff", "Check2 Check1 Check1", "Option2:od Check2:xe", 1, -1, 0},
    {"DumbbellUnticksAndGreysSplit", "Check2 Option8",
     "Check2:od Option5:od Option6:xe Option1:xe Option8:xe", 1, 1, 0},
    // (The sleeve stays off in the plane: the core's deliberate rule.)
    {"SingleLoadAgainFreesConeSplitAndUp", "Option8 Option7",
     "Option5:oe Check2:oe Option3:xe Option2:od Option6:xe Option7:xe", 1, 1, 0},
    {"UntickingSplitFreesConeOnly", "Check2 Check2", "Option5:oe Option2:od Option6:xe", 1, 1, 0},
    {"ClickOnDisabledSleeveChangesNothing", "Check1 Option2", "Option1:xe Option2:od", 1, -1, 1},
    {"ClickOnDisabledUpChangesNothing", "Check1 Option3", "Option3:od Option4:xe", 1, -1, 1},
    {"ClickOnDisabledSplitChangesNothing", "Option8 Check2", "Check2:od", 1, 1, 0},
    {"ClickOnSelectedOptionChangesNothing", "Option2 Option2", "Option2:xe Option1:oe", -1, 1, 1},
    {"SleeveThenPlaneDrivesTheString", "Option2 Option6", "Option1:xe Option2:od", 1, 1, 0},
    {"DownDuringRunTurnsTheDrive", "Option4", "Option4:xe Option3:oe", 1, -1, 1},
    {"ManualMxOnlyTicks", "Check4", "Check4:xe", 1, 1, 1},
};

class ModeClicks : public WindowTest, public ::testing::WithParamInterface<ModeCase> {
 protected:
  QAbstractButton* Control(const QString& name) { return form->findChild<QAbstractButton*>(name); }
};

TEST_P(ModeClicks, ShowTheRulesResult) {
  const ModeCase& c = GetParam();
  for (const QString& name : QString(c.clicks).split(' ', Qt::SkipEmptyParts)) {
    ASSERT_NE(Control(name), nullptr) << name.toStdString();
    Click(Control(name));
  }
  for (const QString& item : QString(c.expect).split(' ', Qt::SkipEmptyParts)) {
    const QStringList parts = item.split(':');
    QAbstractButton* w = Control(parts[0]);
    ASSERT_NE(w, nullptr);
    const QString flags = parts[1];
    EXPECT_EQ(w->isChecked(), flags.contains('x')) << item.toStdString();
    EXPECT_EQ(w->isEnabled(), flags.contains('e')) << item.toStdString();
  }
  EXPECT_EQ(Record().MoverSign, c.moverSign);
  EXPECT_EQ(Record().DirSign, c.dirSign);
  EXPECT_EQ(Record().PathSign, c.pathSign);
}

INSTANTIATE_TEST_SUITE_P(Form1, ModeClicks, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Many clicks in a fixed pseudo-random order, on enabled and disabled
// controls alike: after every click each widget shows exactly what a mode
// model given the same user clicks holds, so the window hands on every user
// click once and its own writes to the widgets run no rule.
TEST_F(WindowTest, WidgetsAlwaysShowTheModel) {
  SimRecord referenceRecord;
  referenceRecord.MoverSign = referenceRecord.DirSign = referenceRecord.PathSign = 1;  // Form_Load
  Modes reference(referenceRecord);
  ModeOptionButton* options[] = {form->Option1, form->Option2, form->Option3, form->Option4,
                                 form->Option5, form->Option6, form->Option7, form->Option8};
  ModeCheckBox* checks[] = {form->Check1, form->Check2, form->Check3, form->Check4};
  QRandomGenerator random(20240521);
  for (int i = 0; i < 300; ++i) {
    const int pick = static_cast<int>(random.bounded(12));
    if (pick < 8) {
      Click(options[pick]);
      reference.ClickOption(pick + 1);
    } else {
      Click(checks[pick - 8]);
      reference.ClickCheck(pick - 7);
    }
    for (int n = 1; n <= 8; ++n) {
      ASSERT_EQ(options[n - 1]->isChecked(), reference.Option(n)) << "click " << i << ", Option" << n;
      ASSERT_EQ(options[n - 1]->isEnabled(), reference.OptionEnabled(n)) << "click " << i << ", Option" << n;
    }
    for (int n = 1; n <= 4; ++n) {
      ASSERT_EQ(checks[n - 1]->isChecked(), reference.Checked(n)) << "click " << i << ", Check" << n;
      ASSERT_EQ(checks[n - 1]->isEnabled(), reference.CheckEnabled(n)) << "click " << i << ", Check" << n;
    }
    ASSERT_EQ(Record().MoverSign, referenceRecord.MoverSign);
    ASSERT_EQ(Record().DirSign, referenceRecord.DirSign);
    ASSERT_EQ(Record().PathSign, referenceRecord.PathSign);
  }
}

// An option button does not select itself, nor clear its partner, by any
// other way than the model: arrow keys only move the focus.
TEST_F(WindowTest, ArrowKeysDoNotChooseAnOption) {
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form));
  form->Option1->setFocus();
  QTest::keyClick(form->Option1, Qt::Key_Right);
  EXPECT_TRUE(form->Option1->isChecked());
  EXPECT_FALSE(form->Option2->isChecked());
  EXPECT_EQ(Record().MoverSign, 1);
  // The space bar is a click, and runs the rule.
  QTest::keyClick(form->Option2, Qt::Key_Space);
  EXPECT_TRUE(form->Option2->isChecked());
  EXPECT_FALSE(form->Option1->isChecked());
  EXPECT_EQ(Record().MoverSign, -1);
}

}  // namespace
}  // namespace vozaz2::testing
