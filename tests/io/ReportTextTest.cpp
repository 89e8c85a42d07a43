// The report's words, with no painting and no QGuiApplication: the verdict
// on a run whose angular momentum drifted more than the integration explains.
#include <gtest/gtest.h>

#include "io/ReportText.h"
#include "run/RunHistory.h"

namespace vozaz2::test {
namespace {

TEST(ReportText, DriftBeyondTheIntegrationIsNamed) {
  SimRecord r;
  r.P0 = 0.005;
  r.FL = 10;  // the string pulls: no slack steps
  r.MKD1 = 4;
  r.E1 = 8;
  r.E2 = 8 - 8e-6;  // a balance of a millionth of E1
  RunHistory history(8);
  for (int i = 1; i <= 4; ++i) {
    r.T = i * r.P0;
    r.MKD2 = i == 3 ? 4.02 : 4;  // half a percent at the third step
    history.Add(r);
  }
  const QString text = VerificationText(r, history, false);
  EXPECT_TRUE(text.contains(QStringLiteral("За 4 шагов (до T = 0,02 с)"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("|MKD2 − MKD1| / MKD1 = 0,005 (при T = 0,015 с)")));
  EXPECT_TRUE(text.contains(QStringLiteral("|баланс| / E1 = 1·10^-6 (при T = 0,005 с)")));
  EXPECT_TRUE(text.contains(QStringLiteral("изменился на 0,5 %, больше обычной погрешности интегрирования")));
  EXPECT_TRUE(text.contains(QStringLiteral("шаг 0,005 с слишком велик")));
  EXPECT_FALSE(text.contains(QStringLiteral("сохранялся")));
  EXPECT_TRUE(text.contains(QStringLiteral("Баланс энергии сходится")));
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
