#include "run/KeptRuns.h"

#include "run/RunNames.h"
#include "run/RunStyles.h"

namespace vozaz2 {

std::string KeptRuns::NameFor(const Scenario& scenario) const {
  std::optional<Scenario> before;
  if (!runs_.empty()) before = runs_.back().scenario;
  const std::string name = DifferenceName(before, scenario);
  // Nothing differs: the first run from start-up, or a run made again.
  if (name.empty()) return before ? "повтор" : "исходные значения";
  return name;
}

void KeptRuns::Keep(const Scenario& scenario, const SimRecord& end, const RunHistory& history) {
  std::string name = NameFor(scenario);
  if (runs_.size() == kMaxKept) runs_.pop_front();
  const std::string base = name;
  for (int n = 2; NameTaken(name); ++n) name = base + " (" + std::to_string(n) + ")";
  runs_.push_back(KeptRun{name, FreeStyle(), true, scenario, end, history});
  ++version_;
}

void KeptRuns::Rename(std::size_t i, const std::string& name) {
  if (name.empty()) return;
  runs_.at(i).name = name;
  ++version_;
}

void KeptRuns::Show(std::size_t i, bool shown) {
  runs_.at(i).shown = shown;
  ++version_;
}

void KeptRuns::Forget(std::size_t i) {
  if (i >= runs_.size()) return;
  runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(i));
  ++version_;
}

void KeptRuns::Clear() {
  runs_.clear();
  ++version_;
}

std::size_t KeptRuns::FreeStyle() const {
  for (std::size_t style = 0; style < kRunStyles.size(); ++style) {
    bool used = false;
    for (const KeptRun& r : runs_) used = used || r.style == style;
    if (!used) return style;
  }
  return runs_.size() % kRunStyles.size();  // not reached while kMaxKept <= the styles
}

bool KeptRuns::NameTaken(const std::string& name) const {
  for (const KeptRun& r : runs_)
    if (r.name == name) return true;
  return false;
}

}  // namespace vozaz2
