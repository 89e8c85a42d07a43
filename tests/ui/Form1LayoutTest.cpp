// The main window as it opens: its controls, their places and captions, and
// the start-up state that Form_Load leaves.
#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>

#include "model/Modes.h"
#include "run/Screens.h"
#include "tests/ui/WindowFixture.h"
#include "ui/Form1Layout.h"
#include "ui/ModeButtons.h"
#include "ui/PictureBox.h"

namespace vozaz2::testing {
namespace {

std::vector<std::string> ControlNames(bool captionedOnly) {
  std::vector<std::string> names;
  for (const Form1Control& c : kForm1Layout)
    if (c.caption || !captionedOnly) names.emplace_back(c.name);
  return names;
}

const Form1Control& Row(const std::string& name) {
  for (const Form1Control& c : kForm1Layout)
    if (name == c.name) return c;
  throw std::out_of_range(name);
}

std::string NameOf(const ::testing::TestParamInfo<std::string>& info) { return info.param; }

// --- Every control ------------------------------------------------------------

class EveryControl : public WindowTest, public ::testing::WithParamInterface<std::string> {};

// The control exists once, under its name, where the layout puts it (twips
// at 15 per pixel), wholly inside the window's 793 x 553 client area.
TEST_P(EveryControl, StandsAtItsPlaceUnderItsName) {
  const QList<QWidget*> found = form->findChildren<QWidget*>(QString::fromStdString(GetParam()));
  ASSERT_EQ(found.size(), 1);
  QWidget* w = found.front();
  const Form1Control& row = Row(GetParam());
  const QRect expected(qRound(row.left / 15.0), qRound(row.top / 15.0), qRound(row.width / 15.0),
                       qRound(row.height / 15.0));
  EXPECT_EQ(w->geometry(), expected);
  const QRect inWindow(w->mapTo(form, QPoint(0, 0)), w->size());
  EXPECT_TRUE(QRect(0, 0, 793, 553).contains(inWindow)) << inWindow.x() << "," << inWindow.y();
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(w->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Form1, EveryControl, ::testing::ValuesIn(ControlNames(false)), NameOf);

class EveryCaption : public WindowTest, public ::testing::WithParamInterface<std::string> {};

// The caption is whole: it fits its control, indicator and margins included,
// in width and (its ink) in height, in the font the control really uses.
TEST_P(EveryCaption, IsWhole) {
  QWidget* w = form->findChild<QWidget*>(QString::fromStdString(GetParam()));
  ASSERT_NE(w, nullptr);
  const QFontMetrics fm = w->fontMetrics();
  const QString family = QFontInfo(w->font()).family();
  QStyle* style = w->style();
  QRect textArea;
  QString caption;
  if (auto* label = qobject_cast<QLabel*>(w)) {
    caption = label->text();
    textArea = label->contentsRect();
  } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
    caption = check->text();
    QStyleOptionButton opt;
    opt.initFrom(check);
    opt.text = caption;
    textArea = style->subElementRect(QStyle::SE_CheckBoxContents, &opt, check);
    const QRect indicator = style->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, check);
    EXPECT_TRUE(check->rect().contains(indicator)) << "the tick box is cut";
  } else if (auto* option = qobject_cast<QRadioButton*>(w)) {
    caption = option->text();
    QStyleOptionButton opt;
    opt.initFrom(option);
    opt.text = caption;
    textArea = style->subElementRect(QStyle::SE_RadioButtonContents, &opt, option);
    const QRect indicator = style->subElementRect(QStyle::SE_RadioButtonIndicator, &opt, option);
    EXPECT_TRUE(option->rect().contains(indicator)) << "the option circle is cut";
  } else if (auto* button = qobject_cast<QPushButton*>(w)) {
    caption = button->text();
    QStyleOptionButton opt;
    opt.initFrom(button);
    opt.text = caption;
    textArea = style->subElementRect(QStyle::SE_PushButtonContents, &opt, button);
  } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
    caption = frame->title();
    QStyleOptionGroupBox opt;
    opt.initFrom(frame);
    opt.text = caption;
    opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    textArea = style->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, frame);
    EXPECT_TRUE(frame->rect().contains(textArea)) << "the title runs out of its frame";
  } else {
    FAIL() << "a captioned control of an unknown kind";
  }
  ASSERT_EQ(caption, QString::fromUtf8(Row(GetParam()).caption));
  EXPECT_LE(fm.horizontalAdvance(caption), textArea.width())
      << "in " << family.toStdString() << " " << w->font().pixelSize() << " px";
  EXPECT_LE(textArea.right(), w->width() - 1);
  EXPECT_LE(fm.tightBoundingRect(caption).height(), w->height()) << "the letters are cut";
}

