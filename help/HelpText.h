// The text of the help window: what every box of the main window means, which
// experiments can be run and how to run them.
#pragma once

#include <string>

namespace vozaz2 {

// The whole help text as the help window holds it: 44 lines (paragraphs and
// the empty lines between sections) joined by CR LF, with no line break after
// the last line. UTF-8.
std::string HelpText();

}  // namespace vozaz2
