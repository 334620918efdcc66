#pragma once
// How the benches time their calls. Processor time of the calling thread,
// not wall time: the
// machines the benches run on are shared, and a busy neighbour would
// otherwise inflate the figures several times over. The Windows runtime's
// clock() counts wall time, so the Windows build asks the system for the
// thread's own times.
#ifdef _WIN32
#include <windows.h>
#else
#include <ctime>
#endif

#include <algorithm>
#include <functional>

namespace quill::bench {

#ifdef _WIN32
// Under Wine the thread times advance in 10 ms steps, coarser than one call
// of the faster cases. The benches then time calls until a second has been
// spent and report the mean: each call's error from the steps is as likely
// one way as the other, so it averages out.
constexpr bool kCoarseClock = true;
#else
constexpr bool kCoarseClock = false;
#endif
constexpr double kCoarseClockSeconds = 1.0;

inline double ProcessorSeconds() {
#ifdef _WIN32
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto ticks = [](const FILETIME& t) { return double((unsigned long long)t.dwHighDateTime << 32 | t.dwLowDateTime); };
  return (ticks(kernel) + ticks(user)) * 1e-7;  // 100 ns units
#else
  return double(std::clock()) / CLOCKS_PER_SEC;
#endif
}

// Times runs calls of body (more where the clock is coarse, see above) and
// returns the best in milliseconds, or the mean where the clock is coarse.
// body returns the clock reading at which its timed part began, so that it
// can leave set-up out.
inline double BestMilliseconds(int runs, const std::function<double()>& body) {
  double best = 1e300, total = 0;
  int calls = 0;
  for (; calls < runs || (kCoarseClock && total < kCoarseClockSeconds); ++calls) {
    const double start = body();
    const double seconds = ProcessorSeconds() - start;
    best = std::min(best, seconds);
    total += seconds;
  }
  return 1000.0 * (kCoarseClock ? total / calls : best);
}

}  // namespace quill::bench
