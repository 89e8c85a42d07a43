// The run as a table: one row a step, with the step number and the readout's
// quantities in the readout's order, as comma-separated text. Each number is
// written as the shortest text that reads back as the very same double, so
// the table is exact and nothing depends on the C library's locale.
//
// The same table for a spreadsheet in the user's language: the decimal
// separator of the locale, fields separated by semicolons where numbers
// take the comma, and a header of the readout's labels with their units.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/Record.h"
#include "run/ErrorEstimate.h"
#include "run/Quantities.h"

namespace vozaz2 {

// How the table is written.
struct CsvDialect {
  char field = ',';        // between fields
  char decimal = '.';      // in numbers
  bool labelled = false;   // header: "шаг", "T, с", ... instead of "step", "T", ...
};
// For a spreadsheet in a locale whose decimal separator is this.
inline CsvDialect SpreadsheetDialect(char decimal) { return {decimal == ',' ? ';' : ',', decimal, true}; }

// The estimated errors of R2, w2, MKD2 and the balance (run/Twin.h): the
// run's value less the exact one, in the quantity's unit.
inline constexpr std::string_view kAccuracyColumns[] = {"errR2", "errw2", "errMKD2", "errBalance"};

// Rows gathered as text, to be written out in large pieces.
class CsvRows {
 public:
  explicit CsvRows(CsvDialect dialect = {}) : dialect_(dialect) {}

  // Text gathered past this size is worth writing out.
  static constexpr std::size_t kFlushSize = 1 << 20;

  // The header: "step", then the readout's symbols (run/Quantities.h); or,
  // labelled, "шаг", then each symbol with its unit; with the accuracy, then
  // the columns of the twin's estimate (kAccuracyColumns).
  void AppendHeader(bool accuracy = false);
  // Appends the row of the record after `step` steps, with its line end; with
  // an estimate, its columns after the readout's (empty where the twin has
  // no estimate).
  void Append(long long step, const SimRecord& r, const ErrorEstimate* estimate = nullptr);

  std::string_view Text() const { return {text_.data(), used_}; }
  bool Full() const { return used_ >= kFlushSize; }
  void Clear() { used_ = 0; }

 private:
  static constexpr std::size_t kColumns = quantity::kReadoutCount;
  // The last text of each column and the bits of its number: a quantity that
  // stays the same from step to step (L0, E1, MKD1, the parts a variant does
  // not use) is copied rather than converted again.
  // The text is copied whole, a fixed 32 bytes, which is quicker than a copy
  // of its own length; the row then goes on after its own length.
  struct Cell {
    std::uint64_t bits = 0;
    unsigned char size = 0;  // 0: nothing yet
    char text[32];
  };

  void AppendEstimate(char*& p, const ErrorEstimate& e);

  CsvDialect dialect_;
  std::string text_ = std::string(kFlushSize + 4096, '\0');
  std::size_t used_ = 0;
  Cell cells_[kColumns];
};

}  // namespace vozaz2
