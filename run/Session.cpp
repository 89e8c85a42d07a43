#include "run/Session.h"

#include "model/FpFault.h"
#include "run/Messages.h"
#include "run/Quantities.h"
#include "run/Screens.h"

namespace vozaz2 {

namespace {

Outcome Said(const std::string& message) {
  Outcome o;
  o.message = message;
  return o;
}

Outcome ControlsChanged() {
  Outcome o;
  o.controlsChanged = true;
  return o;
}

Surface& Through(std::optional<DrawingRecord>& record, bool keep, int width, int height, Surface& out) {
  if (!keep) return out;
  record.emplace(width, height, &out);
  return *record;
}

}  // namespace

Session::Session(Surface& oscillogram, Surface& path, Options options)
    : experiment_(Through(oscillogramRecord_, options.keepDrawings, kScreen2Width, kScreen2Height, oscillogram),
                  Through(pathRecord_, options.keepDrawings, kScreen3Width, kScreen3Height, path)),
      options_(options) {
  experiment_.LoadDefaults();
}

RunState Session::State() const {
  if (!experiment_.Started()) return RunState::kIdle;
  if (Ticking()) return RunState::kRunning;
  if (experiment_.LastStepDiverged()) return RunState::kDiverged;
  return over_ ? RunState::kOver : RunState::kStopped;
}

// Each command starts with clean floating-point flags: the experiment tells a
// numeric fault by the flags its own arithmetic raises, and flags that the
// caller's arithmetic left (a window's layout and painting raise some) mean
// nothing to it.
Outcome Session::Start(const ParameterValues& typed) {
  ClearFpFaults();
  const Parameters p = ParametersOf(typed);
  const Modes& m = Controls();
  if (const auto broken = BrokenParameterRule(p, {m.Option(8), m.StringReleased(), m.ManualMx()})) {
    Outcome o = Said(kInputMessage);
    o.badParameter = broken;
    return o;
  }
  std::vector<ModeControl> before = ControlsAsClicks();
  KeepLastRun();
  if (!experiment_.Start(p)) return Said(kInputMessage);
  runKept_ = false;
  if (!accuracy_)
    twin_.reset();
  else if (twin_)
    twin_->Start(experiment_);
  else
    (twin_ = std::make_unique<Twin>())->Start(experiment_);
  typed_ = typed;
  over_ = false;
  history_.Clear();
  Outcome o;
  o.controlsChanged = recorder_.Started(typed, std::move(before));
  Tell(RunEvent::kStarted);
  return o;
}

Outcome Session::Stop() {
  experiment_.Stop();
  Tell(RunEvent::kControls);
  return {};
}

Outcome Session::Continue() {
  over_ = false;
  experiment_.Continue();
  Tell(RunEvent::kControls);
  return {};
}

Outcome Session::Step() {
  if (!experiment_.Started()) return {};
  return MakeStep();
}

Outcome Session::Tick() {
  if (!Ticking()) return {};
  return MakeStep();
}

Outcome Session::MakeStep() {
  Outcome o;
  o.controlsChanged = recorder_.BeforeStep();
  over_ = false;
  // Before the first step the record holds no result yet (R2 reads 0): the
  // moment is looked for from the first step's value on.
  const double t0 = Record().T0;
  const std::optional<double> watched = Steps() == 0 ? std::nullopt : std::optional<double>(Watched());
  experiment_.SolveStep();
  if (twin_) twin_->Follow(experiment_);
  recorder_.StepMade();
  const bool diverged = experiment_.LastStepDiverged();
  if (options_.keepHistory && !diverged) history_.Add(experiment_.Record(), Estimate());
  if (!diverged && ReachesLimit(t0, watched)) {
    experiment_.Stop();
    over_ = o.ended = true;
  }
  Tell(RunEvent::kStep);
  if (diverged) o.message = DivergenceMessage();
  return o;
}

double Session::Watched() const {
  const std::optional<std::size_t> q = stopAt_.quantity;
  return q ? kQuantities.at(*q).read(Record()) : 0;
}

// Whether the step just made, which started at t0Before with the watched
// quantity at watchedBefore, reached the end or the moment.
bool Session::ReachesLimit(double t0Before, std::optional<double> watchedBefore) const {
  if (stopAt_.quantity && watchedBefore && Reaches(*watchedBefore, Watched(), stopAt_.value)) return true;
  const double t = Record().T0;
  switch (limit_.kind) {
    case RunLimit::Kind::kSteps: return Steps() == limit_.steps;
    case RunLimit::Kind::kTime: return t0Before < limit_.time && t >= limit_.time;
    case RunLimit::Kind::kScreenWidth: return t0Before < 12 * Record().Mt && t >= 12 * Record().Mt;
    case RunLimit::Kind::kNone: break;
  }
  return false;
}

Outcome Session::ClearScreens() {
  experiment_.ClearScreens();
  Tell(RunEvent::kScreensCleared);
  return {};
}

Outcome Session::Open(const Scenario& s) {
  KeepLastRun();
  runKept_ = false;
  experiment_.Renew();
  experiment_.ResetControls();
  for (std::size_t i = 0; i < kParameterCount; ++i) typed_[i] = s.parameters[i].value_or(kDefaultValues[i]);
  for (ModeControl c : s.before) vozaz2::Click(experiment_.Controls(), c);
  recorder_.Open(s);
  history_.Clear();
  twin_.reset();
  over_ = false;
  stopAt_ = {};
  // An experiment ends where its replay ends: after its steps, or at the
  // oscillogram's width.
  limit_ = s.steps ? RunLimit{RunLimit::Kind::kSteps, *s.steps, 0} : RunLimit{RunLimit::Kind::kScreenWidth, 0, 0};
  Tell(RunEvent::kRenewed);
  return ControlsChanged();
}

Outcome Session::Type(std::size_t parameter, double value) {
  typed_.at(parameter) = value;
  Tell(RunEvent::kTyped);
  return {};
}

Outcome Session::Click(ModeControl control) {
  if (!recorder_.UserClick(control)) return {};
  Tell(RunEvent::kControls);
  return ControlsChanged();
}

Outcome Session::CatchUpClicks() {
  Outcome o;
  o.controlsChanged = recorder_.BeforeStep();
  if (o.controlsChanged) Tell(RunEvent::kControls);
  return o;
}

Scenario Session::ToSave(const ParameterValues& typedNow) const {
  return recorder_.ToSave(typedNow, ControlsAsClicks());
}

void Session::KeepLastRun() {
  if (!keepRuns_ || runKept_ || history_.Steps() == 0) return;
  kept_.Keep(ToSave(typed_), Record(), history_);
  runKept_ = true;
}

// The controls as clicks from start-up. Every state the controls can be in is
// reached that way: the program changes them only by clicks and by putting
// them back to start-up.
std::vector<ModeControl> Session::ControlsAsClicks() const {
  return ClicksToReach(Controls(), Record()).value_or(std::vector<ModeControl>{});
}

void Session::Tell(RunEvent event) {
  if (followers_.empty()) return;
  static const BoxValues kNone;
  const bool gives = event == RunEvent::kStarted || event == RunEvent::kStep;
  const Snapshot snapshot{event, State(), Steps(), Record(), Controls(), gives ? experiment_.Boxes() : kNone};
  for (const Follower& follower : followers_) follower(snapshot);
}

}  // namespace vozaz2
