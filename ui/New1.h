#pragma once
// The list control of the panel lists: a standard single-selection list box with operations
// that move or remove the selected entry.
#include <windows.h>

#include <string>
#include <vector>

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
  bool hidden_ = false;
};

class TNew1AddRemoveListBox {
 public:
  TNew1AddRemoveListBox() = default;
  explicit TNew1AddRemoveListBox(HWND handle) : handle_(handle) {}
  HWND Handle() const { return handle_; }

  // The standard list box, seen through its messages.
  int Count() const;
  std::string Text(int index) const;
  std::vector<std::string> Items() const;
  int Selected() const;
  // Selects index, or nothing for an index the list does not have; raises no notification.
  void Select(int index) const;
  void Append(const std::string& text) const;
  // Replaces the entry at index keeping the selection; index -1 appends.
  void Put(int index, const std::string& text) const;
  void Delete(int index) const;
  // Moves the entry at from to position to (counted after its removal), repainting once.
  void Move(int from, int to) const;
  void Clear() const;
  // Replaces every entry, leaving nothing selected.
  void Assign(const std::vector<std::string>& items) const;

  // Each does nothing without a selection and clamps only at the end it moves towards.
  void MoveSelectedUp(int places) const;
  void MoveSelectedDown(int places) const;
  void RemoveSelected() const;

 private:
  std::wstring WideText(int index) const;
  // Inserts before index (-1: at the end) with no pause of its own.
  void Insert(int index, const std::string& text) const;

  HWND handle_ = nullptr;
};

}  // namespace orv::ui
