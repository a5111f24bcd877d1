// Wall time for the Windows-side benchmarks, from the performance counter.
#pragma once

#include <windows.h>

class Stopwatch {
 public:
  Stopwatch() { QueryPerformanceFrequency(&frequency_); }
  void Start() { QueryPerformanceCounter(&start_); }
  double ElapsedMs() const {
    LARGE_INTEGER end;
    QueryPerformanceCounter(&end);
    return 1000.0 * (end.QuadPart - start_.QuadPart) / frequency_.QuadPart;
  }

 private:
  LARGE_INTEGER frequency_, start_;
};
