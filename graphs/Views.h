// The views of the graphs window, one row each: the caption of its button,
// the quantities it draws (on which axis, under which condition of the run),
// how it draws them, and so the columns of the table copied from it. The
// buttons, the drawing (graphs/Renderers.h) and the copied table
// (graphs/Exports.h) all read the same row: adding a view is adding a row
// (and its name in View).
//
// Beside the rows, how a quantity is named on an axis, in a legend and in a
// table.
#pragma once

#include <QRgb>
#include <QString>
#include <cstddef>
#include <string_view>
#include <vector>

#include "model/Record.h"
#include "run/Quantities.h"
#include "run/RunHistory.h"
#include "run/RunSummary.h"

namespace vozaz2 {

// The ready-made views in the order of their buttons, then the user's own.
enum class View { kMomentum, kEnergy, kForces, kLaw, kEnergyBars, kMomentumBars, kAccuracy, kCustom };
constexpr int kReadyViews = static_cast<int>(View::kCustom);

// How a view draws its quantities.
enum class Shape {
  kTime,     // each against time: every bucket of steps as the span of its values
  kAgainst,  // each against the row's x: the last step of every bucket
  kLaw,      // the one quantity against x on logarithmic axes, with the law's line
  kBars,     // the last values as bars, in groups of one colour
};

// One quantity that a view draws: a curve or a bar.
struct Plotted {
  std::size_t quantity;
  // A curve's panel, counted from the top: the panels lie one under another
  // on one horizontal axis, each with a value axis of its own, one unit each.
  std::size_t panel = 0;
  const char* tick = nullptr;    // a bar's label under it
  int group = 0;                 // a bar's group: an index into the row's groups
  bool (*when)(const SimRecord&) = nullptr;  // drawn only in the runs it holds for; null: always

  bool DrawnIn(const SimRecord& r) const { return !when || when(r); }
};

struct BarGroup {
  const char* legend;
  QRgb colour;
};

// A few words under a view's graph about what it shows in some runs.
struct ViewNote {
  bool (*when)(const SimRecord&);
  const char* text;
};

struct ViewRow {
  const char* caption;  // on the view's button
  Shape shape;
  std::size_t x = quantity::kT;  // along the horizontal axis of kAgainst and kLaw
  std::vector<Plotted> plotted{};
  // The value axis of each panel, from the top, when its quantities share a
  // unit: "энергия" becomes "энергия, Дж". Without: their names.
  std::vector<const char*> what{};
  std::vector<BarGroup> groups{};
  std::vector<ViewNote> notes{};
  // A time graph of positive values over many powers of ten (relative
  // errors) on a logarithmic value axis; values of 0 are not drawn.
  bool logarithmic = false;
  // It draws the estimates of the twin at half the step (run/Twin.h): where
  // they end, the view says why.
  bool twin = false;
};

// The row of a ready-made view.
const ViewRow& ReadyView(View view);
// The user's own: these quantities (indices into kQuantities) against the
// quantity x (quantity::kT: against time), a panel for each unit in the
// order of the quantities.
ViewRow CustomView(const std::vector<std::size_t>& quantities, std::size_t x);

// What a view is drawn from.
struct ViewSource {
  const RunSummary& summary;  // the run's history, a column per quantity
  const SimRecord& record;    // the run's variant: which of the row's quantities are drawn
  double R1, w1;              // the law's start point
  const RunHistory::Accuracy* accuracy = nullptr;  // the twin's account, for a view of its estimates

  // The last step's value of a quantity; 0 before the first step.
  double LastValue(std::size_t q) const;
};

// The row's quantities that are drawn in this run, in the row's order.
std::vector<std::size_t> DrawnQuantities(const ViewRow& row, const SimRecord& record);
// All the row's quantities, drawn or not.
std::vector<std::size_t> AllQuantities(const ViewRow& row);
// The panels of the row in this run (at least one), and the quantities drawn
// in each, in the row's order.
std::vector<std::vector<std::size_t>> DrawnPanels(const ViewRow& row, const SimRecord& record);
// The row's value axis of a panel: its `what` with the unit, or the names.
QString PanelLabel(const ViewRow& row, std::size_t panel, const std::vector<std::size_t>& qs);
// The row's notes that hold for this run, one paragraph.
QString NotesFor(const ViewRow& row, const SimRecord& record);

// What a view of the twin's estimates says over its graph where they end or
// are missing; empty while they go on.
QString TwinNote(const RunHistory::Accuracy& a);

// A text of the program's tables (UTF-8) as a QString.
QString Utf8Text(std::string_view s);
// "MKD2, кг·м²/с": the key with its unit, for the axes and the table.
QString KeyWithUnit(std::size_t q);
// "момент импульса MKD2, кг·м²/с", for an axis of one quantity.
QString NameWithUnit(std::size_t q);
// "MKD2 — момент импульса", for a legend.
QString Legend(std::size_t q);
// An axis for several quantities: "энергия, Дж" when they share a unit and
// `what` is given, else their keys with units.
QString AxisLabel(const std::vector<std::size_t>& qs, const QString& what);

}  // namespace vozaz2
