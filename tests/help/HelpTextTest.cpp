// The help text: its lines, the empty lines between its sections, the indent
// of its paragraphs, and the literals in which it quotes the main window.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "help/HelpText.h"

namespace {

// 44 lines joined by CR LF, with no other line break and none after the last
// line. Lines 8, 10, ... are empty; every other line is one paragraph (no
// doubled or trailing blank) opening with three blanks, or four where a new
// subject begins.
TEST(HelpText, HasItsLinesEmptyLinesAndIndents) {
  const std::string text = vozaz2::HelpText();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 43);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 43);
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
    lines.push_back(text.substr(from, at - from));
  lines.push_back(text.substr(from));
  ASSERT_EQ(lines.size(), 44u);
  const std::set<int> empty = {8, 10, 12, 14, 23, 25, 27, 29, 31, 33, 35, 37, 39, 41, 43};
  const std::set<int> fourBlanks = {1, 13, 28, 38, 40};
  for (int n = 1; n <= 44; ++n) {
    const std::string& line = lines[n - 1];
    const std::size_t indent = empty.count(n) ? std::string::npos : fourBlanks.count(n) ? 4 : 3;
    EXPECT_EQ(line.find_first_not_of(' '), indent) << "line " << n << ": " << line;
    EXPECT_TRUE(line.empty() || (line.find("  ", indent) == std::string::npos && line.back() != ' '))
        << "line " << n << ": " << line;
  }
}

// Every literal, in the order the text brings them: the symbols, formulas and
// captions exactly as the window and the computation write them.
TEST(HelpText, QuotesEveryLiteralInOrder) {
  const std::string text = vozaz2::HelpText();
  std::size_t at = 0;
  for (const std::string literal :
       {"R1,R2-", "w1,w2-", "V1,V2-", "J1,J2-", "h1,h2-", "L1,L2-", "Lh1=Lh2=20 м", "Lh1+L1", "CL (н/м)",
        "Ktr (н*сек/м)", "<VL=0>", "<Начать>", "<Mx задать вручную>", "E1,E2-", "E2=m*(V2^2+VZ2^2)/2",
        "E2=J2*w2^2/2", "EVL= EVL+VL*FL*P0", "EL2=CL*DL2^2/2", "DL2=Lh2+L2-L0", "Emg= m*g*(Z2-Z1)", "Vtr*Ftr*P0",
        "Ftr=Ktr*Vtr", "+/-EVL+E1-E2-EL-Emg-Etr", "MKD1,MKD2-", "J1*w1=J2*w2", "w2=Sqr(g/h2)", "m*(VY*X - VX*Y)",
        "m*V2*R2", "<FL=0 до 1 с>", "<m=1+1>", "E2=m*V2^2/2+J12*w12^2/2", "1 оборот/см", "минус 4 см",
        "<FL=0 до 1 с>", "<m=1+1 от 1с до Tr с>", "<m=2>", "<Остановить>", "<Продолжить>", "<Сделать 1 шаг>",
        "<Очистить экраны>"}) {
    const std::size_t found = text.find(literal, at);
    EXPECT_NE(found, std::string::npos) << "\"" << literal << "\" missing or out of order";
    at = found == std::string::npos ? at : found + literal.size();
  }
}

}  // namespace
