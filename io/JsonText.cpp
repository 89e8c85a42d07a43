#include "io/JsonText.h"

#include <charconv>
#include <cmath>

namespace vozaz2 {

void AppendString(QByteArray& out, const std::string& s) {
  out += '"';
  for (const char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      default:
        if (c < 0x20)
          out += QByteArray("\\u00") + QByteArray::number(c, 16).rightJustified(2, '0');
        else
          out += ch;
    }
  }
  out += '"';
}

void AppendNumber(QByteArray& out, double v) {
  if (!std::isfinite(v)) {
    out += "null";
    return;
  }
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, v).ptr;
  out.append(text, end - text);
}

}  // namespace vozaz2
