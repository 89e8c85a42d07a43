// The help text: its line structure, the wording it must carry, and the form
// in which the text box shows it.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "help/HelpText.h"

namespace {

using vozaz2::HelpText;

std::vector<std::string> Lines() {
  const std::string text = HelpText();
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
    lines.push_back(text.substr(from, at - from));
  lines.push_back(text.substr(from));
  return lines;
}

// 1-based, as the lines are counted in the window.
std::string Line(int n) { return Lines().at(static_cast<std::size_t>(n - 1)); }

TEST(HelpText, IsFortyFourLinesJoinedByCrLf) {
  const std::string text = HelpText();
  EXPECT_EQ(Lines().size(), 44u);
  std::size_t crlf = 0;
  for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2) ++crlf;
  EXPECT_EQ(crlf, 43u);
  // No other line break: no bare CR or LF anywhere.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 43);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 43);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), '\n') << "no line break after the last line";
}

TEST(HelpText, IsTheSameEachTimeItIsBuilt) { EXPECT_EQ(HelpText(), HelpText()); }

// Each line: empty, or a paragraph opening with three blanks (four for the
// paragraphs that begin a new subject) followed by its first word.
const std::set<int> kEmptyLines = {8, 10, 12, 14, 23, 25, 27, 29, 31, 33, 35, 37, 39, 41, 43};
const std::set<int> kFourBlankLines = {1, 13, 28, 38, 40};

class HelpLineShape : public testing::TestWithParam<int> {};

TEST_P(HelpLineShape, IsEmptyOrAParagraphWithItsIndent) {
  const int n = GetParam();
  const std::string line = Line(n);
  if (kEmptyLines.count(n)) {
    EXPECT_EQ(line, "");
    return;
  }
  const std::size_t indent = kFourBlankLines.count(n) ? 4 : 3;
  ASSERT_GT(line.size(), indent + 1);
  EXPECT_EQ(line.find_first_not_of(' '), indent) << line;
  // One paragraph: the body has no doubled blanks and no blank at the end.
  EXPECT_EQ(line.find("  ", indent), std::string::npos) << line;
  EXPECT_NE(line.back(), ' ') << line;
}

INSTANTIATE_TEST_SUITE_P(EveryLine, HelpLineShape, testing::Range(1, 45));

// The symbols, formulas and captions that each line must quote exactly as
// the main window and the computation write them.
struct Literal {
  int line;
  const char* text;
};

class HelpLiteral : public testing::TestWithParam<Literal> {};

TEST_P(HelpLiteral, StandsInItsLine) {
  const Literal& l = GetParam();
  EXPECT_NE(Line(l.line).find(l.text), std::string::npos)
      << "line " << l.line << " lacks \"" << l.text << "\": " << Line(l.line);
}

const Literal kLiterals[] = {
    {2, "R1,R2-"},
    {3, "w1,w2-"},
    {4, "V1,V2-"},
    {5, "J1,J2-"},
    {6, "h1,h2-"},
    {7, "L1,L2-"},
    {9, "Lh1=Lh2=20 м"},
    {9, "Lh1+L1"},
    {9, "CL (н/м)"},
    {9, "Ktr (н*сек/м)"},
    {11, "<VL=0>"},
    {13, "<Начать>"},
    {13, "<Mx задать вручную>"},
    {16, "E1,E2-"},
    {16, "E2=m*(V2^2+VZ2^2)/2"},
    {16, "E2=J2*w2^2/2"},
    {17, "EVL= EVL+VL*FL*P0"},
    {18, "EL2=CL*DL2^2/2"},
    {18, "DL2=Lh2+L2-L0"},
    {19, "Emg= m*g*(Z2-Z1)"},
    {20, "Vtr*Ftr*P0"},
    {20, "Ftr=Ktr*Vtr"},
    {21, "+/-EVL+E1-E2-EL-Emg-Etr"},
    {22, "MKD1,MKD2-"},
    {22, "J1*w1=J2*w2"},
    {22, "w2=Sqr(g/h2)"},
    {22, "m*(VY*X - VX*Y)"},
    {22, "m*V2*R2"},
    {24, "<FL=0 до 1 с>"},
    {26, "<m=1+1>"},
    {28, "E2=m*V2^2/2+J12*w12^2/2"},
    {30, "1 оборот/см"},
    {30, "минус 4 см"},
    {32, "<FL=0 до 1 с>"},
    {36, "<m=1+1 от 1с до Tr с>"},
    {36, "<m=2>"},
    {44, "<Остановить>"},
    {44, "<Продолжить>"},
    {44, "<Сделать 1 шаг>"},
    {44, "<Очистить экраны>"},
};

INSTANTIATE_TEST_SUITE_P(Outline, HelpLiteral, testing::ValuesIn(kLiterals),
                         [](const testing::TestParamInfo<Literal>& info) {
                           return "Line" + std::to_string(info.param.line) + "_" +
                                  std::to_string(info.index);
                         });

// A Latin letter slipped into a Russian word (or the reverse) looks right on
// the screen but breaks searching and copying. Every word keeps to one
// alphabet; symbols such as "Lh1" are Latin, the words around them Cyrillic.
TEST(HelpText, EveryWordKeepsToOneAlphabet) {
  const QString text = QString::fromStdString(HelpText());
  ASSERT_EQ(text.toStdString(), HelpText()) << "the text is valid UTF-8";
  QString word;
  auto check = [&] {
    if (word.isEmpty()) return;
    std::set<QChar::Script> scripts;
    for (QChar c : word) scripts.insert(c.script());
    EXPECT_EQ(scripts.size(), 1u) << "mixed alphabets in \"" << word.toStdString() << "\"";
    for (QChar::Script s : scripts)
      EXPECT_TRUE(s == QChar::Script_Latin || s == QChar::Script_Cyrillic ||
                  s == QChar::Script_Greek)
          << word.toStdString();
    word.clear();
  };
  for (QChar c : text) {
    if (c.isLetter())
      word += c;
    else
      check();
  }
  check();
}

// The text box breaks lines at "\n" alone; shown with CR LF, each break could
// come out as two. The shown text has one break per line and the same words.
TEST(HelpText, DisplayTextBreaksEachLineOnce) {
  const QString shown = vozaz2::HelpDisplayText();
  EXPECT_FALSE(shown.contains(QChar('\r')));
  EXPECT_EQ(shown.count(QChar('\n')), 43);
  EXPECT_EQ(shown.split(QChar('\n')).size(), 44);
  QString original = QString::fromStdString(HelpText());
  EXPECT_EQ(original.remove(QChar('\r')), shown);
}

}  // namespace
