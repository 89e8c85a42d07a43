#include "ui/ReportCommands.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStandardPaths>

#include "io/Report.h"

namespace vozaz2 {

namespace {

ReportContent ContentWith(const Session& session, const Task* task) {
  ReportContent c = ContentOf(session);
  if (task) c.task = *task;
  return c;
}

}  // namespace

void SaveReportPdf(QWidget* parent, const Session& session, const Task* task) {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  const QString file = QFileDialog::getSaveFileName(
      parent, QStringLiteral("Отчёт (PDF)"),
      folder + QStringLiteral("/Отчёт ") + QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) +
          QStringLiteral(".pdf"),
      QStringLiteral("PDF (*.pdf)"));
  if (file.isEmpty()) return;
  if (!WriteReportPdf(file, ContentWith(session, task)))
    QMessageBox::warning(parent, QStringLiteral("Vozaz2"), QStringLiteral("Не удалось записать файл\n") + file);
}

void PrintReport(QWidget* parent, const Session& session, const Task* task) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  printer.setFullPage(true);  // the page keeps its own margins
  printer.setDocName(QStringLiteral("Vozaz2"));
  QPrintPreviewDialog preview(&printer, parent);
  const ReportContent content = ContentWith(session, task);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, [&](QPrinter* p) {
    QPainter painter(p);
    PaintReport(painter, p->paperRect(QPrinter::DevicePixel), content);
  });
  preview.exec();
}

}  // namespace vozaz2
