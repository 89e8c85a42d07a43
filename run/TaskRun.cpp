#include "run/TaskRun.h"

#include <algorithm>

namespace vozaz2 {

TaskRun::TaskRun(Task task) : task_(std::move(task)) {
  if (task_.answers.observed) stage_ = Stage::kAnswered;
}

bool TaskRun::Predict(std::optional<double> value, std::string reasoning) {
  if (stage_ != Stage::kAsking) return false;
  task_.answers.prediction = value;
  task_.answers.reasoning = std::move(reasoning);
  return true;
}

bool TaskRun::Explain(std::string explanation) {
  if (stage_ != Stage::kAnswered && stage_ != Stage::kMissed) return false;
  task_.answers.explanation = std::move(explanation);
  return true;
}

bool TaskRun::Seal() {
  if (!task_.answers.prediction) return false;
  stage_ = Stage::kSealed;
  task_.answers.observed.reset();
  return true;
}

void TaskRun::Follow(const Snapshot& s) {
  const Moment& m = task_.moment;
  const double now = m.quantity ? s.Quantity(*m.quantity) : 0;
  // Before the first step the record holds no result yet (R2 reads 0): the
  // moment is looked for from the first step's value on, as the session does.
  if (s.event == RunEvent::kStarted) before_.reset();
  if (stage_ != Stage::kSealed || s.event != RunEvent::kStep) return;
  if (m.quantity && before_ && Reaches(*before_, now, m.value)) return Observe(s);
  before_ = now;
  // The run stands at its end: the end is the moment, or the moment never came.
  if (s.state == RunState::kOver || s.state == RunState::kDiverged) {
    if (m.AtEnd() && s.state == RunState::kOver) return Observe(s);
    stage_ = Stage::kMissed;
  }
}

void TaskRun::Observe(const Snapshot& s) {
  task_.answers.observed = s.Quantity(task_.quantity);
  stage_ = Stage::kAnswered;
}

bool TaskRun::Hides(std::size_t quantity) const {
  return Concealed() && std::find(task_.hidden.begin(), task_.hidden.end(), quantity) != task_.hidden.end();
}

std::optional<Verdict> TaskRun::Result() const {
  const TaskAnswers& a = task_.answers;
  if (stage_ != Stage::kAnswered || !a.prediction || !a.observed) return std::nullopt;
  return Judge(task_, *a.prediction, *a.observed);
}

}  // namespace vozaz2
