#include "run/Messages.h"

namespace vozaz2 {

std::string DivergenceMessage() {
  static const char* const kLines[] = {
      "                Несовместимость параметров",
      "Быстрее всего получились слишком большие ускорения",
      "     и следоватедьно скорости, координаты и силы,",
      "   что выходит за разменость чисел двойной точности",
      "            или не позволяет вывести их на экраны",
      "                или гантель уперлась во втулку",
  };
  std::string msg;
  for (const char* line : kLines) {
    if (!msg.empty()) msg += "\r\n";
    msg += line;
  }
  return msg;
}

}  // namespace vozaz2
