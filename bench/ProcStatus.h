// The memory figures of this process, as the kernel reports them.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace vozaz2::bench {

// A field of /proc/self/status in kB ("VmHWM" is the peak resident size,
// "VmRSS" the current one), or -1 where there is no such field. Only Linux
// has /proc/self/status: elsewhere every figure is -1, not available.
inline long StatusKb(const std::string& field) {
#if defined(__linux__)
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.compare(0, field.size() + 1, field + ":") == 0) return std::atol(line.c_str() + field.size() + 1);
#else
  (void)field;
#endif
  return -1;
}

// Says once, before the figures, when they are not available here.
inline void NoteMissingFigures() {
  if (StatusKb("VmHWM") < 0) std::printf("memory figures: not available on this system (shown as -1)\n");
}

}  // namespace vozaz2::bench
