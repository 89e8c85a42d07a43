// Numbers as people read them: the program's one number formatter for what
// it shows and writes for a reader (the CSV keeps its own exact, locale-free
// form). A number is written in the boxes' general form (model/NumberText.h)
// with the decimal separator of a locale: the user's for the window, the
// graphs and the tables copied from them; Russian for the report, which is a
// Russian text whatever the system's language.
//
// The report writes its numbers as a textbook does: with the digits that
// mean something, a decimal comma, a true minus and powers of ten in
// superscript ("−3,7·10⁻⁷"), and counts with the noun in its Russian form
// ("21 шаг", "2400 шагов").
#pragma once

#include <QLocale>
#include <QString>

namespace vozaz2 {

// The decimal separator of a locale ('.' where it is not a single ASCII
// character): the boxes show numbers with it and read it besides '.'.
char DecimalSeparator(const QLocale& locale = QLocale());

// A number in the boxes' form, with the locale's separator.
QString LocaleNumber(double value, const QLocale& locale = QLocale());

// The locale of the report's text.
QLocale ReportLocale();

// A number rounded to `significant` digits in the report's notation: a
// decimal comma, "−" for minus, and from 10⁶ on or below 10⁻³ a power of
// ten, "1,2·10⁻⁵". Trailing zeros of the fraction are dropped unless
// `keepZeros` (a table's column shows its precision: "4,00000"). Zero is
// "0"; a value that is not finite is "—".
QString Significant(double value, int significant, bool keepZeros = false);

// A count with the noun in the form Russian gives it after that number:
// Counted(1, "шаг", "шага", "шагов") is "1 шаг", 2 and 24 take the second
// form, 5, 11 to 14 and 0 the third.
QString Counted(long long n, const char* one, const char* few, const char* many);

}  // namespace vozaz2
