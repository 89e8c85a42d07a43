// The quantities of a run that the readout shows, by their keys, with a name
// and a unit for the axes of a graph, and how each is read from the record;
// then the parts that energy and angular-momentum bars need.
//
// The first 28 are the readout's numbers in the readout's order (T first),
// so a table of them reads like the result boxes:
//   T L0 R2 w2 V2 J2 h2 L2 FL Ftr FC Z2 E1 E2 Balance EVL EL Emg Etr MKD1 MKD2
//   X Y VX VY w12 L00 FL2
// The rest are derived from the record as the accounting derives its terms.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "model/Record.h"

namespace vozaz2 {

struct Quantity {
  std::string_view key;   // the readout's symbol
  std::string_view name;  // what it is, in Russian, for a legend or an axis
  std::string_view unit;  // empty for a pure number
  double (*read)(const SimRecord&);
};

// Indices into kQuantities of the ones the program refers to by name (in a
// namespace of their own: the text boxes have the same symbols).
namespace quantity {
enum Index : std::size_t {
  kT, kL0, kR2, kW2, kV2, kJ2, kH2, kL2, kFL, kFtr, kFC, kZ2, kE1, kE2, kBalance, kEVL, kEL,
  kEmg, kEtr, kMKD1, kMKD2, kX, kY, kVX, kVY, kW12, kL00, kFL2,
  kReadoutCount,  // the quantities above are the readout's
  kMKDRel = kReadoutCount,  // (MKD2 - MKD1) / MKD1
  kEL1, kEL2, kWork,        // string energy at the start and now; the source's work with its sign
  kMKDOrbit, kMKDSpin,      // dumbbell: its centre's orbit, its turn about the centre
  kMKDA, kMKDB,             // after a split: ball a, ball b
  kMKDDrift,                // |MKD2 - MKD1| / |MKD1|
  // The estimated errors of the twin at half the step (run/Twin.h), relative:
  // to R2, w2, MKD1 and E1. The record does not hold them (they read as not
  // a number); the run's history takes them from the twin.
  kErrR2, kErrW2, kErrMKD2, kErrBalance,
  kQuantityCount
};
}  // namespace quantity

extern const std::array<Quantity, quantity::kQuantityCount> kQuantities;

// |difference / reference|, or |difference| where the reference is 0.
double Relative(double difference, double reference);

// The quantity with this key, if there is one.
std::optional<std::size_t> QuantityNamed(std::string_view key);

// The law of the experiment: with its angular momentum kept, a load that
// turned at w1 on the radius R1 turns at w1 * R1^2 / R^2 on the radius R.
inline double PredictedOmega(double R1, double w1, double R) { return w1 * R1 * R1 / (R * R); }

}  // namespace vozaz2
