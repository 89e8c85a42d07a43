// The graphs window "Графики": the quantities of the readout against time,
// several at once or one against another, ready-made views of the angular
// momentum, the energy account, the forces and the law of the experiment
// (w against R on logarithmic axes, with the predicted line), and live bars of
// the energy account and of the angular momentum in its parts.
//
// The window follows one session: it draws from the run's bounded history
// (run/RunHistory.h), which starts afresh at each "Начать" and keeps the last
// run after it ends. The session keeps the runs before it (run/KeptRuns.h),
// which the window lays over the current run at the user's choice. The graphs are drawn only while the window is shown, at
// most at the display's rate and less often when drawing is slow, so that the
// stepping timer keeps its pace.
//
// Its views are the rows of graphs/Views.h; graphs/Renderers.h draws them
// and graphs/Exports.h gives them away as pictures and tables.
//
// One window per main window, which keeps it. Closing it only hides it: the
// history goes on, and the next opening shows the whole run. It is deleted
// with its owner.
#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <vector>

#include "graphs/Views.h"
#include "run/RunSummary.h"

class QCustomPlot;
class QComboBox;
class QListWidget;
class QPushButton;
class QTimer;

namespace vozaz2 {

class KeptRunsMenu;
class Session;

class GraphsWindow final : public QWidget {
  Q_OBJECT

 public:
  // The ready-made views, then the user's own choice.
  using View = vozaz2::View;
  static constexpr int kReadyViews = vozaz2::kReadyViews;

  // Starts following the session at once; the window stays hidden.
  GraphsWindow(Session& session, QWidget* owner);

  const RunSummary& Summary() const;
  QCustomPlot* Plot() const { return plot_; }
  // The menu "Опыты": the kept runs of the session as layers over the
  // current run (graphs/KeptRunsMenu.h).
  KeptRunsMenu* KeptRunsCommands() const { return keptMenu_; }

  void ShowView(View view);
  View CurrentView() const { return view_; }
  // The user's own graph: these quantities (indices into kQuantities)
  // against the quantity `x` (quantity::kT: against time).
  void ShowCustom(const std::vector<std::size_t>& quantities, std::size_t x);
  // Shows the window, brought to the front: for the keys and the menu.
  // Not while it is withheld.
  void ShowInFront();
  // A task keeps the graphs from the student until the run has answered:
  // withheld, the window hides and does not open.
  void Withhold(bool withheld);
  bool Withheld() const { return withheld_; }

  // Draws the current view from the summary now.
  void Redraw();
  // The graph's texts (axes, legend) at `percent` % of their size, and the
  // window with them, as the main window's zoom for a projector (100 for
  // the normal size).
  void SetZoom(int percent);
  // Back to the whole of the data after the user zoomed or panned.
  void ResetZoom();

  // The data of the current view as a tab-separated table with a header row,
  // numbers in the locale's notation. Ctrl+C copies it.
  QString DataTable() const;
  bool SavePng(const QString& file) const;
  bool SaveSvg(const QString& file) const;
  void CopyImage() const;
  void CopyData() const;

  // Redraws made since the window was built, and the time they took, for
  // the benchmarks.
  long Redraws() const { return redraws_; }
  double RedrawSeconds() const { return static_cast<double>(redrawNs_) / 1e9; }

 signals:
  // A redraw has taken `ns` nanoseconds, the main window's timer held up
  // meanwhile.
  void Drew(qint64 ns);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void OnRunStarted();
  void OnFrame();
  void BuildControls();
  void FitSize();  // the window's size at the zoom, on the screen
  void FitLegend();  // the legend in two columns, or one where two are too wide
  QLayout* BuildSide();
  QLayout* BuildBottom();
  const ViewRow& Row() const;
  ViewSource Source() const;

  Session& session_;
  View view_ = View::kMomentum;
  ViewRow custom_ = CustomView({}, quantity::kT);
  bool zoomed_ = false;  // the user moved the axes: live redraws keep them
  int zoom_ = 100;       // the texts' and the window's size, in per cent

  QCustomPlot* plot_ = nullptr;
  KeptRunsMenu* keptMenu_ = nullptr;
  QListWidget* choice_ = nullptr;
  QComboBox* against_ = nullptr;
  std::vector<QPushButton*> viewButtons_;

  // Redraws while shown: at most at the display's rate, and no more often than
  // keeps their share of the time small.
  QTimer* frame_ = nullptr;
  QElapsedTimer clock_;
  qint64 nextRedrawNs_ = 0;
  std::uint64_t drawnVersion_ = ~std::uint64_t{0};
  bool dirty_ = true;
  long redraws_ = 0;
  qint64 redrawNs_ = 0, lastRedrawNs_ = 0;
  bool withheld_ = false;
};

// The graphs window of this main window, made hidden (it begins to follow the
// experiment at once) and deleted with it; the keys Ctrl+G and F9 in the
// owner show it. The caller keeps it: one for each main window.
GraphsWindow* InstallGraphsWindow(QWidget* owner, Session& session);

}  // namespace vozaz2
