// Start-up to the first paint: the designer against a minimal window of the same size, started
// in turn in the same run so that both meet the same machine load.
// Run: tools/wine run build/win32/tests/ui/startup_bench.exe <program folder>\Orvella.exe [rounds]
// minimal_window.exe is looked for beside this executable.
//
// The measure, the same for both programs and without any help from the designer: from just
// before CreateProcess until the process's window of the expected class is visible, its thread
// has gone idle waiting for input (WaitForInputIdle), a sent WM_NULL has come back through its
// message loop, and the window has no update region left. Both programs show their window and
// paint it (UpdateWindow) before their loop first waits, so this is the moment the first paint
// has been done; the process start-up itself, the same for both, is part of either figure.
// Each program is ended right after its measure.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Handles.h"
#include "Timing.h"

namespace {

using orv::bench::Median;
using orv::bench::Now;

struct Search {
  DWORD process;
  const char* className;
  HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (process != search.process || lstrcmpA(name, search.className) != 0) return TRUE;
  search.found = window;
  return FALSE;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Milliseconds from CreateProcess to the first paint, or a negative number on failure. The
// program is closed again afterwards.
double StartOnce(const std::string& program, const char* className) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::string commandLine = "\"" + program + "\"";
  const std::string folder = FolderOf(program);
  const double start = Now();
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info))
    return -1;
  const orv::ObjectHandle process(info.hProcess), thread(info.hThread);
  double painted = -1;
  Search search{info.dwProcessId, className, nullptr};
  const double deadline = start + 60000;
  while (Now() < deadline) {
    if (WaitForInputIdle(process.get(), 100) == WAIT_FAILED) break;
    if (WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) break;  // it ended
    if (!search.found) EnumWindows(&Match, reinterpret_cast<LPARAM>(&search));
    if (!search.found || !IsWindowVisible(search.found)) continue;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(search.found, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result)) continue;
    if (!GetUpdateRect(search.found, nullptr, FALSE)) {
      painted = Now() - start;
      break;
    }
  }
  // Ended at once: a close would wait for Wine's window manager state, which is not measured.
  TerminateProcess(process.get(), 1);
  WaitForSingleObject(process.get(), 10000);
  return painted;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: startup_bench <Orvella.exe> [rounds]\n");
    return 2;
  }
  const std::string designer = argv[1];
  const int rounds = std::max(1, argc > 2 ? std::atoi(argv[2]) : 15);
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string minimal = FolderOf(self) + "minimal_window.exe";

  // One unmeasured start of each first: the first start after a build loads files from disk.
  if (StartOnce(designer, "TMF") < 0 || StartOnce(minimal, "MinimalWindow") < 0) {
    std::fprintf(stderr, "cannot start %s or %s to its first paint\n", designer.c_str(),
                 minimal.c_str());
    return 1;
  }
  std::vector<double> designerTimes, minimalTimes;
  for (int round = 0; round < rounds; ++round) {
    // Alternately first, so that neither always follows the other's exit.
    for (int k = 0; k < 2; ++k) {
      if ((k == 0) == (round % 2 == 0)) {
        const double t = StartOnce(designer, "TMF");
        if (t < 0) return 1;
        designerTimes.push_back(t);
      } else {
        const double t = StartOnce(minimal, "MinimalWindow");
        if (t < 0) return 1;
        minimalTimes.push_back(t);
      }
    }
  }
  const double designerMedian = Median(designerTimes), minimalMedian = Median(minimalTimes);
  std::printf("Start-up to first paint, Orvella: median %.1f ms\n", designerMedian);
  std::printf("Start-up to first paint, minimal window: median %.1f ms\n", minimalMedian);
  std::printf("Start-up ratio: %.2f (%d rounds)\n", designerMedian / minimalMedian, rounds);
  return 0;
}
