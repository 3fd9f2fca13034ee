// The panel list commands and the panel editor. Each command is one operation of the document,
// which changes its five lists in the order PL, PHL, PIL, PEL, PDL; the title list shows PL's
// changes as they are made.
#include "Error.h"
#include "MU.h"
#include "PanelText.h"

namespace orv::ui {

void TMF::AddClick(HWND sender) {
  // The title list is painted once per command: each separate change costs a repaint.
  const ListRedrawPause pause(PL.Handle());
  doc_.AddPanel(NewPanelTexts());
  EditClick(sender);
}

void TMF::EditClick(HWND) {
  if (doc_.PL.Selected() < 0) return;
  const PanelTexts panel = doc_.CurrentPanel();
  SetText(PT, panel.title);
  SetText(PH, panel.height);
  SetText(PI, panel.icons);
  SendMessageA(PE, BM_SETCHECK, panel.expanded == "1" ? BST_CHECKED : BST_UNCHECKED, 0);
  SetText(PD, DataToMemoText(panel.data));
  ShowWindow(AP, SW_SHOW);
  SetFocus(PT);
}

void TMF::OKClick(HWND) {
  try {
    const std::string height = WindowText(PH);
    if (!IsValidInteger(height)) throw Error(InvalidIntegerText(height));
    doc_.EndAdding();
    const ListRedrawPause pause(PL.Handle());
    doc_.StorePanel({WindowText(PT), height, WindowText(PI),
                     SendMessageA(PE, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0",
                     MemoTextToData(WindowText(PD))});
    HideEditor();
    doc_.modified = true;
  } catch (const std::exception& failure) {
    dialogs_.Message(handle_, failure.what(), "Error", MB_OK | MB_ICONERROR);
  }
  if (EditorShown()) SetFocus(PH);
}

void TMF::CancelClick(HWND sender) {
  HideEditor();
  if (doc_.addingPanel) {
    // The panel that Add appended goes, wherever it stands now; never one the user had
    // selected since. Gone already (New, Open, Clear, Remove): nothing is removed.
    if (doc_.AddedPanel() >= 0) {
      const ListRedrawPause pause(PL.Handle());
      doc_.SelectPanel(doc_.AddedPanel());
      RemoveClick(sender);
    } else {
      doc_.modified = true;
    }
  }
  doc_.EndAdding();
}

void TMF::HideEditor() {
  // The focus must not stay on a hidden control: it goes to the list the editor covered.
  HWND focus = GetFocus();
  if (focus && IsEditorControl(focus)) SetFocus(PL.Handle());
  ShowWindow(AP, SW_HIDE);
}

void TMF::RemoveClick(HWND) {
  const ListRedrawPause pause(PL.Handle());
  doc_.RemovePanel();
  doc_.modified = true;
}

void TMF::ClearClick(HWND) {
  doc_.ClearPanels();
  doc_.modified = true;
}

void TMF::MoveUpClick(HWND) {
  const ListRedrawPause pause(PL.Handle());
  doc_.MovePanelUp();
  doc_.modified = true;
}

void TMF::MoveDownClick(HWND) {
  const ListRedrawPause pause(PL.Handle());
  doc_.MovePanelDown();
  doc_.modified = true;
}

// The user moved the title list's selection: the document's five lists follow it.
void TMF::PLClick(HWND) { doc_.SelectPanel(PL.Selected()); }

}  // namespace orv::ui
