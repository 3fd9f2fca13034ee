#include "Dialogs.h"

#include <windows.h>
// These build on windows.h.
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

namespace orv::ui {

namespace {

// A Yes/No box has no Cancel button for Esc to press: Windows then ignores Esc, and Wine closes
// the box with Cancel, which a caller that only stops at No takes for Yes. There Esc answers
// No; closing the box's window still answers Cancel.
LRESULT CALLBACK EscapeAnswersNo(HWND box, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_COMMAND:
      // Esc, through the dialog's keyboard handling; closing is caught before it comes to this.
      if (LOWORD(w) != IDCANCEL) break;
      EndDialog(box, IDNO);
      return 0;
    case WM_SYSCOMMAND:
      if ((w & 0xFFF0) != SC_CLOSE) break;
      EndDialog(box, IDCANCEL);
      return 0;
    case WM_CLOSE: EndDialog(box, IDCANCEL); return 0;
    case WM_NCDESTROY: RemoveWindowSubclass(box, EscapeAnswersNo, 0); break;
  }
  return DefSubclassProc(box, message, w, l);
}

// Subclasses the dialog windows this thread creates while it is set: the message box.
class WatchForTheBox {
 public:
  WatchForTheBox() : hook_(SetWindowsHookExA(WH_CBT, &Created, nullptr, GetCurrentThreadId())) {}
  ~WatchForTheBox() {
    if (hook_) UnhookWindowsHookEx(hook_);
  }
  WatchForTheBox(const WatchForTheBox&) = delete;
  WatchForTheBox& operator=(const WatchForTheBox&) = delete;

 private:
  static LRESULT CALLBACK Created(int code, WPARAM w, LPARAM l) {
    if (code == HCBT_CREATEWND) {
      const auto* create = reinterpret_cast<CBT_CREATEWNDA*>(l)->lpcs;
      // The dialog class is the atom 32770.
      if (create->lpszClass == MAKEINTATOM(32770) ||
          (HIWORD(create->lpszClass) && lstrcmpA(create->lpszClass, "#32770") == 0))
        SetWindowSubclass(reinterpret_cast<HWND>(w), EscapeAnswersNo, 0, 0);
    }
    return CallNextHookEx(nullptr, code, w, l);
  }
  HHOOK hook_;
};

class Win32Dialogs final : public Dialogs {
 public:
  int Message(HWND owner, const std::string& text, const std::string& title, UINT type) override {
    if ((type & MB_TYPEMASK) != MB_YESNO)
      return MessageBoxA(owner, text.c_str(), title.c_str(), type);
    const WatchForTheBox watch;
    return MessageBoxA(owner, text.c_str(), title.c_str(), type);
  }

  bool ChooseFile(HWND owner, const FileDialog& dialog, std::string& path) override {
    char file[MAX_PATH * 4] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = dialog.filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.Flags = dialog.options;
    const BOOL chosen = dialog.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!chosen) return false;
    path = file;
    return true;
  }

  void ShellOpen(HWND owner, const std::string& file, const std::string& folder,
                 int showCommand) override {
    ShellExecuteA(owner, "Open", file.c_str(), "", folder.c_str(), showCommand);
  }
};

}  // namespace

Dialogs& SystemDialogs() {
  static Win32Dialogs dialogs;
  return dialogs;
}

}  // namespace orv::ui
