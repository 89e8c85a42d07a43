#include "graphs/Exports.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QSvgGenerator>
#include <cmath>

#include "io/Locale.h"

namespace vozaz2 {

namespace {

QString BarTable(const ViewRow& row, const ViewSource& source, const QLocale& locale) {
  QString table = QStringLiteral("T, с\t") + LocaleNumber(source.LastValue(quantity::kT), locale) + u'\n';
  for (std::size_t q : AllQuantities(row))
    table += KeyWithUnit(q) + u'\t' + LocaleNumber(source.LastValue(q), locale) + u'\n';
  return table;
}

QString GraphTable(const ViewRow& row, const ViewSource& source, const QLocale& locale) {
  // A bucket without a value (an estimate where the twin did not follow) is an empty cell.
  auto num = [&locale](double v) { return std::isfinite(v) ? LocaleNumber(v, locale) : QString(); };
  const RunSummary& s = source.summary;
  std::vector<std::size_t> qs = DrawnQuantities(row, source.record);
  const bool spans = row.shape == Shape::kTime, law = row.shape == Shape::kLaw;
  if (!spans) qs.insert(qs.begin(), row.x);
  QStringList header = {KeyWithUnit(quantity::kT)};
  for (std::size_t q : qs) {
    header << KeyWithUnit(q);
    if (spans) header << Utf8Text(kQuantities[q].key) + QStringLiteral(" мин") << Utf8Text(kQuantities[q].key) + QStringLiteral(" макс");
  }
  if (law) header << QStringLiteral("w1·R1²/R2², рад/с");
  QString table = header.join(u'\t') + u'\n';
  for (std::size_t b = 0; b < s.Buckets(); ++b) {
    QStringList cells = {num(s.Last(b, quantity::kT))};
    for (std::size_t q : qs) {
      cells << num(s.Last(b, q));
      if (spans) cells << num(s.Min(b, q)) << num(s.Max(b, q));
    }
    if (law) cells << num(PredictedOmega(source.R1, source.w1, s.Last(b, row.x)));
    table += cells.join(u'\t') + u'\n';
  }
  return table;
}

}  // namespace

QString DataTable(const ViewRow& row, const ViewSource& source) {
  const QLocale locale;
  return row.shape == Shape::kBars ? BarTable(row, source, locale) : GraphTable(row, source, locale);
}

bool SavePng(QCustomPlot* plot, const QString& file) {
  plot->setAntialiasedElements(QCP::aeAll);
  const bool ok = plot->savePng(file, plot->width(), plot->height(), 1.0);
  plot->setNotAntialiasedElements(QCP::aeAll);
  return ok;
}

bool SaveSvg(QCustomPlot* plot, const QString& file, const QString& title) {
  QSvgGenerator svg;
  svg.setFileName(file);
  svg.setSize(plot->size());
  svg.setViewBox(QRect(QPoint(0, 0), plot->size()));
  svg.setTitle(title);
  QCPPainter painter;
  if (!painter.begin(&svg)) return false;
  plot->setAntialiasedElements(QCP::aeAll);
  plot->toPainter(&painter, plot->width(), plot->height());
  plot->setNotAntialiasedElements(QCP::aeAll);
  return painter.end();
}

void CopyImage(QCustomPlot* plot) { QApplication::clipboard()->setPixmap(plot->toPixmap(plot->width(), plot->height())); }

void CopyText(const QString& text) { QApplication::clipboard()->setText(text); }

void SaveAs(QCustomPlot* plot, QWidget* parent, const char* suffix) {
  const QString kind = QString::fromLatin1(suffix);
  const QString file = QFileDialog::getSaveFileName(
      parent, QStringLiteral("Сохранить график"), QStringLiteral("график.") + kind,
      QStringLiteral("Картинка (*.%1)").arg(kind));
  if (file.isEmpty()) return;
  const bool saved = kind == QLatin1String("svg") ? SaveSvg(plot, file, parent->windowTitle()) : SavePng(plot, file);
  if (!saved) QApplication::beep();
}

}  // namespace vozaz2
