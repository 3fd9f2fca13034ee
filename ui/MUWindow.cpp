// The window's life, its one message dispatcher and its keyboard handling.
#include <windows.h>
// These build on windows.h.
#include <commctrl.h>
#include <windowsx.h>

#include <stdexcept>

#include "Application.h"
#include "MU.h"
#include "PageCheck.h"

namespace orv::ui {

namespace {

constexpr char kClassName[] = "TMF";
constexpr char kFilter[] = "Java Script (*.js)\0*.js\0";

void RegisterWindowClass(WNDPROC procedure) {
  WNDCLASSEXA wc{};
  if (GetClassInfoExA(GetModuleHandleA(nullptr), kClassName, &wc)) return;
  // The class outlives every window of it, and so does its brush.
  static const HBRUSH background = CreateSolidBrush(kWindowColour);
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = LoadIconA(wc.hInstance, "MAINICON");
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = kClassName;
  if (!RegisterClassExA(&wc)) throw std::runtime_error("Cannot register the window class");
}

bool IsPushButton(HWND control) {
  char name[16] = {};
  GetClassNameA(control, name, sizeof name);
  if (lstrcmpiA(name, "Button") != 0) return false;
  const LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

bool IsDroppedDown(HWND control) {
  char name[16] = {};
  GetClassNameA(control, name, sizeof name);
  return lstrcmpiA(name, "ComboBox") == 0 && SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0);
}

// The system's pixels per inch: the primary display's, where the window starts. The function
// that says it is looked up, as systems before Windows 10 lack it.
int SystemDpi() {
  using GetDpiForSystemFunction = UINT(WINAPI*)();
  if (HMODULE user = GetModuleHandleA("user32.dll"))
    if (const FARPROC get = GetProcAddress(user, "GetDpiForSystem"))
      return static_cast<int>(
          reinterpret_cast<GetDpiForSystemFunction>(reinterpret_cast<void*>(get))());
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

HFONT MakeFont(int dpi) {
  return CreateFontA(-MulDiv(11, dpi, 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
}

std::string WindowText(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(
      static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

TMF::TMF(HWND owner, Dialogs& dialogs, std::string programFolder)
    : SD{true, kFilter, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_ENABLESIZING | OFN_EXPLORER},
      OD{false, kFilter,
         OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING |
             OFN_EXPLORER},
      dpi_(SystemDpi()),
      dialogs_(dialogs),
      programFolder_(std::move(programFolder)),
      font_(MakeFont(dpi_)),
      brush_(CreateSolidBrush(kWindowColour)) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  RegisterWindowClass(&TMF::WindowProc);
  canvas_.SetBaseFont(font_.get());
  canvas_.SetScale(dpi_);
  // Centred on the screen; borderless, so the window is as large as its client area. The
  // controls and FormCreate come with WM_CREATE; a failure there destroys the window again.
  const int left = (GetSystemMetrics(SM_CXSCREEN) - S(kClientWidth)) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - S(kClientHeight)) / 2;
  if (!CreateWindowExA(0, kClassName, CaptionFor(doc_.fileName).c_str(), WS_POPUP | WS_CLIPSIBLINGS,
                       left, top, S(kClientWidth), S(kClientHeight), owner, nullptr,
                       GetModuleHandleA(nullptr), this))
    throw std::runtime_error(createFailure_.empty() ? "Cannot create the main window"
                                                    : createFailure_);
}

TMF::~TMF() {
  if (IsWindow(handle_)) DestroyWindow(handle_);
}

LRESULT CALLBACK TMF::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TMF*>(reinterpret_cast<CREATESTRUCTA*>(l)->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TMF*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, w, l);
  if (message == WM_CREATE) return self->OnCreate() ? 0 : -1;
  // The one place where a failure of any handler ends: no exception crosses into the system.
  try {
    return self->HandleMessage(message, w, l);
  } catch (const std::exception& failure) {
    ShowException(self->dialogs_, window, failure.what());
  } catch (...) {
    ShowException(self->dialogs_, window, "Unexpected failure");
  }
  return 0;
}

bool TMF::OnCreate() {
  try {
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    CreateControls();
    FormCreate(handle_);
    return true;
  } catch (const std::exception& failure) {
    createFailure_ = failure.what();
    return false;
  }
}

LRESULT TMF::HandleMessage(UINT message, WPARAM w, LPARAM l) {
  if (OnMouse(message, w, l)) return 0;
  switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l)); return 0;
    case WM_CTLCOLORSTATIC:
      return OnControlColour(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l));
    case WM_CTLCOLOREDIT:
      return OnEditColour(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l), w, l);
    case WM_PAINT: FormPaint(handle_); return 0;
    case WM_DPICHANGED: Rescale(HIWORD(w), *reinterpret_cast<const RECT*>(l)); return 0;
    case WM_PRINTCLIENT: PaintFrame(reinterpret_cast<HDC>(w)); return 0;
    case WM_ACTIVATE:
      if (LOWORD(w) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(handle_, focus)) savedFocus_ = focus;
        return 0;
      }
      [[fallthrough]];
    case WM_SETFOCUS:
      // Back to the control that had the focus, or the first one in tab order.
      if (!savedFocus_ || !IsWindow(savedFocus_) || !IsWindowVisible(savedFocus_))
        FocusNext(nullptr, true);
      else
        SetFocus(savedFocus_);
      return 0;
    case WM_CLOSE:
      if (FormClose(handle_)) DestroyWindow(handle_);
      return 0;
    // Logging off or shutting down asks what closing asks; a save that fails refuses too, as
    // the dispatcher answers 0 for it.
    case WM_QUERYENDSESSION: return FormClose(handle_);
    case WM_ENDSESSION:
      // Called off, the session goes on and so does the document.
      if (w) DestroyWindow(handle_);
      return 0;
    case WM_NCDESTROY: {
      HWND window = handle_;
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      handle_ = nullptr;
      if (quitOnDestroy_) PostQuitMessage(0);
      return DefWindowProcA(window, message, w, l);
    }
  }
  return DefWindowProcA(handle_, message, w, l);
}

