#include "run/CsvRows.h"

#include <charconv>
#include <cstring>
#include <iterator>

#include "run/Quantities.h"

namespace vozaz2 {

namespace {
// The longest row: the step and 28 numbers of at most 24 characters each,
// the estimate's 4, and room for the whole text of a cell copied at its end.
constexpr std::size_t kLongestRow = 20 + (28 + 4) * 25 + 1 + 32;
}  // namespace

void CsvRows::AppendHeader(bool accuracy) {
  std::string header = "step";
  for (std::size_t q = 0; q < kColumns; ++q) (header += ',') += kQuantities[q].key;
  if (accuracy) header += kAccuracyHeader;
  header += '\n';
  if (text_.size() < used_ + header.size()) text_.resize(used_ + header.size());
  text_.replace(used_, header.size(), header);
  used_ += header.size();
}

void CsvRows::Append(long long step, const SimRecord& r, const ErrorEstimate* estimate) {
  double values[kColumns];
  for (std::size_t q = 0; q < kColumns; ++q) values[q] = kQuantities[q].read(r);
  if (text_.size() < used_ + kLongestRow) text_.resize(used_ + kLongestRow);
  char* p = text_.data() + used_;
  char* const end = text_.data() + text_.size();
  p = std::to_chars(p, end, step).ptr;
  for (std::size_t c = 0; c < kColumns; ++c) {
    *p++ = ',';
    Cell& cell = cells_[c];
    std::uint64_t bits;
    std::memcpy(&bits, &values[c], sizeof bits);
    if (cell.size == 0 || bits != cell.bits) {
      cell.bits = bits;
      cell.size = static_cast<unsigned char>(std::to_chars(cell.text, cell.text + sizeof cell.text, values[c]).ptr - cell.text);
    }
    std::memcpy(p, cell.text, sizeof cell.text);
    p += cell.size;
  }
  if (estimate) AppendEstimate(p, *estimate);
  *p++ = '\n';
  used_ = static_cast<std::size_t>(p - text_.data());
}

void CsvRows::AppendEstimate(char*& p, const ErrorEstimate& e) {
  char* const end = text_.data() + text_.size();
  for (double v : {e.R2, e.w2, e.MKD2, e.balance}) {
    *p++ = ',';
    if (e.known) p = std::to_chars(p, end, v).ptr;
  }
}

}  // namespace vozaz2
