#include "New1.h"

#include <algorithm>

namespace orv::ui {

namespace {
// The lists whose painting is held back now; windows live on one thread.
thread_local std::vector<HWND> pausedLists;
}  // namespace

ListRedrawPause::ListRedrawPause(HWND list) : list_(list) {
  // Only the outermost pause of a list holds back its painting and its scroll bar.
  paused_ = std::find(pausedLists.begin(), pausedLists.end(), list_) == pausedLists.end();
  if (!paused_) return;
  hidden_ = !(GetWindowLongA(list_, GWL_STYLE) & WS_VISIBLE);
  pausedLists.push_back(list_);
  SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
}

ListRedrawPause::~ListRedrawPause() {
  if (!paused_) return;
  pausedLists.erase(std::find(pausedLists.begin(), pausedLists.end(), list_));
  SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
  // Switching redraw back on may mark a hidden list visible; it stays hidden, unpainted.
  const LONG style = GetWindowLongA(list_, GWL_STYLE);
  if (hidden_ && (style & WS_VISIBLE))
    SetWindowLongA(list_, GWL_STYLE, style & ~WS_VISIBLE);
  else if (!hidden_)
    InvalidateRect(list_, nullptr, TRUE);
}

int TNew1AddRemoveListBox::Count() const {
  return static_cast<int>(SendMessageA(handle_, LB_GETCOUNT, 0, 0));
}

// Entries are read through the wide messages: the narrow ones overrun a fixed buffer for
// long entries under Wine.
std::wstring TNew1AddRemoveListBox::WideText(int index) const {
  const LRESULT length = SendMessageW(handle_, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got =
      SendMessageW(handle_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
  return text;
}

std::string TNew1AddRemoveListBox::Text(int index) const {
  const std::wstring wide = WideText(index);
  if (wide.empty()) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                      nullptr, nullptr);
  return text;
}

std::vector<std::string> TNew1AddRemoveListBox::Items() const {
  std::vector<std::string> items;
  const int count = Count();
  items.reserve(count);
  for (int i = 0; i < count; ++i) items.push_back(Text(i));
  return items;
}

int TNew1AddRemoveListBox::Selected() const {
  const LRESULT selected = SendMessageA(handle_, LB_GETCURSEL, 0, 0);
  return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

void TNew1AddRemoveListBox::Select(int index) const {
  if (index < 0 || index >= Count()) index = -1;
  ListRedrawPause pause(handle_);
  SendMessageA(handle_, LB_SETCURSEL, index, 0);
}

void TNew1AddRemoveListBox::Insert(int index, const std::string& text) const {
  SendMessageA(handle_, LB_INSERTSTRING, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.c_str()));
}

void TNew1AddRemoveListBox::Append(const std::string& text) const {
  ListRedrawPause pause(handle_);
  Insert(-1, text);
}

void TNew1AddRemoveListBox::Put(int index, const std::string& text) const {
  if (index < 0) return Append(text);
  const int selected = Selected();
  ListRedrawPause pause(handle_);
  Delete(index);
  Insert(index, text);
  if (selected == index) Select(index);
}

void TNew1AddRemoveListBox::Delete(int index) const {
  SendMessageA(handle_, LB_DELETESTRING, index, 0);
}

void TNew1AddRemoveListBox::Move(int from, int to) const {
  if (from == to) return;
  // Moved as stored, without a round trip through the code page.
  const std::wstring text = WideText(from);
  ListRedrawPause pause(handle_);
  Delete(from);
  SendMessageW(handle_, LB_INSERTSTRING, to, reinterpret_cast<LPARAM>(text.c_str()));
}

void TNew1AddRemoveListBox::Clear() const { SendMessageA(handle_, LB_RESETCONTENT, 0, 0); }

void TNew1AddRemoveListBox::Assign(const std::vector<std::string>& items) const {
  ListRedrawPause pause(handle_);
  Clear();
  size_t bytes = 0;
  for (const auto& item : items) bytes += item.size() + 1;
  SendMessageA(handle_, LB_INITSTORAGE, items.size(), bytes);
  for (const auto& item : items) Insert(-1, item);
}

void TNew1AddRemoveListBox::MoveSelectedUp(int places) const {
  ListRedrawPause pause(handle_);
  const int selected = Selected();
  if (selected < 0) return;
  const long long wanted = static_cast<long long>(selected) - places;
  const int target = wanted < 0 ? 0 : static_cast<int>(wanted);
  Move(selected, target);
  Select(target);
}

void TNew1AddRemoveListBox::MoveSelectedDown(int places) const {
  ListRedrawPause pause(handle_);
  const int selected = Selected();
  if (selected < 0) return;
  const long long wanted = static_cast<long long>(selected) + places;
  const int last = Count() - 1;
  const int target = wanted > last ? last : static_cast<int>(wanted);
  Move(selected, target);
  Select(target);
}

void TNew1AddRemoveListBox::RemoveSelected() const {
  ListRedrawPause pause(handle_);
  int i = Selected();
  if (i < 0) return;
  Delete(i);
  if (i > Count() - 1) i = Count() - 1;
  Select(i);
}

}  // namespace orv::ui
