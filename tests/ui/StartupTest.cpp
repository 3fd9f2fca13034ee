// The designer right after start-up, and the fields that mark the document modified.
#include <windows.h>
// This builds on windows.h.
#include <commctrl.h>

#include <string>

#include "Harness.h"
#include "Settings.h"

namespace orv::test {
namespace {

TEST_F(Designer, StartsWithAnEmptyUnmodifiedDocument) {
  Start({"Lilac", "Azure"});
  EXPECT_FALSE(Doc().modified);
  EXPECT_FALSE(Doc().addingPanel);
  EXPECT_EQ(Doc().fileName, "");
  EXPECT_EQ(ui::WindowText(Form().Handle()), "Orvella - New Script");
  EXPECT_FALSE(Form().EditorShown());
  EXPECT_EQ(SendMessageA(C("PL"), LB_GETCOUNT, 0, 0), 0);
  for (const SettingDef& s : kSettings) {
    EXPECT_EQ(Text(std::string(s.field).c_str()), s.defaultText) << s.field;
    EXPECT_EQ(Doc().Setting(s.field), s.defaultText) << s.field;
  }
  // The first theme folder found is the one selected.
  ASSERT_EQ(Doc().themes.size(), 2u);
  EXPECT_EQ(Doc().themeIndex, 0);
  EXPECT_EQ(SendMessageA(C("Th"), CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(C("Th"), CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(Text("Th"), Doc().themes[0]);
  EXPECT_TRUE(IsWindowVisible(Form().Handle()));
  EXPECT_EQ(FocusName(), "PL");
}

TEST_F(Designer, WithoutThemesTheListIsEmpty) {
  Start({});
  EXPECT_EQ(SendMessageA(C("Th"), CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageA(C("Th"), CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(Doc().ThemeName(), "");
  EXPECT_FALSE(Doc().modified);
}

TEST_F(Designer, ShowCommandMaximisesOrMinimises) {
  Start({}, SW_SHOWMAXIMIZED);
  EXPECT_TRUE(IsZoomed(Form().Handle()));
  TearDown();
  Start({}, SW_SHOWMINNOACTIVE);
  EXPECT_TRUE(IsIconic(app_->Handle()));
  EXPECT_FALSE(IsWindowVisible(Form().Handle()));
  // The task-bar button brings it back.
  ShowWindow(app_->Handle(), SW_RESTORE);
  Pump();
  EXPECT_TRUE(IsWindowVisible(Form().Handle()));
  EXPECT_EQ(ui::WindowText(app_->Handle()), "Orvella");
}

TEST_F(Designer, TypingIntoAnyLayoutFieldMarksTheDocumentModified) {
  Start();
  for (const SettingDef& s : kSettings) {
    Doc().modified = false;
    const std::string field(s.field);
    Focus(field.c_str());
    PostMessageA(GetFocus(), WM_CHAR, '7', 1);
    Pump();
    EXPECT_TRUE(Doc().modified) << field;
    // The document holds what the field shows.
    EXPECT_EQ(Doc().Setting(s.field), Text(field.c_str())) << field;
    EXPECT_EQ(Text(field.c_str()), "7") << field;  // focus selected the whole text
  }
}

TEST_F(Designer, PickingAnotherThemeMarksTheDocumentModified) {
  Start({"Lilac", "Azure"});
  Focus("Th");
  Key(VK_DOWN);
  EXPECT_EQ(SendMessageA(C("Th"), CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Doc().themeIndex, 1);
  EXPECT_TRUE(Doc().modified);
}

TEST_F(Designer, EditorFieldsDoNotMarkTheDocumentModified) {
  Start();
  Click("Add");
  Click("Cancel");
  Doc().modified = false;
  Click("Add");
  Type("PT", "changed");
  Type("PH", "5");
  Type("PD", "text");
  Click("PE");
  EXPECT_FALSE(Doc().modified);
}

BOOL CALLBACK CountTips(HWND window, LPARAM count) {
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

BOOL CALLBACK FindTip(HWND window, LPARAM found) {
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0) *reinterpret_cast<HWND*>(found) = window;
  return TRUE;
}

// A value that would stop the page's script shows at its field, in the warning colour with a
// tooltip saying why, and goes once it is fixed; the document keeps the text as typed.
TEST_F(Designer, ValuesThatWouldBreakThePageShowAtTheirField) {
  Start();
  const auto tips = [] {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTips, reinterpret_cast<LPARAM>(&count));
    return count;
  };
  const auto colour = [&](const char* field) {
    HDC dc = GetDC(C(field));
    SendMessageA(Form().Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(C(field)));
    const COLORREF text = GetTextColor(dc);
    ReleaseDC(C(field), dc);
    return text;
  };
  const auto tipText = [&](const char* field) {
    HWND tip = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindTip, reinterpret_cast<LPARAM>(&tip));
    if (!tip) return std::string("(no tooltip)");
    std::string text(1024, '\0');
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = Form().Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(C(field));
    tool.lpszText = text.data();
    SendMessageA(tip, TTM_GETTEXTA, text.size(), reinterpret_cast<LPARAM>(&tool));
    return std::string(text.c_str());
  };
  const COLORREF plain = colour("AW");
  EXPECT_EQ(tips(), 0) << "no tooltip before a hint needs one";

  Type("AW", "250px");
  const std::string hint =
      "A number is expected here, for example 250. As it stands the page's script stops at "
      "this line.";
  EXPECT_EQ(Form().Hint(SettingIndex("AW")), hint);
  EXPECT_EQ(colour("AW"), RGB(192, 0, 0));
  EXPECT_EQ(colour("AL"), plain);
  // The tooltip control hands back at most 80 characters of its text.
  EXPECT_EQ(tipText("AW"), hint.substr(0, tipText("AW").size()));
  EXPECT_GE(tipText("AW").size(), 79u);
  EXPECT_EQ(Doc().Setting("AW"), "250px");
  EXPECT_TRUE(dialogs_.questions.empty());

  Type("AW", "250+10");
  EXPECT_EQ(Form().Hint(SettingIndex("AW")), "");
  EXPECT_EQ(colour("AW"), plain);
  EXPECT_EQ(tipText("AW"), "");

  // A file opened with such a value shows it too; New clears it.
  ScriptDocument doc;
  doc.Setting("TFS") = "<font face='Arial'>";
  dialogs_.answers.push_back(IDNO);  // Save changes? No
  OpenDocument(doc);
  EXPECT_EQ(Form().Hint(SettingIndex("TFS")).rfind("An apostrophe ends this text early", 0), 0u);
  EXPECT_EQ(colour("TFS"), RGB(192, 0, 0));
  Click("New");
  EXPECT_EQ(Form().Hint(SettingIndex("TFS")), "");
  EXPECT_EQ(colour("TFS"), plain);
}

// The class of the windows whose creation the hook refuses, and how many were refused.
const char* refusedClass = nullptr;
int refused = 0;

LRESULT CALLBACK RefuseCreation(int code, WPARAM w, LPARAM l) {
  if (code == HCBT_CREATEWND) {
    char name[32] = {};
    GetClassNameA(reinterpret_cast<HWND>(w), name, sizeof name);
    if (lstrcmpiA(name, refusedClass) == 0) {
      ++refused;
      return 1;
    }
  }
  return CallNextHookEx(nullptr, code, w, l);
}

BOOL CALLBACK CountMainWindows(HWND window, LPARAM count) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, "TMF") == 0) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// A control that cannot be made ends the window's creation with its reason, leaves no window
// behind, and the next start succeeds.
TEST_F(Designer, AControlThatCannotBeMadeEndsTheStartCleanly) {
  app_ = std::make_unique<ui::Application>();
  const std::pair<const char*, const char*> cases[] = {
      {"LISTBOX", "Cannot create control PL"},
      {"STATIC", "Cannot create the label of TP"},
      {"COMBOBOX", "Cannot create control Th"},
  };
  for (const auto& [windowClass, reason] : cases) {
    refusedClass = windowClass;
    refused = 0;
    HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseCreation, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    std::string what;
    try {
      ui::TMF form(app_->Handle(), dialogs_, folder_.path());
    } catch (const std::runtime_error& failure) {
      what = failure.what();
    }
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(refused, 1) << windowClass;
    EXPECT_EQ(what, reason);
    int windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountMainWindows, reinterpret_cast<LPARAM>(&windows));
    EXPECT_EQ(windows, 0) << windowClass;
  }
  EXPECT_TRUE(dialogs_.questions.empty());
  app_.reset();
  Start();
  ExpectListsMirrored();
}

}  // namespace
}  // namespace orv::test
