#include "run/Series.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "run/Quantities.h"

namespace vozaz2 {

namespace {

using Kind = SeriesColumn::Kind;

// The columns that are not a quantity's, by their keys.
struct Whole {
  Kind kind;
  std::string_view key, name, unit;
};
constexpr std::array<Whole, 3> kWholeColumns = {{
    {Kind::kMomentumDrift, "driftMKD", "дрейф MKD", ""},
    {Kind::kBalanceDrift, "driftBalance", "дрейф баланса", ""},
    {Kind::kDivergence, "Tdiv", "T расхождения", "с"},
}};

const Whole* WholeOf(Kind kind) {
  for (const Whole& w : kWholeColumns)
    if (w.kind == kind) return &w;
  return nullptr;
}

constexpr std::array<std::string_view, kParameterCount> kParameterUnits = {
    "м", "рад/с", "н/м", "н·с/м", "м/с", "с", "м/см", "н/см", "м/см", "с/см", "с"};

}  // namespace

std::string ColumnKey(const SeriesColumn& c) {
  if (const Whole* w = WholeOf(c.kind)) return std::string(w->key);
  const std::string key(kQuantities.at(c.quantity).key);
  if (c.kind == Kind::kLeast) return "min:" + key;
  if (c.kind == Kind::kGreatest) return "max:" + key;
  return key;
}

std::optional<SeriesColumn> ColumnNamed(std::string_view key) {
  for (const Whole& w : kWholeColumns)
    if (key == w.key) return SeriesColumn{w.kind, 0};
  Kind kind = Kind::kEnd;
  if (key.substr(0, 4) == "min:" || key.substr(0, 4) == "max:") {
    kind = key[1] == 'i' ? Kind::kLeast : Kind::kGreatest;
    key.remove_prefix(4);
  }
  if (const std::optional<std::size_t> q = QuantityNamed(key)) return SeriesColumn{kind, *q};
  return std::nullopt;
}

std::string ColumnName(const SeriesColumn& c) {
  if (const Whole* w = WholeOf(c.kind)) return std::string(w->name);
  const std::string key(kQuantities.at(c.quantity).key);
  if (c.kind == Kind::kLeast) return "наименьшее " + key;
  if (c.kind == Kind::kGreatest) return "наибольшее " + key;
  return key + " в конце";
}

std::string_view ColumnUnit(const SeriesColumn& c) {
  if (const Whole* w = WholeOf(c.kind)) return w->unit;
  return kQuantities.at(c.quantity).unit;
}

bool NeedsHistory(const SeriesColumn& c) {
  return c.kind == Kind::kMomentumDrift || c.kind == Kind::kBalanceDrift;
}

std::vector<SeriesColumn> DefaultColumns() {
  return {{Kind::kEnd, quantity::kR2},
          {Kind::kEnd, quantity::kW2},
          {Kind::kEnd, quantity::kMKD2},
          {Kind::kMomentumDrift, 0},
          {Kind::kDivergence, 0}};
}

std::string_view ParameterUnit(std::size_t parameter) { return kParameterUnits.at(parameter); }

double RangeValue(const SeriesRange& r, long long i) {
  if (i <= 0 || r.count <= 1) return r.from;
  if (i >= r.count - 1) return r.to;
  const double f = static_cast<double>(i) / static_cast<double>(r.count - 1);
  const double v = r.logarithmic ? std::exp(std::log(r.from) + f * (std::log(r.to) - std::log(r.from)))
                                 : r.from + f * (r.to - r.from);
  // To 12 significant digits, so that round steps come out as a teacher
  // types them (0.06, not 0.060000000000000005).
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, v, std::chars_format::general, 12).ptr;
  double rounded = v;
  std::from_chars(text, end, rounded);
  return rounded;
}

namespace {

std::optional<std::string> RangeProblem(const SeriesRange& r) {
  if (r.parameter >= kParameterCount) return "нет такого параметра";
  const std::string name(kParameterNames[r.parameter]);
  if (!std::isfinite(r.from) || !std::isfinite(r.to)) return name + ": начало и конец — конечные числа";
  if (r.logarithmic && !(r.from > 0 && r.to > 0)) return name + ": для логарифмического шага начало и конец > 0";
  if (r.count < 1 || r.count > kMaxSeriesRuns)
    return "число опытов — от 1 до " + std::to_string(kMaxSeriesRuns);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> SeriesProblem(const Series& s) {
  if (s.range.has_value() == !s.files.empty()) return "нужен либо диапазон параметра, либо список файлов опытов";
  if (s.range)
    if (auto problem = RangeProblem(*s.range)) return problem;
  if (s.files.size() > static_cast<std::size_t>(kMaxSeriesRuns))
    return "файлов больше " + std::to_string(kMaxSeriesRuns);
  if (s.steps && s.time) return "нужно либо число шагов, либо время, не оба";
  if (s.steps && (*s.steps < 0 || *s.steps > kMaxSteps))
    return "число шагов вне пределов от 0 до " + std::to_string(kMaxSteps);
  if (s.time && !(*s.time > 0 && *s.time <= kMaxSeriesTime)) return "время опыта — число больше 0 и не больше 1e9 с";
  if (s.collect.empty()) return "не выбрано, что собирать";
  for (std::size_t i = 0; i < s.collect.size(); ++i)
    for (std::size_t j = 0; j < i; ++j)
      if (s.collect[i] == s.collect[j]) return ColumnKey(s.collect[i]) + " собирается дважды";
  return std::nullopt;
}

long long StepsToReach(double p0, double time) {
  if (!(p0 > 0) || !std::isfinite(p0)) return 0;
  long long n = 0;
  for (double t = 0; t < time && n < kMaxSteps; ++n) t = t + p0;
  return n;
}

long long SeriesPlan::Count() const {
  return series.range ? series.range->count : static_cast<long long>(experiments.size());
}

Scenario SeriesPlan::RunScenario(long long i) const {
  static const std::size_t kP0 = *ParameterIndex("P0");
  Scenario s = series.range ? base : experiments.at(static_cast<std::size_t>(i));
  if (series.range) s.parameters[series.range->parameter] = Value(i);
  if (series.steps) s.steps = series.steps;
  if (series.time) s.steps = StepsToReach(s.parameters[kP0].value_or(kDefaultValues[kP0]), *series.time);
  return s;
}

double SeriesPlan::Value(long long i) const {
  return series.range ? RangeValue(*series.range, i) : std::numeric_limits<double>::quiet_NaN();
}

std::string_view EndName(SeriesEnd end) {
  switch (end) {
    case SeriesEnd::kComplete: return "завершён";
    case SeriesEnd::kDiverged: return "разошёлся";
    case SeriesEnd::kRefused: return "не начат";
    case SeriesEnd::kStopped: return "прерван";
  }
  return {};
}

}  // namespace vozaz2
