#pragma once
// The clock and the summary the window benchmarks share.
#include <windows.h>

#include <algorithm>
#include <vector>

namespace orv::bench {

// Milliseconds on the performance counter.
inline double Now() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

inline double Max(const std::vector<double>& times) {
  return *std::max_element(times.begin(), times.end());
}

}  // namespace orv::bench
