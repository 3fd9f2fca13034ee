// Enter and Esc: the editor's OK and Cancel while it is shown, nothing while it is hidden.
#include <string>

#include "Harness.h"

namespace orv::test {
namespace {

TEST_F(Designer, EnterAndEscDoNothingWhileTheEditorIsHidden) {
  Start();
  Click("Add");
  Click("OK");
  const auto before = Titles();
  Doc().modified = false;
  for (const char* field : {"AL", "PL", "Th", "TFS"}) {
    Focus(field);
    Key(VK_RETURN);
    Key(VK_ESCAPE);
  }
  EXPECT_EQ(Titles(), before);
  EXPECT_FALSE(Doc().modified);
  EXPECT_FALSE(Form().EditorShown());
  EXPECT_EQ(Text("AL"), "0");
}

TEST_F(Designer, EnterPressesOKAndEscPressesCancelOutsideTheMemo) {
  Start();
  const struct {
    const char* focus;
    WPARAM key;
    bool editorStays;
    size_t panelsAfter;
  } cases[] = {
      {"PT", VK_RETURN, false, 1},  // OK
      {"PH", VK_ESCAPE, false, 0},  // Cancel removes the added panel
      {"PE", VK_RETURN, false, 1},  // a check box is no button
      {"PD", VK_RETURN, true, 1},   // a new line
      {"PD", VK_ESCAPE, true, 1},
      {"Cancel", VK_RETURN, false, 0},  // a focused button takes Enter itself
      {"AL", VK_RETURN, false, 1},      // the layout fields too, while the editor is shown
      {"Add", VK_ESCAPE, false, 0},
  };
  for (const auto& c : cases) {
    Click("Clear");
    Click("Add");
    Focus(c.focus);
    Key(c.key);
    EXPECT_EQ(Form().EditorShown(), c.editorStays) << c.focus;
    EXPECT_EQ(Titles().size(), c.panelsAfter) << c.focus;
    if (Form().EditorShown()) Click("OK");
  }
}

TEST_F(Designer, EnterInTheMemoStartsANewLine) {
  Start();
  Click("Add");
  Focus("PD");
  SendMessageA(C("PD"), EM_SETSEL, 0, 0);
  Key(VK_RETURN);
  EXPECT_TRUE(Form().EditorShown());
  EXPECT_EQ(Text("PD"), "\r\nNew Panel<br>\r\nThis is a new Panel\r\n");
  Click("OK");
  EXPECT_EQ(Doc().PDL.At(0), std::string("\x01New Panel<br>\x01This is a new Panel"));
}

TEST_F(Designer, FocusLeavesTheClosedEditorForTheTitleList) {
  Start();
  Click("Add");
  Focus("PT");
  Key(VK_RETURN);
  EXPECT_FALSE(Form().EditorShown());
  EXPECT_EQ(FocusName(), "PL");
}

}  // namespace
}  // namespace orv::test
