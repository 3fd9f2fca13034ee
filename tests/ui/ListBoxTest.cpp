// The reorderable list box on a real list box control, showing the list it is bound to.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "New1.h"

namespace orv::test {
namespace {

using ui::TNew1AddRemoveListBox;
using Items = std::vector<std::string>;

int selectionNotices = 0;

LRESULT CALLBACK CountingParent(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_COMMAND && HIWORD(w) == LBN_SELCHANGE) ++selectionNotices;
  return DefWindowProcA(window, message, w, l);
}

class ListBox : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = CountingParent;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ListBoxTestParent";
    RegisterClassA(&wc);
    parent_ = CreateWindowA("ListBoxTestParent", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                            300, nullptr, nullptr, wc.hInstance, nullptr);
    list_.Bind(CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, 0, 0, 200, 200,
                               parent_, nullptr, wc.hInstance, nullptr),
               model_);
    selectionNotices = 0;
  }
  void TearDown() override { DestroyWindow(parent_); }

  void Fill(const Items& items, int selected) {
    model_.Assign(items);
    model_.Select(selected);
  }
  // The control shows what the list holds.
  void ExpectShown(const Items& items, int selected, const char* name) {
    EXPECT_EQ(list_.Items(), items) << name;
    EXPECT_EQ(list_.Selected(), selected) << name;
    EXPECT_EQ(model_.Items(), items) << name;
    EXPECT_EQ(model_.Selected(), selected) << name;
  }

  // The list as the screen shows it, frame and scroll bar included.
  std::vector<DWORD> OnScreen() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    RECT r{};
    GetWindowRect(list_.Handle(), &r);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = r.right - r.left;
    info.bmiHeader.biHeight = r.top - r.bottom;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(static_cast<size_t>((r.right - r.left) * (r.bottom - r.top)));
    HDC screen = GetWindowDC(list_.Handle());
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right - r.left, r.bottom - r.top);
    HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, r.right - r.left, r.bottom - r.top, screen, 0, 0, SRCCOPY);
    SelectObject(copy, old);
    GetDIBits(copy, bitmap, 0, r.bottom - r.top, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(list_.Handle(), screen);
    return pixels;
  }

  HWND parent_ = nullptr;
  PanelList model_;
  TNew1AddRemoveListBox list_;
};

enum class Op { Up, Down, Remove };

struct Case {
  const char* name;
  Items items;
  int selected;
  Op op;
  int places;
  Items expected;
  int expectedSelected;
};

TEST_F(ListBox, OperationsMoveAndRemoveTheSelectedEntry) {
  const Items xyz = {"X", "Y", "Z"};
  const Case cases[] = {
      {"first up", xyz, 0, Op::Up, 1, xyz, 0},
      {"last down", xyz, 2, Op::Down, 1, xyz, 2},
      {"last up by 1", xyz, 2, Op::Up, 1, {"X", "Z", "Y"}, 1},
      {"last up by 5", xyz, 2, Op::Up, 5, {"Z", "X", "Y"}, 0},
      {"first down by 1", xyz, 0, Op::Down, 1, {"Y", "X", "Z"}, 1},
      {"first down by 5", xyz, 0, Op::Down, 5, {"Y", "Z", "X"}, 2},
      {"up by the largest count", xyz, 1, Op::Up, 2147483647, {"Y", "X", "Z"}, 0},
      {"down by the largest count", xyz, 1, Op::Down, 2147483647, {"X", "Z", "Y"}, 2},
      {"remove middle", xyz, 1, Op::Remove, 0, {"X", "Z"}, 1},
      {"remove last", xyz, 2, Op::Remove, 0, {"X", "Y"}, 1},
      {"remove only", {"X"}, 0, Op::Remove, 0, {}, -1},
      {"up without selection", xyz, -1, Op::Up, 1, xyz, -1},
      {"down without selection", xyz, -1, Op::Down, 1, xyz, -1},
      {"remove without selection", xyz, -1, Op::Remove, 0, xyz, -1},
      {"up on empty", {}, -1, Op::Up, 1, {}, -1},
      {"down on empty", {}, -1, Op::Down, 1, {}, -1},
      {"remove on empty", {}, -1, Op::Remove, 0, {}, -1},
      {"equal texts keep their places", {"A", "A", "B"}, 2, Op::Up, 1, {"A", "B", "A"}, 1},
  };
  for (const Case& c : cases) {
    Fill(c.items, c.selected);
    switch (c.op) {
      case Op::Up: list_.MoveSelectedUp(c.places); break;
      case Op::Down: list_.MoveSelectedDown(c.places); break;
      case Op::Remove: list_.RemoveSelected(); break;
    }
    ExpectShown(c.expected, c.expectedSelected, c.name);
  }
  // Only the user's changes of the selection are announced.
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  EXPECT_EQ(selectionNotices, 0);
}

TEST_F(ListBox, ReplacingAnEntryKeepsTheSelectionAndIndexMinusOneAppends) {
  Fill({"A", "B", "C"}, 1);
  model_.Put(1, "b");
  model_.Put(2, "c");
  ExpectShown({"A", "b", "c"}, 1, "replaced");
  model_.Put(-1, "D");
  ExpectShown({"A", "b", "c", "D"}, 1, "appended");
  model_.Select(7);
  ExpectShown({"A", "b", "c", "D"}, -1, "selected outside");
  // A list assigned from another keeps its control.
  PanelList other;
  other.Append("Z");
  other.Select(0);
  model_ = other;
  ExpectShown({"Z"}, 0, "assigned");
}

TEST_F(ListBox, TextsAreKeptByteForByte) {
  const std::string odd = std::string("a\x01") + "\xE9\xFF" + "'\\";
  Fill({odd, std::string(40000, 'x')}, 0);
  list_.MoveSelectedDown(1);
  ExpectShown({std::string(40000, 'x'), odd}, 1, "moved");
}

// Painting is held back while the list changes and the frame is drawn again only when the scroll
// bar looks different: after each change the screen shows what a full repaint shows.
TEST_F(ListBox, TheScreenShowsTheListAfterEveryChange) {
  Items hundred;
  for (int i = 0; i < 100; ++i) hundred.push_back("Entry " + std::to_string(i));
  HWND list = list_.Handle();
  const struct {
    const char* name;
    std::function<void()> change;
  } steps[] = {
      {"filled", [&] { Fill(hundred, 0); }},
      {"moved within the page", [&] { list_.MoveSelectedDown(1); }},
      {"scrolled by the selection", [&] { model_.Select(90); }},
      {"moved off the page", [&] { list_.MoveSelectedUp(80); }},
      {"removed", [&] { list_.RemoveSelected(); }},
      {"refilled", [&] { Fill(hundred, 50); }},
      {"uncovered, then changed at once",
       [&] {
         // As when a dialog over the list closes: the frame waits to be drawn.
         HDC dc = GetWindowDC(list);
         RECT all{0, 0, 200, 200};
         FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
         ReleaseDC(list, dc);
         RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
         model_.Put(50, "changed");
       }},
      {"too few to scroll",
       [&] {
         Fill({"X", "Y"}, 1);
       }},
  };
  for (const auto& step : steps) {
    step.change();
    const std::vector<DWORD> shown = OnScreen();
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_TRUE(shown == OnScreen()) << step.name;
  }
}

}  // namespace
}  // namespace orv::test
