// The memory figures of this process, as the kernel reports them.
#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

namespace vozaz2::bench {

// A field of /proc/self/status in kB ("VmHWM" is the peak resident size,
// "VmRSS" the current one), or -1 where there is no such field.
inline long StatusKb(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.compare(0, field.size() + 1, field + ":") == 0) return std::atol(line.c_str() + field.size() + 1);
  return -1;
}

}  // namespace vozaz2::bench
