// Fuzzes the reading of typed numbers. For any text: no crash, no hang, and
// either no value or a finite one. For an accepted value v the readout's text
// of it reads back as v up to the 15 significant digits that the readout
// keeps, and that text is a fixed point (it reads back to a number whose text
// is the same again). The first byte chooses the decimal separator.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "model/NumberText.h"

namespace {

[[noreturn]] void Fail(const char* what, std::string_view text, double v, const std::string& shown) {
  std::fprintf(stderr, "number_text_fuzz: %s\n  text [%.*s]\n  value %.17g\n  readout [%s]\n", what,
               static_cast<int>(text.size()), text.data(), v, shown.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const char sep = (data[0] & 1) ? ',' : '.';
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  const std::optional<double> v = vozaz2::TextNumber(text, sep);
  if (!v) return 0;
  if (!std::isfinite(*v)) Fail("accepted a value that is not finite", text, *v, "");

  const std::string shown = vozaz2::NumberText(*v, sep);
  const std::optional<double> back = vozaz2::TextNumber(shown, sep);
  if (!back) Fail("the readout of an accepted value does not read back", text, *v, shown);
  // Rounding to 15 significant digits moves a value by at most half a unit
  // of the 15th digit, 5e-15 of it; reading adds half an ulp.
  if (!(*back == *v || std::fabs(*back - *v) <= 5.2e-15 * std::fabs(*v)))
    Fail("the readout reads back as another number", text, *v, shown);
  if (vozaz2::NumberText(*back, sep) != shown) Fail("the readout is not a fixed point", text, *v, shown);
  return 0;
}
