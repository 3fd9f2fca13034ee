// The panel list commands and the panel editor. Every change goes to the document's list and
// to its control together, in the order PL, PHL, PIL, PEL, PDL.
#include "Error.h"
#include "MU.h"
#include "PanelText.h"

namespace orv::ui {

std::array<TMF::Column, 5> TMF::Columns() {
  return {{{doc_.PL, PL}, {doc_.PHL, PHL}, {doc_.PIL, PIL}, {doc_.PEL, PEL}, {doc_.PDL, PDL}}};
}

void TMF::AddClick(HWND sender) {
  const PanelTexts panel = NewPanelTexts();
  const std::array<const std::string*, 5> texts = {&panel.title, &panel.height, &panel.icons,
                                                   &panel.expanded, &panel.data};
  // The title list is painted once per command: each separate change costs a repaint.
  ListRedrawPause pause(PL.Handle());
  auto columns = Columns();
  for (size_t k = 0; k < columns.size(); ++k) {
    Column& column = columns[k];
    column.model.Append(*texts[k]);
    column.model.Select(column.model.Count() - 1);
    column.box.Append(*texts[k]);
    column.box.Select(column.box.Count() - 1);
  }
  doc_.addingPanel = true;
  addedPanel_ = doc_.PL.Count() - 1;
  EditClick(sender);
}

void TMF::EditClick(HWND) {
  const int i = doc_.PL.Selected();
  if (i < 0) return;
  SetText(PT, doc_.PL.At(i));
  SetText(PH, doc_.PHL.At(i));
  SetText(PI, doc_.PIL.At(i));
  SendMessageA(PE, BM_SETCHECK, doc_.PEL.At(i) == "1" ? BST_CHECKED : BST_UNCHECKED, 0);
  SetText(PD, DataToMemoText(doc_.PDL.At(i)));
  ShowWindow(AP, SW_SHOW);
  SetFocus(PT);
}

void TMF::Store(int column, const std::string& text) {
  // PL's selection at this moment; no selection appends.
  const int at = doc_.PL.Selected();
  Column target = Columns()[column];
  target.model.Put(at, text);
  target.box.Put(at, text);
}

void TMF::OKClick(HWND) {
  try {
    const std::string height = WindowText(PH);
    if (!IsValidInteger(height)) throw Error(InvalidIntegerText(height));
    doc_.addingPanel = false;
    addedPanel_ = -1;
    ListRedrawPause pause(PL.Handle());
    Store(0, WindowText(PT));
    Store(1, height);
    Store(2, WindowText(PI));
    Store(3, SendMessageA(PE, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0");
    Store(4, MemoTextToData(WindowText(PD)));
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
    if (addedPanel_ >= 0) {
      for (Column& column : Columns()) {
        column.model.Select(addedPanel_);
        column.box.Select(addedPanel_);
      }
      RemoveClick(sender);
    } else {
      doc_.modified = true;
    }
  }
  doc_.addingPanel = false;
  addedPanel_ = -1;
}

void TMF::FollowAddedPanel(int from, int to) {
  if (addedPanel_ < 0 || from < 0) return;
  if (to < 0) {  // removed
    if (addedPanel_ == from)
      addedPanel_ = -1;
    else if (addedPanel_ > from)
      --addedPanel_;
  } else if (addedPanel_ == from) {
    addedPanel_ = to;
  } else if (to < from && addedPanel_ >= to && addedPanel_ < from) {
    ++addedPanel_;
  } else if (to > from && addedPanel_ > from && addedPanel_ <= to) {
    --addedPanel_;
  }
}

void TMF::HideEditor() {
  // The focus must not stay on a hidden control: it goes to the list the editor covered.
  HWND focus = GetFocus();
  if (focus && IsEditorControl(focus)) SetFocus(PL.Handle());
  ShowWindow(AP, SW_HIDE);
}

void TMF::RemoveClick(HWND) {
  FollowAddedPanel(doc_.PL.Selected(), -1);
  for (Column& column : Columns()) {
    column.model.RemoveSelected();
    column.box.RemoveSelected();
  }
  doc_.modified = true;
}

void TMF::ClearClick(HWND) {
  addedPanel_ = -1;
  for (Column& column : Columns()) {
    column.model.Clear();
    column.box.Clear();
  }
  doc_.modified = true;
}

void TMF::MoveUpClick(HWND) {
  const int from = doc_.PL.Selected();
  for (Column& column : Columns()) {
    column.model.MoveSelectedUp(1);
    column.box.MoveSelectedUp(1);
  }
  FollowAddedPanel(from, doc_.PL.Selected());
  doc_.modified = true;
}

void TMF::MoveDownClick(HWND) {
  const int from = doc_.PL.Selected();
  for (Column& column : Columns()) {
    column.model.MoveSelectedDown(1);
    column.box.MoveSelectedDown(1);
  }
  FollowAddedPanel(from, doc_.PL.Selected());
  doc_.modified = true;
}

void TMF::PLClick(HWND) {
  auto columns = Columns();
  for (size_t k = 1; k < columns.size(); ++k) {
    const int selected = doc_.PL.Selected();
    columns[k].model.Select(selected);
    columns[k].box.Select(selected);
  }
}

}  // namespace orv::ui
