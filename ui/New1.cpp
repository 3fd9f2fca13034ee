#include "New1.h"

#include <uxtheme.h>

#include <algorithm>
#include <iterator>

#include "MUFrame.h"

namespace orv::ui {

namespace {
// The lists whose painting is held back now; windows live on one thread.
thread_local std::vector<HWND> pausedLists;

// What the vertical scroll bar shows: two equal ones are the same pixels.
bool SameScrollBar(const SCROLLBARINFO& a, const SCROLLBARINFO& b) {
  return EqualRect(&a.rcScrollBar, &b.rcScrollBar) && a.dxyLineButton == b.dxyLineButton &&
         a.xyThumbTop == b.xyThumbTop && a.xyThumbBottom == b.xyThumbBottom &&
         std::equal(std::begin(a.rgstate), std::end(a.rgstate), std::begin(b.rgstate));
}

SCROLLBARINFO ScrollBarOf(HWND list) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  if (!GetScrollBarInfo(list, OBJID_VSCROLL, &info)) info.rgstate[0] = STATE_SYSTEM_INVISIBLE;
  return info;
}
}  // namespace

ListRedrawPause::ListRedrawPause(HWND list) : list_(list) {
  // Only the outermost pause of a list holds back its painting and its scroll bar.
  paused_ = std::find(pausedLists.begin(), pausedLists.end(), list_) == pausedLists.end();
  if (!paused_) return;
  pausedLists.push_back(list_);
  scrollBar_ = ScrollBarOf(list_);
  SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
}

ListRedrawPause::~ListRedrawPause() {
  if (!paused_) return;
  pausedLists.erase(std::find(pausedLists.begin(), pausedLists.end(), list_));
  const LONG style = GetWindowLongA(list_, GWL_STYLE);
  // A classic scroll bar is quick to draw: there painting simply resumes.
  if (!(style & WS_VISIBLE) || !IsAppThemed()) {
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    return;
  }
  // The list box draws its scroll bar at once when painting resumes, and a themed scroll bar
  // takes milliseconds to draw under Wine even when nothing on it moved. So the list is marked
  // hidden while it catches up (the mark WM_SETREDRAW itself uses: nothing is shown or hidden),
  // and its frame is drawn again only when the bar looks different. A frame that was waiting
  // to be drawn before (part of the list uncovered, say) is drawn first, so none is lost.
  const GdiObject<HRGN> waiting(CreateRectRgn(0, 0, 0, 0));
  if (waiting) GetUpdateRgn(list_, waiting.get(), TRUE);
  SetWindowLongA(list_, GWL_STYLE, style & ~WS_VISIBLE);
  SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
  SetWindowLongA(list_, GWL_STYLE, GetWindowLongA(list_, GWL_STYLE) | WS_VISIBLE);
  const bool barChanged = !SameScrollBar(scrollBar_, ScrollBarOf(list_));
  // Marked shown again, the list would have its whole frame drawn.
  if (!barChanged)
    RedrawWindow(list_, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOCHILDREN);
  RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | (barChanged ? RDW_FRAME : 0));
}

TNew1AddRemoveListBox::~TNew1AddRemoveListBox() {
  if (list_) list_->Bind(nullptr);
}

void TNew1AddRemoveListBox::Bind(HWND handle, PanelList& list) {
  if (list_) list_->Bind(nullptr);
  handle_ = handle;
  list_ = &list;
  list.Bind(this);
  // A new control is empty: only a list that holds something needs showing.
  if (list.Count() > 0 || Count() > 0) Changed(list, {ListChange::Reset});
}

void TNew1AddRemoveListBox::Changed(const PanelList& list, const ListChange& change) {
  // A new selection repaints the two rows it concerns; the other changes hold back painting
  // until the list is whole again.
  if (change.kind == ListChange::Selected) return Select(change.index);
  const ListRedrawPause pause(handle_);
  switch (change.kind) {
    case ListChange::Inserted: Insert(change.index, list.Items()[change.index]); break;
    case ListChange::Removed: SendMessageA(handle_, LB_DELETESTRING, change.index, 0); break;
    case ListChange::Replaced: {
      const int selected = Selected();
      SendMessageA(handle_, LB_DELETESTRING, change.index, 0);
      Insert(change.index, list.Items()[change.index]);
      if (selected == change.index) Select(selected);
      break;
    }
    case ListChange::Moved: {
      // Moved as stored, without a round trip through the code page.
      const std::wstring text = WideText(change.index);
      SendMessageA(handle_, LB_DELETESTRING, change.index, 0);
      SendMessageW(handle_, LB_INSERTSTRING, change.to, reinterpret_cast<LPARAM>(text.c_str()));
      break;
    }
    case ListChange::Reset: {
      SendMessageA(handle_, LB_RESETCONTENT, 0, 0);
      size_t bytes = 0;
      for (const std::string& item : list.Items()) bytes += item.size() + 1;
      SendMessageA(handle_, LB_INITSTORAGE, list.Items().size(), bytes);
      for (const std::string& item : list.Items()) Insert(-1, item);
      Select(list.Selected());
      break;
    }
    case ListChange::Selected: break;
  }
}

void TNew1AddRemoveListBox::Insert(int index, const std::string& text) {
  SendMessageA(handle_, LB_INSERTSTRING, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.c_str()));
}

void TNew1AddRemoveListBox::Select(int index) { SendMessageA(handle_, LB_SETCURSEL, index, 0); }

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

}  // namespace orv::ui
