#include "Dialogs.h"

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

namespace orv::ui {

namespace {

class Win32Dialogs final : public Dialogs {
 public:
  int Message(HWND owner, const std::string& text, const std::string& title, UINT type) override {
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
