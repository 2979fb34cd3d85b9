// Measures a dialog program the way a player meets it: the time from starting it to its window
// being on screen, its peak memory at that moment, and the processor time it then takes in one
// idle second (a loop that polls would take the whole second). Prints one line per run, then the
// medians:
//   measure_startup PROGRAM CAPTION RUNS
// Each run ends the program with a system close. A measuring tool, not a test.

#include <windows.h>
// <psapi.h> builds on <windows.h>.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/win32/tests/automation.h"

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace townwright::win32::automation;
  if (argc != 4) {
    std::fprintf(stderr, "usage: measure_startup PROGRAM CAPTION RUNS\n");
    return 2;
  }
  const std::string program = argv[1];
  const std::string caption = argv[2];
  const int runs = std::max(1, std::atoi(argv[3]));

  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const auto milliseconds_since = [&](const LARGE_INTEGER& start) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
  };

  // What the game's nine 100 ms pauses before its window take here, to tell them apart.
  LARGE_INTEGER pauses_start;
  QueryPerformanceCounter(&pauses_start);
  for (int pause = 0; pause < 9; ++pause) Sleep(100);
  std::printf("nine 100 ms pauses: %.1f ms\n", milliseconds_since(pauses_start));

  std::vector<double> startup_ms, working_set_kib, private_kib, idle_ms;
  for (int run = 1; run <= runs; ++run) {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    auto process = Process::Start(program);
    if (!process) {
      std::fprintf(stderr, "cannot start %s\n", program.c_str());
      return 1;
    }
    const HWND window = process->WaitForWindow(caption);
    const double startup = milliseconds_since(start);
    if (window == nullptr) {
      std::fprintf(stderr, "no window captioned \"%s\"\n", caption.c_str());
      return 1;
    }
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(process->handle(), &memory, sizeof(memory));
    const auto processor_ms = [&process] {
      FILETIME created, ended, kernel, user;
      GetProcessTimes(process->handle(), &created, &ended, &kernel, &user);
      const auto ticks = [](FILETIME t) {  // of 100 ns
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
      };
      return static_cast<double>(ticks(kernel) + ticks(user)) / 10'000;
    };
    const double before_idle = processor_ms();
    Sleep(1000);
    idle_ms.push_back(processor_ms() - before_idle);
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    const auto status = process->WaitForExit();

    startup_ms.push_back(startup);
    working_set_kib.push_back(static_cast<double>(memory.PeakWorkingSetSize) / 1024);
    private_kib.push_back(static_cast<double>(memory.PeakPagefileUsage) / 1024);
    std::printf(
        "run %d: window shown after %.1f ms, peak working set %.0f KiB, peak private %.0f KiB, "
        "idle second %.1f ms, exit %ld\n",
        run, startup_ms.back(), working_set_kib.back(), private_kib.back(), idle_ms.back(),
        status ? static_cast<long>(*status) : -1L);
  }
  std::printf(
      "median: window shown after %.1f ms, peak working set %.0f KiB, peak private %.0f KiB, "
      "idle second %.1f ms\n",
      Median(startup_ms), Median(working_set_kib), Median(private_kib), Median(idle_ms));
  return 0;
}
