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
  // Whether anyone looks at the results of the steps. A runner that shows no
  // boxes says no, and the steps then skip turning their numbers into text
  // (which costs far more than the step itself).
  virtual bool ShowsResults() const { return true; }
};

// Boxes held in memory, as the headless runner and the tests use them. Each
// starts with its own name ("Text3"), as a fresh window shows it.
class MemoryTextBoxes final : public TextBoxes {
 public:
  // With showResults false the steps leave the result boxes alone.
  explicit MemoryTextBoxes(bool showResults = true);
  bool ShowsResults() const override { return showResults_; }
  std::string Text(int box) const override;
  void SetText(int box, const std::string& text) override;

 private:
  std::array<std::string, kCount> texts_;
  bool showResults_;
};

}  // namespace vozaz2
