#pragma once
// The window's layout tables: every control of the main window and of its panel editor, by
// name, kind, caption and place, as the designer and the tests create and find them.
#include <windows.h>

#include <span>

namespace orv::ui {

class TMF;
using Handler = void (TMF::*)(HWND sender);

enum class ControlKind {
  ListBox,
  Button,
  DefaultButton,
  CancelButton,
  Edit,
  Memo,
  CheckBox,
  PickList,
  GroupBox,
  Label
};

// The controls' ids, which their notifications carry: the window's rows, then the editor's.
// clang-format off
enum ControlId : int {
  IdPL = 100, IdAdd, IdEdit, IdRemove, IdClear, IdMoveUp, IdMoveDown,
  IdTP, IdAL, IdAT, IdAW, IdAH, IdZI, IdLS, IdRS, IdTS, IdIL, IdIT, IdTL, IdTT,
  IdTFS, IdTFE, IdPTL, IdPTT, IdPFS, IdPFE, IdMS,
  IdSave, IdTh, IdOpen, IdAP, IdNew, IdSaveAs, IdPreview, IdL4,
  IdPT, IdPI, IdPH, IdPE, IdPD, IdOK, IdCancel, IdL2,
  IdEnd
};
// clang-format on
inline constexpr int kControlCount = IdEnd - IdPL;

// One row of a layout table. Rows are in tab order; positions are relative to the parent.
struct ControlDef {
  ControlId id;
  const char* name;
  ControlKind kind;
  // A button's or group's caption, a label's text, or the text of an edit's label; null for a
  // layout field, whose label and initial text come from the settings table.
  const char* caption;
  int left, top, width, height;
  bool visible;
  Handler handler;  // click, selection change or text change; null for none
};

// The window itself, and the panel editor's controls inside the group AP.
std::span<const ControlDef> WindowLayout();
std::span<const ControlDef> EditorLayout();

// The window class, styles and extended styles that make a control of a kind.
struct WindowStyle {
  const char* className;
  DWORD style;
  DWORD exStyle;
};
WindowStyle StyleOf(ControlKind kind);

// The text of a row's own label (an edit's), or null for a row without one.
const char* LabelOf(const ControlDef& def);
// The text a row's control starts with: a caption, or a layout field's default.
const char* InitialText(const ControlDef& def);

inline constexpr int kClientWidth = 601;
inline constexpr int kClientHeight = 463;
inline constexpr COLORREF kWindowColour = 0x00F1E2EB;  // RGB (235, 226, 241)
inline constexpr COLORREF kWarningColour =
    0x000000C0;  // RGB (192, 0, 0): a value that breaks the page
// The frame's rows above every control: the title strip and the caption drawn in it.
inline constexpr int kCaptionStripBottom = 36;
inline constexpr int kItemHeight = 13;
inline constexpr int kLabelGap = 16;  // a label's top above its field's top

}  // namespace orv::ui
