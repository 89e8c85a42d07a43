// What the graphs window gives away: the picture of its plot as PNG or SVG
// or into the clipboard, and the data of its view as a tab-separated table
// that pastes into a spreadsheet.
#pragma once

#include <QString>

#include "graphs/Views.h"

class QCustomPlot;
class QWidget;

namespace vozaz2 {

// The data of the view as a tab-separated table, numbers in the locale's
// notation. Graphs: a header row, then per bucket of steps its last step's
// values and, against time, each quantity's least and greatest value (the
// law adds the line's value at the radius). Bars: a line for T and one for
// each of the row's bars, shown in this run or not.
QString DataTable(const ViewRow& row, const ViewSource& source);

// The plot's picture at its size on the screen, smoothed.
bool SavePng(QCustomPlot* plot, const QString& file);
bool SaveSvg(QCustomPlot* plot, const QString& file, const QString& title);
void CopyImage(QCustomPlot* plot);
void CopyText(const QString& text);

// Asks where to save the picture ("png" or "svg") and saves it there; a
// beep if it cannot be written.
void SaveAs(QCustomPlot* plot, QWidget* parent, const char* suffix);

}  // namespace vozaz2
