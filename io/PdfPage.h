// A4 pages as a PDF, for the reports: their title and the program that made
// them in the file's properties, the pages painted by the caller (a new one
// through the painter's device).
#pragma once

#include <QRectF>
#include <QString>
#include <functional>

class QIODevice;
class QPainter;

namespace vozaz2 {

// Paints the page with `paint` (the painter and the page in device pixels)
// onto `out`, open for writing. Returns false when the writing failed.
bool WritePdfPage(QIODevice& out, const QString& title, const QString& version,
                  const std::function<void(QPainter&, const QRectF&)>& paint);

}  // namespace vozaz2
