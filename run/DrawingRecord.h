// What a screen shows, kept as the drawing operations that made it, so that
// the same picture can be drawn again at any resolution (paper, PDF, SVG, a
// zoomed screen).
//
// The record is a Surface that passes every operation on to the screen it
// wraps and keeps, in order, the operations whose pixels are still to be seen
// on a screen of width x height pixels. An operation all of whose pixels a
// later one has drawn over adds nothing to the picture and is dropped, so the
// record never holds more operations than the screen has pixels: a long run,
// whose points fall again and again on the same pixels (or off the screen),
// keeps it flat. Replayed through the same pixel code, the kept operations
// give the screen's image pixel for pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "run/ScaleMap.h"
#include "run/Surface.h"

namespace vozaz2 {

class DrawingRecord final : public Surface {
 public:
  enum class Kind : std::uint8_t { kPoint, kLine, kCircle };

  // The user rectangle of a Scale: (x1, y1) top-left, (x2, y2) bottom-right.
  struct Rect {
    float x1, y1, x2, y2;
    bool operator==(const Rect&) const = default;
  };

  // One drawing in the user coordinates of the scale it was made in. A point
  // uses (x1, y1); a line runs from (x1, y1) to (x2, y2); a circle has its
  // centre at (x1, y1) and the radius x2.
  struct Op {
    float x1, y1, x2, y2;
    Colour colour;
    std::uint32_t visible;  // pixels of the screen that show this drawing now
    std::uint16_t scale;    // index into Scales()
    Kind kind;
  };

  // `screen` (may be null) receives every operation as well.
  DrawingRecord(int width, int height, Surface* screen = nullptr);

  void Scale(float x1, float y1, float x2, float y2) override;
  void Cls() override;
  void PSet(float x, float y, Colour c) override;
  void Line(float x1, float y1, float x2, float y2, Colour c) override;
  void Circle(float x, float y, float radius, Colour c) override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // The scales used since the last Cls; the first is the pixel grid itself
  // (a fresh screen's scale), the current one is Scales()[CurrentScale()].
  const std::vector<Rect>& Scales() const { return scales_; }
  std::size_t CurrentScale() const { return current_; }

  // The kept operations in the order they were drawn.
  template <class Visit>
  void ForEach(Visit&& visit) const {
    for (const Op& op : ops_)
      if (op.visible != 0) visit(op);
  }
  std::size_t Count() const { return ops_.size() - dead_; }
  // Heap memory held by the record, in bytes.
  std::size_t MemoryBytes() const;

  // Draws the kept operations on `s` after clearing it: on a surface of the
  // same size this gives the screen's picture again. Leaves `s` in the
  // current scale.
  void Replay(Surface& s) const;

 private:
  void Add(Op op);
  void Compact();

  int width_, height_;
  Surface* screen_;
  std::vector<Rect> scales_;
  std::size_t current_ = 0;
  ScaleMap map_;
  std::vector<Op> ops_;
  std::size_t dead_ = 0;  // operations in ops_ no longer seen, not yet removed
  // For every pixel, 1 + the index in ops_ of the operation that drew it last,
  // or 0 where nothing has been drawn since the last Cls.
  std::vector<std::uint32_t> owner_;
};

}  // namespace vozaz2
