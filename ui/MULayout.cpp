// The window's layout tables and the creation of its controls.
#include <windows.h>
// This builds on windows.h.
#include <commctrl.h>

#include <stdexcept>

#include "MU.h"
#include "Settings.h"
#include "Themes.h"

namespace orv::ui {

namespace {

using K = ControlKind;

// In tab order, which is not the visual order.
const ControlDef kWindowLayout[] = {
    {"PL", K::ListBox, nullptr, 16, 56, 313, 185, true, &TMF::PLClick},
    {"Add", K::Button, "Add", 336, 56, 75, 25, true, &TMF::AddClick},
    {"Edit", K::Button, "Edit", 336, 88, 75, 25, true, &TMF::EditClick},
    {"Remove", K::Button, "Remove", 336, 120, 75, 25, true, &TMF::RemoveClick},
    {"Clear", K::Button, "Clear", 336, 152, 75, 25, true, &TMF::ClearClick},
    {"MoveUp", K::Button, "Move Up", 336, 184, 75, 25, true, &TMF::MoveUpClick},
    {"MoveDown", K::Button, "Move Down", 336, 216, 75, 25, true, &TMF::MoveDownClick},
    {"PHL", K::ListBox, nullptr, 32, 72, 41, 33, false, nullptr},
    {"PIL", K::ListBox, nullptr, 40, 80, 41, 33, false, nullptr},
    {"PEL", K::ListBox, nullptr, 48, 88, 41, 33, false, nullptr},
    {"PDL", K::ListBox, nullptr, 56, 96, 41, 33, false, nullptr},
    {"TP", K::Edit, nullptr, 296, 424, 105, 21, true, &TMF::ThChange},
    {"AL", K::Edit, nullptr, 16, 280, 57, 21, true, &TMF::ThChange},
    {"AT", K::Edit, nullptr, 16, 328, 57, 21, true, &TMF::ThChange},
    {"AW", K::Edit, nullptr, 16, 376, 57, 21, true, &TMF::ThChange},
    {"AH", K::Edit, nullptr, 16, 424, 57, 21, true, &TMF::ThChange},
    {"ZI", K::Edit, nullptr, 176, 424, 97, 21, true, &TMF::ThChange},
    {"LS", K::Edit, nullptr, 176, 280, 97, 21, true, &TMF::ThChange},
    {"RS", K::Edit, nullptr, 176, 328, 97, 21, true, &TMF::ThChange},
    {"TS", K::Edit, nullptr, 176, 376, 97, 21, true, &TMF::ThChange},
    {"IL", K::Edit, nullptr, 96, 280, 57, 21, true, &TMF::ThChange},
    {"IT", K::Edit, nullptr, 96, 328, 57, 21, true, &TMF::ThChange},
    {"TL", K::Edit, nullptr, 96, 376, 57, 21, true, &TMF::ThChange},
    {"TT", K::Edit, nullptr, 96, 424, 57, 21, true, &TMF::ThChange},
    {"TFS", K::Edit, nullptr, 424, 280, 161, 21, true, &TMF::ThChange},
    {"TFE", K::Edit, nullptr, 424, 328, 161, 21, true, &TMF::ThChange},
    {"PTL", K::Edit, nullptr, 296, 280, 105, 21, true, &TMF::ThChange},
    {"PTT", K::Edit, nullptr, 296, 328, 105, 21, true, &TMF::ThChange},
    {"PFS", K::Edit, nullptr, 424, 376, 161, 21, true, &TMF::ThChange},
    {"PFE", K::Edit, nullptr, 424, 424, 161, 21, true, &TMF::ThChange},
    {"MS", K::Edit, nullptr, 296, 376, 105, 21, true, &TMF::ThChange},
    {"Save", K::Button, "Save", 424, 120, 161, 25, true, &TMF::SaveClick},
    {"Th", K::PickList, nullptr, 464, 224, 121, 21, true, &TMF::ThChange},
    {"Open", K::Button, "Open", 424, 88, 161, 25, true, &TMF::OpenClick},
    {"AP", K::GroupBox, "Add Panel", 8, 40, 409, 217, false, nullptr},
    {"New", K::Button, "New", 424, 56, 161, 25, true, &TMF::NewClick},
    {"saveas", K::Button, "Save as", 424, 152, 161, 25, true, &TMF::saveasClick},
    {"Preview", K::Button, "Preview", 424, 184, 161, 25, true, &TMF::PreviewClick},
    {"L4", K::Label, "Theme", 424, 228, 33, 13, true, nullptr},
};

// Inside AP, relative to it. Icons comes before Height in tab order, though it stands below.
const ControlDef kEditorLayout[] = {
    {"PT", K::Edit, "Title", 8, 48, 169, 21, true, nullptr},
    {"PI", K::Edit, "Icons", 8, 144, 169, 21, true, nullptr},
    {"PH", K::Edit, "Height", 8, 96, 169, 21, true, nullptr},
    {"PE", K::CheckBox, "Expanded", 8, 184, 169, 17, true, nullptr},
    {"PD", K::Memo, nullptr, 216, 48, 169, 121, true, nullptr},
    {"OK", K::DefaultButton, "OK", 232, 176, 75, 25, true, &TMF::OKClick},
    {"Cancel", K::CancelButton, "Cancel", 312, 176, 75, 25, true, &TMF::CancelClick},
    {"L2", K::Label, "Data", 216, 32, 23, 13, true, nullptr},
};

constexpr int kDropDownItems = 8;

}  // namespace

WindowStyle StyleOf(ControlKind kind) {
  switch (kind) {
    case K::ListBox:
      return {"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
              WS_EX_CLIENTEDGE};
    case K::Button:
    case K::CancelButton: return {"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
    case K::DefaultButton: return {"BUTTON", WS_TABSTOP | BS_DEFPUSHBUTTON, 0};
    case K::Edit: return {"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case K::Memo:
      return {"EDIT",
              WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_AUTOHSCROLL |
                  ES_AUTOVSCROLL | ES_WANTRETURN,
              WS_EX_CLIENTEDGE};
    case K::CheckBox: return {"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case K::PickList: return {"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case K::GroupBox: return {"BUTTON", BS_GROUPBOX, WS_EX_CONTROLPARENT};
    case K::Label: return {"STATIC", SS_LEFT, 0};
  }
  throw std::logic_error("control kind");
}

const char* LabelOf(const ControlDef& def) {
  if (def.kind != K::Edit) return nullptr;
  const int setting = def.caption ? -1 : SettingIndex(def.name);
  return setting >= 0 ? kSettings[setting].label.data() : def.caption;
}

const char* InitialText(const ControlDef& def) {
  if (def.kind == K::Edit && !def.caption) {
    const int setting = SettingIndex(def.name);
    return setting >= 0 ? kSettings[setting].defaultText.data() : "";
  }
  if (def.kind == K::Edit || def.kind == K::Memo || !def.caption) return "";
  return def.caption;
}

namespace {

// Edits select their whole text when focused, except by a click into them.
LRESULT CALLBACK SelectAllOnFocus(HWND edit, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                  DWORD_PTR mouseDown) {
  bool& pressed = *reinterpret_cast<bool*>(mouseDown);
  switch (message) {
    case WM_LBUTTONDOWN: {
      pressed = true;
      const LRESULT result = DefSubclassProc(edit, message, w, l);
      pressed = false;
      return result;
    }
    case WM_SETFOCUS: {
      const LRESULT result = DefSubclassProc(edit, message, w, l);
      if (!pressed) SendMessageA(edit, EM_SETSEL, 0, -1);
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, SelectAllOnFocus, 0);
      delete &pressed;
      break;
  }
  return DefSubclassProc(edit, message, w, l);
}

// The editor group takes the mouse over what it covers and passes its controls'
// notifications on to the window.
LRESULT CALLBACK EditorGroupProc(HWND group, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                 DWORD_PTR brush) {
  switch (message) {
    case WM_NCHITTEST: return HTCLIENT;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: return 0;  // a press on the group itself does nothing, nor takes the focus
    case WM_ERASEBKGND: {
      RECT area;
      GetClientRect(group, &area);
      FillRect(reinterpret_cast<HDC>(w), &area, reinterpret_cast<HBRUSH>(brush));
      return 1;
    }
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN: return SendMessageA(GetParent(group), message, w, l);
    case WM_NCDESTROY: RemoveWindowSubclass(group, EditorGroupProc, 0); break;
  }
  return DefSubclassProc(group, message, w, l);
}

// Captions measured in the controls' font on one memory DC: a DC of each label's own would cost
// a round trip to the window system per label.
class TextMeasure {
 public:
  explicit TextMeasure(HFONT font)
      : dc_(CreateCompatibleDC(nullptr)), old_(SelectObject(dc_, font)) {}
  ~TextMeasure() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  TextMeasure(const TextMeasure&) = delete;
  TextMeasure& operator=(const TextMeasure&) = delete;
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace

std::span<const ControlDef> WindowLayout() { return kWindowLayout; }
std::span<const ControlDef> EditorLayout() { return kEditorLayout; }

HWND TMF::CreateControl(const ControlDef& def, HWND parent, int id, HDC measure) {
  const WindowStyle style = StyleOf(def.kind);
  const int setting = def.kind == K::Edit && !def.caption ? SettingIndex(def.name) : -1;
  const bool labelled = def.kind == K::Edit;
  const char* text = def.kind == K::Edit || def.kind == K::Memo ? ""
                     : def.caption                              ? def.caption
                                                                : "";
  // A pick list's window height includes its dropped-down list.
  const int height =
      def.kind == K::PickList ? def.height + kDropDownItems * kItemHeight + 2 : def.height;
  HWND control = CreateWindowExA(
      style.exStyle, style.className, text,
      WS_CHILD | WS_CLIPSIBLINGS | style.style | (def.visible ? WS_VISIBLE : 0), def.left, def.top,
      def.width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      GetModuleHandleA(nullptr), nullptr);
  if (!control) throw std::runtime_error(std::string("Cannot create control ") + def.name);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

  HWND label = nullptr;
  if (labelled) {
    const char* caption = setting >= 0 ? kSettings[setting].label.data() : def.caption;
    // Labels are as wide as their text.
    SIZE extent{};
    GetTextExtentPoint32A(measure, caption, lstrlenA(caption), &extent);
    label = CreateWindowExA(0, "STATIC", caption, WS_CHILD | WS_VISIBLE | SS_LEFT, def.left,
                            def.top - kLabelGap, extent.cx, kItemHeight, parent, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }

  switch (def.kind) {
    case K::Edit:
    case K::Memo:
      // No length limit but memory: a long title or data text is never cut short.
      SendMessageA(control, EM_SETLIMITTEXT, 0, 0);
      if (setting >= 0) SetWindowTextA(control, kSettings[setting].defaultText.data());
      if (def.kind == K::Edit)
        SetWindowSubclass(control, SelectAllOnFocus, 0, reinterpret_cast<DWORD_PTR>(new bool()));
      break;
    case K::ListBox: SendMessageA(control, LB_SETITEMHEIGHT, 0, kItemHeight); break;
    case K::PickList: {
      SendMessageA(control, CB_SETITEMHEIGHT, 0, kItemHeight);
      // The closed field must be exactly as high as the table says.
      RECT closed;
      GetWindowRect(control, &closed);
      const LRESULT field = SendMessageA(control, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
      const int wrong = static_cast<int>(closed.bottom - closed.top) - def.height;
      if (wrong != 0 && field != CB_ERR)
        SendMessageA(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field - wrong);
      break;
    }
    case K::GroupBox:
      SetWindowSubclass(control, EditorGroupProc, 0, reinterpret_cast<DWORD_PTR>(brush_));
      break;
    default: break;
  }
  controls_.push_back({&def, control, label, setting});
  return control;
}

void TMF::CreateControls() {
  int id = kFirstControlId;
  const TextMeasure measure(font_);
  for (const ControlDef& def : kWindowLayout) CreateControl(def, handle_, id++, measure.dc());
  AP = Control("AP");
  for (const ControlDef& def : kEditorLayout) CreateControl(def, AP, id++, measure.dc());
  // The editor lies over the title list and the panel buttons while it is shown.
  SetWindowPos(AP, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  // Tab runs through the window's rows, and through the editor's where the group stands.
  for (const Placed& control : controls_) {
    if (control.def->kind == K::Label || GetParent(control.handle) != handle_) continue;
    if (control.handle != AP) {
      tabOrder_.push_back(control.handle);
      continue;
    }
    for (const Placed& inner : controls_)
      if (GetParent(inner.handle) == AP && inner.def->kind != K::Label)
        tabOrder_.push_back(inner.handle);
  }

  PL = TNew1AddRemoveListBox(Control("PL"));
  PHL = TNew1AddRemoveListBox(Control("PHL"));
  PIL = TNew1AddRemoveListBox(Control("PIL"));
  PEL = TNew1AddRemoveListBox(Control("PEL"));
  PDL = TNew1AddRemoveListBox(Control("PDL"));
  PT = Control("PT");
  PI = Control("PI");
  PH = Control("PH");
  PE = Control("PE");
  PD = Control("PD");
  OK = Control("OK");
  Cancel = Control("Cancel");
  Th = Control("Th");
}

HWND TMF::Control(std::string_view name) const {
  constexpr std::string_view kLabel = ".Label";
  const bool label = name.ends_with(kLabel);
  if (label) name.remove_suffix(kLabel.size());
  for (const Placed& control : controls_)
    if (control.def->name == name) return label ? control.label : control.handle;
  return nullptr;
}

void TMF::FormCreate(HWND) {
  // Only the two top corners are rounded: the region reaches below the bottom edge.
  SetWindowRgn(handle_, CreateRoundRectRgn(0, 0, kClientWidth, kClientHeight + 10, 10, 10), TRUE);

  doc_.themes = ListThemeFolders(programFolder_);
  for (const std::string& theme : doc_.themes)
    SendMessageA(Th, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(theme.c_str()));
  doc_.themeIndex = doc_.themes.empty() ? -1 : 0;
  SendMessageA(Th, CB_SETCURSEL, doc_.themeIndex, 0);
}

}  // namespace orv::ui