INSTANTIATE_TEST_SUITE_P(Form1, EveryCaption, ::testing::ValuesIn(ControlNames(true)), NameOf);

// --- The window ------------------------------------------------------------

TEST_F(WindowTest, OpensAsVozaz2WithItsIconAndWholeLayout) {
  EXPECT_EQ(form->windowTitle(), "Vozaz2");
  EXPECT_EQ(form->objectName(), "Form1");
  EXPECT_FALSE(form->windowIcon().isNull());
  EXPECT_EQ(form->size(), QSize(793, 553));
  EXPECT_EQ(form->Timer1->objectName(), "Timer1");
  EXPECT_EQ(form->Timer1->timerType(), Qt::PreciseTimer);
}

// Members and object names agree, so the code and the tests speak of the same
// controls.
TEST_F(WindowTest, MembersAreTheNamedControls) {
  const std::pair<QWidget*, const char*> some[] = {
      {form->Text1, "Text1"},       {form->Text43, "Text43"},     {form->Label1, "Label1"},
      {form->Label66, "Label66"},   {form->Command4, "Command4"}, {form->Check2, "Check2"},
      {form->Option8, "Option8"},   {form->Frame3, "Frame3"},     {form->Picture2, "Picture2"},
      {form->Picture3, "Picture3"},
  };
  for (auto [member, name] : some) EXPECT_EQ(member, form->findChild<QWidget*>(name)) << name;
  // The options sit in their frames.
  EXPECT_EQ(form->Option1->parentWidget(), form->Frame1);
  EXPECT_EQ(form->Option4->parentWidget(), form->Frame2);
  EXPECT_EQ(form->Option6->parentWidget(), form->Frame3);
  EXPECT_EQ(form->Option7->parentWidget(), form->Frame4);
}

TEST_F(WindowTest, ScreensAreTheirImagesInASunkenBorder) {
  EXPECT_EQ(form->Picture2->contentsRect().size(), QSize(kScreen2Width, kScreen2Height));
  EXPECT_EQ(form->Picture3->contentsRect().size(), QSize(kScreen3Width, kScreen3Height));
  EXPECT_EQ(form->Picture2->contentsRect().topLeft(), QPoint(2, 2));
  ASSERT_NE(form->Picture1->Image(), nullptr);
  EXPECT_EQ(form->Picture1->Image()->size(), QSize(231, 249));
}

// Form_Load: the inputs show the defaults in the locale's notation, every
// result box its own name, the screens are blank.
TEST_F(WindowTest, StartsWithDefaultsAndNamedResultBoxes) {
  const std::pair<QLineEdit*, const char*> inputs[] = {
      {form->Text1, "1"},    {form->Text2, "2"},     {form->Text7, "10"},   {form->Text8, "1"},
      {form->Text9, "0,1"},  {form->Text30, "0,005"}, {form->Text32, "0,5"}, {form->Text33, "5"},
      {form->Text34, "2"},   {form->Text35, "1"},    {form->Text36, "1,2"},
  };
  for (auto [box, text] : inputs) EXPECT_EQ(box->text(), QString::fromUtf8(text)) << box->objectName().toStdString();
  const int inputBoxes[] = {1, 2, 7, 8, 9, 30, 32, 33, 34, 35, 36};
  for (int n = 1; n <= 43; ++n) {
    if (std::find(std::begin(inputBoxes), std::end(inputBoxes), n) != std::end(inputBoxes)) continue;
    const QString name = QString("Text%1").arg(n);
    EXPECT_EQ(form->findChild<QLineEdit*>(name)->text(), name);
  }
  for (PictureBox* screen : {form->Picture2, form->Picture3}) {
    const QImage image = screen->Image()->convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
  }
}

