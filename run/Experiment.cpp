#include "run/Experiment.h"

#include "model/Constants.h"
#include "model/FpFault.h"
#include "run/Messages.h"
#include "run/Plotting.h"
#include "run/Screens.h"

namespace vozaz2 {

Experiment::Experiment(Surface& picture2, Surface& picture3) : picture2_(picture2), picture3_(picture3) {}

void Experiment::LoadDefaults() {
  boxes_.Clear();
  picture2_.Cls();
  picture3_.Cls();
  rec_.m = kMass;
  rec_.TimerMs = kTimerMs;
  rec_.Lh1 = kVerticalStringLength;
  SetStartUpSigns(rec_);
  rec_.NShow = 1;
  rec_.Pi = kPi;
  modes_.SetCheck(1, 0);
  timer_ = {true, 0};
}

// The whole start is worked out on a copy of the record before anything
// changes, so a refused start leaves the record, the screens and a run in
// progress exactly as they were.
bool Experiment::Start(const Parameters& p) {
  const StartChoice choice{modes_.Option(8), modes_.StringReleased(), modes_.ManualMx()};
  std::optional<SimRecord> start = ComputeStart(rec_, p, choice);
  if (!start) return false;
  rec_ = *start;
  ClearFpFaults();  // a fault flag left by an earlier diverged step is not this start's
  started_ = true;
  ShowStartValues();
  DrawStartMarks();
  timer_ = {true, rec_.TimerMs};
  return true;
}

void Experiment::StartFrom(const SimRecord& record, const Modes& controls) {
  rec_ = record;
  modes_.TakeStateOf(controls);
  started_ = true;
  lastStepDiverged_ = false;
  boxes_.Clear();
}

void Experiment::ShowStartValues() {
  boxes_.Clear();
  const std::pair<int, double> start[] = {
      {kV1, rec_.V1}, {kJ1, rec_.J1}, {kH1, rec_.h1},   {kL1, rec_.L1},   {kMx, rec_.Mx},
      {kMF, rec_.MF}, {kMz, rec_.Mz}, {kW12, rec_.w12}, {kL00, rec_.L00}, {kFL2, rec_.FL2}};
  for (const auto& [box, value] : start) boxes_.Set(box, value);
}

// Both screens prepared, the start circle of radius R1, and the ring where
// the dumbbell's orientation sign will turn.
void Experiment::DrawStartMarks() {
  PrepareScreen2(picture2_);
  PrepareScreen3(picture3_);
  using namespace colours;
  picture3_.Circle(0, 0, StartCircleRadius(rec_), kRed);
  rec_.Pxa = kTurnSignX;
  rec_.Pya = kTurnSignY;
  rec_.Pxb = kTurnSignX;
  rec_.Pyb = kTurnSignY;
  picture3_.Circle(kTurnSignX, kTurnSignY, kTurnSignRing, kBlue);
  if (rec_.DumbbellRun) {
    picture3_.Circle(kTurnSignX, kTurnSignY, kTurnSignRing, kNearWhite);
    picture3_.Circle(kTurnSignX, kTurnSignY, kBallRadius, kBlue);
    picture3_.Circle(kTurnSignX, kTurnSignY, kBallRadius, kBallB);
    picture3_.Line(kTurnSignX, kTurnSignY, kTurnSignX, kTurnSignY, kBallB);
  }
}

void Experiment::ResetControls() {
  modes_.Reset();
  SetStartUpSigns(rec_);
}

void Experiment::Renew() {
  rec_ = SimRecord{};
  modes_.Reset();
  started_ = false;
  lastStepDiverged_ = false;
  LoadDefaults();
}

void Experiment::Stop() { timer_.Enabled = false; }

void Experiment::Continue() { timer_.Enabled = true; }

void Experiment::ClearScreens() {
  picture2_.Cls();
  picture3_.Cls();
  PrepareScreen2(picture2_);
  PrepareScreen3(picture3_);
}

void Experiment::Diverge() {
  lastStepDiverged_ = true;
  timer_.Enabled = false;
  rec_.Msg = DivergenceMessage();
}

}  // namespace vozaz2
