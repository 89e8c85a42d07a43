// Fuzzes a whole experiment: texts in the eleven input boxes, then clicks on
// the controls and buttons and timer ticks in any order, at most 300 steps.
// After every action the driver checks what must hold whatever the user does
// (tests/quality/Driver.h); a breach aborts with its description.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/NumberText.h"
#include "model/Setup.h"
#include "tests/quality/Driver.h"

namespace {

using vozaz2::quality::Driver;

constexpr int kMaxSteps = 300;

const char* const kTexts[] = {"0",     "-0",    "1",      "-1",    "0,5",     "0,51",   "1E+300",
                              "1E-300", "4,9E-324", "1,7976931348623157E+308", "1E+20", "", " ",
                              "abc",   "nan",   "inf",    "1e",    "1,2,3",   "0,0001", "100",
                              "1,2",   "2,5"};

double Default(std::size_t i) {
  const vozaz2::Parameters& p = vozaz2::kDefaultParameters;
  const double values[] = {p.R1, p.w1, p.CL, p.Ktr, p.VLset, p.P0, p.Mx, p.MF, p.Mz, p.Mt, p.Tr};
  return values[i];
}

std::string Text(FuzzedDataProvider& in, std::size_t i, char sep) {
  switch (in.ConsumeIntegralInRange(0, 4)) {
    case 0: return vozaz2::NumberText(Default(i), sep);
    case 1: return in.PickValueInArray(kTexts);
    case 2: {  // the start-up value scaled by up to 1000 either way, maybe negated
      double v = Default(i) * std::pow(10.0, in.ConsumeFloatingPointInRange(-3.0, 3.0));
      if (in.ConsumeBool()) v = -v;
      return vozaz2::NumberText(v, sep);
    }
    case 3: return vozaz2::NumberText(in.ConsumeFloatingPoint<double>(), sep);
    default: return in.ConsumeRandomLengthString(24);
  }
}

[[noreturn]] void Fail(const std::string& what, int action) {
  std::fprintf(stderr, "experiment_fuzz: %s (after action %d)\n", what.c_str(), action);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const char sep = in.ConsumeBool() ? ',' : '.';
  Driver d(sep);
  for (std::size_t i = 0; i < vozaz2::kParameterBoxes.size(); ++i) d.Type(i, Text(in, i, sep));

  // Actions 1..kActionCount-1 as the driver numbers them; kActionCount types
  // a new text into a box; kActionCount+1 lets the timer tick a while.
  while (in.remaining_bytes() > 0 && d.steps() < kMaxSteps) {
    const int action = in.ConsumeIntegralInRange<int>(1, Driver::kActionCount + 1);
    std::string error;
    if (action == Driver::kActionCount) {
      const std::size_t box = in.ConsumeIntegralInRange<std::size_t>(0, 10);
      d.Type(box, Text(in, box, sep));
    } else if (action == Driver::kActionCount + 1) {
      for (int n = in.ConsumeIntegralInRange(1, 100); n > 0 && error.empty() && d.steps() < kMaxSteps; --n)
        error = d.Do(Driver::kTick);
    } else {
      error = d.Do(action);
    }
    if (!error.empty()) Fail(error, action);
  }
  return 0;
}
