#pragma once
// The application object: its hidden top-level window, which carries the task-bar button and
// the title, the message loop and the default exception handler.
#include <windows.h>

#include <string_view>

#include "Dialogs.h"

namespace orv::ui {

class TMF;

inline constexpr char kApplicationTitle[] = "Orvella";

class Application {
 public:
  explicit Application(const char* title = kApplicationTitle);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  HWND Handle() const { return handle_; }
  // The window that closing the application closes; it ends the loop when destroyed.
  void SetMainWindow(TMF& form);

  // Shows the main window as the process was started: maximised, minimised or normally.
  void ShowMainWindow(int showCommand);
  // Handles messages until the main window has gone; returns the exit code.
  int Run();
  // Handles every waiting message as the loop does, then returns.
  void ProcessMessages();
  // One message, as the loop handles it.
  void Dispatch(MSG& msg);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);

  HWND handle_ = nullptr;
  TMF* main_ = nullptr;
};

// The default handler: a message box titled with the application title, an error icon, an OK
// button and the failure's text with a closing period.
void ShowException(Dialogs& dialogs, HWND owner, std::string_view text);

}  // namespace orv::ui
