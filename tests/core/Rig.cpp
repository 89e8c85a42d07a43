#include "Rig.h"

#include <sstream>
#include <type_traits>

namespace vozaz2::test {

testing::AssertionResult SameRecord(const SimRecord& a, const SimRecord& b) {
  std::ostringstream diff;
  auto cmp = [&](const char* name, auto x, auto y) {
    bool same = x == y;
    if constexpr (std::is_floating_point_v<decltype(x)>) same = same || (x != x && y != y);
    if (!same) diff << ' ' << name << " (" << x << " vs " << y << ')';
  };
#define VOZAZ2_FIELD(f) cmp(#f, a.f, b.f);
  VOZAZ2_FIELD(R1) VOZAZ2_FIELD(w1) VOZAZ2_FIELD(CL) VOZAZ2_FIELD(Ktr) VOZAZ2_FIELD(VLset)
  VOZAZ2_FIELD(P0) VOZAZ2_FIELD(Mx) VOZAZ2_FIELD(MF) VOZAZ2_FIELD(Mz) VOZAZ2_FIELD(Mt)
  VOZAZ2_FIELD(Tr) VOZAZ2_FIELD(m) VOZAZ2_FIELD(Lh1) VOZAZ2_FIELD(Pi) VOZAZ2_FIELD(DirSign)
  VOZAZ2_FIELD(MoverSign) VOZAZ2_FIELD(PathSign) VOZAZ2_FIELD(TimerMs) VOZAZ2_FIELD(NShow)
  VOZAZ2_FIELD(V1) VOZAZ2_FIELD(J1) VOZAZ2_FIELD(h1) VOZAZ2_FIELD(L1) VOZAZ2_FIELD(L0)
  VOZAZ2_FIELD(L00) VOZAZ2_FIELD(Fmg) VOZAZ2_FIELD(Fcen) VOZAZ2_FIELD(Fsup) VOZAZ2_FIELD(J12)
  VOZAZ2_FIELD(Z1) VOZAZ2_FIELD(E1) VOZAZ2_FIELD(EL1) VOZAZ2_FIELD(MKD1) VOZAZ2_FIELD(X)
  VOZAZ2_FIELD(Ycoord) VOZAZ2_FIELD(Z) VOZAZ2_FIELD(Z2) VOZAZ2_FIELD(R) VOZAZ2_FIELD(Phi)
  VOZAZ2_FIELD(h) VOZAZ2_FIELD(Alpha) VOZAZ2_FIELD(L) VOZAZ2_FIELD(Lh) VOZAZ2_FIELD(DLh)
  VOZAZ2_FIELD(DL) VOZAZ2_FIELD(DLp) VOZAZ2_FIELD(Vtr) VOZAZ2_FIELD(FL) VOZAZ2_FIELD(FC)
  VOZAZ2_FIELD(Ftr) VOZAZ2_FIELD(Fh) VOZAZ2_FIELD(Fz) VOZAZ2_FIELD(Fx) VOZAZ2_FIELD(Fy)
  VOZAZ2_FIELD(FVL) VOZAZ2_FIELD(FVLp) VOZAZ2_FIELD(VX) VOZAZ2_FIELD(VY) VOZAZ2_FIELD(VZ2)
  VOZAZ2_FIELD(V2) VOZAZ2_FIELD(w2) VOZAZ2_FIELD(J2) VOZAZ2_FIELD(Psi) VOZAZ2_FIELD(w12)
  VOZAZ2_FIELD(PhiA) VOZAZ2_FIELD(Arm) VOZAZ2_FIELD(Xa) VOZAZ2_FIELD(Ya) VOZAZ2_FIELD(Xb)
  VOZAZ2_FIELD(Yb) VOZAZ2_FIELD(VXa) VOZAZ2_FIELD(VYa) VOZAZ2_FIELD(VXb) VOZAZ2_FIELD(VYb)
  VOZAZ2_FIELD(V2a) VOZAZ2_FIELD(V2b) VOZAZ2_FIELD(Ra) VOZAZ2_FIELD(Rb) VOZAZ2_FIELD(Lb)
  VOZAZ2_FIELD(DLa) VOZAZ2_FIELD(DLap) VOZAZ2_FIELD(DLb) VOZAZ2_FIELD(DLbp) VOZAZ2_FIELD(Vtr2)
  VOZAZ2_FIELD(FL2) VOZAZ2_FIELD(FC2) VOZAZ2_FIELD(Ftr2) VOZAZ2_FIELD(Fxa) VOZAZ2_FIELD(Fya)
  VOZAZ2_FIELD(Fxb) VOZAZ2_FIELD(Fyb) VOZAZ2_FIELD(SplitDone) VOZAZ2_FIELD(T) VOZAZ2_FIELD(T0)
  VOZAZ2_FIELD(VL) VOZAZ2_FIELD(Cnt) VOZAZ2_FIELD(Ind) VOZAZ2_FIELD(Msg) VOZAZ2_FIELD(EVL)
  VOZAZ2_FIELD(E2) VOZAZ2_FIELD(Etr) VOZAZ2_FIELD(EL2) VOZAZ2_FIELD(Emg) VOZAZ2_FIELD(MKD2)
  VOZAZ2_FIELD(Pxa) VOZAZ2_FIELD(Pya) VOZAZ2_FIELD(Pxb) VOZAZ2_FIELD(Pyb)
  VOZAZ2_FIELD(DumbbellRun) VOZAZ2_FIELD(ReleaseRun) VOZAZ2_FIELD(PlaneRun) VOZAZ2_FIELD(DString)
  VOZAZ2_FIELD(DSleeve) VOZAZ2_FIELD(DriveV) VOZAZ2_FIELD(DriveOffset)
  VOZAZ2_FIELD(EVLSigned) VOZAZ2_FIELD(DriveSign)
#undef VOZAZ2_FIELD
  const StateVector SimRecord::*vectors[] = {&SimRecord::Y,  &SimRecord::DY, &SimRecord::Y0,
                                             &SimRecord::K1, &SimRecord::K2, &SimRecord::K3,
                                             &SimRecord::K4};
  const char* names[] = {"Y", "DY", "Y0", "K1", "K2", "K3", "K4"};
  for (int v = 0; v < 7; ++v)
    for (int i = StateVector::kFirst; i <= StateVector::kLast; ++i)
      cmp((std::string(names[v]) + "(" + std::to_string(i) + ")").c_str(), (a.*vectors[v])(i),
          (b.*vectors[v])(i));
  if (diff.str().empty()) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "records differ in" << diff.str();
}

std::string ExpectedDivergenceText() {
  return "                Несовместимость параметров\r\n"
         "Быстрее всего получились слишком большие ускорения\r\n"
         "     и следоватедьно скорости, координаты и силы,\r\n"
         "   что выходит за разменость чисел двойной точности\r\n"
         "            или не позволяет вывести их на экраны\r\n"
         "                или гантель уперлась во втулку";
}

}  // namespace vozaz2::test
