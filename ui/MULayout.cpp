// The window's layout tables and the creation of its controls.
#include <windows.h>
// This builds on windows.h.
#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <stdexcept>

#include "MU.h"
#include "Settings.h"
#include "Themes.h"

namespace orv::ui {

namespace {

using K = ControlKind;

// In tab order, which is not the visual order.
const ControlDef kWindowLayout[] = {
    {IdPL, "PL", K::ListBox, nullptr, 16, 56, 313, 185, true, &TMF::PLClick},
    {IdAdd, "Add", K::Button, "Add", 336, 56, 75, 25, true, &TMF::AddClick},
    {IdEdit, "Edit", K::Button, "Edit", 336, 88, 75, 25, true, &TMF::EditClick},
    {IdRemove, "Remove", K::Button, "Remove", 336, 120, 75, 25, true, &TMF::RemoveClick},
    {IdClear, "Clear", K::Button, "Clear", 336, 152, 75, 25, true, &TMF::ClearClick},
    {IdMoveUp, "MoveUp", K::Button, "Move Up", 336, 184, 75, 25, true, &TMF::MoveUpClick},
    {IdMoveDown, "MoveDown", K::Button, "Move Down", 336, 216, 75, 25, true, &TMF::MoveDownClick},
    {IdTP, "TP", K::Edit, nullptr, 296, 424, 105, 21, true, &TMF::ThChange},
    {IdAL, "AL", K::Edit, nullptr, 16, 280, 57, 21, true, &TMF::ThChange},
    {IdAT, "AT", K::Edit, nullptr, 16, 328, 57, 21, true, &TMF::ThChange},
    {IdAW, "AW", K::Edit, nullptr, 16, 376, 57, 21, true, &TMF::ThChange},
    {IdAH, "AH", K::Edit, nullptr, 16, 424, 57, 21, true, &TMF::ThChange},
    {IdZI, "ZI", K::Edit, nullptr, 176, 424, 97, 21, true, &TMF::ThChange},
    {IdLS, "LS", K::Edit, nullptr, 176, 280, 97, 21, true, &TMF::ThChange},
    {IdRS, "RS", K::Edit, nullptr, 176, 328, 97, 21, true, &TMF::ThChange},
    {IdTS, "TS", K::Edit, nullptr, 176, 376, 97, 21, true, &TMF::ThChange},
    {IdIL, "IL", K::Edit, nullptr, 96, 280, 57, 21, true, &TMF::ThChange},
    {IdIT, "IT", K::Edit, nullptr, 96, 328, 57, 21, true, &TMF::ThChange},
    {IdTL, "TL", K::Edit, nullptr, 96, 376, 57, 21, true, &TMF::ThChange},
    {IdTT, "TT", K::Edit, nullptr, 96, 424, 57, 21, true, &TMF::ThChange},
    {IdTFS, "TFS", K::Edit, nullptr, 424, 280, 161, 21, true, &TMF::ThChange},
    {IdTFE, "TFE", K::Edit, nullptr, 424, 328, 161, 21, true, &TMF::ThChange},
    {IdPTL, "PTL", K::Edit, nullptr, 296, 280, 105, 21, true, &TMF::ThChange},
    {IdPTT, "PTT", K::Edit, nullptr, 296, 328, 105, 21, true, &TMF::ThChange},
    {IdPFS, "PFS", K::Edit, nullptr, 424, 376, 161, 21, true, &TMF::ThChange},
    {IdPFE, "PFE", K::Edit, nullptr, 424, 424, 161, 21, true, &TMF::ThChange},
    {IdMS, "MS", K::Edit, nullptr, 296, 376, 105, 21, true, &TMF::ThChange},
    {IdSave, "Save", K::Button, "Save", 424, 120, 161, 25, true, &TMF::SaveClick},
    {IdTh, "Th", K::PickList, nullptr, 464, 224, 121, 21, true, &TMF::ThChange},
    {IdOpen, "Open", K::Button, "Open", 424, 88, 161, 25, true, &TMF::OpenClick},
    {IdAP, "AP", K::GroupBox, "Add Panel", 8, 40, 409, 217, false, nullptr},
    {IdNew, "New", K::Button, "New", 424, 56, 161, 25, true, &TMF::NewClick},
    {IdSaveAs, "saveas", K::Button, "Save as", 424, 152, 161, 25, true, &TMF::saveasClick},
    {IdPreview, "Preview", K::Button, "Preview", 424, 184, 161, 25, true, &TMF::PreviewClick},
    {IdL4, "L4", K::Label, "Theme", 424, 228, 33, 13, true, nullptr},
};

// Inside AP, relative to it. Icons comes before Height in tab order, though it stands below.
const ControlDef kEditorLayout[] = {
    {IdPT, "PT", K::Edit, "Title", 8, 48, 169, 21, true, nullptr},
    {IdPI, "PI", K::Edit, "Icons", 8, 144, 169, 21, true, nullptr},
    {IdPH, "PH", K::Edit, "Height", 8, 96, 169, 21, true, nullptr},
    {IdPE, "PE", K::CheckBox, "Expanded", 8, 184, 169, 17, true, nullptr},
    {IdPD, "PD", K::Memo, nullptr, 216, 48, 169, 121, true, nullptr},
    {IdOK, "OK", K::DefaultButton, "OK", 232, 176, 75, 25, true, &TMF::OKClick},
    {IdCancel, "Cancel", K::CancelButton, "Cancel", 312, 176, 75, 25, true, &TMF::CancelClick},
    {IdL2, "L2", K::Label, "Data", 216, 32, 23, 13, true, nullptr},
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

// The edit that a mouse press is focusing now; windows live on one thread.
thread_local HWND pressedEdit = nullptr;

// Edits select their whole text when focused, except by a click into them.
LRESULT CALLBACK SelectAllOnFocus(HWND edit, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                  DWORD_PTR) {
  switch (message) {
    case WM_LBUTTONDOWN: {
      pressedEdit = edit;
      const LRESULT result = DefSubclassProc(edit, message, w, l);
      pressedEdit = nullptr;
      return result;
    }
    case WM_SETFOCUS: {
      const LRESULT result = DefSubclassProc(edit, message, w, l);
      if (pressedEdit != edit) SendMessageA(edit, EM_SETSEL, 0, -1);
      return result;
    }
    case WM_NCDESTROY: RemoveWindowSubclass(edit, SelectAllOnFocus, 0); break;
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

namespace {

// How far a label may reach: up to the next control to its right on the same rows.
int RoomOf(const ControlDef& label, std::span<const ControlDef> table) {
  int room = INT_MAX;
  for (const ControlDef& other : table)
    if (other.left > label.left && other.top < label.top + label.height &&
        label.top < other.top + other.height)
      room = std::min(room, other.left - label.left);
  return room;
}

}  // namespace

RECT TMF::PlaceOf(const ControlDef& def, HWND parent, HDC measure) const {
  int width = S(def.width);
  if (def.kind == K::Label) {
    // As wide as its text where the font needs more than the table gives, within its room.
    SIZE extent{};
    GetTextExtentPoint32A(measure, def.caption, lstrlenA(def.caption), &extent);
    width = std::max(width, static_cast<int>(extent.cx));
    const int room = RoomOf(def, parent == handle_ ? WindowLayout() : EditorLayout());
    if (room != INT_MAX) width = std::min(width, S(room));
  }
  // A pick list's window height includes its dropped-down list.
  const int height =
      def.kind == K::PickList ? S(def.height) + kDropDownItems * S(kItemHeight) + 2 : S(def.height);
  return {S(def.left), S(def.top), S(def.left) + width, S(def.top) + height};
}

RECT TMF::LabelPlaceOf(const ControlDef& def, const char* caption, HDC measure) const {
  // Labels are as wide as their text.
  SIZE extent{};
  GetTextExtentPoint32A(measure, caption, lstrlenA(caption), &extent);
  const int top = S(def.top - kLabelGap);
  return {S(def.left), top, S(def.left) + extent.cx, top + S(kItemHeight)};
}

void TMF::Fit(const ControlDef& def, HWND control) {
  switch (def.kind) {
    case K::ListBox: SendMessageA(control, LB_SETITEMHEIGHT, 0, S(kItemHeight)); break;
    case K::PickList: {
      SendMessageA(control, CB_SETITEMHEIGHT, 0, S(kItemHeight));
      // The closed field must be exactly as high as the table says; a new font may take a
      // second step to settle.
      for (int step = 0; step < 2; ++step) {
        RECT closed;
        GetWindowRect(control, &closed);
        const LRESULT field = SendMessageA(control, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
        const int wrong = static_cast<int>(closed.bottom - closed.top) - S(def.height);
        if (wrong == 0 || field == CB_ERR) break;
        SendMessageA(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field - wrong);
      }
      break;
    }
    default: break;
  }
}

HWND TMF::CreateControl(const ControlDef& def, HWND parent, HDC measure) {
  const WindowStyle style = StyleOf(def.kind);
  const RECT at = PlaceOf(def, parent, measure);
  HWND control = CreateWindowExA(
      style.exStyle, style.className, InitialText(def),
      WS_CHILD | WS_CLIPSIBLINGS | style.style | (def.visible ? WS_VISIBLE : 0), at.left, at.top,
      at.right - at.left, at.bottom - at.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)), GetModuleHandleA(nullptr), nullptr);
  if (!control) throw std::runtime_error(std::string("Cannot create control ") + def.name);
  windows_[def.id - IdPL] = control;
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);

  if (const char* caption = LabelOf(def)) {
    const RECT place = LabelPlaceOf(def, caption, measure);
    HWND label = CreateWindowExA(0, "STATIC", caption, WS_CHILD | WS_VISIBLE | SS_LEFT, place.left,
                                 place.top, place.right - place.left, place.bottom - place.top,
                                 parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!label) throw std::runtime_error(std::string("Cannot create the label of ") + def.name);
    labels_[def.id - IdPL] = label;
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }

  switch (def.kind) {
    case K::Edit:
    case K::Memo:
      // No length limit but memory: a long title or data text is never cut short.
      SendMessageA(control, EM_SETLIMITTEXT, 0, 0);
      if (def.kind == K::Edit) SetWindowSubclass(control, SelectAllOnFocus, 0, 0);
      break;
    case K::GroupBox:
      SetWindowSubclass(control, EditorGroupProc, 0, reinterpret_cast<DWORD_PTR>(brush_.get()));
      break;
    default: Fit(def, control); break;
  }
  if (const int setting = def.kind == K::Edit && !def.caption ? SettingIndex(def.name) : -1;
      setting >= 0)
    fields_[setting] = control;
  return control;
}

void TMF::CreateControls() {
  const TextMeasure measure(font_.get());
  for (const ControlDef& def : kWindowLayout) CreateControl(def, handle_, measure.dc());
  AP = Window(IdAP);
  for (const ControlDef& def : kEditorLayout) CreateControl(def, AP, measure.dc());
  // The editor lies over the title list and the panel buttons while it is shown.
  SetWindowPos(AP, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  // Tab runs through the window's rows, and through the editor's where the group stands.
  for (const ControlDef& def : kWindowLayout) {
    if (def.kind == K::Label) continue;
    if (def.id != IdAP) {
      tabOrder_.push_back(Window(def.id));
      continue;
    }
    for (const ControlDef& inner : kEditorLayout)
      if (inner.kind != K::Label) tabOrder_.push_back(Window(inner.id));
  }

  PL.Bind(Window(IdPL), doc_.PL);
  PT = Window(IdPT);
  PI = Window(IdPI);
  PH = Window(IdPH);
  PE = Window(IdPE);
  PD = Window(IdPD);
  OK = Window(IdOK);
  Cancel = Window(IdCancel);
  Th = Window(IdTh);
}

HWND TMF::Control(std::string_view name) const {
  constexpr std::string_view kLabel = ".Label";
  const bool label = name.ends_with(kLabel);
  if (label) name.remove_suffix(kLabel.size());
  for (auto table : {WindowLayout(), EditorLayout()})
    for (const ControlDef& def : table)
      if (def.name == name) return (label ? labels_ : windows_)[def.id - IdPL];
  return nullptr;
}

int TMF::SettingOf(HWND control) const {
  for (int i = 0; i < kSettingCount; ++i)
    if (fields_[i] == control) return i;
  return -1;
}

void TMF::SetRegion() {
  // Only the two top corners are rounded: the region reaches below the bottom edge. The
  // window owns the region once it is set.
  GdiObject<HRGN> region(
      CreateRoundRectRgn(0, 0, S(kClientWidth), S(kClientHeight + 10), S(10), S(10)));
  if (SetWindowRgn(handle_, region.get(), TRUE)) region.release();
}

void TMF::Rescale(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  GdiObject<HFONT> font(MakeFont(dpi));
  canvas_.SetBaseFont(font.get());
  canvas_.SetScale(dpi);
  const TextMeasure measure(font.get());
  for (auto table : {WindowLayout(), EditorLayout()}) {
    for (const ControlDef& def : table) {
      HWND control = Window(def.id);
      const RECT at = PlaceOf(def, GetParent(control), measure.dc());
      SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
      SetWindowPos(control, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      Fit(def, control);
      if (HWND label = labels_[def.id - IdPL]) {
        const RECT place = LabelPlaceOf(def, LabelOf(def), measure.dc());
        SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        SetWindowPos(label, nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
      }
    }
  }
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  // The old font goes only now that no control uses it.
  font_ = std::move(font);
  SetWindowPos(handle_, nullptr, suggested.left, suggested.top, S(kClientWidth), S(kClientHeight),
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetRegion();
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TMF::FormCreate(HWND) {
  SetRegion();

  doc_.themes = ListThemeFolders(programFolder_);
  for (const std::string& theme : doc_.themes)
    SendMessageA(Th, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(theme.c_str()));
  doc_.themeIndex = doc_.themes.empty() ? -1 : 0;
  SendMessageA(Th, CB_SETCURSEL, doc_.themeIndex, 0);
}

}  // namespace orv::ui