TEST_F(WindowTest, StartsWithTheFirstOptionOfEachFrameAndNoTicks) {
  ModeOptionButton* options[] = {form->Option1, form->Option2, form->Option3, form->Option4,
                                 form->Option5, form->Option6, form->Option7, form->Option8};
  for (int n = 1; n <= 8; ++n) EXPECT_EQ(options[n - 1]->isChecked(), n % 2 == 1) << "Option" << n;
  for (ModeCheckBox* check : {form->Check1, form->Check2, form->Check3, form->Check4})
    EXPECT_FALSE(check->isChecked());
  EXPECT_EQ(Record().DirSign, 1);
  EXPECT_EQ(Record().MoverSign, 1);
  EXPECT_EQ(Record().PathSign, 1);
  // The timer is enabled with interval 0: no tick before "Начать".
  EXPECT_TRUE(form->Simulation().Timer1().Enabled);
  EXPECT_FALSE(form->Timer1->isActive());
  QTest::qWait(30);
  EXPECT_EQ(Record().T0, 0);
  EXPECT_EQ(form->Text31->text(), "Text31");
}

// The notation follows the locale the window opens in: the same defaults read
// back at "Начать" with no input message either way.
class Locale : public WindowTest, public ::testing::WithParamInterface<QLocale::Language> {
 protected:
  void SetUp() override {
    QLocale::setDefault(QLocale(GetParam()));
    WindowTest::SetUp();
  }
  void TearDown() override {
    WindowTest::TearDown();
    QLocale::setDefault(QLocale(QLocale::Russian));
  }
};

TEST_P(Locale, DefaultsAreWrittenAndReadInItsNotation) {
  const QString point = QLocale().decimalPoint();
  EXPECT_EQ(form->Text9->text(), "0" + point + "1");
  EXPECT_EQ(form->Text36->text(), "1" + point + "2");
  Click(form->Command1);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Record().VLset, 0.1);
  EXPECT_EQ(form->Text32->text(), "0" + point + "4");  // Mx = 2 R1 / 5
}

INSTANTIATE_TEST_SUITE_P(Form1, Locale, ::testing::Values(QLocale::Russian, QLocale::English));

// A text box without the focus draws its text itself (see TextBox): pixel
// for pixel where a plain line edit of the window's style and font puts it.
class BoxText : public WindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(BoxText, IsDrawnAsALineEditDrawsIt) {
  const QString text = QString::fromUtf8(GetParam());
  auto* plain = new QLineEdit(form);
  plain->setStyle(form->Text17->style());
  plain->setGeometry(form->Text17->geometry());
  plain->setText(text);
  plain->setCursorPosition(0);
  form->Text17->setText(text);
  form->Text17->setCursorPosition(0);
  auto shown = [](QWidget* w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); };
  EXPECT_EQ(shown(form->Text17), shown(plain));
  delete plain;
}

INSTANTIATE_TEST_SUITE_P(Form1, BoxText,
                         ::testing::Values("21,6080275099229", "-1,12492621114884E-05", "Text17",
                                           "0", "1.5e+300", "Кириллица 1,5",
                                           "12345678901234567890123456789012345678901234567890"));

TEST_F(WindowTest, BoxWithTheFocusIsAnOrdinaryLineEdit) {
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form));
  QTest::mouseClick(form->Text17, Qt::LeftButton);
  ASSERT_TRUE(form->Text17->hasFocus());
  EXPECT_EQ(form->Text17->displayText(), "Text17");
  QTest::keyClick(form->Text17, Qt::Key_End);
  QTest::keyClicks(form->Text17, "9");
  EXPECT_EQ(form->Text17->text(), "Text179");
  form->Text1->setFocus();
  EXPECT_EQ(form->Text17->text(), "Text179");
}

// --- Keyboard ----------------------------------------------------------------

TEST_F(WindowTest, TabWalksTheInputBoxesInReadingOrder) {
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form));
  form->Text1->setFocus();
  std::vector<QString> visited = {QApplication::focusWidget()->objectName()};
  for (int i = 0; i < 10; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited.push_back(QApplication::focusWidget()->objectName());
  }
  const std::vector<QString> expected = {"Text1",  "Text2",  "Text7",  "Text8",  "Text9", "Text32",
                                         "Text33", "Text34", "Text35", "Text30", "Text36"};
  EXPECT_EQ(visited, expected);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), form->Command1) << "then the buttons";
}

TEST_F(WindowTest, RunCommandsNameTheirKeysInTheirTooltips) {
  EXPECT_TRUE(form->Command1->toolTip().contains("F5"));
  EXPECT_TRUE(form->Command2->toolTip().contains("F6"));
  EXPECT_TRUE(form->Command3->toolTip().contains("F6"));
  EXPECT_TRUE(form->Command7->toolTip().contains("F8"));
}

}  // namespace
}  // namespace vozaz2::testing
