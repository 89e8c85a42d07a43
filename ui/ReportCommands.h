// The window's lab report of the run its session holds: "Отчёт (PDF)…" (a
// file) and "Печать…" (a print preview).
#pragma once

class QWidget;

namespace vozaz2 {

class Session;
struct Task;

// Asks where to save, then writes the page there; a message box tells when
// the file cannot be written.
// With a task, its answers as the window holds them go on a page of their own.
void SaveReportPdf(QWidget* parent, const Session& session, const Task* task = nullptr);
// The page in a print preview, which prints it.
void PrintReport(QWidget* parent, const Session& session, const Task* task = nullptr);

}  // namespace vozaz2
