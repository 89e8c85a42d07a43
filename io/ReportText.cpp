#include "io/ReportText.h"

#include <QCoreApplication>
#include <iterator>
#include <string_view>

#include "io/ReportAccuracy.h"
#include "model/Setup.h"
#include "model/Variant.h"
#include "run/Quantities.h"

namespace vozaz2 {

namespace {

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The parameters' boxes in the order of kParameterNames: the name of each in
// the window, its SI unit, and the field of the record that keeps it.
struct ParameterRow {
  const char* label;
  const char* unit;
  double SimRecord::*value;
};
const ParameterRow kParameterRows[] = {
    {"R1", "м", &SimRecord::R1},
    {"w1", "рад/с", &SimRecord::w1},
    {"CL", "Н/м", &SimRecord::CL},
    {"Ktr", "Н·с/м", &SimRecord::Ktr},
    {"VL", "м/с", &SimRecord::VLset},
    {"шаг P0", "с", &SimRecord::P0},
    {"Mx", "м/см", &SimRecord::Mx},
    {"MF", "Н/см", &SimRecord::MF},
    {"Mz", "м/см", &SimRecord::Mz},
    {"Mt", "с/см", &SimRecord::Mt},
    {"Tr (конец разлёта)", "с", &SimRecord::Tr},
};
static_assert(std::size(kParameterRows) == kParameterCount);

// A ratio of the verification: two significant digits, "3,7·10⁻⁷".
QString Ratio(double v) { return Significant(v, 2); }

// What carries the weight: both forces are vertical and have no moment
// about the vertical axis.
QString Weight(const SimRecord& r) {
  if (PlaneRun(r)) return QStringLiteral("вес уравновешен опорой, и обе эти силы вертикальны");
  return ReleaseRun(r) ? QStringLiteral("вес вертикален (пока нить отпущена, груз под его действием падает, потом "
                                        "его несёт вертикальная составляющая натяжения нити)")
                       : QStringLiteral("вес вертикален, его несёт вертикальная составляющая натяжения нити");
}

// Why the angular momentum about the vertical axis should be kept.
QString WhyKept(const SimRecord& r) {
  if (SplitDone(r))
    return QStringLiteral("После разделения первая нить тянет шар a к втулке на оси, вторая нить связывает шары "
                          "(её силы внутренние), %1, поэтому суммарный момент импульса двух шаров (MKD2) должен "
                          "сохраняться.").arg(Weight(r));
  if (DumbbellRun(r))
    return QStringLiteral("Нить тянет шар a гантели к втулке на оси, силы в перемычке внутренние, %1, поэтому "
                          "суммарный момент импульса обоих шаров относительно вертикальной оси (MKD2) должен "
                          "сохраняться, хотя вращение гантели вокруг её центра меняется.").arg(Weight(r));
  return QStringLiteral("Нить тянет груз к втулке, стоящей на оси вращения, %1: у сил нет момента относительно "
                        "вертикальной оси, поэтому момент импульса MKD2 должен оставаться равным MKD1.").arg(Weight(r));
}

// The largest drifts over the run and when they happened.
QString Measured(const SimRecord& r, const RunHistory& t) {
  return QStringLiteral("За %1 (до T = %2 с) наибольшее относительное отклонение |MKD2 − MKD1|/MKD1 = %3 "
                        "(при T = %4 с), наибольший |баланс|/E1 = %5 (при T = %6 с).")
      .arg(Counted(t.Steps(), "шаг", "шага", "шагов"), ReportTime(r.T), Ratio(t.MaxMomentumDrift()),
           ReportTime(t.MaxMomentumDriftTime()), Ratio(t.MaxBalanceRatio()), ReportTime(t.MaxBalanceRatioTime()));
}

// The dumbbell's MKD2 takes ball a where the last stage of the step put it
// and the velocities at the step's end: at the first step, inside which the
// string's friction sets in, the two part more than later.
QString FirstStepOfTheDumbbell(const SimRecord& r, const RunHistory& t) {
  if (!DumbbellRun(r) || SplitDone(r) || t.MaxMomentumDriftTime() > 1.5 * r.P0) return {};
  return QStringLiteral("Наибольшее отклонение — на первом шаге, и это след счёта, а не физики: MKD2 гантели "
                        "складывается из положения шара a на последнем этапе шага Рунге — Кутты и скоростей в "
                        "конце шага, а на первом шаге, когда внутри шага появляется трение нити, они расходятся "
                        "сильнее, чем потом.");
}

// A fourth-order scheme at a step that suits the parameters keeps the
// momentum to far better than a thousandth; a larger drift means the step is
// too coarse for them.
QString MomentumVerdict(const SimRecord& r, const RunHistory& t) {
  if (t.MaxMomentumDrift() <= 1e-3)
    return QStringLiteral("Вывод: момент импульса сохранялся в пределах погрешности интегрирования (шаг %1 с).")
        .arg(ReportNumber(r.P0));
  return QStringLiteral("Вывод: момент импульса изменился на %1 %, больше обычной погрешности интегрирования: при "
                        "таких w1, CL, VL и Ktr шаг %2 с слишком велик, и проверить закон по этому опыту нельзя — "
                        "уменьшите шаг или эти величины.")
      .arg(Ratio(t.MaxMomentumDrift() * 100), ReportNumber(r.P0));
}

// Why the energy balance is only approximate in this run.
QStringList WhyApproximate(const SimRecord& r, const RunHistory& t) {
  QStringList why;
  if (ReleaseRun(r))
    why << QStringLiteral("пока нить отпущена, её свободная длина L0 берётся заново на каждом шаге, и энергия нити "
                          "EL отсчитывается от длины, изменившейся без учтённой работы");
  if (t.SlackSteps() > 0)
    why << QStringLiteral("нить не тянула (провисала или сокращалась быстрее, чем позволяет трение) %1 из %2, "
                          "а EL всё равно считается как для пружины, CL·DL²/2")
               .arg(Counted(t.SlackSteps(), "шаг", "шага", "шагов"))
               .arg(t.Steps());
  if (SplitDone(r) && r.Tr > 1.2)
    why << QStringLiteral("вторая нить тянет уже с 1,2 с, а её свободная длина L00 до Tr = %1 с следует за "
                          "расстоянием между шарами, так что энергия второй нити меняется без учтённой работы")
               .arg(ReportNumber(r.Tr));
  if (why.isEmpty()) why << QStringLiteral("при таком шаге погрешность решения велика");
  return why;
}

QString BalanceVerdict(const SimRecord& r, const RunHistory& t) {
  if (t.MaxBalanceRatio() <= 1e-3) return QStringLiteral("Баланс энергии сходится в пределах погрешности решения.");
  return QStringLiteral("Баланс энергии в этом опыте приближённый: ") +
         WhyApproximate(r, t).join(QStringLiteral("; ")) + '.';
}

}  // namespace

ReportContent ContentOf(const Session& session) {
  return {session.Record(),
          session.Controls(),
          session.OscillogramDrawings(),
          session.PathDrawings(),
          session.History(),
          session.Opened().title,
          QCoreApplication::applicationVersion(),
          QDate::currentDate(),
          session.State() == RunState::kDiverged,
          session.Opened().task};
}

QString ReportTitle(const ReportContent& c) {
  if (!c.title.empty()) return QString::fromStdString(c.title);
  const SimRecord& r = c.record;
  QString t = QStringLiteral("Конический маятник: ") +
              (PlaneRun(r) ? QStringLiteral("вращение в плоскости") : QStringLiteral("вращение по конусу")) +
              (DumbbellRun(r) ? QStringLiteral(", гантель m=1+1") : QStringLiteral(", груз m=2"));
  if (ReleaseRun(r)) t += QStringLiteral(", нить отпущена до 1 с");
  if (SplitRun(r, c.controls)) t += QStringLiteral(", разделение груза");
  return t;
}

QString ReportByline(const ReportContent& c) {
  return QStringLiteral("Отчёт о лабораторной работе «Сохранение момента импульса на коническом маятнике». "
                        "Дата: %1. Программа Vozaz2, версия %2.")
      .arg(c.date.toString(QStringLiteral("dd.MM.yyyy")), c.version);
}

QStringList VariantInWords(const SimRecord& r, const Modes& m) {
  QStringList v;
  v << (PlaneRun(r) ? QStringLiteral("вращение в горизонтальной плоскости") : QStringLiteral("вращение по конусу"));
  if (m.DriveStands() || r.VLset == 0)
    v << QStringLiteral("привод стоит (VL = 0)");
  else if (ReleaseRun(r))
    v << QStringLiteral("привод не действует: отпущенная, а затем закреплённая во втулке нить с ним не связана");
  else
    v << QStringLiteral("%1 движется %2 со скоростью VL = %3 м/с")
             .arg(r.MoverSign > 0 ? QStringLiteral("конец нити") : QStringLiteral("втулка"),
                  r.DirSign > 0 ? QStringLiteral("вверх") : QStringLiteral("вниз"), ReportNumber(r.VLset));
  v << (ReleaseRun(r) ? QStringLiteral("нить отпущена на первую секунду (FL = 0 до 1 с), затем закреплена во втулке")
                      : QStringLiteral("нить натянута с начала опыта"));
  v << (DumbbellRun(r) ? QStringLiteral("груз — гантель из двух шаров по 1 кг на расстоянии 1 м (m=1+1)")
                       : QStringLiteral("груз — материальная точка 2 кг (m=2)"));
  if (SplitRun(r, m))
    v << QStringLiteral("через 1 с груз разделяется на два шара по 1 кг, вторая нить закрепляется при Tr = %1 с")
             .arg(ReportNumber(r.Tr));
  else
    v << QStringLiteral("без разделения груза");
  return v;
}

QString VariantSentence(const SimRecord& r, const Modes& m) {
  return QStringLiteral("Вариант опыта: ") + VariantInWords(r, m).join(QStringLiteral("; ")) + '.';
}

std::vector<ReadoutRow> ParameterRows(const SimRecord& r) {
  std::vector<ReadoutRow> rows;
  for (const ParameterRow& p : kParameterRows)
    rows.push_back({QString::fromUtf8(p.label), ReportNumber(r.*p.value), QString::fromUtf8(p.unit)});
  return rows;
}

std::vector<ReadoutRow> ReadoutRows(const SimRecord& r) {
  namespace Q = quantity;
  // The boxes in the order the report has always listed them: the time after
  // the angular momentum, the coordinates and velocities after it.
  std::vector<std::size_t> shown;
  for (std::size_t q = Q::kL0; q <= Q::kMKD2; ++q) shown.push_back(q);
  shown.push_back(Q::kT);
  for (std::size_t q = Q::kX; q <= Q::kVY; ++q) shown.push_back(q);
  if (DumbbellRun(r)) shown.push_back(Q::kW12);
  if (SplitDone(r)) shown.insert(shown.end(), {Q::kL00, Q::kFL2});
  std::vector<ReadoutRow> rows;
  for (std::size_t q : shown) {
    const Quantity& k = kQuantities[q];
    const QString label = q == Q::kBalance ? QStringLiteral("баланс") : Text(k.key);
    rows.push_back({label, Significant(k.read(r), 6, true), Text(k.unit)});
  }
  return rows;
}

QString VerificationText(const SimRecord& r, const RunHistory& t, bool diverged) {
  if (t.Steps() == 0) return QStringLiteral("Опыт не сделал ни одного шага: проверять нечего.");
  QStringList s = {WhyKept(r), Measured(r, t)};
  // What the drift is made of, where the run tells.
  if (const QString first = FirstStepOfTheDumbbell(r, t); !first.isEmpty()) s << first;
  s << MomentumVerdict(r, t);
  if (const QString accuracy = AccuracyText(t).trimmed(); !accuracy.isEmpty()) s << accuracy;
  s << BalanceVerdict(r, t);
  if (diverged) s << QStringLiteral("Опыт остановлен: решение разошлось, последние значения недостоверны.");
  return s.join(u' ');
}

}  // namespace vozaz2
