// The simulation record: every quantity of the conical pendulum and of a run.
//
// All routines of the experiment (set-up, Diffur1, Diffur2, SolveStep, the
// accounting, plotting and readout) communicate through these fields only, so
// they keep the short symbols of the help text and the window's labels.
// Units are SI throughout: m, s, kg, rad, J, and newtons for forces.
// X and Y span the horizontal plane with the rotation axis through the origin;
// Z points up and is 0 in the plane of rotation at the start.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace vozaz2 {

// One state vector: indices 0..45 exist, only 1..8 are used. An index outside
// 0..45 is a programming error and throws std::out_of_range.
class StateVector {
 public:
  static constexpr int kFirst = 0;
  static constexpr int kLast = 45;

  double& operator()(int i) { return v_[Checked(i)]; }
  double operator()(int i) const { return v_[Checked(i)]; }

  bool operator==(const StateVector&) const = default;

 private:
  static std::size_t Checked(int i) {
    if (i < kFirst || i > kLast) throw std::out_of_range("state vector index outside 0..45");
    return static_cast<std::size_t>(i);
  }
  std::array<double, kLast + 1> v_{};
};

struct SimRecord {
  // --- State vectors ------------------------------------------------------
  // Single load and dumbbell: 1 X, 2 Y, 3 Z, 4 Psi, 5 VX, 6 VY, 7 VZ2, 8 w12.
  // Two balls after the split: 1 Xa, 2 Xb, 3 Ya, 4 Yb, 5 VXa, 6 VXb, 7 VYa, 8 VYb.
  StateVector Y, DY, Y0, K1, K2, K3, K4;

  // --- Parameters typed in the window ---------------------------------------
  double R1 = 0;     // radius of rotation at the start (dumbbell: of its centre), m
  double w1 = 0;     // angular speed at the start, rad/s
  double CL = 0;     // stiffness of the whole string, n/m
  double Ktr = 0;    // internal fluid friction of the string, n*s/m
  double VLset = 0;  // speed of the driven string end or sleeve as typed, m/s
  double P0 = 0;     // integration step, s
  double Mx = 0;     // trajectory screen scale, m per cm
  double MF = 0;     // oscillogram force scale, n per cm
  double Mz = 0;     // oscillogram height (and w12) scale, m per cm
  double Mt = 0;     // oscillogram time scale, s per cm
  double Tr = 0;     // split variant: the second string locks at Tr, s

  // --- Constants and mode factors (set at start-up and by the mode rules) ---
  // A fresh record has every field zero; the window's start-up writes the
  // constants of model/Constants.h.
  double m = 0;           // mass of the load, kg
  double Lh1 = 0;         // vertical part of the string at the start, m
  double Pi = 0;          // kPi, used for every angle correction
  float DirSign = 0;      // +1 drive up, -1 down
  float MoverSign = 0;    // +1 the string end is driven, -1 the sleeve
  float PathSign = 0;     // 1 on a cone, 0 in the horizontal plane
  std::int16_t TimerMs = 0;
  std::int16_t NShow = 0;

  // --- Start values (set-up) ------------------------------------------------
  double V1 = 0, J1 = 0, h1 = 0, L1 = 0;
  double L0 = 0;    // free length of the whole string
  double L00 = 0;   // free length of the second string (split variant)
  double Fmg = 0, Fcen = 0, Fsup = 0;
  double J12 = 0;   // moment of inertia of the dumbbell about its centre
  double Z1 = 0;
  double E1 = 0, EL1 = 0, MKD1 = 0;

  // --- Geometry and forces of the string and load ---------------------------
  double X = 0, Ycoord = 0, Z = 0, Z2 = 0;
  double R = 0, Phi = 0, h = 0, Alpha = 0, L = 0;
  double Lh = 0, DLh = 0, DL = 0, DLp = 0;
  double Vtr = 0, FL = 0, FC = 0, Ftr = 0;
  double Fh = 0, Fz = 0, Fx = 0, Fy = 0;
  double FVL = 0, FVLp = 0;
  double VX = 0, VY = 0, VZ2 = 0;
  double V2 = 0, w2 = 0, J2 = 0;

  // --- Dumbbell and split load ----------------------------------------------
  double Psi = 0, w12 = 0, PhiA = 0, Arm = 0;
  double Xa = 0, Ya = 0, Xb = 0, Yb = 0;
  double VXa = 0, VYa = 0, VXb = 0, VYb = 0;
  double V2a = 0, V2b = 0, Ra = 0, Rb = 0, Lb = 0;
  double DLa = 0, DLap = 0, DLb = 0, DLbp = 0;
  double Vtr2 = 0, FL2 = 0, FC2 = 0, Ftr2 = 0;
  double Fxa = 0, Fya = 0, Fxb = 0, Fyb = 0;
  std::int16_t SplitDone = 0;

  // --- Time and run control -------------------------------------------------
  double T = 0;    // time of the current evaluation (stage time during a step)
  double T0 = 0;   // time at the start of the current step
  double VL = 0;   // drive speed in effect for the step
  std::int16_t Cnt = 0, Ind = 0;
  std::string Msg;

  // --- Accounting and display -----------------------------------------------
  double EVL = 0, E2 = 0, Etr = 0, EL2 = 0, Emg = 0, MKD2 = 0;
  double Pxa = 0, Pya = 0, Pxb = 0, Pyb = 0;

  // --- What a run fixes at "Начать" -----------------------------------------
  // The shape of the load and the release of the string belong to the run:
  // a click during the run acts on the next one.
  bool DumbbellRun = false;  // "m=1+1" was chosen when the run started
  bool ReleaseRun = false;   // "FL= 0 до 1 с " was ticked when the run started
  // The run rotates in the plane ("В плоскости" at the start); only such a
  // run can split into two balls, whose equations have no vertical motion.
  bool PlaneRun = false;

  // --- The drive, step by step ----------------------------------------------
  // The string end and the sleeve each stand where the drive left them; the
  // drive moves the part chosen now from where it stands, so reversing it,
  // stopping and resuming it, or switching between string and sleeve never
  // makes either jump. DString and DSleeve are their heights above their start
  // positions; DLh = DString - DSleeve is the change of the vertical part.
  double DString = 0, DSleeve = 0;
  double DriveV = 0;       // signed speed of the driven part this step (DLh sense)
  double DriveOffset = 0;  // so that the driven part stands at DriveV*T + DriveOffset
  // Work of the source with the sign in force during each step; the balance
  // uses it, while EVL keeps the plain sum that the "EVL" box shows.
  double EVLSigned = 0;
  double DriveSign = 1;    // sign of this step's work in the balance

  // Every field equal. A NaN equals nothing, so a diverged run's record is not
  // equal even to itself.
  bool operator==(const SimRecord&) const = default;
};

}  // namespace vozaz2
