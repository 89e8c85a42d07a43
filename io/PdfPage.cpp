#include "io/PdfPage.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace vozaz2 {

bool WritePdfPage(QIODevice& out, const QString& title, const QString& version,
                  const std::function<void(QPainter&, const QRectF&)>& paint) {
  QPdfWriter pdf(&out);
  pdf.setResolution(600);
  pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  pdf.setTitle(title);
  pdf.setCreator(QStringLiteral("Vozaz2 ") + version);
  QPainter p;
  if (!p.begin(&pdf)) return false;
  paint(p, QRectF(0, 0, pdf.width(), pdf.height()));
  return p.end();
}

}  // namespace vozaz2
