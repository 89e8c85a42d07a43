// The text boxes of the main window, by their number (Text1 ... Text43).
#pragma once

#include <array>
#include <string>

namespace vozaz2 {

class TextBoxes {
 public:
  static constexpr int kCount = 43;
  virtual ~TextBoxes() = default;
  virtual std::string Text(int box) const = 0;
  virtual void SetText(int box, const std::string& text) = 0;
};

// Boxes held in memory, as the headless runner and the tests use them. Each
// starts with its own name ("Text3"), as a fresh window shows it.
class MemoryTextBoxes final : public TextBoxes {
 public:
  MemoryTextBoxes();
  std::string Text(int box) const override;
  void SetText(int box, const std::string& text) override;

 private:
  std::array<std::string, kCount> texts_;
};

}  // namespace vozaz2
