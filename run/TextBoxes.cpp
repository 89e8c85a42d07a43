#include "run/TextBoxes.h"

#include <stdexcept>

namespace vozaz2 {

namespace {
std::size_t Slot(int box) {
  if (box < 1 || box > TextBoxes::kCount) throw std::out_of_range("no such text box");
  return static_cast<std::size_t>(box - 1);
}
}  // namespace

MemoryTextBoxes::MemoryTextBoxes(bool showResults) : showResults_(showResults) {
  for (int i = 1; i <= kCount; ++i) texts_[Slot(i)] = "Text" + std::to_string(i);
}

std::string MemoryTextBoxes::Text(int box) const { return texts_[Slot(box)]; }

void MemoryTextBoxes::SetText(int box, const std::string& text) { texts_[Slot(box)] = text; }

}  // namespace vozaz2
