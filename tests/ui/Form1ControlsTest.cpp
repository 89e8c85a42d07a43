// The main window's controls: whole captions, the text boxes' own drawing, and
// mode switches that always show the mode model.
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QRandomGenerator>
#include <QStyle>
#include <QStyleOption>

#include "model/Modes.h"
#include "tests/ui/WindowFixture.h"
#include "ui/Form1Layout.h"

namespace vozaz2::testing {
namespace {

// Every caption is whole in the font its control really uses: the text fits
// the area the style gives it, and no tick box, option circle or frame title
// is cut.
class Caption : public WindowTest, public ::testing::WithParamInterface<const Form1Control*> {};

TEST_P(Caption, FitsItsControl) {
  QWidget* w = form->findChild<QWidget*>(GetParam()->name);
  ASSERT_NE(w, nullptr);
  QStyle* style = w->style();
  QStyleOptionButton opt;
  opt.initFrom(w);
  QRect area, mustFit;
  if (auto* label = qobject_cast<QLabel*>(w)) {
    opt.text = label->text();
    area = label->contentsRect();
  } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
    QStyleOptionGroupBox box;
    box.initFrom(frame);
    box.text = opt.text = frame->title();
    box.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    area = mustFit = style->subControlRect(QStyle::CC_GroupBox, &box, QStyle::SC_GroupBoxLabel, frame);
  } else {
    auto* button = qobject_cast<QAbstractButton*>(w);
    ASSERT_NE(button, nullptr) << "a captioned control of an unknown kind";
    opt.text = button->text();
    const bool check = qobject_cast<QCheckBox*>(w), option = qobject_cast<QRadioButton*>(w);
    using E = QStyle::SubElement;
    area = style->subElementRect(check ? E::SE_CheckBoxContents : option ? E::SE_RadioButtonContents
                                                                         : E::SE_PushButtonContents, &opt, w);
    if (check || option)
      mustFit = style->subElementRect(check ? E::SE_CheckBoxIndicator : E::SE_RadioButtonIndicator, &opt, w);
  }
  ASSERT_EQ(opt.text, QString::fromUtf8(GetParam()->caption));
  // Measured in the font the program carries (or the same font of the
  // system's, "Nimbus Sans Narrow [urw]"), not one the machine may lack.
  ASSERT_TRUE(QFontInfo(w->font()).family().startsWith(QStringLiteral("Nimbus Sans Narrow")));
  const QFontMetrics fm = w->fontMetrics();
  EXPECT_LE(fm.horizontalAdvance(opt.text), area.width()) << w->font().pixelSize() << " px";
  EXPECT_LE(area.right(), w->width() - 1);
  EXPECT_LE(fm.tightBoundingRect(opt.text).height(), w->height()) << "the letters are cut";
  EXPECT_TRUE(mustFit.isNull() || w->rect().contains(mustFit)) << "an indicator or title is cut";
}

std::vector<const Form1Control*> Captioned() {
  std::vector<const Form1Control*> rows;
  for (const Form1Control& c : kForm1Layout)
    if (c.caption) rows.push_back(&c);
  return rows;
}

INSTANTIATE_TEST_SUITE_P(Form1, Caption, ::testing::ValuesIn(Captioned()),
                         [](const auto& info) { return std::string(info.param->name); });

// A text box without the focus paints its text itself: pixel for pixel as a
// plain line edit of the same style, font and place paints it.
TEST_F(WindowTest, UnfocusedBoxIsDrawnAsALineEditDrawsIt) {
  QLineEdit plain(form);
  plain.setStyle(form->Text17->style());
  plain.setGeometry(form->Text17->geometry());
  for (const char* text : {"21,6080275099229", "-1,12492621114884E-05", "Кириллица 1,5",
                           "12345678901234567890123456789012345678901234567890"}) {
    for (QLineEdit* box : {static_cast<QLineEdit*>(form->Text17), &plain}) {
      box->setText(QString::fromUtf8(text));
      box->setCursorPosition(0);
    }
    EXPECT_EQ(Rgb(form->Text17->grab().toImage()), Rgb(plain.grab().toImage())) << text;
  }
}

// Many clicks in a fixed pseudo-random order on the twelve mode switches,
// enabled and disabled alike: after each, every switch shows exactly what a
// mode model given the same clicks holds, so each user click runs the rules
// once and a disabled switch ignores the user. (The rules are the core's.)
TEST_F(WindowTest, ModeSwitchesAlwaysShowTheModel) {
  SimRecord referenceRecord;
  referenceRecord.MoverSign = referenceRecord.DirSign = referenceRecord.PathSign = 1;  // Form_Load
  Modes reference(referenceRecord);
  QRandomGenerator random(20240521);
  int disabledClicks = 0;
  for (int i = 0; i < 300; ++i) {
    const int pick = 1 + static_cast<int>(random.bounded(12));
    disabledClicks += !Switch(pick)->isEnabled();
    Click(Switch(pick));
    pick <= 8 ? reference.ClickOption(pick) : reference.ClickCheck(pick - 8);
    for (int n = 1; n <= 12; ++n) {
      SCOPED_TRACE(QString("click %1, %2").arg(i).arg(Switch(n)->objectName()).toStdString());
      ASSERT_EQ(Switch(n)->isChecked(), n <= 8 ? reference.Option(n) : reference.Checked(n - 8));
      ASSERT_EQ(Switch(n)->isEnabled(), n <= 8 ? reference.OptionEnabled(n) : reference.CheckEnabled(n - 8));
    }
    auto signs = [](const SimRecord& r) { return std::tuple(r.MoverSign, r.DirSign, r.PathSign); };
    ASSERT_EQ(signs(Record()), signs(referenceRecord));
  }
  EXPECT_GT(disabledClicks, 20) << "the walk must try disabled switches";
}

}  // namespace
}  // namespace vozaz2::testing
