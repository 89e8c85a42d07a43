#include "graphs/Views.h"

#include <QStringList>
#include <algorithm>
#include <array>

#include "io/Locale.h"
#include "model/Variant.h"

namespace vozaz2 {

namespace {

// The dumbbell's parts of MKD2: its centre's orbit and its turn about it.
bool DumbbellWhole(const SimRecord& r) { return DumbbellRun(r) && !SplitDone(r); }

constexpr QRgb kGreen = qRgb(80, 170, 80), kBlue = qRgb(90, 120, 220), kGrey = qRgb(150, 150, 150);

// clang-format off
const std::array<ViewRow, kReadyViews> kViews = {{
    // MKD1 and MKD2, and under them their relative deviation on its own
    // scale: some 10⁻⁸, it would read as a change of MKD on their axis.
    {.caption = "Момент импульса", .shape = Shape::kTime,
     .plotted = {{.quantity = quantity::kMKD1}, {.quantity = quantity::kMKD2}, {.quantity = quantity::kMKDRel, .panel = 1}},
     .what = {"момент импульса", "относительное отклонение\n(MKD2 − MKD1)/MKD1"},
     .notes = {{DumbbellWhole,
                "У гантели MKD2 складывается из положения шара a на последнем этапе шага Рунге — Кутты\n"
                "и скоростей в конце шага. Отсюда постоянный сдвиг отклонения порядка 10⁻⁸ и выброс на первом шаге,\n"
                "внутри которого появляется трение нити: это след счёта, а не изменение момента импульса."}}},
    {.caption = "Энергия", .shape = Shape::kTime,
     .plotted = {{.quantity = quantity::kE1}, {.quantity = quantity::kE2}, {.quantity = quantity::kEVL}, {.quantity = quantity::kEL},
                 {.quantity = quantity::kEmg}, {.quantity = quantity::kEtr}, {.quantity = quantity::kBalance}},
     .what = {"энергия"}},
    // The second string pulls only after the split.
    {.caption = "Силы", .shape = Shape::kTime,
     .plotted = {{.quantity = quantity::kFL}, {.quantity = quantity::kFtr}, {.quantity = quantity::kFC}, {.quantity = quantity::kFL2, .when = SplitDone}},
     .what = {"сила"}},
    {.caption = "Закон: ω от R", .shape = Shape::kLaw, .x = quantity::kR2, .plotted = {{.quantity = quantity::kW2}}},
    // Where the joules came from (the start energies and the source's work
    // with its sign) and where they went (motion, string, height, friction);
    // the last bar is what is left over: the error of the solution.
    {.caption = "Энергия: столбцы", .shape = Shape::kBars,
     .plotted = {{.quantity = quantity::kE1, .tick = "E1\nдвижение\nв начале"},
                 {.quantity = quantity::kEL1, .tick = "EL1\nнить\nв начале"},
                 {.quantity = quantity::kWork, .tick = "±EVL\nработа\nисточника"},
                 {.quantity = quantity::kE2, .tick = "E2\nдвижение", .group = 1},
                 {.quantity = quantity::kEL2, .tick = "EL2\nнить", .group = 1},
                 {.quantity = quantity::kEmg, .tick = "Emg\nвысота", .group = 1},
                 {.quantity = quantity::kEtr, .tick = "Etr\nтрение", .group = 1},
                 {.quantity = quantity::kBalance, .tick = "баланс\n(ошибка)", .group = 2}},
     .what = {"энергия"},
     .groups = {{"приход", kGreen}, {"где энергия теперь", kBlue}, {"баланс ±EVL+E1−E2−EL−Emg−Etr", kGrey}}},
    // MKD1 beside MKD2 and the parts of MKD2: the dumbbell's orbit and its
    // turn about its centre, or after a split each ball's part.
    {.caption = "Момент импульса: столбцы", .shape = Shape::kBars,
     .plotted = {{.quantity = quantity::kMKD1, .tick = "MKD1\nв начале"},
                 {.quantity = quantity::kMKD2, .tick = "MKD2\nсейчас", .group = 1},
                 {.quantity = quantity::kMKDOrbit, .tick = "орбита\nцентра", .group = 2, .when = DumbbellWhole},
                 {.quantity = quantity::kMKDSpin, .tick = "вращение\nвокруг центра", .group = 2, .when = DumbbellWhole},
                 {.quantity = quantity::kMKDA, .tick = "шар a", .group = 2, .when = SplitDone},
                 {.quantity = quantity::kMKDB, .tick = "шар b", .group = 2, .when = SplitDone}},
     .what = {"момент импульса"},
     .groups = {{"в начале", kGrey}, {"сейчас", kBlue}, {"части MKD2", kGreen}}},
    // The drift of the angular momentum beside the error of the integration
    // that the run at half the step estimates (run/Twin.h), all relative.
    {.caption = "Точность", .shape = Shape::kTime,
     .plotted = {{.quantity = quantity::kMKDDrift}, {.quantity = quantity::kErrMKD2}, {.quantity = quantity::kErrR2}, {.quantity = quantity::kErrW2},
                 {.quantity = quantity::kErrBalance}},
     .what = {"относительная величина"}, .logarithmic = true, .twin = true},
}};
// clang-format on

}  // namespace

const ViewRow& ReadyView(View view) { return kViews.at(static_cast<std::size_t>(view)); }

ViewRow CustomView(const std::vector<std::size_t>& quantities, std::size_t x) {
  ViewRow row{.caption = "", .shape = x == quantity::kT ? Shape::kTime : Shape::kAgainst, .x = x};
  std::vector<std::string_view> units;
  for (std::size_t q : quantities) {
    const auto panel = static_cast<std::size_t>(std::find(units.begin(), units.end(), kQuantities[q].unit) - units.begin());
    if (panel == units.size()) units.push_back(kQuantities[q].unit);
    row.plotted.push_back({.quantity = q, .panel = panel});
  }
  return row;
}

double ViewSource::LastValue(std::size_t q) const {
  const std::size_t n = summary.Buckets();
  return n == 0 ? 0.0 : summary.Last(n - 1, q);
}

std::vector<std::size_t> DrawnQuantities(const ViewRow& row, const SimRecord& record) {
  std::vector<std::size_t> qs;
  for (const Plotted& p : row.plotted)
    if (p.DrawnIn(record)) qs.push_back(p.quantity);
  return qs;
}

std::vector<std::size_t> AllQuantities(const ViewRow& row) {
  std::vector<std::size_t> qs;
  for (const Plotted& p : row.plotted) qs.push_back(p.quantity);
  return qs;
}

std::vector<std::vector<std::size_t>> DrawnPanels(const ViewRow& row, const SimRecord& record) {
  std::vector<std::vector<std::size_t>> panels(1);
  for (const Plotted& p : row.plotted) {
    if (!p.DrawnIn(record)) continue;
    if (p.panel >= panels.size()) panels.resize(p.panel + 1);
    panels[p.panel].push_back(p.quantity);
  }
  return panels;
}

QString PanelLabel(const ViewRow& row, std::size_t panel, const std::vector<std::size_t>& qs) {
  return AxisLabel(qs, panel < row.what.size() ? QString::fromUtf8(row.what[panel]) : QString());
}

QString NotesFor(const ViewRow& row, const SimRecord& record) {
  QStringList notes;
  for (const ViewNote& n : row.notes)
    if (n.when(record)) notes << QString::fromUtf8(n.text);
  return notes.join(u' ');
}

QString TwinNote(const RunHistory::Accuracy& a) {
  if (!a.twin) return QStringLiteral("Оценок нет: опыт шёл без расчёта с половинным шагом.");
  if (a.lockstep == Lockstep::kHeld) return QString();
  const QString t = QString::number(a.heldUntil, 'g', 4).replace(u'.', QChar::fromLatin1(DecimalSeparator()));
  return QStringLiteral("Оценки кончаются при T = %1 с:\n%2.").arg(t, QString::fromUtf8(LockstepText(a.lockstep)));
}

QString Utf8Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString KeyWithUnit(std::size_t q) {
  const Quantity& k = kQuantities[q];
  return k.unit.empty() ? Utf8Text(k.key) : Utf8Text(k.key) + QStringLiteral(", ") + Utf8Text(k.unit);
}

QString NameWithUnit(std::size_t q) {
  const Quantity& k = kQuantities[q];
  QString label = Utf8Text(k.name);
  if (!label.contains(Utf8Text(k.key))) label += QStringLiteral(" ") + Utf8Text(k.key);
  if (!k.unit.empty()) label += QStringLiteral(", ") + Utf8Text(k.unit);
  return label;
}

QString Legend(std::size_t q) {
  return Utf8Text(kQuantities[q].key) + QStringLiteral(" — ") + Utf8Text(kQuantities[q].name);
}

QString AxisLabel(const std::vector<std::size_t>& qs, const QString& what) {
  if (qs.empty()) return QString();
  bool same = true;
  for (std::size_t q : qs) same = same && kQuantities[q].unit == kQuantities[qs[0]].unit;
  QStringList parts;
  const QString unit = Utf8Text(kQuantities[qs[0]].unit);
  if (same && !what.isEmpty()) return unit.isEmpty() ? what : what + QStringLiteral(", ") + unit;
  if (qs.size() == 1) return NameWithUnit(qs[0]);
  if (same) {
    for (std::size_t q : qs) parts << Utf8Text(kQuantities[q].key);
    return unit.isEmpty() ? parts.join(QStringLiteral("; ")) : parts.join(QStringLiteral("; ")) + QStringLiteral(", ") + unit;
  }
  for (std::size_t q : qs) parts << KeyWithUnit(q);
  return parts.join(QStringLiteral("; "));
}

}  // namespace vozaz2
