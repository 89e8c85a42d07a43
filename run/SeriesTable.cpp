#include "run/SeriesTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vozaz2 {

namespace {

// A field quoted where it holds the separator, a quote or a line end.
std::string Field(const std::string& text, char separator) {
  if (text.find_first_of(std::string{separator, '"', '\n', '\r'}) == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) (c == '"' ? quoted += "\"\"" : quoted += c);
  return quoted + '"';
}

std::string Labelled(const std::string& name, std::string_view unit) {
  return unit.empty() ? name : name + ", " + std::string(unit);
}

// The file's name without its folders.
std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string SeriesNumber(double v, char decimal) {
  if (std::isnan(v)) return {};
  char text[32];
  std::string s(text, std::to_chars(text, text + sizeof text, v).ptr);
  if (decimal != '.') std::replace(s.begin(), s.end(), '.', decimal);
  return s;
}

std::string SeriesHeader(const SeriesPlan& plan, const CsvDialect& d) {
  std::vector<std::string> fields;
  const std::optional<SeriesRange>& range = plan.series.range;
  if (d.labelled) {
    fields = {"опыт", range ? Labelled(std::string(kParameterNames[range->parameter]), ParameterUnit(range->parameter))
                            : "файл",
              "итог", "шагов"};
    for (const SeriesColumn& c : plan.series.collect) fields.push_back(Labelled(ColumnName(c), ColumnUnit(c)));
  } else {
    fields = {"run", range ? std::string(kParameterNames[range->parameter]) : "file", "end", "steps"};
    for (const SeriesColumn& c : plan.series.collect) fields.push_back(ColumnKey(c));
  }
  std::string line;
  for (const std::string& f : fields) (line.empty() ? line : line += d.field) += Field(f, d.field);
  return line + '\n';
}

std::string SeriesLine(const SeriesPlan& plan, const SeriesRow& row, const CsvDialect& d) {
  std::string line = std::to_string(row.run + 1) + d.field;
  line += plan.series.range ? SeriesNumber(plan.Value(row.run), d.decimal)
                            : Field(BaseName(plan.series.files.at(static_cast<std::size_t>(row.run))), d.field);
  ((line += d.field) += EndName(row.end)) += d.field;
  line += std::to_string(row.steps);
  for (double v : row.values) (line += d.field) += SeriesNumber(v, d.decimal);
  return line + '\n';
}

}  // namespace vozaz2
