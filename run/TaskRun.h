// A task as the student works it, without a window: the prediction and its
// reasoning before the run, sealed when the run starts; the quantity read at
// the moment the task names, as the session's steps reach it; the verdict;
// the explanation after. The window shows it, the headless runner checks a
// handed-in file with it, replaying the run.
#pragma once

#include <optional>
#include <string>

#include "run/Snapshot.h"
#include "run/Task.h"
#include "run/TaskCheck.h"

namespace vozaz2 {

class TaskRun {
 public:
  enum class Stage {
    kAsking,    // the prediction may be written
    kSealed,    // the run goes on; the prediction stands as written
    kAnswered,  // the moment came: the observed value stands beside the prediction
    kMissed,    // the run ended without reaching the moment
  };

  // A task from a file: one that already holds an observed value was handed
  // in after its run, and stays sealed.
  explicit TaskRun(Task task);

  const Task& Of() const { return task_; }
  Stage Now() const { return stage_; }

  // Before the run only; false once the prediction is sealed.
  bool Predict(std::optional<double> value, std::string reasoning);
  void Name(std::string student) { task_.answers.student = std::move(student); }
  // After the run only (answered or missed); false before.
  bool Explain(std::string explanation);
  // The run has started ("Начать" was accepted): seals the prediction; false,
  // and nothing changes, without one. A later start (the run made again)
  // reads the quantity afresh.
  bool Seal();
  // Follows the session: the observed value at the moment; at the run's end
  // when the task asks for the end, else "missed" when the run stands at its
  // end without having reached the moment.
  void Follow(const Snapshot& s);

  // Boxes, graphs and parameters are kept from the student until the run
  // has answered.
  bool Concealed() const { return stage_ == Stage::kAsking || stage_ == Stage::kSealed; }
  bool Hides(std::size_t quantity) const;
  bool Locks() const { return Concealed() && task_.lockParameters; }
  bool HidesGraphs() const { return Concealed() && task_.hideGraphs; }

  // The prediction beside the observed value, once both are there.
  std::optional<Verdict> Result() const;

 private:
  void Observe(const Snapshot& s);
  Task task_;
  Stage stage_ = Stage::kAsking;
  std::optional<double> before_;  // the watched quantity at the step before; none before the first
};

}  // namespace vozaz2
