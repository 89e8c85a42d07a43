#include "run/CsvRows.h"

#include <algorithm>
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

namespace {

// A field of the header, quoted where it holds the separator.
std::string HeaderField(const Quantity& q, const CsvDialect& d) {
  if (!d.labelled) return std::string(q.key);
  std::string label(q.key);
  if (!q.unit.empty()) (label += ", ") += q.unit;
  if (label.find(d.field) == std::string::npos) return label;
  return '"' + label + '"';
}

}  // namespace

void CsvRows::AppendHeader(bool accuracy) {
  std::string header = dialect_.labelled ? "шаг" : "step";
  for (std::size_t q = 0; q < kColumns; ++q) (header += dialect_.field) += HeaderField(kQuantities[q], dialect_);
  if (accuracy)
    for (std::string_view column : kAccuracyColumns) (header += dialect_.field) += column;
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
    *p++ = dialect_.field;
    Cell& cell = cells_[c];
    std::uint64_t bits;
    std::memcpy(&bits, &values[c], sizeof bits);
    if (cell.size == 0 || bits != cell.bits) {
      cell.bits = bits;
      cell.size = static_cast<unsigned char>(std::to_chars(cell.text, cell.text + sizeof cell.text, values[c]).ptr - cell.text);
      if (dialect_.decimal != '.') std::replace(cell.text, cell.text + cell.size, '.', dialect_.decimal);
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
    *p++ = dialect_.field;
    if (!e.known) continue;
    char* const start = p;
    p = std::to_chars(p, end, v).ptr;
    if (dialect_.decimal != '.') std::replace(start, p, '.', dialect_.decimal);
  }
}

}  // namespace vozaz2
