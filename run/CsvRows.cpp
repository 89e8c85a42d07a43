#include "run/CsvRows.h"

#include <charconv>
#include <cstring>
#include <iterator>

#include "run/Accounting.h"

namespace vozaz2 {

namespace {
// The longest row: the step and 28 numbers of at most 24 characters each.
constexpr std::size_t kLongestRow = 20 + 28 * 25 + 1;
}  // namespace

void CsvRows::AppendHeader() {
  if (text_.size() < used_ + kCsvHeader.size() + 1) text_.resize(used_ + kCsvHeader.size() + 1);
  text_.replace(used_, kCsvHeader.size(), kCsvHeader);
  used_ += kCsvHeader.size();
  text_[used_++] = '\n';
}

void CsvRows::Append(long long step, const SimRecord& r) {
  const double values[] = {r.T,   r.L0,  r.R,          r.w2,  r.V2,  r.J2,   r.h,    r.L,
                           r.FL,  r.Ftr, r.FC,         r.Z,   r.E1,  r.E2,   Balance(r), r.EVL,
                           r.EL2 - r.EL1, r.Emg, r.Etr, r.MKD1, r.MKD2, r.X, r.Ycoord, r.VX,
                           r.VY,  r.w12, r.L00,        r.FL2};
  if (text_.size() < used_ + kLongestRow) text_.resize(used_ + kLongestRow);
  char* p = text_.data() + used_;
  char* const end = text_.data() + text_.size();
  p = std::to_chars(p, end, step).ptr;
  static_assert(std::size(values) == kColumns);
  for (std::size_t c = 0; c < kColumns; ++c) {
    *p++ = ',';
    Cell& cell = cells_[c];
    std::uint64_t bits;
    std::memcpy(&bits, &values[c], sizeof bits);
    if (cell.size == 0 || bits != cell.bits) {
      cell.bits = bits;
      cell.size = static_cast<unsigned char>(std::to_chars(cell.text, cell.text + sizeof cell.text, values[c]).ptr - cell.text);
    }
    std::memcpy(p, cell.text, cell.size);
    p += cell.size;
  }
  *p++ = '\n';
  used_ = static_cast<std::size_t>(p - text_.data());
}

}  // namespace vozaz2
