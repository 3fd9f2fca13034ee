#pragma once
// The list control of the panel lists: a standard single-selection list box that shows a panel
// list of the document, with operations that move or remove the selected entry.
#include <windows.h>

#include <string>
#include <vector>

#include "Document.h"

namespace orv::ui {

// Holds back the painting of a shown list while several changes are made, then repaints it
// once. Pauses of the same list nest.
class ListRedrawPause {
 public:
  explicit ListRedrawPause(HWND list);
  ~ListRedrawPause();
  ListRedrawPause(const ListRedrawPause&) = delete;
  ListRedrawPause& operator=(const ListRedrawPause&) = delete;

 private:
  HWND list_;
  bool paused_;
  SCROLLBARINFO scrollBar_{};
};

// The list box shows its list: every change the list reports reaches the control, so the
// entries and the selection are the list's. Changes made from the program raise no
// notification; the user's changes of the selection do, and the window passes them on to the
// document.
class TNew1AddRemoveListBox final : public PanelListView {
 public:
  TNew1AddRemoveListBox() = default;
  ~TNew1AddRemoveListBox();
  TNew1AddRemoveListBox(const TNew1AddRemoveListBox&) = delete;
  TNew1AddRemoveListBox& operator=(const TNew1AddRemoveListBox&) = delete;

  // Shows list in the list box control handle from now on.
  void Bind(HWND handle, PanelList& list);
  HWND Handle() const { return handle_; }

  // What the control shows.
  int Count() const;
  std::string Text(int index) const;
  std::vector<std::string> Items() const;
  int Selected() const;

  // The list's operations on its selected entry; the control follows.
  void MoveSelectedUp(int places) { list_->MoveSelectedUp(places); }
  void MoveSelectedDown(int places) { list_->MoveSelectedDown(places); }
  void RemoveSelected() { list_->RemoveSelected(); }

 private:
  void Changed(const PanelList& list, const ListChange& change) override;
  std::wstring WideText(int index) const;
  void Insert(int index, const std::string& text);
  void Select(int index);

  HWND handle_ = nullptr;
  PanelList* list_ = nullptr;
};

}  // namespace orv::ui
