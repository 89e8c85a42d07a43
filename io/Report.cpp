#include "io/Report.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <functional>

#include "io/PdfPage.h"
#include "io/ReportApparatus.h"
#include "io/ReportTask.h"
#include "io/ReportFigures.h"
#include "io/ReportPainting.h"

namespace vozaz2 {

namespace {

using report::Dpmm, report::EnergyGraph, report::Heading, report::MomentumGraph, report::OscillogramFigure,
    report::PathFigure, report::Sheet, report::Table;

// A figure alone on an SVG page w mm wide and as tall as the figure (paint
// returns its height in mm; it is measured first on a scratch image of the
// same resolution).
bool WriteSvg(QIODevice& out, double w, const QString& title, const std::function<double(Sheet&)>& paint) {
  const int dpi = 96;
  QImage scratch(8, 8, QImage::Format_RGB32);
  scratch.setDotsPerMeterX(qRound(dpi / 0.0254));
  scratch.setDotsPerMeterY(qRound(dpi / 0.0254));
  double h = 0;
  {
    QPainter p(&scratch);
    Sheet s(p, QPointF(0, 0), dpi / 25.4);
    h = paint(s) + 4;
  }
  QSvgGenerator svg;
  svg.setOutputDevice(&out);
  svg.setResolution(dpi);
  const QSize size(qRound(w * dpi / 25.4), qRound(h * dpi / 25.4));
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setTitle(title);
  svg.setDescription(QStringLiteral("Vozaz2"));
  QPainter p;
  if (!p.begin(&svg)) return false;
  Sheet s(p, QPointF(0, 0), dpi / 25.4);
  paint(s);
  return p.end();
}

}  // namespace

void PaintReport(QPainter& p, const QRectF& page, const ReportContent& c) {
  const double k = Dpmm(p);
  Sheet s(p, page.topLeft(), k);
  const double pageW = page.width() / k;
  const double left = 15, width = pageW - 30;
  double y = 12;
  p.setPen(Qt::black);

  // 1. Heading.
  s.Font(13, true);
  y += s.Text(left, y, width, ReportTitle(c)) + 0.5;
  s.Font(8);
  y += s.Text(left, y, width, ReportByline(c)) + 2;

  // 2. Set-up.
  y += Heading(s, left, y, width, QStringLiteral("1. Установка"));
  y += Table(s, left, y, width, ParameterRows(c.record), 3) + 1;
  s.Font(8);
  y += s.Text(left, y, width, VariantSentence(c.record, c.controls)) + 2.5;

  // 3. Screens.
  y += Heading(s, left, y, width, QStringLiteral("2. Экраны: осциллограмма и путь груза (вид сверху)"));
  const double oscW = width * 0.56;
  const double h1 = OscillogramFigure(s, left, y, oscW, c);
  const double h2 = PathFigure(s, left + oscW + 2, y, width - oscW - 2, c);
  y += std::max(h1, h2) + 2;

  // 4. Graphs.
  y += Heading(s, left, y, width, QStringLiteral("3. Графики от времени"));
  MomentumGraph(s, left, y, width / 2 - 2, 46, c);
  EnergyGraph(s, left + width / 2 + 2, y, width / 2 - 2, 46, c);
  y += 47;

  // 5. Readout.
  y += Heading(s, left, y, width, QStringLiteral("4. Показания в конце опыта"));
  y += Table(s, left, y, width, ReadoutRows(c.record), 3) + 2;

  // 6. Verification.
  y += Heading(s, left, y, width, QStringLiteral("5. Проверка закона сохранения"));
  s.Font(7.5);
  s.Text(left, y, width, VerificationText(c.record, c.history, c.diverged));

  // 7. The first page is full: the apparatus at the end on the second.
  // A task's page after it.
  if (auto* pages = dynamic_cast<QPagedPaintDevice*>(p.device()); pages && pages->newPage()) {
    report::ApparatusPage(p, page, c);
    if (c.task && pages->newPage()) report::TaskPage(p, page, c);
  }
}

bool WriteReportPdf(QIODevice& out, const ReportContent& c) {
  return WritePdfPage(out, ReportTitle(c), c.version, [&](QPainter& p, const QRectF& page) { PaintReport(p, page, c); });
}

bool WriteReportPdf(const QString& fileName, const ReportContent& c) {
  QSaveFile file(fileName);
  return file.open(QIODevice::WriteOnly) && WriteReportPdf(file, c) && file.commit();
}

QString FigureFileSuffix(Figure f) {
  switch (f) {
    case Figure::kOscillogram: return QStringLiteral("-oscillogram.svg");
    case Figure::kPath: return QStringLiteral("-path.svg");
    case Figure::kMomentum: return QStringLiteral("-momentum.svg");
    case Figure::kApparatus: return QStringLiteral("-apparatus.svg");
    case Figure::kEnergy: break;
  }
  return QStringLiteral("-energy.svg");
}

bool WriteSvgFigure(QIODevice& out, Figure f, const ReportContent& c) {
  switch (f) {
    case Figure::kOscillogram:
      return WriteSvg(out, 130, QStringLiteral("Осциллограмма"),
                      [&](Sheet& s) { return 2 + OscillogramFigure(s, 2, 2, 126, c); });
    case Figure::kPath:
      return WriteSvg(out, 100, QStringLiteral("Путь груза, вид сверху"),
                      [&](Sheet& s) { return 2 + PathFigure(s, 2, 2, 96, c); });
    case Figure::kMomentum:
      return WriteSvg(out, 120, QStringLiteral("Момент импульса"), [&](Sheet& s) {
        MomentumGraph(s, 3, 3, 114, 58, c);
        return 61.0;
      });
    case Figure::kApparatus:
      return WriteSvg(out, 160, QStringLiteral("Установка в конце опыта"),
                      [&](Sheet& s) { return 2 + report::ApparatusFigure(s, 2, 2, 156, c); });
    case Figure::kEnergy: break;
  }
  return WriteSvg(out, 120, QStringLiteral("Энергия"), [&](Sheet& s) {
    EnergyGraph(s, 3, 3, 114, 58, c);
    return 61.0;
  });
}

bool WriteSvgFigures(const QString& prefix, const ReportContent& c) {
  for (Figure f : kFigures) {
    QSaveFile file(prefix + FigureFileSuffix(f));
    if (!file.open(QIODevice::WriteOnly) || !WriteSvgFigure(file, f, c) || !file.commit()) return false;
  }
  return true;
}

}  // namespace vozaz2
