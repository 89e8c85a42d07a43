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

namespace vozaz2 {

ReportCommands::ReportCommands(Surface& picture2, int width2, int height2, Surface& picture3, int width3,
                               int height3)
    : record2_(width2, height2, &picture2), record3_(width3, height3, &picture3) {}

void ReportCommands::Follow(Experiment& e) {
  e.Follow([this, &e](Experiment::RunEvent event) {
    if (event == Experiment::RunEvent::kStarted) {
      track_.Reset();
      diverged_ = false;
    } else if (e.LastStepDiverged()) {
      diverged_ = true;
    } else {
      track_.Add(e.Record());
    }
  });
}

ReportContent ReportCommands::Content(const Experiment& e, const std::string& title) const {
  return {e.Record(), e.Controls(), record2_, record3_, track_, title, QCoreApplication::applicationVersion(),
          QDate::currentDate(), diverged_};
}

void ReportCommands::SavePdf(QWidget* parent, const Experiment& e, const std::string& title) const {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  const QString file = QFileDialog::getSaveFileName(
      parent, QStringLiteral("Отчёт (PDF)"),
      folder + QStringLiteral("/Отчёт ") + QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) +
          QStringLiteral(".pdf"),
      QStringLiteral("PDF (*.pdf)"));
  if (file.isEmpty()) return;
  if (!WriteReportPdf(file, Content(e, title)))
    QMessageBox::warning(parent, QStringLiteral("Vozaz2"), QStringLiteral("Не удалось записать файл\n") + file);
}

void ReportCommands::Print(QWidget* parent, const Experiment& e, const std::string& title) const {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  printer.setFullPage(true);  // the page keeps its own margins
  printer.setDocName(QStringLiteral("Vozaz2"));
  QPrintPreviewDialog preview(&printer, parent);
  const ReportContent content = Content(e, title);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, [&](QPrinter* p) {
    QPainter painter(p);
    PaintReport(painter, p->paperRect(QPrinter::DevicePixel), content);
  });
  preview.exec();
}

}  // namespace vozaz2
