// Numbers as the window's text boxes show and read them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vozaz2 {

// The general text form of a number: at most 15 significant digits, no padding,
// the given decimal separator, and exponent form ("1,5E-05", "2E+20") below
// 1E-04 and from 1E+15 on. Zero is "0" whatever its sign.
std::string NumberText(double value, char decimalSeparator);

// The same form with the fewest digits, 15 to 17, that TextNumber reads back
// as exactly the same number: how a number kept in a file goes into a box, so
// that the run it starts is the very run that was saved. Equal to NumberText
// for every number whose 15-digit text reads back.
std::string ExactNumberText(double value, char decimalSeparator);

// Reads a typed number: surrounding blanks, an optional sign, digits with the
// given separator or '.', an optional exponent. Empty texts, letters, "nan",
// "inf", digit grouping and values outside the range of a double (too large,
// or so small that they would become 0) give no value.
std::optional<double> TextNumber(std::string_view text, char decimalSeparator);

}  // namespace vozaz2
