// The reorderable list box on a real list box control, showing the list it is bound to.
#include <gtest/gtest.h>
#include <windows.h>

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
    list_.Bind(CreateWindowA("LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 0, 0, 200, 200,
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

}  // namespace
}  // namespace orv::test
