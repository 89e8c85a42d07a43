// The two messages of the experiment; the window shows them in a modal box
// titled "Vozaz2", the headless runner on its error stream.
#pragma once

#include <string>

namespace vozaz2 {

// Shown when "Начать" finds a parameter that makes no run.
inline const std::string kInputMessage = "Введите правильно данные";

// Shown when a step fails: the numbers overflowed, a screen coordinate left
// single precision, or a ball ran into the axis or the sleeve. The text is
// kept letter for letter, misspellings included.
std::string DivergenceMessage();

}  // namespace vozaz2
