#include "Application.h"

#include <stdexcept>
#include <string>

#include "Error.h"
#include "MU.h"

namespace orv::ui {

namespace {
constexpr char kClassName[] = "TApplication";
}

void ShowException(Dialogs& dialogs, HWND owner, std::string_view text) {
  dialogs.Message(owner, WithClosingPeriod(std::string(text)), kApplicationTitle,
                  MB_OK | MB_ICONERROR);
}

Application::Application(const char* title) {
  WNDCLASSEXA wc{};
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!GetClassInfoExA(instance, kClassName, &wc)) {
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Application::WindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "MAINICON");
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExA(&wc)) throw std::runtime_error("Cannot register the application class");
  }
  // No size, so nothing of it shows but its task-bar button.
  handle_ = CreateWindowExA(0, kClassName, title,
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0,
                            0, nullptr, nullptr, instance, nullptr);
  if (!handle_) throw std::runtime_error("Cannot create the application window");
  SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Application::~Application() {
  if (IsWindow(handle_)) DestroyWindow(handle_);
}

void Application::SetMainWindow(TMF& form) {
  main_ = &form;
  form.QuitOnDestroy();
}

void Application::ShowMainWindow(int showCommand) {
  HWND form = main_->Handle();
  ShowWindow(handle_, SW_SHOWNOACTIVATE);
  switch (showCommand) {
    case SW_SHOWMAXIMIZED: ShowWindow(form, SW_SHOWMAXIMIZED); break;
    case SW_SHOWMINNOACTIVE:
      ShowWindow(form, SW_SHOWNOACTIVATE);
      ShowWindow(handle_, SW_SHOWMINNOACTIVE);
      break;
    default: ShowWindow(form, SW_SHOWNORMAL); break;
  }
  UpdateWindow(form);
}

void Application::Dispatch(MSG& msg) {
  if (main_ && IsWindow(main_->Handle()) && main_->PreTranslateMessage(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

int Application::Run() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
  return static_cast<int>(msg.wParam);
}

void Application::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    Dispatch(msg);
  }
}

LRESULT CALLBACK Application::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<Application*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  HWND form = self && self->main_ ? self->main_->Handle() : nullptr;
  switch (message) {
    case WM_CLOSE:
      // Closing the task-bar button closes the main window, which may refuse.
      if (form) PostMessageA(form, WM_CLOSE, 0, 0);
      return 0;
    case WM_SIZE:
      // The main window leaves the screen with the task-bar button and comes back with it.
      if (w == SIZE_MINIMIZED)
        ShowOwnedPopups(window, FALSE);
      else if (w == SIZE_RESTORED)
        ShowOwnedPopups(window, TRUE);
      break;
    case WM_SETFOCUS:
      if (form && IsWindowVisible(form) && IsWindowEnabled(form)) SetFocus(form);
      return 0;
  }
  return DefWindowProcA(window, message, w, l);
}

}  // namespace orv::ui
