#include "run/TaskReplay.h"

#include "run/Replay.h"
#include "run/Surface.h"
#include "run/TaskRun.h"

namespace vozaz2 {

TaskReplayResult ReplayTask(const Scenario& s) {
  NullSurface oscillogram, path;
  Session session(oscillogram, path, {false, false});
  // The run's own task, its answers put aside: a prediction is there only so
  // that it seals; the run alone decides what is observed.
  Task watched = *s.task;
  watched.answers = {};
  watched.answers.prediction = 0;
  TaskRun task(watched);
  session.Follow([&task](const Snapshot& snapshot) { task.Follow(snapshot); });
  TaskReplayResult result;
  result.started = StartReplay(session, s).message.empty();
  if (!result.started || !task.Seal()) return result;
  // The opened scenario's end is the session's (its steps), as in the
  // window; the replay stops once the task has its answer.
  ReplaySteps(session, s.steps, [&](long long) { return task.Now() == TaskRun::Stage::kSealed; });
  result.observed = task.Of().answers.observed;
  return result;
}

}  // namespace vozaz2
