// The designer right after start-up, and the fields that mark the document modified.
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

}  // namespace
}  // namespace orv::test
