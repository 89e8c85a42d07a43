// The conditions that the experiment's option buttons and check boxes keep
// after every click, whatever the order of the clicks; used by the sweep test
// and the experiment fuzzer.
#pragma once

#include <string>

#include "model/Modes.h"
#include "model/Record.h"

namespace vozaz2::quality {

// The first condition that the controls break, or an empty text.
//   0. Each frame has exactly one option selected, and the record's factors
//      follow the selections: MoverSign +1/-1 (string/sleeve), DirSign +1/-1
//      (up/down), PathSign 1/0 (cone/plane).
//   1. "FL= 0 до 1 с " ticked: "Нити" and "Вниз" selected, "Втулки" and
//      "Вверх" disabled, "VL= 0" ticked.
//   2. "m= 1+1 от 1с  до Tr с" ticked: "m=2", "Нити" and "В плоскости"
//      selected; "Втулки" and "По конусу" disabled.
//   3. "m=1+1" selected: "Нити" and "В плоскости" selected; "Втулки" and
//      "По конусу" disabled; the split box unticked and disabled.
//   4. "В плоскости" selected: "Нити" selected and "Втулки" disabled (the
//      sleeve cannot be driven in the plane, also after "m=2" again).
//   5. "Вверх" is disabled only with "FL= 0 до 1 с " ticked; "По конусу"
//      only with "m=1+1" or the split; the split box only with "m=1+1"; all
//      other controls are never disabled.
inline std::string BrokenModeCondition(const Modes& m, const SimRecord& r) {
  for (int n = 1; n <= 7; n += 2)
    if (m.Option(n) == m.Option(n + 1)) return "0: Option" + std::to_string(n) + "/" + std::to_string(n + 1);
  if (r.MoverSign != (m.Option(1) ? 1.0f : -1.0f)) return "0: MoverSign";
  if (r.DirSign != (m.Option(3) ? 1.0f : -1.0f)) return "0: DirSign";
  if (r.PathSign != (m.Option(5) ? 1.0f : 0.0f)) return "0: PathSign";
  if (m.Checked(1) && !(m.Option(1) && m.Option(4) && !m.OptionEnabled(2) && !m.OptionEnabled(3) &&
                        m.Checked(3)))
    return "1: release";
  if (m.Checked(2) && !(m.Option(7) && m.Option(1) && m.Option(6) && !m.OptionEnabled(2) &&
                        !m.OptionEnabled(5)))
    return "2: split";
  if (m.Option(8) && !(m.Option(1) && m.Option(6) && !m.OptionEnabled(2) && !m.OptionEnabled(5) &&
                       !m.Checked(2) && !m.CheckEnabled(2)))
    return "3: dumbbell";
  if (m.Option(6) && !(m.Option(1) && !m.OptionEnabled(2))) return "4: plane";
  if (!m.OptionEnabled(3) && !m.Checked(1)) return "5: Option3 disabled";
  if (!m.OptionEnabled(5) && !(m.Option(8) || m.Checked(2))) return "5: Option5 disabled";
  if (!m.CheckEnabled(2) && !m.Option(8)) return "5: Check2 disabled";
  for (int n : {1, 4, 6, 7, 8})
    if (!m.OptionEnabled(n)) return "5: Option" + std::to_string(n) + " disabled";
  for (int n : {1, 3, 4})
    if (!m.CheckEnabled(n)) return "5: Check" + std::to_string(n) + " disabled";
  return {};
}

}  // namespace vozaz2::quality