void TMF::OnCommand(int id, int code, HWND sender) {
  if (!sender || id < IdPL || id >= IdEnd || Window(static_cast<ControlId>(id)) != sender) return;
  const ControlDef* row = nullptr;
  for (auto table : {WindowLayout(), EditorLayout()})
    for (const ControlDef& def : table)
      if (def.id == id) row = &def;
  if (!row || !row->handler) return;
  bool raised = false;
  switch (row->kind) {
    case ControlKind::Button:
    case ControlKind::DefaultButton:
    case ControlKind::CancelButton: raised = code == BN_CLICKED; break;
    case ControlKind::ListBox: raised = code == LBN_SELCHANGE; break;
    case ControlKind::Edit: raised = code == EN_CHANGE && programChange_ == 0; break;
    case ControlKind::PickList: raised = code == CBN_SELCHANGE; break;
    default: break;
  }
  if (raised) (this->*row->handler)(sender);
}

LRESULT TMF::OnControlColour(HDC dc, HWND control) {
  // Labels are transparent: what lies behind them shows through. The fields' labels have no
  // id of their own.
  const int id = GetDlgCtrlID(control);
  if (id == 0 || id == IdL2 || id == IdL4) {
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
  SetBkColor(dc, kWindowColour);
  return reinterpret_cast<LRESULT>(brush_.get());
}

bool TMF::OnMouse(UINT message, WPARAM w, LPARAM l) {
  const int x = GET_X_LPARAM(l), y = GET_Y_LPARAM(l);
  const UINT keys = static_cast<UINT>(w);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // A left press keeps the mouse until its release, wherever the pointer goes; only a
      // single press can end in a click, the second press of a double click cannot.
      SetCapture(handle_);
      clicked_ = message == WM_LBUTTONDOWN;
      FormMouseDown(handle_, MouseButton::Left, keys, x, y);
      return true;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: FormMouseDown(handle_, MouseButton::Right, keys, x, y); return true;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: FormMouseDown(handle_, MouseButton::Middle, keys, x, y); return true;
    case WM_MOUSEMOVE: FormMouseMove(handle_, keys, x, y); return true;
    case WM_LBUTTONUP: {
      const bool click = clicked_;
      clicked_ = false;
      if (GetCapture() == handle_) ReleaseCapture();
      FormMouseUp(handle_, MouseButton::Left, keys, x, y);
      RECT client{};
      GetClientRect(handle_, &client);
      if (click && PtInRect(&client, POINT{x, y})) FormClick(handle_);
      return true;
    }
    case WM_RBUTTONUP: FormMouseUp(handle_, MouseButton::Right, keys, x, y); return true;
    case WM_MBUTTONUP: FormMouseUp(handle_, MouseButton::Middle, keys, x, y); return true;
    case WM_CAPTURECHANGED:
      // Another window took the mouse (a dialog, say): the press can no longer end in a click.
      if (reinterpret_cast<HWND>(l) != handle_) clicked_ = false;
      return false;
    default: return false;
  }
}

