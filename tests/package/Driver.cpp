// Drives an installed Orvella.exe from outside, as a user would: starts it, reads the theme
// list, adds panels, picks a theme, saves through the real save dialog, captures the window and
// closes it. Controls are found by kind and place from the window's own layout tables.
//
//   package_driver <Orvella.exe> <working folder> <theme> <bmp> <script.js>...
//
// Prints "theme <name>" per theme list item, "selected <index>" and "panel <title>" per panel it
// adds; exits non-zero on failure.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "MU.h"

namespace {

using orv::ui::ControlDef;
using orv::ui::ControlKind;

constexpr DWORD kDeadlineMs = 30000;
constexpr DWORD kPollMs = 20;

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Handle {
  HANDLE value = nullptr;
  explicit Handle(HANDLE h) : value(h) {}
  ~Handle() {
    if (value) CloseHandle(value);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
};

struct ScreenDC {
  HDC dc = GetDC(nullptr);
  ~ScreenDC() { ReleaseDC(nullptr, dc); }
};
struct MemoryDC {
  HDC dc;
  explicit MemoryDC(HDC like) : dc(CreateCompatibleDC(like)) {}
  ~MemoryDC() { DeleteDC(dc); }
};
struct Bitmap {
  HBITMAP bitmap;
  Bitmap(HDC like, int width, int height) : bitmap(CreateCompatibleBitmap(like, width, height)) {}
  ~Bitmap() { DeleteObject(bitmap); }
};
struct Selected {
  HDC dc;
  HGDIOBJ old;
  Selected(HDC d, HGDIOBJ object) : dc(d), old(SelectObject(d, object)) {}
  ~Selected() { SelectObject(dc, old); }
};

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  DWORD_PTR unused = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, &unused);
  return text;
}

