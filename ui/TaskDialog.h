// "Создать задание…": a task made from the window, no JSON by hand. The
// teacher writes the question and chooses the quantity, its moment (the
// run's end, or a quantity reaching a value), the tolerance, the boxes to
// hide, whether the graphs are kept back and the set-up locked, and up to
// three foreseen wrong answers with a word on each.
#pragma once

#include <QDialog>
#include <optional>
#include <variant>

#include "run/Task.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTableWidget;

namespace vozaz2 {

class TaskDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit TaskDialog(QWidget* parent);
  // The boxes filled from a task (one made before).
  void SetFrom(const Task& t);
  // The task the boxes describe, or what is wrong with them, in Russian.
  std::variant<Task, QString> Result() const;

 private:
  void BuildFields();
  void accept() override;  // only a task without a problem
  QPlainTextEdit* question_ = nullptr;
  QComboBox* quantity_ = nullptr;
  QComboBox* when_ = nullptr;  // the end, or a quantity reaching a value
  QLineEdit* whenValue_ = nullptr;
  QLineEdit* tolerance_ = nullptr;
  QComboBox* toleranceKind_ = nullptr;  // per cent, or in the quantity's unit
  QListWidget* hidden_ = nullptr;
  QCheckBox* hideGraphs_ = nullptr;
  QCheckBox* lock_ = nullptr;
  QTableWidget* wrong_ = nullptr;
  QLabel* problem_ = nullptr;
};

// The dialog, modal; the task made, or nothing when cancelled.
std::optional<Task> AskTask(QWidget* parent, const Task* start);

}  // namespace vozaz2
