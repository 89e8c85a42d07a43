#include "run/DrawingRecord.h"

#include <algorithm>

#include "run/Raster.h"

namespace vozaz2 {

DrawingRecord::DrawingRecord(int width, int height, Surface* screen)
    : width_(width),
      height_(height),
      screen_(screen),
      scales_{{0, 0, static_cast<float>(width - 1), static_cast<float>(height - 1)}},
      map_(0, 0, width - 1, height - 1, width, height),
      owner_(static_cast<std::size_t>(width) * height, 0) {}

void DrawingRecord::Scale(float x1, float y1, float x2, float y2) {
  if (screen_) screen_->Scale(x1, y1, x2, y2);
  const Rect r{x1, y1, x2, y2};
  map_ = ScaleMap(x1, y1, x2, y2, width_, height_);
  // A screen is given the same few scales over and over (every "Начать"):
  // each is kept once.
  const auto known = std::find(scales_.begin(), scales_.end(), r);
  current_ = static_cast<std::size_t>(known - scales_.begin());
  if (known == scales_.end()) scales_.push_back(r);
}

void DrawingRecord::Cls() {
  if (screen_) screen_->Cls();
  ops_.clear();
  dead_ = 0;
  std::fill(owner_.begin(), owner_.end(), 0);
  // Cls keeps the scale: the record starts again with the pixel grid and the
  // scale in force.
  const Rect now = scales_[current_];
  scales_.resize(1);
  current_ = 0;
  if (!(now == scales_[0])) {
    scales_.push_back(now);
    current_ = 1;
  }
}

void DrawingRecord::PSet(float x, float y, Colour c) {
  if (screen_) screen_->PSet(x, y, c);
  Add({x, y, 0, 0, c, 0, 0, Kind::kPoint});
}

void DrawingRecord::Line(float x1, float y1, float x2, float y2, Colour c) {
  if (screen_) screen_->Line(x1, y1, x2, y2, c);
  Add({x1, y1, x2, y2, c, 0, 0, Kind::kLine});
}

void DrawingRecord::Circle(float x, float y, float radius, Colour c) {
  if (screen_) screen_->Circle(x, y, radius, c);
  Add({x, y, radius, 0, c, 0, 0, Kind::kCircle});
}

// The new operation takes over every pixel it sets; an earlier one left with
// no pixel of its own is dead.
void DrawingRecord::Add(Op op) {
  op.scale = static_cast<std::uint16_t>(current_);
  const auto self = static_cast<std::uint32_t>(ops_.size() + 1);
  ops_.push_back(op);
  auto take = [&](int x, int y) {
    std::uint32_t& owner = owner_[static_cast<std::size_t>(y) * width_ + x];
    if (owner == self) return;  // a pixel that this drawing sets twice
    if (owner != 0 && --ops_[owner - 1].visible == 0) ++dead_;
    owner = self;
    ++ops_.back().visible;
  };
  switch (op.kind) {
    case Kind::kPoint:
      raster::Point(map_.PixelX(op.x1), map_.PixelY(op.y1), width_, height_, take);
      break;
    case Kind::kLine:
      raster::Segment(map_.PixelX(op.x1), map_.PixelY(op.y1), map_.PixelX(op.x2),
                      map_.PixelY(op.y2), width_, height_, take);
      break;
    case Kind::kCircle: {
      const double r = map_.PixelsX(op.x2);  // in units of the x axis, both ways
      raster::Ellipse(map_.PixelX(op.x1), map_.PixelY(op.y1), r, r, width_, height_, take);
      break;
    }
  }
  if (ops_.back().visible == 0) ops_.pop_back();  // off the screen: nothing to keep
  // Dead operations are removed in batches, so that the cost of renumbering
  // the pixels is spread over many drawings.
  if (dead_ > std::max<std::size_t>(4096, owner_.size() / 8) && dead_ * 2 > ops_.size()) Compact();
}

void DrawingRecord::Compact() {
  std::vector<std::uint32_t> renumber(ops_.size() + 1, 0);
  std::size_t kept = 0;
  for (std::size_t i = 0; i < ops_.size(); ++i) {
    if (ops_[i].visible == 0) continue;
    ops_[kept] = ops_[i];
    renumber[i + 1] = static_cast<std::uint32_t>(++kept);
  }
  ops_.resize(kept);
  for (std::uint32_t& owner : owner_) owner = renumber[owner];
  dead_ = 0;
}

std::size_t DrawingRecord::MemoryBytes() const {
  return ops_.capacity() * sizeof(Op) + owner_.capacity() * sizeof(std::uint32_t) +
         scales_.capacity() * sizeof(Rect);
}

void DrawingRecord::Replay(Surface& s) const {
  s.Cls();
  std::size_t scale = scales_.size();  // none yet
  auto use = [&](std::size_t i) {
    if (i == scale) return;
    scale = i;
    const Rect& r = scales_[i];
    s.Scale(r.x1, r.y1, r.x2, r.y2);
  };
  ForEach([&](const Op& op) {
    use(op.scale);
    switch (op.kind) {
      case Kind::kPoint: s.PSet(op.x1, op.y1, op.colour); break;
      case Kind::kLine: s.Line(op.x1, op.y1, op.x2, op.y2, op.colour); break;
      case Kind::kCircle: s.Circle(op.x1, op.y1, op.x2, op.colour); break;
    }
  });
  use(current_);
}

}  // namespace vozaz2
