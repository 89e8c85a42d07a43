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

// Three significant digits, with a power of ten written out: "1,27·10^-8".
QString Fig(double v) {
  const QString s = ReportLocale().toString(v, 'g', 3);
  const int e = static_cast<int>(s.indexOf(QLatin1Char('e'), 0, Qt::CaseInsensitive));
  if (e < 0) return s;
  return s.left(e) + QStringLiteral("·10^") + QString::number(s.mid(e + 1).toInt());
}

// The parameters' boxes in the order of kParameterNames: the label beside
// each in the window, its unit, and the field of the record that keeps it.
struct ParameterRow {
  const char* label;
  const char* unit;
  double SimRecord::*value;
};
const ParameterRow kParameterRows[] = {
    {"R1", "м", &SimRecord::R1},
    {"w1", "рад/с", &SimRecord::w1},
    {"CL, н/м", "н/м", &SimRecord::CL},
    {"Ktr, н*с/м", "н·с/м", &SimRecord::Ktr},
    {"VL, м/с", "м/с", &SimRecord::VLset},
    {"шаг, с", "с", &SimRecord::P0},
    {"Mx, м/см", "м/см", &SimRecord::Mx},
    {"MF, н/см", "н/см", &SimRecord::MF},
    {"Mz, м/см", "м/см", &SimRecord::Mz},
    {"Mt, с/см", "с/см", &SimRecord::Mt},
    {"Время окончания разлета Tr, с", "с", &SimRecord::Tr},
};
static_assert(std::size(kParameterRows) == kParameterCount);

// Why the angular momentum about the vertical axis should be kept.
QString WhyKept(const SimRecord& r) {
  if (DumbbellRun(r))
    return QStringLiteral("Нить тянет шар a гантели к оси, а силы в перемычке внутренние, поэтому суммарный момент "
                          "импульса обоих шаров относительно вертикальной оси (MKD2) должен сохраняться, хотя "
                          "вращение гантели вокруг её центра меняется. ");
  if (SplitDone(r))
    return QStringLiteral("После разделения первая нить тянет шар a к оси, а вторая нить связывает шары (силы "
                          "внутренние), поэтому суммарный момент импульса двух шаров (MKD2) должен сохраняться. ");
  return QStringLiteral("Нить тянет груз к оси через втулку, вес и опора вертикальны: у сил нет момента "
                        "относительно вертикальной оси, поэтому момент импульса MKD2 должен оставаться равным MKD1. ");
}

// A fourth-order scheme at a step that suits the parameters keeps the
// momentum to far better than a thousandth; a larger drift means the step is
// too coarse for them.
QString MomentumVerdict(const SimRecord& r, const RunHistory& t) {
  if (t.MaxMomentumDrift() <= 1e-3)
    return QStringLiteral("Вывод: момент импульса сохранялся в пределах погрешности интегрирования (шаг %1 с). ")
        .arg(ReportNumber(r.P0));
  return QStringLiteral("Вывод: момент импульса изменился на %1 %, больше обычной погрешности интегрирования: при "
                        "таких w1, CL, VL и Ktr шаг %2 с слишком велик, и проверить закон по этому опыту нельзя — "
                        "уменьшите шаг или эти величины. ")
      .arg(Fig(t.MaxMomentumDrift() * 100), ReportNumber(r.P0));
}

// Why the energy balance is only approximate in this run.
QStringList WhyApproximate(const SimRecord& r, const RunHistory& t) {
  QStringList why;
  if (ReleaseRun(r))
    why << QStringLiteral("пока нить отпущена, её свободная длина L0 берётся заново на каждом шаге, и энергия нити "
                          "EL отсчитывается от длины, изменившейся без учтённой работы");
  if (t.SlackSteps() > 0)
    why << QStringLiteral("нить не тянула (провисала или сокращалась быстрее, чем позволяет трение) %1 шагов из %2, "
                          "а EL всё равно считается как для пружины, CL·DL²/2")
               .arg(t.SlackSteps())
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
          session.State() == RunState::kDiverged};
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
    rows.push_back({Text(k.label.empty() ? k.key : k.label), ReportNumber(k.read(r)), Text(k.unit)});
  }
  return rows;
}

QString VerificationText(const SimRecord& r, const RunHistory& t, bool diverged) {
  if (t.Steps() == 0) return QStringLiteral("Опыт не сделал ни одного шага: проверять нечего.");
  QString s = WhyKept(r);
  s += QStringLiteral("За %1 шагов (до T = %2 с) наибольшее относительное отклонение |MKD2 − MKD1| / MKD1 = %3 "
                      "(при T = %4 с); наибольший |баланс| / E1 = %5 (при T = %6 с). ")
           .arg(t.Steps())
           .arg(ReportNumber(r.T), Fig(t.MaxMomentumDrift()), ReportNumber(t.MaxMomentumDriftTime()),
                Fig(t.MaxBalanceRatio()), ReportNumber(t.MaxBalanceRatioTime()));
  s += MomentumVerdict(r, t) + BalanceVerdict(r, t);
  s += AccuracyText(t);
  if (diverged) s += QStringLiteral(" Опыт остановлен: решение разошлось, последние значения недостоверны.");
  return s;
}

}  // namespace vozaz2
