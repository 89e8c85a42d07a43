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
  OnPage(p, page, QStringLiteral("6. Установка в конце опыта"),
         [&c](Sheet& s, double x, double y, double w) { ApparatusFigure(s, x, y, w, c); });
}

}  // namespace vozaz2::report
