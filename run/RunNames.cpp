#include "run/RunNames.h"

#include <array>
#include <string_view>
#include <vector>

#include "model/NumberText.h"

namespace vozaz2 {

namespace {

// The words of a control's state as the run chose it: an option group names
// the option selected, a check box its tick or its absence.
struct ControlWords {
  bool option;  // a pair of options (number, number + 1); else a check box
  int number;
  std::string_view first, second;  // option: the first or the second selected; check: ticked or not
};

constexpr std::array<ControlWords, 8> kControlWords = {{
    {true, 5, "по конусу", "в плоскости"},
    {true, 1, "тянется нить", "движется втулка"},
    {true, 3, "вверх", "вниз"},
    {true, 7, "m=2", "гантель m=1+1"},
    {false, 3, "привод стоит (VL= 0)", "привод движется"},
    {false, 1, "FL= 0 до 1 с", "нить натянута"},
    {false, 2, "с разделением груза", "без разделения"},
    {false, 4, "Mx вручную", "Mx по R1"},
}};

// The parameters as the boxes' labels name them, with their units.
constexpr std::array<std::string_view, kParameterCount> kLabels = {
    "R1", "w1", "CL", "Ktr", "VL", "шаг", "Mx", "MF", "Mz", "Mt", "Tr"};
constexpr std::array<std::string_view, kParameterCount> kUnits = {
    " м", " рад/с", " Н/м", " Н·с/м", " м/с", " с", "", "", "", "", " с"};

// The controls as the clicks before "Начать" leave them, from start-up.
struct ControlsAfter {
  SimRecord record;
  Modes modes{record};
  explicit ControlsAfter(const std::vector<ModeControl>& clicks) {
    SetStartUpSigns(record);
    for (ModeControl c : clicks) Click(modes, c);
  }
  bool On(const ControlWords& w) const { return w.option ? modes.Option(w.number) : modes.Checked(w.number); }
};

double Value(const Scenario& s, std::size_t i) { return s.parameters[i].value_or(kDefaultValues[i]); }

std::vector<std::string> Differences(const Scenario& before, const Scenario& run) {
  std::vector<std::string> parts;
  const ControlsAfter was(before.before), is(run.before);
  for (const ControlWords& w : kControlWords) {
    if (was.On(w) == is.On(w)) continue;
    // An option pair names the option selected; a check box its tick.
    parts.emplace_back(is.On(w) ? w.first : w.second);
  }
  for (std::size_t i = 0; i < kParameterCount; ++i)
    if (Value(before, i) != Value(run, i))
      parts.push_back(std::string(kLabels[i]) + " = " + NumberText(Value(run, i), ',') + std::string(kUnits[i]));
  if (before.events != run.events)
    parts.emplace_back(run.events.empty() ? "без щелчков по ходу" : "щелчки по ходу опыта");
  return parts;
}

}  // namespace

std::string DifferenceName(const std::optional<Scenario>& before, const Scenario& run) {
  const std::vector<std::string> parts = Differences(before.value_or(Scenario{}), run);
  std::string name;
  for (std::size_t i = 0; i < parts.size() && i < kNamedDifferences; ++i) name += (i ? ", " : "") + parts[i];
  if (parts.size() > kNamedDifferences) name += " и ещё " + std::to_string(parts.size() - kNamedDifferences);
  return name;
}

}  // namespace vozaz2
