// The window and its controls where the layout puts them.
#include <windows.h>
// This builds on windows.h.
#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Harness.h"
#include "Settings.h"

namespace orv::test {
namespace {

struct Expected {
  const char* name;
  const char* className;
  const char* text;
  int left, top, width, height;
  bool visible;
};

RECT InParent(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void ExpectPlaced(HWND control, const Expected& e) {
  ASSERT_NE(control, nullptr) << e.name;
  const RECT r = InParent(control);
  EXPECT_EQ(r.left, e.left) << e.name;
  EXPECT_EQ(r.top, e.top) << e.name;
  EXPECT_EQ(r.right - r.left, e.width) << e.name;
  EXPECT_EQ(r.bottom - r.top, e.height) << e.name;
  char className[32] = {};
  GetClassNameA(control, className, sizeof className);
  EXPECT_STREQ(className, e.className) << e.name;
  EXPECT_EQ(ui::WindowText(control), e.text) << e.name;
  EXPECT_EQ((GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0, e.visible) << e.name;
}

TEST_F(Designer, WindowControlsStandWhereTheTableSays) {
  Start({"Lilac"});
  const Expected controls[] = {
      {"PL", "ListBox", "", 16, 56, 313, 185, true},
      {"Add", "Button", "Add", 336, 56, 75, 25, true},
      {"Edit", "Button", "Edit", 336, 88, 75, 25, true},
      {"Remove", "Button", "Remove", 336, 120, 75, 25, true},
      {"Clear", "Button", "Clear", 336, 152, 75, 25, true},
      {"MoveUp", "Button", "Move Up", 336, 184, 75, 25, true},
      {"MoveDown", "Button", "Move Down", 336, 216, 75, 25, true},
      {"TP", "Edit", "zubtheme", 296, 424, 105, 21, true},
      {"AL", "Edit", "0", 16, 280, 57, 21, true},
      {"AT", "Edit", "0", 16, 328, 57, 21, true},
      {"AW", "Edit", "250", 16, 376, 57, 21, true},
      {"AH", "Edit", "1000", 16, 424, 57, 21, true},
      {"ZI", "Edit", "0", 176, 424, 97, 21, true},
      {"LS", "Edit", "10", 176, 280, 97, 21, true},
      {"RS", "Edit", "10", 176, 328, 97, 21, true},
      {"TS", "Edit", "15", 176, 376, 97, 21, true},
      {"IL", "Edit", "6", 96, 280, 57, 21, true},
      {"IT", "Edit", "6", 96, 328, 57, 21, true},
      {"TL", "Edit", "22", 96, 376, 57, 21, true},
      {"TT", "Edit", "5", 96, 424, 57, 21, true},
      {"TFS", "Edit", "<font face=\"Tahoma\" size=2><b>", 424, 280, 161, 21, true},
      {"TFE", "Edit", "</b></font>", 424, 328, 161, 21, true},
      {"PTL", "Edit", "5", 296, 280, 105, 21, true},
      {"PTT", "Edit", "5", 296, 328, 105, 21, true},
      {"PFS", "Edit", "<font face=Tahoma size=2>", 424, 376, 161, 21, true},
      {"PFE", "Edit", "</font>", 424, 424, 161, 21, true},
      {"MS", "Edit", "15", 296, 376, 105, 21, true},
      {"Save", "Button", "Save", 424, 120, 161, 25, true},
      {"Th", "ComboBox", "Lilac", 464, 224, 121, 21, true},
      {"Open", "Button", "Open", 424, 88, 161, 25, true},
      {"AP", "Button", "Add Panel", 8, 40, 409, 217, false},
      {"New", "Button", "New", 424, 56, 161, 25, true},
      {"saveas", "Button", "Save as", 424, 152, 161, 25, true},
      {"Preview", "Button", "Preview", 424, 184, 161, 25, true},
  };
  for (const Expected& e : controls) ExpectPlaced(Form().Control(e.name), e);
  // The theme list lets the user pick only.
  EXPECT_EQ(GetWindowLongA(C("Th"), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
  EXPECT_EQ(SendMessageA(C("PL"), LB_GETITEMHEIGHT, 0, 0), 13);
  EXPECT_EQ(SendMessageA(C("Th"), CB_GETITEMHEIGHT, 0, 0), 13);
}

TEST_F(Designer, EditorControlsStandInsideTheGroup) {
  Start();
  const Expected controls[] = {
      {"PT", "Edit", "", 8, 48, 169, 21, true},
      {"PI", "Edit", "", 8, 144, 169, 21, true},
      {"PH", "Edit", "", 8, 96, 169, 21, true},
      {"PE", "Button", "Expanded", 8, 184, 169, 17, true},
      {"PD", "Edit", "", 216, 48, 169, 121, true},
      {"OK", "Button", "OK", 232, 176, 75, 25, true},
      {"Cancel", "Button", "Cancel", 312, 176, 75, 25, true},
  };
  for (const Expected& e : controls) {
    ExpectPlaced(Form().Control(e.name), e);
    EXPECT_EQ(GetParent(Form().Control(e.name)), C("AP")) << e.name;
  }
  EXPECT_EQ(SendMessageA(C("PE"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  const LONG memo = GetWindowLongA(C("PD"), GWL_STYLE);
  EXPECT_TRUE(memo & ES_MULTILINE);
  EXPECT_TRUE(memo & WS_HSCROLL);  // no word wrap: lines stay as typed
  EXPECT_TRUE(memo & WS_VSCROLL);
  EXPECT_EQ(GetWindowLongA(C("OK"), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
}

TEST_F(Designer, LabelsSitAboveTheirFieldsAndShowWhatIsBehind) {
  Start();
  std::vector<std::pair<std::string, std::string>> labelled;
  for (const SettingDef& s : kSettings) labelled.emplace_back(s.field, s.label);
  labelled.insert(labelled.end(), {{"PT", "Title"}, {"PH", "Height"}, {"PI", "Icons"}});
  for (const auto& [field, text] : labelled) {
    HWND label = Form().Control(field + ".Label");
    ASSERT_NE(label, nullptr) << field;
    const RECT fieldRect = InParent(C(field.c_str()));
    const RECT labelRect = InParent(label);
    EXPECT_EQ(ui::WindowText(label), text);
    EXPECT_EQ(GetParent(label), GetParent(C(field.c_str()))) << field;
    EXPECT_EQ(labelRect.left, fieldRect.left) << field;
    EXPECT_EQ(labelRect.top, fieldRect.top - 16) << field;
    EXPECT_EQ(labelRect.bottom, fieldRect.top - 3) << field;
    // Sized to the text in the window's font.
    HDC dc = GetDC(label);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    ReleaseDC(label, dc);
    EXPECT_EQ(labelRect.right - labelRect.left, extent.cx) << field;
  }
  // "Theme" and "Data" are not cut in the window's font: at least as wide as the table says,
  // as wide as their text, and never over the control to their right.
  const struct {
    const char* name;
    const char* text;
    int left, top, width, room;
  } captions[] = {{"L4", "Theme", 424, 228, 33, 464 - 424}, {"L2", "Data", 216, 32, 23, 1000}};
  for (const auto& label : captions) {
    const RECT r = InParent(C(label.name));
    HDC dc = GetDC(C(label.name));
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(C(label.name), WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(dc, label.text, lstrlenA(label.text), &extent);
    ReleaseDC(C(label.name), dc);
    EXPECT_EQ(ui::WindowText(C(label.name)), label.text);
    EXPECT_EQ(r.left, label.left) << label.name;
    EXPECT_EQ(r.top, label.top) << label.name;
    EXPECT_EQ(r.bottom - r.top, 13) << label.name;
    EXPECT_EQ(r.right - r.left,
              std::min(std::max(static_cast<LONG>(label.width), extent.cx), LONG{label.room}))
        << label.name;
  }
  for (const char* name : {"AL.Label", "PT.Label", "L4", "L2"}) {
    HDC dc = GetDC(Form().Handle());
    const LRESULT brush =
        SendMessageA(Form().Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(Form().Control(name)));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT) << name;
    ReleaseDC(Form().Handle(), dc);
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH))) << name;
  }
}

TEST_F(Designer, WindowIsABorderlessPopupOwnedByTheApplication) {
  Start();
  HWND window = Form().Handle();
  RECT client, outer;
  GetClientRect(window, &client);
  GetWindowRect(window, &outer);
  EXPECT_EQ(client.right, 601);
  EXPECT_EQ(client.bottom, 463);
  EXPECT_EQ(outer.right - outer.left, 601);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 601) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 463) / 2);
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
  EXPECT_TRUE(GetClassLongA(window, GCL_STYLE) & CS_DBLCLKS);
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  EXPECT_STREQ(className, "TMF");

  HWND owner = GetWindow(window, GW_OWNER);
  EXPECT_EQ(owner, app_->Handle());
  EXPECT_EQ(ui::WindowText(owner), "Orvella");
  EXPECT_EQ(GetWindow(owner, GW_OWNER), nullptr);

  LOGBRUSH background{};
  GetObjectA(reinterpret_cast<HBRUSH>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND)),
             sizeof background, &background);
  EXPECT_EQ(background.lbColor, RGB(235, 226, 241));

  // Two rounded top corners, two square bottom ones.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(window, region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_FALSE(PtInRegion(region, 599, 0));
  EXPECT_TRUE(PtInRegion(region, 5, 0));
  EXPECT_TRUE(PtInRegion(region, 0, 462));
  EXPECT_TRUE(PtInRegion(region, 599, 462));
  DeleteObject(region);
}

TEST_F(Designer, EveryControlUsesTheWindowFont) {
  Start();
  for (auto table : {ui::WindowLayout(), ui::EditorLayout()}) {
    for (const ui::ControlDef& def : table) {
      LOGFONTA font{};
      GetObjectA(reinterpret_cast<HFONT>(SendMessageA(C(def.name), WM_GETFONT, 0, 0)), sizeof font,
                 &font);
      EXPECT_STREQ(font.lfFaceName, "MS Sans Serif") << def.name;
      EXPECT_EQ(font.lfHeight, -11) << def.name;
      EXPECT_EQ(font.lfWeight, FW_NORMAL) << def.name;
    }
  }
}

TEST_F(Designer, TabRunsInStoredOrderSkippingWhatIsHidden) {
  Start();
  const std::vector<std::string> closed = {
      "PL",   "Add", "Edit", "Remove", "Clear",  "MoveUp",  "MoveDown", "TP",  "AL",
      "AT",   "AW",  "AH",   "ZI",     "LS",     "RS",      "TS",       "IL",  "IT",
      "TL",   "TT",  "TFS",  "TFE",    "PTL",    "PTT",     "PFS",      "PFE", "MS",
      "Save", "Th",  "Open", "New",    "saveas", "Preview", "PL"};
  Focus("PL");
  std::vector<std::string> seen = {FocusName()};
  for (size_t i = 1; i < closed.size(); ++i) {
    Key(VK_TAB);
    seen.push_back(FocusName());
  }
  EXPECT_EQ(seen, closed);

  // With the editor open its fields come where the group stands.
  Click("Add");
  Focus("Open");
  seen.clear();
  for (int i = 0; i < 9; ++i) {
    Key(VK_TAB);
    seen.push_back(FocusName());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"PT", "PI", "PH", "PE", "PD", "OK", "Cancel", "New",
                                            "saveas"}));
}

TEST_F(Designer, TabFromMoveDownLandsOnTheThemePathWithItsTextSelected) {
  Start();
  Focus("MoveDown");
  Key(VK_TAB);
  EXPECT_EQ(FocusName(), "TP");
  DWORD from = 1, to = 0;
  SendMessageA(C("TP"), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(to, 8u);  // "zubtheme"
  Key(VK_TAB);
  EXPECT_EQ(FocusName(), "AL");
}

TEST_F(Designer, FieldSelectsItsTextWhenFocusedByProgramButNotByClick) {
  Start();
  DWORD from = 1, to = 0;
  Focus("AW");
  SendMessageA(C("AW"), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(to - from, 3u);  // "250"

  SendMessageA(C("AW"), EM_SETSEL, 1, 1);
  Focus("AH");
  const LPARAM at = MAKELPARAM(50, 10);  // past the text's end
  SendMessageA(C("AW"), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(C("AW"), WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_EQ(FocusName(), "AW");
  SendMessageA(C("AW"), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, to);
}

TEST_F(Designer, FileDialogsFilterScriptsWithTheirOptions) {
  Start();
  for (const ui::FileDialog* dialog : {&Form().SD, &Form().OD}) {
    const char wantedFilter[] = "Java Script (*.js)\0*.js\0";
    EXPECT_EQ(std::string(dialog->filter, sizeof wantedFilter),
              std::string(wantedFilter, sizeof wantedFilter));
    const DWORD wanted = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_ENABLESIZING;
    EXPECT_EQ(dialog->options & wanted, wanted);
    EXPECT_FALSE(dialog->options & OFN_OVERWRITEPROMPT);
  }
  EXPECT_TRUE(Form().SD.save);
  EXPECT_FALSE(Form().OD.save);
  EXPECT_FALSE(Form().SD.options & OFN_FILEMUSTEXIST);
  EXPECT_TRUE(Form().OD.options & OFN_FILEMUSTEXIST);
}

}  // namespace
}  // namespace orv::test
