// Keeps Wine's desktop alive while the window tests run: without a process on it, the desktop
// closes a second after each test process ends and the next one has to start it again, which
// on a loaded machine can fail the first window the test creates.
#include <windows.h>

int main() {
  GetDesktopWindow();
  Sleep(INFINITE);
}
