// A task of a lesson: predict, observe, explain. The teacher asks for one
// quantity of the readout at a moment of the run, with a tolerance, may hide
// boxes and the graphs and lock the parameters until the run has answered,
// and may foresee typical wrong answers with a word on each. The student's
// answers travel in the same file, so that the whole is handed in.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "run/Moment.h"

namespace vozaz2 {

// A wrong answer that a teacher expects, and what to tell a student who gives
// it ("так было бы, если бы сохранялась скорость, а не момент импульса").
struct WrongAnswer {
  double value = 0;
  std::string feedback;
  bool operator==(const WrongAnswer&) const = default;
};

// What the student wrote and what the run gave.
struct TaskAnswers {
  std::string student;      // the name
  std::optional<double> prediction;
  std::string reasoning;    // why, written before the run
  std::optional<double> observed;  // the quantity at the moment, as the run gave it
  std::string explanation;  // written after the comparison
  bool Empty() const { return *this == TaskAnswers{}; }
  bool operator==(const TaskAnswers&) const = default;
};

struct Task {
  std::string question;
  std::size_t quantity = 0;  // into kQuantities, one of the readout's
  Moment moment;
  double tolerance = 0;   // absolute, in the quantity's unit, or a fraction of the observed value
  bool relative = false;
  std::vector<std::size_t> hidden;  // readout quantities whose boxes show nothing until the answer
  bool hideGraphs = false;          // no graphs window until the answer
  bool lockParameters = false;      // the parameter boxes and mode controls stay as the teacher set them
  std::vector<WrongAnswer> wrong;
  TaskAnswers answers;
  bool operator==(const Task&) const = default;
};

// Why the task cannot be asked, in a few Russian words, or nothing: a
// readout quantity asked and watched, finite numbers, a tolerance not below
// zero, hidden boxes that exist.
std::optional<std::string> TaskProblem(const Task& t);

}  // namespace vozaz2
