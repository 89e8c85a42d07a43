#include "run/Quantities.h"

#include <cmath>
#include <limits>

#include "run/Accounting.h"

namespace vozaz2 {

namespace {

double NotInRecord(const SimRecord&) { return std::numeric_limits<double>::quiet_NaN(); }

// The angular momentum of a ball of mass mass at (x, y) moving with (vx, vy)
// about the vertical axis, as the accounting reckons it.
double Moment(double mass, double x, double y, double vx, double vy) { return (vy * x - vx * y) * mass; }

}  // namespace

// clang-format off
const std::array<Quantity, quantity::kQuantityCount> kQuantities = {{
    {"T", "время", "с", [](const SimRecord& r) { return r.T; }},
    {"L0", "свободная длина нити", "м", [](const SimRecord& r) { return r.L0; }},
    {"R2", "радиус вращения", "м", [](const SimRecord& r) { return r.R; }},
    {"w2", "угловая скорость", "рад/с", [](const SimRecord& r) { return r.w2; }},
    {"V2", "скорость", "м/с", [](const SimRecord& r) { return r.V2; }},
    {"J2", "момент инерции", "кг·м²", [](const SimRecord& r) { return r.J2; }},
    {"h2", "высота втулки над грузом", "м", [](const SimRecord& r) { return r.h; }},
    {"L2", "наклонная часть нити", "м", [](const SimRecord& r) { return r.L; }},
    {"FL", "натяжение нити", "Н", [](const SimRecord& r) { return r.FL; }},
    {"Ftr", "сила трения в нити", "Н", [](const SimRecord& r) { return r.Ftr; }},
    {"FC", "упругая часть натяжения", "Н", [](const SimRecord& r) { return r.FC; }},
    {"Z2", "высота груза", "м", [](const SimRecord& r) { return r.Z; }},
    {"E1", "кинетическая энергия в начале", "Дж", [](const SimRecord& r) { return r.E1; }},
    {"E2", "кинетическая энергия", "Дж", [](const SimRecord& r) { return r.E2; }},
    {"Balance", "баланс ±EVL+E1−E2−EL−Emg−Etr", "Дж", [](const SimRecord& r) { return Balance(r); }},
    {"EVL", "работа источника", "Дж", [](const SimRecord& r) { return r.EVL; }},
    {"EL", "изменение энергии нити", "Дж", [](const SimRecord& r) { return r.EL2 - r.EL1; }},
    {"Emg", "изменение энергии в поле тяжести", "Дж", [](const SimRecord& r) { return r.Emg; }},
    {"Etr", "потери на трение", "Дж", [](const SimRecord& r) { return r.Etr; }},
    {"MKD1", "момент импульса в начале", "кг·м²/с", [](const SimRecord& r) { return r.MKD1; }},
    {"MKD2", "момент импульса", "кг·м²/с", [](const SimRecord& r) { return r.MKD2; }},
    {"X", "координата X", "м", [](const SimRecord& r) { return r.X; }},
    {"Y", "координата Y", "м", [](const SimRecord& r) { return r.Ycoord; }},
    {"VX", "скорость по X", "м/с", [](const SimRecord& r) { return r.VX; }},
    {"VY", "скорость по Y", "м/с", [](const SimRecord& r) { return r.VY; }},
    {"w12", "угловая скорость гантели", "рад/с", [](const SimRecord& r) { return r.w12; }},
    {"L00", "свободная длина второй нити", "м", [](const SimRecord& r) { return r.L00; }},
    {"FL2", "натяжение второй нити", "Н", [](const SimRecord& r) { return r.FL2; }},
    // A start without angular momentum has no relative change to show.
    {"dMKD", "относительное отклонение (MKD2 − MKD1)/MKD1", "",
     [](const SimRecord& r) { return r.MKD1 != 0 ? (r.MKD2 - r.MKD1) / r.MKD1 : 0.0; }},
    {"EL1", "энергия нити в начале", "Дж", [](const SimRecord& r) { return r.EL1; }},
    {"EL2", "энергия нити", "Дж", [](const SimRecord& r) { return r.EL2; }},
    {"sEVL", "работа источника со знаком", "Дж", [](const SimRecord& r) { return r.EVLSigned; }},
    // The dumbbell's momentum is its centre's, as of a point load of the whole
    // mass, plus its turn about the centre: whatever the two balls carry beyond
    // the centre's part.
    {"MKDorb", "момент импульса центра гантели", "кг·м²/с",
     [](const SimRecord& r) { return Moment(r.m, r.X, r.Ycoord, r.VX, r.VY); }},
    {"MKDspin", "момент импульса вращения гантели", "кг·м²/с",
     [](const SimRecord& r) { return r.MKD2 - Moment(r.m, r.X, r.Ycoord, r.VX, r.VY); }},
    {"MKDa", "момент импульса шара a", "кг·м²/с",
     [](const SimRecord& r) { return Moment(r.m / 2, r.Xa, r.Ya, r.VXa, r.VYa); }},
    {"MKDb", "момент импульса шара b", "кг·м²/с",
     [](const SimRecord& r) { return Moment(r.m / 2, r.Xb, r.Yb, r.VXb, r.VYb); }},
    {"|dMKD|", "отклонение |MKD2−MKD1|/MKD1", "", [](const SimRecord& r) { return Relative(r.MKD2 - r.MKD1, r.MKD1); }},
    {"δR2", "оценка погрешности счёта |δR2|/R2", "", NotInRecord},
    {"δw2", "оценка погрешности счёта |δw2|/w2", "", NotInRecord},
    {"δMKD2", "оценка погрешности счёта |δMKD2|/MKD1", "", NotInRecord},
    {"δбаланса", "оценка погрешности счёта |δбаланса|/E1", "", NotInRecord},
}};
// clang-format on

double Relative(double difference, double reference) {
  return reference != 0 ? std::fabs(difference / reference) : std::fabs(difference);
}

std::optional<std::size_t> QuantityNamed(std::string_view key) {
  for (std::size_t i = 0; i < kQuantities.size(); ++i)
    if (kQuantities[i].key == key) return i;
  return std::nullopt;
}

}  // namespace vozaz2
