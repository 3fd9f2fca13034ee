// The floor of the start-up benchmark: a window that creates the designer's controls from the
// same layout tables, in the same classes, styles, font and places, with the same manifest,
// and nothing else: no document, no themes, no frame drawing, no handlers.
#include <windows.h>
// This builds on windows.h.
#include <commctrl.h>

#include "Layout.h"

namespace {

using namespace orv::ui;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcA(window, message, w, l);
}

HWND Create(const ControlDef& def, HWND parent, HFONT font, HINSTANCE instance) {
  const WindowStyle style = StyleOf(def.kind);
  HWND control =
      CreateWindowExA(style.exStyle, style.className, InitialText(def),
                      WS_CHILD | WS_CLIPSIBLINGS | style.style | (def.visible ? WS_VISIBLE : 0),
                      def.left, def.top, def.width, def.height, parent, nullptr, instance, nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (const char* label = LabelOf(def)) {
    HWND text = CreateWindowExA(0, "STATIC", label, WS_CHILD | WS_VISIBLE | SS_LEFT, def.left,
                                def.top - kLabelGap, def.width, kItemHeight, parent, nullptr,
                                instance, nullptr);
    SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  return control;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  // The class, its brush and the font last as long as the process.
  wc.hbrBackground = CreateSolidBrush(kWindowColour);
  wc.lpszClassName = "MinimalControls";
  if (!RegisterClassExA(&wc)) return 1;
  HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
  HWND window = CreateWindowExA(0, wc.lpszClassName, "Minimal", WS_POPUP | WS_CLIPSIBLINGS,
                                (GetSystemMetrics(SM_CXSCREEN) - kClientWidth) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - kClientHeight) / 2, kClientWidth,
                                kClientHeight, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  HWND group = nullptr;
  for (const ControlDef& def : WindowLayout()) {
    HWND control = Create(def, window, font, instance);
    if (def.kind == ControlKind::GroupBox) group = control;
  }
  for (const ControlDef& def : EditorLayout()) Create(def, group, font, instance);
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
