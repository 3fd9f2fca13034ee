#include "Dialogs.h"

#include <windows.h>
// These build on windows.h.
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <stdexcept>
#include <string>

namespace orv::ui {

namespace {

// The file dialogs and the shell are loaded when first used: linked to the program, they
// would be loaded at every start for what only Open, Save as, Preview and the home-page button
// need. Once loaded, a library stays for the life of the process.
template <class Function>
Function* Procedure(const char* library, const char* name) {
  HMODULE module = GetModuleHandleA(library);
  if (!module) module = LoadLibraryA(library);
  const FARPROC procedure = module ? GetProcAddress(module, name) : nullptr;
  if (!procedure) throw std::runtime_error(std::string("Cannot load ") + name + " from " + library);
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(procedure));
}

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
    const auto choose = Procedure<decltype(GetOpenFileNameA)>(
        "comdlg32.dll", dialog.save ? "GetSaveFileNameA" : "GetOpenFileNameA");
    const BOOL chosen = choose(&ofn);
    if (!chosen) return false;
    path = file;
    return true;
  }

  void ShellOpen(HWND owner, const std::string& file, const std::string& folder,
                 int showCommand) override {
    const auto execute = Procedure<decltype(ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    execute(owner, "Open", file.c_str(), "", folder.c_str(), showCommand);
  }
};

}  // namespace

Dialogs& SystemDialogs() {
  static Win32Dialogs dialogs;
  return dialogs;
}

}  // namespace orv::ui
