// The frame under the mouse: dragging the window by its title strip and the three caption
// buttons, each decided by where the press was.
#include <windows.h>

#include <string>

#include "Harness.h"
#include "MUFrame.h"

namespace orv::test {
namespace {

constexpr int W = ui::kClientWidth;

class DesignerMouse : public Designer {
 protected:
  void StartWithChanges() {
    Start();
    // The pointer stays off the window, so that no real mouse move joins the test's own.
    SetCursorPos(0, 0);
    // A close then asks first, and the answer Cancel keeps the window for the next case.
    Type("AL", "1");
  }
  void Send(UINT message, int x, int y, WPARAM keys = 0) {
    SendMessageA(Form().Handle(), message, keys, MAKELPARAM(x, y));
  }
  void LeftClick(int x, int y) {
    Send(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    Send(WM_LBUTTONUP, x, y);
    Pump();
  }
  POINT WindowAt() const {
    RECT r{};
    GetWindowRect(form_->Handle(), &r);
    return {r.left, r.top};
  }
  // What the clicks so far have done.
  struct Done {
    int closes, minimised, homePages;
  };
  Done Count() {
    Done done{0, 0, static_cast<int>(dialogs_.shellOpened.size())};
    for (const auto& q : dialogs_.questions) done.closes += q.text == "Save changes?";
    if (IsIconic(app_->Handle())) {
      done.minimised = 1;
      ShowWindow(app_->Handle(), SW_RESTORE);
      Pump();
    }
    return done;
  }
};

TEST_F(DesignerMouse, EachButtonActsInsideItsStrictBoundsOnly) {
  StartWithChanges();
  const struct {
    int x, y;
    Done done;
  } cases[] = {
      {W - 39, 11, {1, 0, 0}},  {W - 21, 29, {1, 0, 0}},  {W - 30, 20, {1, 0, 0}},
      {W - 40, 20, {0, 0, 0}},  {W - 20, 20, {0, 0, 0}},  {W - 30, 10, {0, 0, 0}},
      {W - 30, 30, {0, 0, 0}},  {W - 64, 11, {0, 1, 0}},  {W - 46, 29, {0, 1, 0}},
      {W - 65, 20, {0, 0, 0}},  {W - 45, 20, {0, 0, 0}},  {W - 55, 10, {0, 0, 0}},
      {W - 55, 30, {0, 0, 0}},  {W - 89, 11, {0, 0, 1}},  {W - 71, 29, {0, 0, 1}},
      {W - 90, 20, {0, 0, 0}},  {W - 70, 20, {0, 0, 0}},  {W - 80, 10, {0, 0, 0}},
      {W - 80, 30, {0, 0, 0}},  {W - 44, 20, {0, 0, 0}},  {W - 69, 20, {0, 0, 0}},
      {W - 100, 20, {0, 0, 0}}, {W - 95, 20, {0, 0, 0}},  {W - 91, 20, {0, 0, 0}},
      {100, 20, {0, 0, 0}},     {W - 30, 100, {0, 0, 0}},
  };
  for (const auto& c : cases) {
    dialogs_.questions.clear();
    dialogs_.shellOpened.clear();
    dialogs_.answers = {IDCANCEL};
    LeftClick(c.x, c.y);
    const Done done = Count();
    EXPECT_EQ(done.closes, c.done.closes) << c.x << ", " << c.y;
    EXPECT_EQ(done.minimised, c.done.minimised) << c.x << ", " << c.y;
    EXPECT_EQ(done.homePages, c.done.homePages) << c.x << ", " << c.y;
    ASSERT_TRUE(IsWindow(Form().Handle()));
  }
  // The home page is our one address, opened with the default browser.
  LeftClick(W - 80, 20);
  ASSERT_EQ(dialogs_.shellOpened.size(), 1u);
  EXPECT_EQ(dialogs_.shellOpened[0], std::string("|") + ui::kHomePage);
  EXPECT_EQ(dialogs_.shellShows.back(), SW_SHOW);
}

TEST_F(DesignerMouse, TheTitleStripDragsTheWindowWithinStrictBounds) {
  StartWithChanges();
  const struct {
    int x, y;
    bool drags;
  } cases[] = {
      {11, 20, true},      {W - 101, 20, true},  {100, 6, true},  {100, 34, true},
      {10, 20, false},     {W - 100, 20, false}, {100, 5, false}, {100, 35, false},
      {W - 95, 20, false}, {300, 200, false},
  };
  for (const auto& c : cases) {
    for (UINT down : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
      const POINT before = WindowAt();
      Send(down, c.x, c.y);
      // x and y count from where the window stood before the move.
      Send(WM_MOUSEMOVE, c.x + 7, c.y - 3);
      const POINT after = WindowAt();
      Send(down + 1, c.x + 7, c.y - 3);  // the matching release
      Send(WM_MOUSEMOVE, c.x + 20, c.y + 20);
      const POINT released = WindowAt();
      EXPECT_EQ(after.x - before.x, c.drags ? 7 : 0) << c.x << ", " << c.y << " " << down;
      EXPECT_EQ(after.y - before.y, c.drags ? -3 : 0) << c.x << ", " << c.y << " " << down;
      EXPECT_EQ(released.x, after.x) << "a release ends the drag";
      EXPECT_EQ(released.y, after.y) << "a release ends the drag";
      Pump();
    }
  }
  EXPECT_TRUE(dialogs_.questions.empty());
}

TEST_F(DesignerMouse, ADragFollowsEveryMoveFromTheSamePressedPoint) {
  StartWithChanges();
  const POINT start = WindowAt();
  Send(WM_LBUTTONDOWN, 100, 20, MK_LBUTTON);
  EXPECT_EQ(GetCapture(), Form().Handle()) << "the left button keeps the mouse";
  // The pointer ran ahead of the window: outside its client area, left and above.
  Send(WM_MOUSEMOVE, 90, 15, MK_LBUTTON);
  Send(WM_MOUSEMOVE, -50, -30, MK_LBUTTON);
  const POINT moved = WindowAt();
  EXPECT_EQ(moved.x, start.x - 10 - 150);
  EXPECT_EQ(moved.y, start.y - 5 - 50);
  // A drag ends with a click that matches no button.
  Send(WM_LBUTTONUP, 100, 20);
  Pump();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(dialogs_.questions.empty());
  EXPECT_TRUE(dialogs_.shellOpened.empty());
  EXPECT_FALSE(IsIconic(app_->Handle()));
  // A press below the strip does not drag.
  Send(WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
  Send(WM_MOUSEMOVE, 150, 150, MK_LBUTTON);
  Send(WM_LBUTTONUP, 150, 150);
  EXPECT_EQ(WindowAt().x, moved.x);
  EXPECT_EQ(WindowAt().y, moved.y);
}

TEST_F(DesignerMouse, ThePressDecidesAndOnlyAReleaseInsideClicks) {
  StartWithChanges();
  // Pressed on close, released outside the window: nothing.
  Send(WM_LBUTTONDOWN, W - 30, 20, MK_LBUTTON);
  Send(WM_LBUTTONUP, W + 5, 20);
  Pump();
  EXPECT_TRUE(dialogs_.questions.empty());
  // Pressed on the drag zone, released on close: nothing either.
  Send(WM_LBUTTONDOWN, 100, 20, MK_LBUTTON);
  Send(WM_LBUTTONUP, W - 30, 20);
  Pump();
  EXPECT_TRUE(dialogs_.questions.empty());
  // Right and middle buttons never press a caption button.
  for (UINT down : {WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
    Send(down, W - 30, 20);
    Send(down + 1, W - 30, 20);
    Pump();
  }
  EXPECT_TRUE(dialogs_.questions.empty());
  // Pressed on close, released elsewhere in the window: it closes, asking first.
  dialogs_.answers = {IDNO};
  Send(WM_LBUTTONDOWN, W - 30, 20, MK_LBUTTON);
  Send(WM_MOUSEMOVE, 200, 300, MK_LBUTTON);
  Send(WM_LBUTTONUP, 200, 300);
  Pump();
  ASSERT_EQ(dialogs_.questions.size(), 1u);
  EXPECT_EQ(dialogs_.questions[0].text, "Save changes?");
  EXPECT_FALSE(IsWindow(Form().Handle()));
}

TEST_F(DesignerMouse, ADoubleClickActsOnce) {
  StartWithChanges();
  for (int x : {W - 80, W - 55}) {
    Send(WM_LBUTTONDOWN, x, 20, MK_LBUTTON);
    Send(WM_LBUTTONUP, x, 20);
    Send(WM_LBUTTONDBLCLK, x, 20, MK_LBUTTON);
    Send(WM_LBUTTONUP, x, 20);
    Pump();
  }
  EXPECT_EQ(dialogs_.shellOpened.size(), 1u);
  EXPECT_TRUE(IsIconic(app_->Handle()));
  EXPECT_FALSE(IsWindowVisible(Form().Handle()));
  // The task-bar button brings the window back.
  ShowWindow(app_->Handle(), SW_RESTORE);
  Pump();
  EXPECT_TRUE(IsWindowVisible(Form().Handle()));
}

}  // namespace
}  // namespace orv::test
