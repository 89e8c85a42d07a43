// The user's locale as the program's numbers need it.
#pragma once

namespace vozaz2 {

// The decimal separator of the user's locale ('.' where it is not a single
// ASCII character): the boxes show numbers with it and read it besides '.'.
char DecimalSeparator();

}  // namespace vozaz2
