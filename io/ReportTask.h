// The report's page of the task: the question, what was asked and with what
// tolerance, the student's name, the prediction with its reasoning written
// before the run, what the run gave, the comparison, and the explanation
// written after it.
#pragma once

#include "io/ReportPainting.h"
#include "io/ReportText.h"

namespace vozaz2::report {

// The page, when the report's experiment has a task.
void TaskPage(QPainter& p, const QRectF& page, const ReportContent& c);

}  // namespace vozaz2::report
