// The task without a window: the prediction sealed by the start, the run
// stopped at the step at which the named quantity reaches its value, the
// comparison and the matching of foreseen wrong answers.
#include <gtest/gtest.h>

#include "run/PixelSurface.h"
#include "run/Replay.h"
#include "run/Screens.h"
#include "run/TaskReplay.h"
#include "run/TaskRun.h"

namespace vozaz2::test {
namespace {

// The string pulled in, in a plane, fast enough to halve the radius in a
// short run: ω is asked for when R2 comes down to 0.5 m.
Scenario HalvedRadius() {
  Scenario s;
  s.parameters[2] = 100;  // CL: a stiff string follows its end
  s.parameters[4] = 0.2;  // VL
  s.before = {{true, 6}};  // the plane
  s.steps = 1200;
  Task t;
  t.question = "ω?";
  t.quantity = quantity::kW2;
  t.moment = {quantity::kR2, 0.5};
  t.tolerance = 0.1;
  t.relative = true;
  t.hidden = {quantity::kW2};
  t.wrong = {{4, "скорость"}, {2, "ω не меняется"}, {4.3, "ближе"}};
  s.task = t;
  return s;
}

TEST(Task, SealedByTheStartAndStoppedAtItsMoment) {
  const Scenario s = HalvedRadius();
  TaskRun task(*s.task);
  EXPECT_FALSE(task.Seal()) << "no prediction, no start";
  EXPECT_TRUE(task.Hides(quantity::kW2));
  EXPECT_FALSE(task.Hides(quantity::kR2));
  ASSERT_TRUE(task.Predict(8, "J·ω"));

  PixelSurface osc(kScreen2Width, kScreen2Height), path(kScreen3Width, kScreen3Height);
  Session session(osc, path);
  double r2Before = 0, r2 = 0;
  session.Follow([&](const Snapshot& shot) {
    r2Before = r2;
    r2 = shot.Quantity(quantity::kR2);
    task.Follow(shot);
  });
  ASSERT_TRUE(StartReplay(session, s).message.empty());
  ASSERT_TRUE(task.Seal());
  session.StopAt(s.task->moment);
  EXPECT_FALSE(task.Predict(4, "иначе")) << "sealed";
  EXPECT_EQ(task.Of().answers.prediction, 8);
  long long steps = 0;
  while (session.State() != RunState::kOver && steps < 1200) session.Step(), ++steps;
  EXPECT_LT(steps, 1200);
  EXPECT_GT(r2Before, 0.5);
  EXPECT_LE(r2, 0.5);
  ASSERT_EQ(task.Now(), TaskRun::Stage::kAnswered);
  EXPECT_FALSE(task.Hides(quantity::kW2)) << "shown after the answer";
  EXPECT_EQ(task.Of().answers.observed, session.Record().w2);
  EXPECT_NEAR(session.Record().w2, 8, 0.3);
  EXPECT_TRUE(task.Result()->within);
  EXPECT_TRUE(task.Explain("момент импульса сохраняется"));

  // The same run made again headless gives the very number.
  Scenario handedIn = s;
  handedIn.steps = steps;
  EXPECT_EQ(ReplayTask(handedIn).observed, task.Of().answers.observed);
  // A moment that the run never reaches: nothing observed, said as missed.
  handedIn.task->moment = {quantity::kR2, 0.1};
  EXPECT_FALSE(ReplayTask(handedIn).observed);
  TaskRun missed(*handedIn.task);
  missed.Predict(8, "");
  Session again(osc, path);
  again.Follow([&](const Snapshot& shot) { missed.Follow(shot); });
  StartReplay(again, handedIn);
  missed.Seal();
  ReplaySteps(again, handedIn.steps);
  EXPECT_EQ(missed.Now(), TaskRun::Stage::kMissed);
  EXPECT_FALSE(missed.Result());
}

TEST(Task, ComparesWithinTheToleranceAndMatchesTheNearestWrongAnswer) {
  Task t = *HalvedRadius().task;
  EXPECT_TRUE(Judge(t, 8.7, 8).within);
  EXPECT_FALSE(Judge(t, 8.9, 8).within);
  EXPECT_DOUBLE_EQ(Judge(t, 7, 8).difference, -1);
  EXPECT_EQ(Judge(t, 4.1, 8).wrong, 0u);
  EXPECT_EQ(Judge(t, 4.25, 8).wrong, 2u) << "the nearest of two within reach";
  EXPECT_EQ(Judge(t, 1.9, 8).wrong, 1u);
  EXPECT_FALSE(Judge(t, 6, 8).wrong);
  EXPECT_FALSE(Judge(t, 8, 8).wrong) << "a right answer gets no word on a wrong one";
  t.relative = false;
  t.tolerance = 0.5;
  EXPECT_TRUE(Judge(t, 8.5, 8).within);
  EXPECT_FALSE(Judge(t, 8.51, 8).within);
  t.tolerance = -1;
  EXPECT_TRUE(TaskProblem(t));
  t.tolerance = 0.5;
  t.hidden = {quantity::kReadoutCount};
  EXPECT_TRUE(TaskProblem(t));
}

}  // namespace
}  // namespace vozaz2::test
