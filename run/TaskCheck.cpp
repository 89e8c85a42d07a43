#include "run/TaskCheck.h"

#include <algorithm>
#include <cmath>

namespace vozaz2 {

bool WithinTolerance(const Task& t, double value, double reference) {
  const double allowed = t.relative ? t.tolerance * std::fabs(reference) : t.tolerance;
  return std::fabs(value - reference) <= allowed;
}

Verdict Judge(const Task& t, double prediction, double observed) {
  Verdict v;
  v.difference = prediction - observed;
  v.within = WithinTolerance(t, prediction, observed);
  if (v.within) return v;
  // A wrong answer is recognised by the same tolerance as the right one, so
  // that a student who reasoned the wrong way and computed carefully gets
  // the word meant for that reasoning.
  double nearest = INFINITY;
  for (std::size_t i = 0; i < t.wrong.size(); ++i) {
    const double off = std::fabs(prediction - t.wrong[i].value);
    if (WithinTolerance(t, prediction, t.wrong[i].value) && off < nearest) {
      nearest = off;
      v.wrong = i;
    }
  }
  return v;
}

std::string QuantityKey(std::size_t q) { return std::string(kQuantities.at(q).key); }

std::optional<std::size_t> ReadoutQuantityNamed(const std::string& key) {
  const std::optional<std::size_t> q = QuantityNamed(key);
  if (!q || *q >= quantity::kReadoutCount) return std::nullopt;
  return q;
}

std::optional<std::string> TaskProblem(const Task& t) {
  if (t.quantity >= quantity::kReadoutCount) return "величина задания не из показаний";
  if (t.moment.quantity && *t.moment.quantity >= quantity::kReadoutCount) return "момент задания: величина не из показаний";
  if (!std::isfinite(t.moment.value)) return "момент задания: нужно конечное число";
  if (!std::isfinite(t.tolerance) || t.tolerance < 0) return "допуск должен быть конечным и не меньше нуля";
  for (std::size_t q : t.hidden)
    if (q >= quantity::kReadoutCount) return "скрытой величины нет среди показаний";
  for (const WrongAnswer& w : t.wrong)
    if (!std::isfinite(w.value)) return "неверный ответ: нужно конечное число";
  for (const std::optional<double>& a : {t.answers.prediction, t.answers.observed})
    if (a && !std::isfinite(*a)) return "ответ: нужно конечное число";
  return std::nullopt;
}

}  // namespace vozaz2
