// Numbers as people read them: the program's one number formatter for what
// it shows and writes for a reader (the CSV keeps its own exact, locale-free
// form). A number is written in the boxes' general form (model/NumberText.h)
// with the decimal separator of a locale: the user's for the window, the
// graphs and the tables copied from them; Russian for the report, which is a
// Russian text whatever the system's language.
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

// A count with its Russian noun in the form the number takes: "1 шаг",
// "2 шага", "5 шагов", "21 шаг", "11 шагов" (one, few, many: UTF-8).
QString Counted(long long n, const char* one, const char* few, const char* many);

}  // namespace vozaz2
