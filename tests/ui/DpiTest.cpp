// The window at the system's pixels per inch (run under prefixes at 96, 120, 144 and 192) and
// after WM_DPICHANGED: every place, size, label, the frame and the mouse zones scaled from the
// 96-pixels-per-inch layout as MulDiv rounds.
#include <windows.h>

#include <algorithm>
#include <climits>
#include <map>
#include <string>

#include "Harness.h"

namespace orv::test {
namespace {

constexpr COLORREF kLine = RGB(218, 199, 226);
constexpr COLORREF kStrip = RGB(235, 226, 241);

RECT InParent(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int TextWidth(HWND control, const std::string& text) {
  HDC dc = GetDC(control);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return extent.cx;
}

BOOL CALLBACK RecordPlace(HWND child, LPARAM all) {
  (*reinterpret_cast<std::map<HWND, RECT>*>(all))[child] = InParent(child);
  return TRUE;
}

class Dpi : public Designer {
 protected:
  int S(int length, int dpi) const { return MulDiv(length, dpi, 96); }

  // Every control where the table puts it at dpi, no caption or label cut, the window as
  // large as the scaled client area.
  void ExpectScaled(int dpi) {
    SCOPED_TRACE("at " + std::to_string(dpi) + " pixels per inch");
    EXPECT_EQ(Form().Dpi(), dpi);
    RECT client{};
    GetClientRect(Form().Handle(), &client);
    EXPECT_EQ(client.right, S(601, dpi));
    EXPECT_EQ(client.bottom, S(463, dpi));
    for (auto table : {ui::WindowLayout(), ui::EditorLayout()}) {
      for (const ui::ControlDef& def : table) {
        const RECT r = InParent(C(def.name));
        EXPECT_EQ(r.left, S(def.left, dpi)) << def.name;
        EXPECT_EQ(r.top, S(def.top, dpi)) << def.name;
        if (def.kind == ui::ControlKind::PickList) {
          // A closed pick list is at least as high as its font needs: Wine's takes up to two
          // pixels more than the scaled table.
          EXPECT_GE(r.bottom - r.top, S(def.height, dpi)) << def.name;
          EXPECT_LE(r.bottom - r.top, S(def.height, dpi) + 2) << def.name;
        } else {
          EXPECT_EQ(r.bottom - r.top, S(def.height, dpi)) << def.name;
        }
        const std::string text = def.caption ? def.caption : "";
        if (def.kind == ui::ControlKind::Label) {
          EXPECT_GE(r.right - r.left, TextWidth(C(def.name), text)) << def.name << " is cut";
        } else {
          EXPECT_EQ(r.right - r.left, S(def.width, dpi)) << def.name;
        }
        if (def.kind == ui::ControlKind::Button) {
          EXPECT_LT(TextWidth(C(def.name), text), r.right - r.left) << def.name << " is cut";
        }
        const std::string labelName = std::string(def.name) + ".Label";
        if (HWND label = Form().Control(labelName)) {
          const RECT l = InParent(label);
          EXPECT_EQ(l.left, S(def.left, dpi)) << labelName;
          EXPECT_EQ(l.top, S(def.top - 16, dpi)) << labelName;
          EXPECT_EQ(l.right - l.left, TextWidth(label, ui::WindowText(label))) << labelName;
        }
      }
    }
    // "Theme" stops before the theme list.
    EXPECT_LE(InParent(C("L4")).right, InParent(C("Th")).left);

    // The frame: borders, the title strip's fill and a caption button's outline.
    const int W = client.right, H = client.bottom;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, W, H);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(Form().Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    EXPECT_EQ(GetPixel(dc, 0, H / 2), kLine) << "left border";
    EXPECT_EQ(GetPixel(dc, W - S(2, dpi), H / 2), kLine) << "right border";
    EXPECT_EQ(GetPixel(dc, W / 2, 0), kLine) << "top border";
    EXPECT_EQ(GetPixel(dc, S(5, dpi), S(20, dpi)), kLine) << "strip's left edge";
    EXPECT_EQ(GetPixel(dc, S(300, dpi), S(8, dpi)), kStrip) << "strip";
    EXPECT_EQ(GetPixel(dc, W - S(30, dpi), S(10, dpi)), kLine) << "close button's top edge";
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }

  void Press(int x, int y, UINT message) {
    SendMessageA(Form().Handle(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                 MAKELPARAM(x, y));
    Pump();
  }
};

TEST_F(Dpi, TheWindowStandsAtTheSystemScaleAndItsZonesWork) {
  Start();
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  ExpectScaled(dpi);

  // A drag by the title strip, pressed at a scaled point.
  RECT before{}, after{};
  GetWindowRect(Form().Handle(), &before);
  Press(S(200, dpi), S(20, dpi), WM_LBUTTONDOWN);
  Press(S(200, dpi) + 12, S(20, dpi) + 7, WM_MOUSEMOVE);
  Press(S(200, dpi) + 12, S(20, dpi) + 7, WM_LBUTTONUP);
  GetWindowRect(Form().Handle(), &after);
  EXPECT_EQ(after.left - before.left, 12);
  EXPECT_EQ(after.top - before.top, 7);

  // The home-page button, the minimise button at their scaled places, then the close button.
  const int W = S(601, dpi);
  Press(W - S(80, dpi), S(20, dpi), WM_LBUTTONDOWN);
  Press(W - S(80, dpi), S(20, dpi), WM_LBUTTONUP);
  ASSERT_EQ(dialogs_.shellOpened.size(), 1u);
  EXPECT_EQ(dialogs_.shellOpened[0], std::string("|") + ui::kHomePage);
  Press(W - S(55, dpi), S(20, dpi), WM_LBUTTONDOWN);
  Press(W - S(55, dpi), S(20, dpi), WM_LBUTTONUP);
  EXPECT_TRUE(IsIconic(app_->Handle()));
  ShowWindow(app_->Handle(), SW_RESTORE);
  Pump();
  HWND window = Form().Handle();
  Press(W - S(30, dpi), S(20, dpi), WM_LBUTTONDOWN);
  Press(W - S(30, dpi), S(20, dpi), WM_LBUTTONUP);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(Dpi, ADpiChangeRescalesEverythingAndTheWayBackRestoresIt) {
  Start();
  const int first = Form().Dpi();
  std::map<HWND, RECT> places;
  EnumChildWindows(Form().Handle(), RecordPlace, reinterpret_cast<LPARAM>(&places));
  RECT window{};
  GetWindowRect(Form().Handle(), &window);

  const int other = first == 144 ? 192 : 144;
  RECT suggested{100, 50, 100 + S(601, other), 50 + S(463, other)};
  SendMessageA(Form().Handle(), WM_DPICHANGED, MAKEWPARAM(other, other),
               reinterpret_cast<LPARAM>(&suggested));
  Pump();
  ExpectScaled(other);
  RECT moved{};
  GetWindowRect(Form().Handle(), &moved);
  EXPECT_EQ(moved.left, 100);
  EXPECT_EQ(moved.top, 50);

  SendMessageA(Form().Handle(), WM_DPICHANGED, MAKEWPARAM(first, first),
               reinterpret_cast<LPARAM>(&window));
  Pump();
  ExpectScaled(first);
  for (const auto& [child, place] : places) {
    const RECT now = InParent(child);
    EXPECT_TRUE(EqualRect(&now, &place)) << ui::WindowText(child);
  }
}

}  // namespace
}  // namespace orv::test
