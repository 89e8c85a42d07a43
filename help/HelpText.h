// The text of the help window: what every box of the main window means, which
// experiments can be run and how to run them.
#pragma once

#include <QString>
#include <string>

namespace vozaz2 {

// The whole help text as the help window holds it: 44 lines (paragraphs and
// the empty lines between sections) joined by CR LF, with no line break after
// the last line. UTF-8.
std::string HelpText();

// The same text as a text box shows it: one paragraph per line, broken by
// "\n" only, so that CR LF does not turn into two line breaks.
QString HelpDisplayText();

}  // namespace vozaz2
