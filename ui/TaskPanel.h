// The window "Задание": the task's question, a box for the prediction and
// one for the reasoning before the run; after it, the prediction beside what
// the run gave, the word on a foreseen wrong answer, and a box for the
// explanation. It stands beside the main window and moves no control of the
// form. It shows a TaskRun (run/TaskRun.h) and tells what the student types;
// the main window passes that on.
#pragma once

#include <QWidget>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace vozaz2 {

class TaskRun;

class TaskPanel final : public QWidget {
  Q_OBJECT

 public:
  explicit TaskPanel(QWidget* owner);

  // Everything from the task: the question, the answers written so far, and
  // what its stage allows (the prediction sealed once the run has started,
  // the explanation open once the run has answered).
  void Show(const TaskRun& task);
  // Only what the stage changes, leaving the boxes' texts as typed.
  void Refresh(const TaskRun& task);

  // The prediction as typed, read with the locale's separator or '.'; none
  // when the box holds no number.
  std::optional<double> Prediction(char separator) const;
  std::string Student() const;
  std::string Reasoning() const;
  std::string Explanation() const;
  // Puts the focus in the prediction box (asked for by "Начать").
  void AskForPrediction();

 signals:
  // The student typed into one of the boxes.
  void Edited();

 private:
  QLabel* question_ = nullptr;
  QLabel* asked_ = nullptr;
  QLineEdit* student_ = nullptr;
  QLineEdit* prediction_ = nullptr;
  QLabel* unit_ = nullptr;
  QPlainTextEdit* reasoning_ = nullptr;
  QLabel* verdict_ = nullptr;
  QLabel* explainLabel_ = nullptr;
  QPlainTextEdit* explanation_ = nullptr;
};

}  // namespace vozaz2
