#include "run/Readout.h"

#include "model/FpFault.h"
#include "model/NumberText.h"
#include "run/Accounting.h"

namespace vozaz2 {

void WriteReadout(const SimRecord& r, TextBoxes& boxes, char sep,
                  std::initializer_list<std::pair<int, double>> variantBoxes) {
  const double balance = Balance(r);
  const bool balanceFault = FpFaultRaised();
  const double elastic = r.EL2 - r.EL1;
  const bool elasticFault = FpFaultRaised();

  if (!boxes.ShowsResults()) {
    if (balanceFault || elasticFault) throw NumericFault();
    return;
  }
  auto put = [&](int box, double v) { boxes.SetText(box, NumberText(v, sep)); };
  for (const auto& [box, value] : variantBoxes) put(box, value);
  put(kL0, r.L0);
  put(kR2, r.R);
  put(kW2, r.w2);
  put(kV2, r.V2);
  put(kJ2, r.J2);
  put(kH2, r.h);
  put(kL2, r.L);
  put(kFL, r.FL);
  put(kFtr, r.Ftr);
  put(kFC, r.FC);
  put(kZ2, r.Z);
  put(kE1, r.E1);
  put(kE2, r.E2);
  if (balanceFault) throw NumericFault();
  put(kBalance, balance);
  put(kEVL, r.EVL);
  if (elasticFault) throw NumericFault();
  put(kEL, elastic);
  put(kEmg, r.Emg);
  put(kEtr, r.Etr);
  put(kMKD1, r.MKD1);
  put(kMKD2, r.MKD2);
  put(kT, r.T);
  put(kX, r.X);
  put(kY, r.Ycoord);
  put(kVX, r.VX);
  put(kVY, r.VY);
}

}  // namespace vozaz2
