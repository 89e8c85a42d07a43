#include "run/Replay.h"

namespace vozaz2 {

Outcome StartReplay(Session& session, const Scenario& scenario) {
  session.Open(scenario);
  return session.Start(session.Typed());
}

RunEnd ReplaySteps(Session& session, std::optional<long long> steps,
                   const std::function<bool(long long)>& afterStep) {
  const SimRecord& r = session.Record();
  for (long long done = 0;;) {
    if (steps ? done >= *steps : r.T >= 12 * r.Mt) {
      session.CatchUpClicks();
      return RunEnd::kComplete;
    }
    session.Step();
    ++done;
    if (session.State() == RunState::kDiverged) return RunEnd::kDiverged;
    if (afterStep && !afterStep(done)) return RunEnd::kStopped;
  }
}

ReplayResult Replay(Session& session, const Scenario& scenario,
                    const std::function<bool(long long)>& afterStep) {
  ReplayResult result;
  result.start = StartReplay(session, scenario);
  if (result.Started()) result.end = ReplaySteps(session, scenario.steps, afterStep);
  return result;
}

}  // namespace vozaz2
