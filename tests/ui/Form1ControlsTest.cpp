// The main window's controls: whole captions, the text boxes' own drawing, and
// mode switches that always show the mode model.
#include <QAccessible>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QRandomGenerator>
#include <QStyle>
#include <QStyleOption>
#include <map>

#include "model/Modes.h"
#include "tests/ui/WindowFixture.h"
#include "ui/Form1Layout.h"

namespace vozaz2::testing {
namespace {

// Every caption is whole in the font its control really uses, at every zoom:
// the text fits the area the style gives it, and no tick box, option circle
// or frame title is cut.
class Caption : public WindowTest, public ::testing::WithParamInterface<const Form1Control*> {
 protected:
  void FitsAtTheZoom();
};

TEST_P(Caption, FitsItsControl) {
  for (int zoom : Form1::Zooms()) {
    ASSERT_TRUE(form->SetZoom(zoom));
    SCOPED_TRACE(zoom);
    FitsAtTheZoom();
  }
}

void Caption::FitsAtTheZoom() {
  QWidget* w = Get(GetParam()->name);
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
// plain line edit of the same style, font and place paints the text it shows.
TEST_F(WindowTest, UnfocusedBoxIsDrawnAsALineEditDrawsIt) {
  TextBox* box = Get<TextBox>("Text17");
  QLineEdit plain(form);
  plain.setStyle(box->style());
  plain.setGeometry(box->geometry());
  for (const char* text : {"21,6080275099229", "-1,12492621114884E-05", "Кириллица 1,5",
                           "12345678901234567890123456789012345678901234567890"}) {
    box->setText(QString::fromUtf8(text));
    box->setCursorPosition(0);
    plain.setText(box->ShownText());
    plain.setCursorPosition(0);
    EXPECT_EQ(Rgb(box->grab().toImage()), Rgb(plain.grab().toImage())) << text;
  }
}

// A text too wide for its box is shown elided, a number with its whole
// exponent, and the whole text is the tooltip; the box's text stays exact.
// With the focus the box shows its text as a line edit does, to be edited.
TEST_F(WindowTest, LongTextsShowTheirEnds) {
  struct Row {
    TextBox* box;
    const char* text;
    const char* starts;
    const char* ends;  // nullptr: shown whole
  };
  TextBox* r2 = Get<TextBox>("Text11");
  const Row rows[] = {{r2, "3,17336091234567E+32", "3,1…E+32", "…E+32"},
                      {r2, "-1,12492621114884E-05", "-1,", "…E-05"},
                      {r2, "0,990698032636277", "0,9906", "…"},
                      {r2, "-123456789012345", "-12", "45"},
                      {r2, "Кириллица и ещё текст", "Ки", "кст"},
                      {r2, "0,5", "0,5", nullptr},
                      {Get<TextBox>("Text17"), "-1,12492621114884E-05", "-1,12492621114884E-05", nullptr}};
  for (const Row& row : rows) {
    const QString text = QString::fromUtf8(row.text);
    row.box->setText(text);
    row.box->grab();  // painted
    const QString shown = row.box->ShownText();
    SCOPED_TRACE(shown.toStdString());
    EXPECT_EQ(row.box->text(), text);
    EXPECT_TRUE(shown.startsWith(QString::fromUtf8(row.starts)));
    if (row.ends) {
      EXPECT_TRUE(shown.endsWith(QString::fromUtf8(row.ends)));
      EXPECT_TRUE(shown.contains(u'…'));
      EXPECT_LE(row.box->fontMetrics().horizontalAdvance(shown), row.box->contentsRect().width() - 2);
      EXPECT_EQ(row.box->toolTip(), text);
    } else {
      EXPECT_EQ(shown, text);
      EXPECT_EQ(row.box->toolTip(), QString());
    }
  }
  Activate();
  r2->setText(QString::fromUtf8(rows[0].text));
  r2->setFocus();
  EXPECT_EQ(r2->displayText(), r2->text()) << "edited whole";
}

// What a screen reader is told (through Qt's accessibility interfaces): each
// box is an editable text named by its label and unit, whose value is its
// text, focused or not; every captioned control is named by its caption; the
// screens are images that say what they show.
TEST_F(WindowTest, ScreenReadersReadEveryControl) {
  const std::map<QString, QString> someNames = {
      {"Text1", "R1, м"},       {"Text11", "R2, м"},         {"Text12", "w2, рад/с"},
      {"Text14", "J2, кг * м^2"}, {"Text7", "CL, н/м"},      {"Text31", "T, с"},
      {"Text29", "MKD2"},       {"Text23", "+/- EVL+ E1 - E2 - EL- Emg - Etr"}};
  Click(Get<QPushButton>("Command1"));
  Click(Get<QPushButton>("Command2"));
  Activate();
  QSet<QString> names;
  for (int focused : {0, 1}) {
    for (int n = 1; n <= kBoxCount; ++n) {
      auto* box = Get<TextBox>(QString("Text%1").arg(n));
      if (focused) box->setFocus();
      SCOPED_TRACE(box->objectName().toStdString());
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(box);
      ASSERT_NE(a, nullptr);
      EXPECT_EQ(a->role(), QAccessible::EditableText);
      EXPECT_FALSE(a->state().passwordEdit);
      EXPECT_EQ(a->state().focused, focused == 1);
      EXPECT_EQ(a->text(QAccessible::Value), box->text());
      ASSERT_NE(a->textInterface(), nullptr);
      EXPECT_EQ(a->textInterface()->text(0, a->textInterface()->characterCount()), box->text());
      const QString name = a->text(QAccessible::Name);
      EXPECT_FALSE(name.isEmpty());
      names.insert(name);
      if (someNames.count(box->objectName())) {
        EXPECT_EQ(name, someNames.at(box->objectName()));
      }
    }
  }
  EXPECT_EQ(names.size(), kBoxCount) << "every box has a name of its own";
  for (const Form1Control* c : Captioned()) {
    QWidget* w = Get(c->name);
    if (qobject_cast<QLabel*>(w)) continue;
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    EXPECT_EQ(a->text(QAccessible::Name), QString::fromUtf8(c->caption));
    const QAccessible::Role role = qobject_cast<QRadioButton*>(w) ? QAccessible::RadioButton
                                   : qobject_cast<QCheckBox*>(w)  ? QAccessible::CheckBox
                                   : qobject_cast<QPushButton*>(w) ? QAccessible::Button
                                                                   : QAccessible::Grouping;
    EXPECT_EQ(a->role(), role) << c->name;
    if (auto* option = qobject_cast<QRadioButton*>(w)) {
      EXPECT_EQ(a->state().checked, option->isChecked()) << c->name;
    }
  }
  for (const char* screen : {"Picture1", "Picture2", "Picture3"}) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(Get<PictureBox>(screen));
    EXPECT_EQ(a->role(), QAccessible::Graphic);
    EXPECT_FALSE(a->text(QAccessible::Name).isEmpty());
    EXPECT_FALSE(a->text(QAccessible::Description).isEmpty());
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
