// The two messages the program shows, and where it shows them.
#pragma once

#include <string>

namespace vozaz2 {

// Shown when "Начать" finds a parameter that makes no run.
inline const std::string kInputMessage = "Введите правильно данные";

// Shown when a step fails: the numbers overflowed, a screen coordinate left
// single precision, or a ball ran into the axis or the sleeve. The text is
// kept letter for letter, misspellings included.
std::string DivergenceMessage();

// A modal message box titled "Vozaz2" with one OK button and no icon. Show()
// returns when the user has closed it.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void Show(const std::string& text) = 0;
};

}  // namespace vozaz2
