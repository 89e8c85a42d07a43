// A session without a window, for the benchmark programs: the screens the
// caller gives it, the parameters at their start-up values.
#pragma once

#include <initializer_list>

#include "run/Session.h"

namespace vozaz2::bench {

struct Rig {
  // By default the session keeps neither drawings nor history, as the
  // headless runner without a report.
  Rig(Surface& picture2, Surface& picture3, Session::Options options = {false, false})
      : session(picture2, picture3, options) {}
  // Clicks the controls (positive: Option n, negative: Check -n), then
  // "Начать". Whether the run started without a message.
  bool Start(std::initializer_list<int> clicks = {}) {
    for (int c : clicks) session.Click(c > 0 ? ModeControl{true, c} : ModeControl{false, -c});
    return Restart();
  }
  // "Начать" again with the same numbers.
  bool Restart() { return session.Start(session.Typed()).message.empty(); }

  Session session;
  Experiment& experiment = session.Engine();
};

}  // namespace vozaz2::bench