void TMF::ThChange(HWND sender) {
  // The document holds what the fields show: the user's change is copied into it.
  if (sender == Th) {
    const LRESULT selected = SendMessageA(Th, CB_GETCURSEL, 0, 0);
    doc_.themeIndex = selected == CB_ERR ? -1 : static_cast<int>(selected);
  } else if (const int setting = SettingOf(sender); setting >= 0) {
    doc_.settings[setting] = WindowText(sender);
    ShowHint(setting);
  }
  doc_.modified = true;
}

void TMF::ShowHint(int setting) {
  std::string hint = PageBreakHint(setting, doc_.settings[setting]);
  if (hint == hints_[setting]) return;
  hints_[setting] = std::move(hint);
  HWND field = fields_[setting];
  InvalidateRect(field, nullptr, TRUE);
  if (!hintTip_ && hints_[setting].empty()) return;
  if (!hintTip_) {
    hintTip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle_, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    if (!hintTip_) return;  // the colour still shows it
    SendMessageA(hintTip_, TTM_SETMAXTIPWIDTH, 0, 320);
  }
  TTTOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = handle_;
  tool.uId = reinterpret_cast<UINT_PTR>(field);
  tool.lpszText = hints_[setting].data();
  SendMessageA(hintTip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  if (!hints_[setting].empty())
    SendMessageA(hintTip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

LRESULT TMF::OnEditColour(HDC dc, HWND control, WPARAM w, LPARAM l) {
  const LRESULT brush = DefWindowProcA(handle_, WM_CTLCOLOREDIT, w, l);
  if (const int setting = SettingOf(control); setting >= 0 && !hints_[setting].empty())
    SetTextColor(dc, kWarningColour);
  return brush;
}

bool TMF::EditorShown() const { return GetWindowLongA(AP, GWL_STYLE) & WS_VISIBLE; }

bool TMF::IsEditorControl(HWND control) const { return control == AP || IsChild(AP, control); }

void TMF::SetText(HWND control, const std::string& text) {
  ++programChange_;
  SetWindowTextA(control, text.c_str());
  --programChange_;
}

void TMF::Press(HWND button) {
  SendMessageA(handle_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

void TMF::FocusNext(HWND from, bool forward) {
  const int count = static_cast<int>(tabOrder_.size());
  int at = -1;
  for (int i = 0; i < count; ++i)
    if (tabOrder_[i] == from || (from && IsChild(tabOrder_[i], from))) at = i;
  if (at < 0) at = forward ? -1 : count;
  for (int step = 1; step <= count; ++step) {
    HWND next = tabOrder_[((at + (forward ? step : -step)) % count + count) % count];
    // Hidden controls (a closed editor's) and disabled ones are skipped.
    if (IsWindowVisible(next) && IsWindowEnabled(next)) {
      SetFocus(next);
      return;
    }
  }
}

bool TMF::PreTranslateMessage(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || !msg.hwnd) return false;
  if (msg.hwnd != handle_ && !IsChild(handle_, msg.hwnd)) return false;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool alt = GetKeyState(VK_MENU) < 0;
  HWND focus = msg.hwnd;
  switch (msg.wParam) {
    case VK_TAB:
      if (ctrl || alt) return false;
      FocusNext(focus, !shift);
      return true;
    case VK_RETURN:
      if (shift || ctrl || alt || focus == PD || IsDroppedDown(focus)) return false;
      // A focused button takes Enter itself; elsewhere Enter is the editor's OK.
      if (IsPushButton(focus))
        Press(focus);
      else if (EditorShown())
        Press(OK);
      return true;
    case VK_ESCAPE:
      if (shift || ctrl || alt || focus == PD || IsDroppedDown(focus)) return false;
      if (EditorShown()) Press(Cancel);
      return true;
    default: return false;
  }
}

}  // namespace orv::ui
