// The report's words, with no painting and no QGuiApplication: numbers with
// the digits that mean something, Russian counts, SI units each once, the
// physics of the variant, and the verdict on a run whose angular momentum
// drifted more than the integration explains.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "io/ReportText.h"
#include "run/RunHistory.h"

namespace vozaz2::test {
namespace {

TEST(ReportText, NumbersAndCounts) {
  const std::pair<QString, const char*> numbers[] = {
      {Significant(94.8099999999863, 4), "94,81"},  {Significant(0.0478797820968149, 3), "0,0479"},
      {Significant(3.74e-7, 2), "3,7·10⁻⁷"},        {Significant(-1.0912e-5, 6, true), "−1,09120·10⁻⁵"},
      {Significant(4, 6, true), "4,00000"},         {Significant(9.99996, 4), "10"},
      {Significant(0.00099996, 2), "0,001"},        {Significant(1234567, 3), "1,23·10⁶"},
      {Significant(-0.0, 6, true), "0"},            {Significant(12.0000000000005, 4), "12"}};
  for (const auto& [text, expected] : numbers) EXPECT_EQ(text, QString::fromUtf8(expected));
  const std::pair<long long, const char*> counts[] = {
      {0, "0 шагов"},   {1, "1 шаг"},     {2, "2 шага"},     {4, "4 шага"},         {5, "5 шагов"},
      {11, "11 шагов"}, {14, "14 шагов"}, {21, "21 шаг"},    {22, "22 шага"},       {101, "101 шаг"},
      {111, "111 шагов"}, {112, "112 шагов"}, {2400, "2400 шагов"}, {18962, "18962 шага"}};
  for (const auto& [n, expected] : counts) EXPECT_EQ(Counted(n, "шаг", "шага", "шагов"), QString::fromUtf8(expected));
}

// A number a reader cannot use: eight significant digits or more, or a
// computer's exponent.
const QRegularExpression kNoise(QStringLiteral("[1-9](,?\\d){7,}|\\d[Ee][-+]?\\d|\\^"));

TEST(ReportText, DriftBeyondTheIntegrationIsNamed) {
  SimRecord r;
  r.P0 = 0.005;
  r.FL = 10.0478797820968149;  // the string pulls: no slack steps
  r.R = 0.866491639721305;
  r.w2 = -1.09123456789e-5;
  r.MKD1 = 4;
  r.E1 = 8;
  r.E2 = 8 - 8e-6;  // a balance of a millionth of E1
  r.VLset = 0.1;
  r.Tr = 1.2;
  RunHistory history(8);
  for (int i = 1; i <= 4; ++i) {
    r.T = i * r.P0 * (1 + 1e-13);  // times as a run adds them up
    r.MKD2 = i == 3 ? 4.02 : 4;  // half a percent at the third step
    history.Add(r);
  }
  const QString text = VerificationText(r, history, false);
  EXPECT_TRUE(text.contains(QStringLiteral("За 4 шага (до T = 0,02 с)"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("|MKD2 − MKD1|/MKD1 = 0,005 (при T = 0,015 с)")));
  EXPECT_TRUE(text.contains(QStringLiteral("|баланс|/E1 = 1·10⁻⁶ (при T = 0,005 с)")));
  EXPECT_TRUE(text.contains(QStringLiteral("изменился на 0,5 %, больше обычной погрешности интегрирования")));
  EXPECT_TRUE(text.contains(QStringLiteral("шаг 0,005 с слишком велик")));
  EXPECT_FALSE(text.contains(QStringLiteral("сохранялся")));
  EXPECT_TRUE(text.contains(QStringLiteral("Баланс энергии сходится")));
  // On a cone the string carries the weight; in the plane a support does.
  EXPECT_FALSE(text.contains(QStringLiteral("опор")));
  r.PlaneRun = true;
  EXPECT_TRUE(VerificationText(r, history, false).contains(QStringLiteral("вес уравновешен опорой")));

  QStringList all = {text, VariantSentence(r, Modes(r))};
  for (const auto& rows : {ReadoutRows(r), ParameterRows(r)})
    for (const ReadoutRow& row : rows) {
      all << row.value;
      EXPECT_FALSE(row.label.contains(u',')) << "the unit stands in its own column: " << row.label.toStdString();
      EXPECT_FALSE(row.unit.contains(QRegularExpression(QStringLiteral("(^|[/·])н")))) << "newtons are Н";
    }
  for (const QString& s : all) EXPECT_FALSE(s.contains(kNoise)) << s.toStdString();
}

// With a twin, the paragraph compares the drift with the estimated error of
// the integration: explained by it, by the program's rounded pi, or not at
// all; where the twin stopped, it says until when and why.
TEST(ReportText, DriftAgainstTheTwinsEstimate) {
  const struct {
    double mkd2, error;  // MKD2 with MKD1 = 4, the estimated error of MKD2
    Lockstep lockstep;
    const char* says;
  } rows[] = {
      {4 + 8e-8, 7.6e-8, Lockstep::kHeld,
       "|MKD2 − MKD1| = 2,0·10⁻⁸·MKD1; погрешность интегрирования оценена в 1,9·10⁻⁸: отклонение объясняется"},
      {4 + 2e-10, 0, Lockstep::kHeld, "Эту разницу объясняет число π"},
      {4.02, 0, Lockstep::kHeld, "больше на 5,0·10⁻³·MKD1: момент импульса менялся не только из-за погрешности"},
      {4, 0, Lockstep::kHandOver, "интегрирования до T = 0,01 с: наибольшее |MKD2 − MKD1| = 0·MKD1"},
  };
  for (const auto& row : rows) {
    SimRecord r;
    r.P0 = 0.005, r.FL = 10, r.L = 1, r.MKD1 = 4, r.E1 = r.E2 = 8, r.Pi = 3.141592654;
    RunHistory history(8);
    for (int i = 1; i <= 4; ++i) {
      r.T = i * r.P0;
      r.MKD2 = row.mkd2;
      ErrorEstimate e{.lockstep = i > 2 ? row.lockstep : Lockstep::kHeld, .heldUntil = std::min(i, 2) * r.P0,
                      .known = i <= 2 || row.lockstep == Lockstep::kHeld, .MKD2 = row.error};
      history.Add(r, &e);
    }
    const QString text = VerificationText(r, history, false);
    EXPECT_TRUE(text.contains(QString::fromUtf8(row.says))) << text.toStdString();
    EXPECT_EQ(text.contains(QStringLiteral("Дальше оценки нет")), row.lockstep != Lockstep::kHeld);
  }
  RunHistory without(8);
  without.Add(SimRecord{});
  EXPECT_FALSE(VerificationText(SimRecord{}, without, false).contains(QStringLiteral("половинным")));
}

}  // namespace
}  // namespace vozaz2::test
