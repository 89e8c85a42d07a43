// The window "Серия опытов": one experiment made again and again with a
// parameter changed over a range, or a list of experiment files, the runs
// headless and in parallel on the machine's cores (run/SeriesRun.h) while
// the window goes on answering; a progress bar, "Прервать"; the results as
// a table (a row a run) to copy (Ctrl+C, tab-separated) or save as CSV, a
// graph of any result against the parameter or another result, the law
// across the runs (ω2/ω1 against R1/R2 on logarithmic axes with the fitted
// slope and its error beside the 2 predicted), and the report of the series.
//
// The experiment of the runs is the main window's as it stands at "Начать
// серию", or the experiment of a series' file opened here. Every dialog of
// the window is a command of its own without it (Start, SaveCsv, OpenSeries,
// ...), and none blocks: problems are told in the line under the buttons.
//
// The controls by name, for the tests: Settings (series/SeriesSettings.h),
// Start, Cancel, Progress, Status, FromMain, Table, Results (the graph),
// YAxis, XAxis, Law (the law's graph), LawText.
#pragma once

#include <QString>
#include <QWidget>
#include <atomic>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include "io/ExperimentFile.h"
#include "run/Series.h"

class QComboBox;
class QCustomPlot;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTimer;

namespace vozaz2 {

class Session;
class SeriesSettings;

class SeriesWindow final : public QWidget {
  Q_OBJECT

 public:
  // `base` gives the main window's experiment.
  SeriesWindow(std::function<Scenario()> base, QWidget* owner);
  ~SeriesWindow() override;  // stops the runs and waits for them

  SeriesSettings* Settings() const { return settings_; }
  // "Начать серию": false, with the problem in the status line, when the
  // settings make no series or a run is going.
  bool Start();
  // "Прервать": the runs under way stop; the rows made stay.
  void Cancel();
  bool Running() const { return worker_.joinable(); }
  const SeriesPlan& Plan() const { return plan_; }
  const std::vector<SeriesRow>& Rows() const { return rows_; }
  QString Status() const;

  // The table with its header, tab-separated, the numbers exact in the
  // locale's notation: what Ctrl+C copies.
  QString TableText() const;
  bool SaveCsv(const QString& path, bool spreadsheet = false);
  bool SaveReport(const QString& path);
  // A series' file: its experiment becomes the runs' and its series the
  // settings; saved, the settings with the experiment of the runs.
  bool OpenSeries(const QString& path);
  bool SaveSeries(const QString& path);
  // The runs' experiment from the main window again (after OpenSeries).
  void UseMainExperiment();

  void ShowInFront();
  QCustomPlot* ResultsPlot() const { return results_; }
  QCustomPlot* LawPlot() const { return law_; }
  QString LawLine() const;

 signals:
  // The series ended: every run made, or cancelled.
  void Finished();

 private:
  QWidget* BuildLeft();
  QWidget* BuildRight();
  QWidget* BuildGraph();
  void AddRow(const SeriesRow& row);
  void Done();
  void Redraw();
  void ResetTable();
  void Say(const QString& text);
  void ShowState();
  void AskFile(const QString& title, const QString& filter, bool save, const std::function<void(const QString&)>& then);
  // The experiment of the runs with the settings' series; nothing, with the
  // problem said after `failed`, when the settings make no series.
  std::optional<ExperimentDocument> Document(const QString& failed);

  std::function<Scenario()> base_;
  SeriesSettings* settings_ = nullptr;
  QPushButton *start_ = nullptr, *cancel_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel *status_ = nullptr, *experiment_ = nullptr, *lawText_ = nullptr;
  QTableWidget* table_ = nullptr;
  QCustomPlot *results_ = nullptr, *law_ = nullptr;
  QComboBox *yAxis_ = nullptr, *xAxis_ = nullptr;
  QTimer* redraw_ = nullptr;
  QString folder_;

  std::optional<ExperimentDocument> file_;  // an opened series' file
  SeriesPlan plan_;                         // the series made or being made
  std::vector<SeriesRow> rows_;             // its rows so far
  std::thread worker_;
  std::atomic<bool> stop_{false};
  bool dirty_ = false;  // rows came since the graphs were drawn
};

// The series window of this main window, hidden and deleted with it; its
// runs start from the session's experiment: the boxes as typed, the
// controls as at the last start.
SeriesWindow* InstallSeriesWindow(QWidget* owner, Session& session);

}  // namespace vozaz2
