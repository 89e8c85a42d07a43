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
  put(10, r.L0);
  put(11, r.R);
  put(12, r.w2);
  put(13, r.V2);
  put(14, r.J2);
  put(15, r.h);
  put(16, r.L);
  put(17, r.FL);
  put(18, r.Ftr);
  put(19, r.FC);
  put(20, r.Z);
  put(21, r.E1);
  put(22, r.E2);
  if (balanceFault) throw NumericFault();
  put(23, balance);
  put(24, r.EVL);
  if (elasticFault) throw NumericFault();
  put(25, elastic);
  put(26, r.Emg);
  put(27, r.Etr);
  put(28, r.MKD1);
  put(29, r.MKD2);
  put(31, r.T);
  put(38, r.X);
  put(39, r.Ycoord);
  put(40, r.VX);
  put(42, r.VY);
}

}  // namespace vozaz2
