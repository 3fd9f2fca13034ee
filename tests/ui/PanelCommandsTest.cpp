// The panel buttons, the title list and the panel editor.
#include <string>
#include <vector>

#include "Harness.h"

namespace orv::test {
namespace {

using Texts = std::vector<std::string>;
const std::string kSep(1, '\x01');

const std::vector<Panel> kThree = {
    {"One", "10", "a.gif", "1", "first"},
    {"Two", "20", "b.gif", "0", "second" + kSep + "line"},
    {"Three", "30", "c.gif", "yes", ""},
};

TEST_F(Designer, AddThenOKAppendsTheNewPanel) {
  Start();
  OpenDocument(DocumentWith(kThree));
  ClickTitle(0);
  Click("Add");
  EXPECT_TRUE(Doc().addingPanel);
  EXPECT_FALSE(Doc().modified);  // adding alone changes nothing yet
  EXPECT_TRUE(Form().EditorShown());
  EXPECT_EQ(FocusName(), "PT");
  EXPECT_EQ(Text("PD"), "New Panel<br>\r\nThis is a new Panel\r\n");
  Click("OK");
  EXPECT_FALSE(Form().EditorShown());
  EXPECT_FALSE(Doc().addingPanel);
  EXPECT_TRUE(Doc().modified);
  EXPECT_EQ(Doc().PL.Selected(), 3);
  EXPECT_EQ(Doc().PL.At(3), "New Panel");
  EXPECT_EQ(Doc().PHL.At(3), "200");
  EXPECT_EQ(Doc().PIL.At(3), "ico.gif");
  EXPECT_EQ(Doc().PEL.At(3), "1");
  EXPECT_EQ(Doc().PDL.At(3), "New Panel<br>" + kSep + "This is a new Panel");
  ExpectListsMirrored();
}

TEST_F(Designer, AddThenCancelLeavesTheListsAsBeforeWithTheLastSelected) {
  Start();
  Click("Add");
  Click("Cancel");
  EXPECT_TRUE(Titles().empty());
  EXPECT_EQ(Doc().PL.Selected(), -1);
  EXPECT_TRUE(Doc().modified);

  dialogs_.answers = {IDNO};  // to "Save changes?"
  OpenDocument(DocumentWith(kThree));
  ClickTitle(0);
  Click("Add");
  Type("PT", "typed");
  Click("Cancel");
  EXPECT_EQ(Titles(), (Texts{"One", "Two", "Three"}));
  EXPECT_EQ(Doc().PL.Selected(), 2);
  EXPECT_TRUE(Doc().modified);
  EXPECT_FALSE(Doc().addingPanel);
  EXPECT_FALSE(Form().EditorShown());
  ExpectListsMirrored();
}

TEST_F(Designer, CancelAfterAddRemovesTheAddedPanelWhereverTheSelectionWent) {
  Start();
  const struct {
    const char* name;
    std::vector<const char*> steps;  // after Add, before Cancel
    Texts titles;
    int selected;
  } cases[] = {
      {"selection moved by key", {"key:Home"}, {"One", "Two", "Three"}, 2},
      {"another panel edited", {"key:Home", "Edit"}, {"One", "Two", "Three"}, 2},
      {"added panel moved up", {"MoveUp", "MoveUp"}, {"One", "Two", "Three"}, 1},
      {"panel above removed", {"key:Home", "Remove"}, {"Two", "Three"}, 1},
      {"added panel removed", {"Remove"}, {"One", "Two", "Three"}, 2},
      {"panels replaced", {"Open", "key:Home"}, {"One", "Two", "Three"}, 0},
  };
  for (const auto& c : cases) {
    dialogs_.answers = {IDNO, IDNO};
    OpenDocument(DocumentWith(kThree));
    Click("Add");
    for (const std::string step : c.steps) {
      if (step == "key:Home") {
        Focus("PL");
        Key(VK_HOME);
      } else if (step == "Open") {
        OpenDocument(DocumentWith(kThree));
      } else {
        Click(step.c_str());
      }
    }
    Click("Cancel");
    EXPECT_EQ(Titles(), c.titles) << c.name;
    EXPECT_EQ(Doc().PL.Selected(), c.selected) << c.name;
    EXPECT_TRUE(Doc().modified) << c.name;
    EXPECT_FALSE(Doc().addingPanel) << c.name;
    ExpectListsMirrored();
  }
}

TEST_F(Designer, EditThenOKKeepsTheTextsButTurnsOtherFlagsIntoZero) {
  Start();
  OpenDocument(DocumentWith(kThree));
  for (int i = 0; i < 3; ++i) {
    ClickTitle(i);
    Click("Edit");
    EXPECT_EQ(SendMessageA(C("PE"), BM_GETCHECK, 0, 0) == BST_CHECKED, i == 0);
    Click("OK");
  }
  EXPECT_EQ(Doc().PEL.Items(), (Texts{"1", "0", "0"}));
  EXPECT_EQ(Doc().PHL.Items(), (Texts{"10", "20", "30"}));
  EXPECT_EQ(Doc().PDL.Items(), (Texts{"first", "second" + kSep + "line", ""}));
  EXPECT_EQ(Titles(), (Texts{"One", "Two", "Three"}));
  EXPECT_TRUE(Doc().modified);
  ExpectListsMirrored();
}

TEST_F(Designer, DataSurvivesEditAndOKUnchanged) {
  Start();
  const Texts data = {"",         "a" + kSep, "a" + kSep + kSep + "b",
                      "one line", kSep + "x", std::string(70000, 'd') + kSep + "end"};
  std::vector<Panel> panels;
  for (const std::string& d : data) panels.push_back({"T", "1", "i", "1", d});
  OpenDocument(DocumentWith(panels));
  for (int i = 0; i < static_cast<int>(data.size()); ++i) {
    ClickTitle(i);
    Click("Edit");
    Click("OK");
  }
  EXPECT_EQ(Doc().PDL.Items(), data);
  ExpectListsMirrored();
}

TEST_F(Designer, HeightRuleDecidesWhetherOKStores) {
  Start();
  const struct {
    const char* height;
    bool accepted;
  } cases[] = {
      {" 12", true},         {"12 ", false}, {"$1F", true},        {"0x1f", true},
      {"-0", true},          {"+5", true},   {"2147483647", true}, {"2147483648", false},
      {"-2147483648", true}, {"", false},    {" ", false},         {"1.5", false},
  };
  for (const auto& c : cases) {
    Click("Clear");
    Click("Add");
    Doc().modified = false;
    dialogs_.questions.clear();
    Type("PT", "edited");
    Type("PH", c.height);
    Focus("PT");
    Click("OK");
    if (c.accepted) {
      EXPECT_TRUE(dialogs_.questions.empty()) << c.height;
      EXPECT_FALSE(Form().EditorShown()) << c.height;
      EXPECT_EQ(Doc().PHL.At(0), c.height) << "stored as typed";
      EXPECT_EQ(Doc().PL.At(0), "edited");
      EXPECT_TRUE(Doc().modified);
      EXPECT_FALSE(Doc().addingPanel);
      continue;
    }
    ASSERT_EQ(dialogs_.questions.size(), 1u) << c.height;
    const auto& q = dialogs_.questions[0];
    EXPECT_EQ(q.text, std::string("'").append(c.height).append("' is not a valid integer value"));
    EXPECT_EQ(q.title, "Error");
    EXPECT_EQ(q.type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    // Nothing stored; the editor stays open on the height, its text selected.
    EXPECT_TRUE(Form().EditorShown());
    EXPECT_EQ(Doc().PHL.At(0), "200");
    EXPECT_EQ(Doc().PL.At(0), "New Panel");
    EXPECT_FALSE(Doc().modified);
    EXPECT_TRUE(Doc().addingPanel);
    EXPECT_EQ(FocusName(), "PH");
    DWORD from = 1, to = 0;
    SendMessageA(C("PH"), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, std::string(c.height).size());
    EXPECT_EQ(Text("PT"), "edited");
    Click("Cancel");
    EXPECT_TRUE(Titles().empty()) << "Cancel after a refused Add removes the panel";
  }
}

TEST_F(Designer, AfterARefusedHeightCancelKeepsAndOKStoresEverything) {
  Start();
  OpenDocument(DocumentWith(kThree));
  ClickTitle(1);
  Click("Edit");
  Type("PT", "Deux");
  Type("PH", "x");
  Click("OK");
  Click("Cancel");
  EXPECT_EQ(Doc().PL.At(1), "Two");
  EXPECT_EQ(Doc().PHL.At(1), "20");
  EXPECT_FALSE(Doc().modified);

  Click("Edit");
  Type("PT", "Deux");
  Type("PH", "x");
  Type("PI", "d.gif");
  Type("PD", "l1\r\nl2\r\n");
  Click("PE");
  Click("OK");
  Type("PH", "22");
  Click("OK");
  EXPECT_FALSE(Form().EditorShown());
  EXPECT_EQ(Doc().PL.At(1), "Deux");
  EXPECT_EQ(Doc().PHL.At(1), "22");
  EXPECT_EQ(Doc().PIL.At(1), "d.gif");
  EXPECT_EQ(Doc().PEL.At(1), "1");
  EXPECT_EQ(Doc().PDL.At(1), "l1" + kSep + "l2");
  ExpectListsMirrored();
}

TEST_F(Designer, KeyboardSelectionChangeWhileEditingRedirectsOK) {
  Start();
  OpenDocument(DocumentWith(kThree));
  ClickTitle(0);
  Click("Edit");
  Type("PT", "Edited");
  Focus("PL");
  Key(VK_DOWN);
  EXPECT_EQ(Doc().PL.Selected(), 1);
  EXPECT_EQ(Doc().PDL.Selected(), 1);
  EXPECT_EQ(Text("PT"), "Edited");  // the editor is not reloaded
  Click("OK");
  EXPECT_EQ(Titles(), (Texts{"One", "Edited", "Three"}));
  EXPECT_EQ(Doc().PHL.Items(), (Texts{"10", "10", "30"}));
  EXPECT_EQ(Doc().PDL.At(1), "first");
  ExpectListsMirrored();
}

TEST_F(Designer, NewWhileAddingKeepsTheEditorOpen) {
  Start();
  for (const bool ok : {false, true}) {
    OpenDocument(DocumentWith(kThree));
    Click("Add");
    Type("PT", "Kept");
    Click("New");
    EXPECT_TRUE(dialogs_.questions.empty()) << "nothing to save";
    EXPECT_TRUE(Titles().empty());
    EXPECT_TRUE(Form().EditorShown());
    EXPECT_TRUE(Doc().addingPanel);
    EXPECT_FALSE(Doc().modified);
    Click(ok ? "OK" : "Cancel");
    EXPECT_TRUE(Doc().modified);
    EXPECT_FALSE(Form().EditorShown());
    if (ok) {
      EXPECT_EQ(Titles(), (Texts{"Kept"}));
      EXPECT_EQ(Doc().PHL.Items(), (Texts{"200"}));
      EXPECT_EQ(Doc().PL.Selected(), -1);
    } else {
      EXPECT_TRUE(Titles().empty());
    }
    ExpectListsMirrored();
    Doc().modified = false;
  }
}

TEST_F(Designer, OpenWhileAddingKeepsTheEditorOpen) {
  Start();
  for (const bool ok : {false, true}) {
    Click("Add");
    Type("PT", "Kept");
    OpenDocument(DocumentWith(kThree));
    EXPECT_EQ(Titles(), (Texts{"One", "Two", "Three"}));
    EXPECT_EQ(Doc().PL.Selected(), -1);
    EXPECT_TRUE(Form().EditorShown());
    EXPECT_EQ(Text("PT"), "Kept");
    EXPECT_FALSE(Doc().modified);
    Click(ok ? "OK" : "Cancel");
    EXPECT_TRUE(Doc().modified);
    if (ok)
      EXPECT_EQ(Titles(), (Texts{"One", "Two", "Three", "Kept"}));
    else
      EXPECT_EQ(Titles(), (Texts{"One", "Two", "Three"}));
    ExpectListsMirrored();
    Doc().modified = false;
  }
}

TEST_F(Designer, CommandsThatChangeNothingStillMarkModified) {
  Start();
  OpenDocument(DocumentWith(kThree));
  const struct {
    int select;
    const char* button;
  } cases[] = {{0, "MoveUp"}, {2, "MoveDown"}, {-1, "Remove"}, {-1, "MoveUp"}, {-1, "MoveDown"}};
  for (const auto& c : cases) {
    Doc().modified = false;
    if (c.select >= 0)
      ClickTitle(c.select);
    else {
      SendMessageA(C("PL"), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
      SendMessageA(Form().Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(C("PL")), LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(C("PL")));
    }
    Click(c.button);
    EXPECT_EQ(Titles(), (Texts{"One", "Two", "Three"})) << c.button;
    EXPECT_TRUE(Doc().modified) << c.button;
    ExpectListsMirrored();
  }
  Click("Clear");
  Doc().modified = false;
  Click("Clear");
  EXPECT_TRUE(Doc().modified);
  Click("Edit");
  EXPECT_FALSE(Form().EditorShown());
}

TEST_F(Designer, TitleClickKeepsTheFiveListsOnOnePanel) {
  Start();
  OpenDocument(DocumentWith(kThree));
  ClickTitle(0);
  Click("MoveDown");
  EXPECT_EQ(Titles(), (Texts{"Two", "One", "Three"}));
  EXPECT_EQ(Doc().PHL.Items(), (Texts{"20", "10", "30"}));
  EXPECT_EQ(Doc().PDL.Selected(), 1);
  ClickTitle(2);
  Click("MoveUp");
  EXPECT_EQ(Doc().PIL.Items(), (Texts{"b.gif", "c.gif", "a.gif"}));
  Click("Remove");
  EXPECT_EQ(Titles(), (Texts{"Two", "One"}));
  EXPECT_EQ(Doc().PEL.Items(), (Texts{"0", "1"}));
  EXPECT_EQ(Doc().PL.Selected(), 1);
  ExpectListsMirrored();
  // A double click is only a click.
  ClickTitle(0);
  RECT item{};
  SendMessageA(C("PL"), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  SendMessageA(C("PL"), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, item.top + 3));
  SendMessageA(C("PL"), WM_LBUTTONUP, 0, MAKELPARAM(5, item.top + 3));
  Pump();
  EXPECT_FALSE(Form().EditorShown());
  EXPECT_EQ(Doc().PHL.Selected(), 0);
}

TEST_F(Designer, EditorCoversTheTitleListAndThePanelButtons) {
  Start();
  Click("Add");
  RECT group;
  GetWindowRect(C("AP"), &group);
  for (const char* name : {"PL", "Add", "Edit", "Remove", "Clear", "MoveUp", "MoveDown"}) {
    RECT r;
    GetWindowRect(C(name), &r);
    EXPECT_TRUE(r.left >= group.left && r.right <= group.right && r.top >= group.top &&
                r.bottom <= group.bottom)
        << name;
    // The group is the topmost control there and does not let the mouse through.
    POINT centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    const LPARAM screen = MAKELPARAM(centre.x, centre.y);
    ScreenToClient(Form().Handle(), &centre);
    EXPECT_EQ(ChildWindowFromPointEx(Form().Handle(), centre, CWP_SKIPINVISIBLE), C("AP")) << name;
    EXPECT_EQ(SendMessageA(C("AP"), WM_NCHITTEST, 0, screen), HTCLIENT) << name;
  }
}

}  // namespace
}  // namespace orv::test
