// The pieces of the experiment file's text as the program writes them: a
// string escaped as JSON wants it, a number in the fewest digits that read
// back as the same double.
#pragma once

#include <QByteArray>
#include <string>

namespace vozaz2 {

// JSON text of a string: quotes, backslashes and control characters escaped,
// everything else as UTF-8.
void AppendString(QByteArray& out, const std::string& s);
// The shortest text that reads back as the same double ("0.1", "1e-05");
// null for a number that is not finite.
void AppendNumber(QByteArray& out, double v);

}  // namespace vozaz2
