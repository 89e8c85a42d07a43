// A task in words, for the task window, the report's section and the
// runner's table of answers: the quantity and its moment, the tolerance, and
// the prediction beside what the run gave. Numbers as the report writes them
// (io/Locale.h), units as SI symbols.
#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>

#include "run/Task.h"

namespace vozaz2 {

// "7,98 рад/с": a value of the quantity with its unit.
QString ValueText(double value, std::size_t quantity);
// "в конце опыта", "когда T станет 5 с", "когда R2 станет 0,5 м".
QString MomentText(const Moment& m);
// "±5 %" or "±0,1 рад/с".
QString ToleranceText(const Task& t);
// "w2 (угловая скорость, рад/с) когда R2 станет 0,5 м; допуск ±5 %".
QString AskedText(const Task& t);
// The answers: the prediction, what was observed, the difference, whether it
// is within the tolerance, the word on a foreseen wrong answer; "момент не
// наступил" without an observed value.
QStringList VerdictLines(const Task& t);

}  // namespace vozaz2
