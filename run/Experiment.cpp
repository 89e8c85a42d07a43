#include "run/Experiment.h"

#include <optional>
#include <string>

#include "model/Constants.h"
#include "model/FpFault.h"
#include "model/NumberText.h"
#include "model/Setup.h"
#include "run/Scenario.h"
#include "run/Plotting.h"
#include "run/Screens.h"

namespace vozaz2 {

Experiment::Experiment(TextBoxes& boxes, Surface& picture2, Surface& picture3,
                       MessageSink& messages, char decimalSeparator)
    : boxes_(boxes),
      picture2_(picture2),
      picture3_(picture3),
      messages_(messages),
      sep_(decimalSeparator) {}

void Experiment::Form_Load() {
  const std::array<double, kParameterCount> defaults = StartUpParameters();
  for (std::size_t i = 0; i < kParameterBoxes.size(); ++i)
    boxes_.SetText(kParameterBoxes[i], NumberText(defaults[i], sep_));
  picture2_.Cls();
  picture3_.Cls();
  rec_.m = kMass;
  rec_.TimerMs = kTimerMs;
  rec_.Lh1 = kVerticalStringLength;
  SetStartUpSigns(rec_);
  rec_.NShow = 1;
  rec_.Pi = kPi;
  modes_.SetCheck(1, 0);
  timer_.Enabled = true;
  timer_.SetInterval(0);
}

// "Начать". All eleven texts are read and the whole start is worked out before
// anything changes, so a bad input leaves the record, the screens and a run
// in progress exactly as they were.
void Experiment::Command1_Click() {
  const std::array<std::optional<double>, kParameterCount> typed = TypedParameters();
  double values[kParameterCount];
  for (std::size_t i = 0; i < kParameterCount; ++i) {
    if (!typed[i]) {
      messages_.Show(kInputMessage);
      return;
    }
    values[i] = *typed[i];
  }
  const Parameters p{values[0], values[1], values[2], values[3], values[4], values[5],
                     values[6], values[7], values[8], values[9], values[10]};
  const StartChoice choice{modes_.Option(8), modes_.StringReleased(), modes_.ManualMx()};
  std::optional<SimRecord> start = ComputeStart(rec_, p, choice);
  if (!start) {
    messages_.Show(kInputMessage);
    return;
  }
  rec_ = *start;
  ClearFpFaults();  // a fault flag left by an earlier diverged step is not this start's
  started_ = true;
  ++starts_;

  auto show = [&](int box, double v) { boxes_.SetText(box, NumberText(v, sep_)); };
  show(kV1, rec_.V1);
  show(kJ1, rec_.J1);
  show(kH1, rec_.h1);
  show(kL1, rec_.L1);
  PrepareScreen2(picture2_);
  PrepareScreen3(picture3_);
  show(kMx, rec_.Mx);
  show(kMF, rec_.MF);
  show(kMz, rec_.Mz);
  show(kW12, rec_.w12);
  show(kL00, rec_.L00);
  show(kFL2, rec_.FL2);

  // The start circle of radius R1, and the ring where the dumbbell's
  // orientation sign will turn.
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
  Tell(RunEvent::kStarted);
  timer_.SetEnabled(true);
  timer_.SetInterval(rec_.TimerMs);
}

std::array<std::optional<double>, kParameterCount> Experiment::TypedParameters() const {
  std::array<std::optional<double>, kParameterCount> typed;
  for (std::size_t i = 0; i < kParameterCount; ++i)
    typed[i] = TextNumber(boxes_.Text(kParameterBoxes[i]), sep_);
  return typed;
}

void Experiment::TypeParameter(std::size_t index, double value) {
  boxes_.SetText(kParameterBoxes.at(index), ExactNumberText(value, sep_));
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
  for (int box = 1; box <= TextBoxes::kCount; ++box) boxes_.SetText(box, "Text" + std::to_string(box));
  Form_Load();
}

void Experiment::Command2_Click() { timer_.SetEnabled(false); }

void Experiment::Command3_Click() { timer_.SetEnabled(true); }

void Experiment::Command5_Click() {
  picture2_.Cls();
  picture3_.Cls();
  PrepareScreen2(picture2_);
  PrepareScreen3(picture3_);
}

void Experiment::Command7_Click() { SolveStep(); }

void Experiment::Timer1_Timer() { SolveStep(); }

void Experiment::Diverge() {
  lastStepDiverged_ = true;
  timer_.SetEnabled(false);
  rec_.Msg = DivergenceMessage();
  messages_.Show(rec_.Msg);
}

}  // namespace vozaz2
