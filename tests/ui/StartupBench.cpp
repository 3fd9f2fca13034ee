// Start-up to the first paint: the designer against a window that creates the same controls and
// nothing else, and against a bare window of the same size (and, when given, an earlier build
// of the designer), started in turn in the same run so that all meet the same machine load.
// Run: tools/wine run build/win32/tests/ui/startup_bench.exe <program folder>\Orvella.exe
//      [rounds] [<earlier program folder>\Orvella.exe]
// minimal_controls.exe and minimal_window.exe are looked for beside this executable.
//
// The measure, the same for every program and without any help from the designer: from just
// before CreateProcess until the process's window of the expected class is visible, its thread
// has gone idle waiting for input (WaitForInputIdle), a sent WM_NULL has come back through its
// message loop, and the window has no update region left. All programs show their window and
// paint it (UpdateWindow) before their loop first waits, so this is the moment the first paint
// has been done; the process start-up itself, the same for all, is part of every figure.
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
    std::fprintf(stderr, "usage: startup_bench <Orvella.exe> [rounds] [<earlier Orvella.exe>]\n");
    return 2;
  }
  const int rounds = std::max(1, argc > 2 ? std::atoi(argv[2]) : 15);
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  struct Program {
    const char* label;
    std::string path;
    const char* className;
    std::vector<double> times;
  };
  std::vector<Program> programs = {
      {"Orvella", argv[1], "TMF", {}},
      {"minimal window with the same controls",
       FolderOf(self) + "minimal_controls.exe",
       "MinimalControls",
       {}},
      {"minimal window", FolderOf(self) + "minimal_window.exe", "MinimalWindow", {}}};
  if (argc > 3) programs.push_back({"earlier Orvella", argv[3], "TMF", {}});

  // One unmeasured start of each first: the first start after a build loads files from disk.
  for (const Program& program : programs) {
    if (StartOnce(program.path, program.className) < 0) {
      std::fprintf(stderr, "cannot start %s to its first paint\n", program.path.c_str());
      return 1;
    }
  }
  const size_t count = programs.size();
  for (int round = 0; round < rounds; ++round) {
    // Each round starts with the next program, so that none always follows the same one's exit.
    for (size_t k = 0; k < count; ++k) {
      Program& program = programs[(k + static_cast<size_t>(round)) % count];
      const double t = StartOnce(program.path, program.className);
      if (t < 0) return 1;
      program.times.push_back(t);
    }
  }
  for (const Program& program : programs)
    std::printf("Start-up to first paint, %s: median %.1f ms\n", program.label,
                Median(program.times));
  const double floor = Median(programs[1].times), bare = Median(programs[2].times);
  for (size_t k : {size_t{0}, size_t{3}}) {
    if (k >= count) continue;
    const double t = Median(programs[k].times);
    std::printf(
        "Start-up ratio, %s: %.2f to the same controls, %.2f to a bare window (%d rounds)\n",
        programs[k].label, t / floor, t / bare, rounds);
  }
  return 0;
}
