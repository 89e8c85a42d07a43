#include "run/Readout.h"

#include "model/FpFault.h"
#include "run/Accounting.h"

namespace vozaz2 {

void WriteReadout(const SimRecord& r, BoxValues& boxes,
                  std::initializer_list<std::pair<int, double>> variantBoxes) {
  const double balance = Balance(r);
  const bool balanceFault = FpFaultRaised();
  const double elastic = r.EL2 - r.EL1;
  const bool elasticFault = FpFaultRaised();

  for (const auto& [box, value] : variantBoxes) boxes.Set(box, value);
  const std::pair<int, double> common[] = {
      {kL0, r.L0}, {kR2, r.R},  {kW2, r.w2},  {kV2, r.V2},   {kJ2, r.J2},  {kH2, r.h},
      {kL2, r.L},  {kFL, r.FL}, {kFtr, r.Ftr}, {kFC, r.FC},  {kZ2, r.Z},   {kE1, r.E1},
      {kE2, r.E2}};
  for (const auto& [box, value] : common) boxes.Set(box, value);
  if (balanceFault) throw NumericFault();
  boxes.Set(kBalance, balance);
  boxes.Set(kEVL, r.EVL);
  if (elasticFault) throw NumericFault();
  const std::pair<int, double> rest[] = {
      {kEL, elastic}, {kEmg, r.Emg}, {kEtr, r.Etr},   {kMKD1, r.MKD1}, {kMKD2, r.MKD2},
      {kT, r.T},      {kX, r.X},     {kY, r.Ycoord}, {kVX, r.VX},     {kVY, r.VY}};
  for (const auto& [box, value] : rest) boxes.Set(box, value);
}

}  // namespace vozaz2
