#include "io/ReportApparatus.h"

#include "io/ApparatusPainting.h"
#include "run/ApparatusScene.h"

namespace vozaz2::report {

double ApparatusFigure(Sheet& s, double x, double y, double w, const ReportContent& c) {
  const SimRecord& r = c.record;
  const double h = 0.78 * w;
  const SceneFrame frame = FrameOf(r);
  const Scene scene = SceneOf(ApparatusOf(r), r, frame, kAllArrows);
  s.Font(6.5);
  const ApparatusLook look{s.Painter().font(), s.Mm(0.22), ReportLocale(), true};
  const QRectF area = s.Box(x, y, w, h);
  Camera camera = CameraOf(ViewKind::kPerspective, 4 * frame.size);
  Fit(camera, frame.lo, frame.hi, area.left() + s.Mm(3), area.top() + s.Mm(6), area.width() - s.Mm(6),
      area.height() - s.Mm(13));
  PaintApparatus(s.Painter(), area, camera, {scene, frame, &c.history.Trail(), kAllArrows, r.T}, look);
  s.Pen(QColor(160, 160, 160), 0.2);
  s.Painter().setBrush(Qt::NoBrush);
  s.Painter().drawRect(area);
  s.Font(7);
  s.Painter().setPen(Qt::black);
  const QString caption = QStringLiteral(
      "Установка в конце опыта, в перспективе: нить идёт от привода через втулку к грузу; синим — последние "
      "витки пути, бледно — конус, который заметает нить, красным пунктиром — окружность радиуса R1 в начале. "
      "Стрелки: ω — угловая скорость; L — момент импульса относительно точки втулки; Lz = MKD2 — его "
      "вертикальная часть, чёрная черта — MKD1; v — скорость; FL — сила нити. Длины стрелок — в масштабе, "
      "заданном в начале опыта.");
  return h + 2 + s.Text(x, y + h + 2, w, caption);
}

void ApparatusPage(QPainter& p, const QRectF& page, const ReportContent& c) {
  const double k = Dpmm(p);
  Sheet s(p, page.topLeft(), k);
  const double left = 15, width = page.width() / k - 30;
  double y = 12;
  p.setPen(Qt::black);
  y += Heading(s, left, y, width, QStringLiteral("6. Установка в конце опыта"));
  ApparatusFigure(s, left, y, width, c);
}

}  // namespace vozaz2::report
