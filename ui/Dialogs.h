#pragma once
// Every modal question and every hand-over to the shell goes through this seam, so tests can
// answer in the user's place.
#include <windows.h>

#include <string>

namespace orv::ui {

// A standard file dialog: the system's title, no initial folder, no default extension.
struct FileDialog {
  bool save;
  const char* filter;  // pairs of NUL-terminated texts, ended by an empty one
  DWORD options;       // OFN_* flags
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal message box; returns the button that closed it (IDOK, IDYES, IDNO, IDCANCEL). In a
  // Yes/No box Esc answers No.
  virtual int Message(HWND owner, const std::string& text, const std::string& title, UINT type) = 0;
  // True with the chosen path, false when the user cancelled.
  virtual bool ChooseFile(HWND owner, const FileDialog& dialog, std::string& path) = 0;
  // Opens a file or address with the user's default handler.
  virtual void ShellOpen(HWND owner, const std::string& file, const std::string& folder,
                         int showCommand) = 0;
};

// The real dialogs of the system.
Dialogs& SystemDialogs();

}  // namespace orv::ui
