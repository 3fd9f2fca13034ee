// The start-up benchmark's bare yardstick: a plain window as large as the designer's, centred,
// that paints its background and closes on WM_CLOSE. Same toolchain and run-time, no controls.
#include <windows.h>

namespace {

constexpr int kWidth = 601, kHeight = 463;  // the designer's window
constexpr COLORREF kColour = 0x00F1E2EB;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_PAINT: {
      // The class brush erases the background as BeginPaint starts.
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcA(window, message, w, l);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  // The class, and so its brush, lasts as long as the process.
  wc.hbrBackground = CreateSolidBrush(kColour);
  wc.lpszClassName = "MinimalWindow";
  if (!RegisterClassExA(&wc)) return 1;
  HWND window = CreateWindowExA(0, wc.lpszClassName, "Minimal", WS_POPUP | WS_CLIPSIBLINGS,
                                (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2, kWidth, kHeight,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
