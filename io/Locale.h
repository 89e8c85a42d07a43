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

}  // namespace vozaz2
