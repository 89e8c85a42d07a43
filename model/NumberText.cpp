#include "model/NumberText.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <string>

#include "model/FpFault.h"

namespace vozaz2 {

namespace {

std::string GeneralText(double value, char decimalSeparator, int digits) {
  if (value == 0) return "0";
  // Rounded to 15 digits, the largest doubles would read 1.79769313486232E+308,
  // beyond the range of a double, and the text could not be read back.
  if (digits == 15 && std::isfinite(value) && std::fabs(value) > 1.79769313486231e308)
    value = std::copysign(1.79769313486231e308, value);
  // The general form (as "%.15G" in the "C" locale, for 15 digits): up to
  // that many significant digits, trailing zeros dropped, exponent form when
  // the decimal exponent is below -4 or at least the number of digits, with a
  // sign and at least two exponent digits. to_chars never looks at the C library's locale, which the
  // window and the runner set from the environment (a Russian one would give
  // a decimal comma here whatever separator was asked for).
  char buf[40];
  const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, digits).ptr;
  std::string s(buf, end);
  for (char& c : s) {
    if (c == '.') c = decimalSeparator;
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

}  // namespace

std::string NumberText(double value, char decimalSeparator) {
  return GeneralText(value, decimalSeparator, 15);
}

std::string ExactNumberText(double value, char decimalSeparator) {
  std::string text;
  for (int digits = 15; digits <= 17; ++digits) {
    text = GeneralText(value, decimalSeparator, digits);
    if (TextNumber(text, decimalSeparator) == value) break;
  }
  return text;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<double> TextNumber(std::string_view text, char decimalSeparator) {
  std::size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  std::string_view t = text.substr(b, e - b);

  // Check the whole form first and build a plain "C" spelling of it.
  std::string plain;
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
    if (t[i] == '-') plain += '-';
    ++i;
  }
  bool mantissaDigits = false, nonZeroDigit = false, point = false;
  for (; i < t.size(); ++i) {
    char c = t[i];
    if (IsDigit(c)) {
      mantissaDigits = true;
      nonZeroDigit = nonZeroDigit || c != '0';
      plain += c;
    } else if ((c == decimalSeparator || c == '.') && !point) {
      point = true;
      plain += '.';
    } else {
      break;
    }
  }
  if (!mantissaDigits) return std::nullopt;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) plain += t[i++];
    bool expDigits = false;
    for (; i < t.size() && IsDigit(t[i]); ++i) {
      expDigits = true;
      plain += t[i];
    }
    if (!expDigits) return std::nullopt;
  }
  if (i != t.size()) return std::nullopt;

  // Reading may raise the overflow or underflow flag; the caller's flags must
  // not change because a text was read.
  const int saved = SavedFpFlags();
  double value = 0;
  auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  RestoreFpFlags(saved);
  if (ptr != plain.data() + plain.size()) return std::nullopt;
  if (ec == std::errc::result_out_of_range) {
    // Subnormal values are kept; values that overflow, or that underflow all
    // the way to 0 although a digit was not 0, are out of range.
    if (!(std::isfinite(value) && value != 0)) return std::nullopt;
  } else if (ec != std::errc()) {
    return std::nullopt;
  }
  if (!std::isfinite(value)) return std::nullopt;
  if (value == 0 && nonZeroDigit) return std::nullopt;
  return value;
}

}  // namespace vozaz2