class Designer {
 public:
  Designer(const std::string& exe, const std::string& workFolder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workFolder.c_str(), &startup, &info_))
      throw Failure("cannot start " + exe);
    process_.value = info_.hProcess;
    CloseHandle(info_.hThread);
    WaitForInputIdle(info_.hProcess, kDeadlineMs);
    window_ = WaitFor("the main window", [&] { return TopWindow("TMF"); });
  }

  HWND Window() const { return window_; }

  // A control of the window or of the panel editor, by its row in the layout tables.
  HWND Control(std::string_view name) const {
    for (const ControlDef& def : orv::ui::WindowLayout())
      if (def.name == name) return FindChild(window_, def);
    for (const ControlDef& def : orv::ui::EditorLayout())
      if (def.name == name) return FindChild(Control("AP"), def);
    throw Failure("no control " + std::string(name) + " in the layout");
  }

  // A message that the designer handles to completion before it answers.
  LRESULT Send(HWND to, UINT message, WPARAM w = 0, LPARAM l = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(to, message, w, l, SMTO_ABORTIFHUNG, kDeadlineMs, &result)) {
      CheckNoMessageBox();
      throw Failure("the designer does not answer");
    }
    return static_cast<LRESULT>(result);
  }

  void Click(std::string_view button) { Send(Control(button), BM_CLICK); }
  void Type(std::string_view field, const std::string& text) {
    Send(Control(field), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }

  // Read as wide text: Wine hands an ANSI CB_GETLBTEXT from another process back unconverted.
  std::vector<std::string> Themes() {
    HWND list = Control("Th");
    std::vector<std::string> themes;
    const LRESULT count = Send(list, CB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
      std::wstring text(static_cast<size_t>(Send(list, CB_GETLBTEXTLEN, i)) + 1, L'\0');
      DWORD_PTR unused = 0;
      if (!SendMessageTimeoutW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()),
                               SMTO_ABORTIFHUNG, kDeadlineMs, &unused))
        throw Failure("the theme list does not answer");
      char name[MAX_PATH] = {};
      WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, name, sizeof name, nullptr, nullptr);
      themes.push_back(name);
    }
    return themes;
  }
  int SelectedTheme() { return static_cast<int>(Send(Control("Th"), CB_GETCURSEL)); }

  // Picks a theme as the user's choice in the drop-down list reports it.
  void PickTheme(const std::string& name) {
    HWND list = Control("Th");
    const LRESULT index = Send(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(name.c_str()));
    if (index == CB_ERR) throw Failure("no theme " + name + " in the list");
    Send(list, CB_SETCURSEL, index);
    Send(window_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
         reinterpret_cast<LPARAM>(list));
  }

  // Save as through the system's save dialog, to a file that does not exist yet.
  void SaveAs(const std::string& path) {
    PostMessageA(Control("saveas"), BM_CLICK, 0, 0);
    HWND dialog = WaitFor("the save dialog", [&] { return FileDialog(); });
    // The file-name field: an edit (edt1) or the combo box holding one (cmb13).
    HWND name = GetDlgItem(dialog, 0x480);
    if (!name) name = GetDlgItem(dialog, 0x47C);
    Send(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    const std::string caption = "Orvella - " + path.substr(path.find_last_of('\\') + 1);
    WaitFor("the caption " + caption,
            [&] { return IsWindow(dialog) || TextOf(window_) != caption ? nullptr : window_; });
    // The caption changes just before the write: this returns once the save has finished.
    Send(window_, WM_NULL);
    CheckNoMessageBox();
  }

  // The window as the display shows it, once two captures in a row agree.
  void Capture(const std::string& bmpPath) {
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Send(window_, WM_NULL);
    RECT area;
    GetWindowRect(window_, &area);
    const int width = area.right - area.left, height = area.bottom - area.top;
    std::vector<char> last, pixels;
    const DWORD start = GetTickCount();
    do {
      last.swap(pixels);
      pixels = Grab(area.left, area.top, width, height);
      if (pixels == last &&
          pixels.end() != std::find_if(pixels.begin(), pixels.end(), [](char c) { return c != 0; }))
        return WriteBmp(bmpPath, width, height, pixels);
    } while (WaitForSingleObject(process_.value, kPollMs) == WAIT_TIMEOUT &&
             GetTickCount() - start < kDeadlineMs);
    throw Failure("the window does not settle on the display");
  }

  // Closes the window; nothing may be left to save.
  void Close() {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(process_.value, kPollMs) == WAIT_TIMEOUT) {
      CheckNoMessageBox();
      if (GetTickCount() - start > kDeadlineMs) throw Failure("the designer does not close");
    }
    DWORD code = 1;
    GetExitCodeProcess(process_.value, &code);
    if (code != 0) throw Failure("the designer exited with " + std::to_string(code));
  }

  ~Designer() {
    if (WaitForSingleObject(process_.value, 0) == WAIT_TIMEOUT) TerminateProcess(process_.value, 1);
  }

 private:
  // Polls until found returns a window, up to the deadline; fails early if the designer ends
  // or shows a message box instead.
  template <class F>
  HWND WaitFor(const std::string& what, F found) {
    const DWORD start = GetTickCount();
    for (;;) {
      if (HWND window = found()) return window;
      CheckNoMessageBox();
      if (WaitForSingleObject(process_.value, kPollMs) != WAIT_TIMEOUT)
        throw Failure("the designer ended while waiting for " + what);
      if (GetTickCount() - start > kDeadlineMs) throw Failure("no " + what);
    }
  }

  struct Search {
    DWORD process;
    std::string className;
    bool fileDialog;
    HWND found = nullptr;
  };
  static BOOL CALLBACK Match(HWND window, LPARAM into) {
    Search& search = *reinterpret_cast<Search*>(into);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search.process || !IsWindowVisible(window) ||
        ClassOf(window) != search.className)
      return TRUE;
    const bool fileDialog = GetDlgItem(window, 0x480) || GetDlgItem(window, 0x47C);
    if (search.className == "#32770" && fileDialog != search.fileDialog) return TRUE;
    search.found = window;
    return FALSE;
  }
  HWND Find(const char* className, bool fileDialog) const {
    Search search{info_.dwProcessId, className, fileDialog};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  HWND TopWindow(const char* className) const { return Find(className, false); }
  HWND FileDialog() const { return Find("#32770", true); }

  static BOOL CALLBACK CollectText(HWND child, LPARAM into) {
    if (ClassOf(child) == "Static") *reinterpret_cast<std::string*>(into) += TextOf(child);
    return TRUE;
  }
  // A question or error box means the designer took another road than the one expected.
  void CheckNoMessageBox() const {
    HWND box = Find("#32770", false);
    if (!box) return;
    std::string text;
    EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&text));
    throw Failure("the designer shows \"" + TextOf(box) + "\": " + text);
  }

  static const char* ClassFor(ControlKind kind) {
    switch (kind) {
      case ControlKind::ListBox: return "ListBox";
      case ControlKind::Edit:
      case ControlKind::Memo: return "Edit";
      case ControlKind::PickList: return "ComboBox";
      case ControlKind::Label: return "Static";
      default: return "Button";
    }
  }
  static HWND FindChild(HWND parent, const ControlDef& def) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT place;
      GetWindowRect(child, &place);
      MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&place), 2);
      if (place.left == def.left && place.top == def.top &&
          lstrcmpiA(ClassOf(child).c_str(), ClassFor(def.kind)) == 0)
        return child;
    }
    throw Failure(std::string("no control ") + def.name + " in the designer's window");
  }

  static std::vector<char> Grab(int left, int top, int width, int height) {
    ScreenDC screen;
    MemoryDC memory(screen.dc);
    Bitmap bitmap(screen.dc, width, height);
    std::vector<char> pixels(static_cast<size_t>(((width * 3 + 3) & ~3) * height));
    {
      Selected into(memory.dc, bitmap.bitmap);
      BitBlt(memory.dc, 0, 0, width, height, screen.dc, left, top, SRCCOPY);
    }
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    GetDIBits(memory.dc, bitmap.bitmap, 0, height, pixels.data(), &format, DIB_RGB_COLORS);
    return pixels;
  }
  static void WriteBmp(const std::string& path, int width, int height,
                       const std::vector<char>& pixels) {
    BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    Handle out(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (out.value == INVALID_HANDLE_VALUE) {
      out.value = nullptr;
      throw Failure("cannot write " + path);
    }
    DWORD written = 0;
    WriteFile(out.value, &file, sizeof file, &written, nullptr);
    WriteFile(out.value, &info, sizeof info, &written, nullptr);
    WriteFile(out.value, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
  }

  PROCESS_INFORMATION info_{};
  Handle process_{nullptr};
  HWND window_ = nullptr;
};

struct PanelInput {
  const char* title;
  const char* height;
  bool expanded;
  const char* data;
};

// A small design for the screenshots, typed in through the panel editor.
const PanelInput kPanels[] = {
    {"Opening hours", "96", true,
     "Tuesday to Friday 7:00 - 17:00<br>\r\nSaturday 8:00 - 16:00<br>\r\nSunday 8:00 - 13:00"},
    {"Our bread", "80", false, "Sourdough, rye and seeded spelt,<br>\r\nbaked every morning."},
    {"Contact", "60", true, "12 Harbour Lane<br>\r\n<a href=\"#\">hello@example.com</a>"},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 6) {
    std::fprintf(stderr, "usage: %s Orvella.exe folder theme shot.bmp script.js...\n", argv[0]);
    return 2;
  }
  try {
    Designer designer(argv[1], argv[2]);
    for (const std::string& theme : designer.Themes()) std::printf("theme %s\n", theme.c_str());
    std::printf("selected %d\n", designer.SelectedTheme());
    for (const PanelInput& panel : kPanels) {
      std::printf("panel %s\n", panel.title);
      designer.Click("Add");
      designer.Type("PT", panel.title);
      designer.Type("PH", panel.height);
      designer.Type("PI", "ico.gif");
      designer.Send(designer.Control("PE"), BM_SETCHECK, panel.expanded ? BST_CHECKED : 0);
      designer.Type("PD", panel.data);
      designer.Click("OK");
    }
    designer.PickTheme(argv[3]);
    for (int i = 5; i < argc; ++i) designer.SaveAs(argv[i]);
    designer.Capture(argv[4]);
    designer.Close();
  } catch (const std::exception& failure) {
    std::fflush(stdout);
    std::fprintf(stderr, "package_driver: %s\n", failure.what());
    return 1;
  }
  return 0;
}
