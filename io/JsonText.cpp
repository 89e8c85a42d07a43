#include "io/JsonText.h"

#include <charconv>
#include <cmath>

#include "run/Scenario.h"

namespace vozaz2::json {

std::optional<long long> StepNumber(const QJsonValue& v) {
  if (!v.isDouble()) return std::nullopt;
  const double d = v.toDouble();
  if (!(d >= 0 && d <= static_cast<double>(kMaxSteps)) || d != std::floor(d)) return std::nullopt;
  return static_cast<long long>(d);
}

QString StepNeeded() { return QString("нужно целое число от 0 до %1").arg(kMaxSteps); }

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

}  // namespace vozaz2::json
