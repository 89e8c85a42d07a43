// The variant of a run, by name: what "Начать" fixed (the shape of the load,
// the release, the plane) and whether the load has split or is set to split.
// Everything that asks these questions asks them here.
#pragma once

#include "model/Modes.h"
#include "model/Record.h"

namespace vozaz2 {

inline bool DumbbellRun(const SimRecord& r) { return r.DumbbellRun; }
inline bool ReleaseRun(const SimRecord& r) { return r.ReleaseRun; }
inline bool PlaneRun(const SimRecord& r) { return r.PlaneRun; }

// The load has become two balls in this run.
inline bool SplitDone(const SimRecord& r) { return r.SplitDone == 1; }

// "m= 1+1 от 1с  до Tr с" is ticked on a run that can split: a single load in
// the plane (the two balls' equations know no vertical motion). Such a run is
// handed over to two balls once T is past 1 s and not past Tr.
inline bool SplitArmed(const SimRecord& r, const Modes& m) {
  return m.SplitChosen() && r.PlaneRun && !r.DumbbellRun;
}

// A run of the split variant: split already, or set to split.
inline bool SplitRun(const SimRecord& r, const Modes& m) { return SplitDone(r) || SplitArmed(r, m); }

}  // namespace vozaz2
