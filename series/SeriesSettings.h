// The settings of a series as the series window shows them: what changes
// from run to run (one parameter over a range, evenly or evenly in
// logarithms, or a list of experiment files), how long each run goes (steps,
// model time, or as its experiment says), and which results to collect, in
// the order they were ticked.
//
// The controls by name, for the tests:
//   ByRange, Parameter, From, To, Count, Scale   the range
//   ByFiles, Files                               the files
//   BySteps, Steps, ByTime, Time, AsOwn          how long each run goes
//   Collect                                      the results: a row a quantity (first the drifts and the
//                                                time of a divergence), columns "в конце", "наим.", "наиб."
#pragma once

#include <QStringList>
#include <QWidget>
#include <variant>
#include <vector>

#include "run/Series.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class QTableWidgetItem;

namespace vozaz2 {

class SeriesSettings final : public QWidget {
  Q_OBJECT

 public:
  explicit SeriesSettings(QWidget* parent = nullptr);

  // The series the controls describe, or what is wrong with them in Russian.
  std::variant<Series, QString> Read() const;
  // The controls set to a series (its files as they are named).
  void Show(const Series& s);
  // The files of a series of files (absolute paths), which then is chosen.
  void SetFiles(const QStringList& paths);
  QStringList Files() const;

 private:
  QWidget* BuildWhat();
  QWidget* BuildEnd();
  void BuildCollect();
  void Collected(QTableWidgetItem* item);
  std::optional<double> Number(const QLineEdit* box) const;
  // The collect table's cell of a column: its row and column.
  std::pair<int, int> CellOf(const SeriesColumn& c) const;

  QRadioButton *byRange_ = nullptr, *byFiles_ = nullptr;
  QComboBox *parameter_ = nullptr, *scale_ = nullptr;
  QLineEdit *from_ = nullptr, *to_ = nullptr, *time_ = nullptr;
  QSpinBox *count_ = nullptr, *steps_ = nullptr;
  QListWidget* files_ = nullptr;
  QRadioButton *bySteps_ = nullptr, *byTime_ = nullptr, *asOwn_ = nullptr;
  QTableWidget* collect_ = nullptr;
  std::vector<SeriesColumn> order_;  // the results ticked, in the order of their ticks
  bool showing_ = false;             // the controls are being set: ticks are not the user's
  char sep_;
};

}  // namespace vozaz2
