// Keeps Wine's desktop alive while the window tests run: without a process on it, the desktop
// closes a second after each test process ends and the next one has to start it again, which
// on a loaded machine can fail the first window the test creates. It says "ready" once the
// desktop is up, so that no test process starts it (and the desktop process inherits that
// test's output pipe, which then never closes).
#include <windows.h>

#include <cstdio>

int main() {
  GetDesktopWindow();
  HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  if (probe) DestroyWindow(probe);
  std::puts(probe ? "ready" : "no desktop");
  std::fflush(stdout);
  Sleep(INFINITE);
}
