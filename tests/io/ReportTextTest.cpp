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

}  // namespace
}  // namespace vozaz2::test
