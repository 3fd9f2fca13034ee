#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "Document.h"
#include "Error.h"

namespace orv {
namespace {

PanelList ListOf(std::vector<std::string> items, int selected) {
  PanelList list;
  for (auto& item : items) list.Append(item);
  list.Select(selected);
  return list;
}

struct MoveCase {
  const char* name;
  std::vector<std::string> before;
  int selected;
  enum { Up, Down, Remove } op;
  int places;
  std::vector<std::string> after;
  int selectedAfter;
};

class ListOperation : public testing::TestWithParam<MoveCase> {};

TEST_P(ListOperation, GivesOrderAndSelection) {
  const MoveCase& c = GetParam();
  PanelList list = ListOf(c.before, c.selected);
  switch (c.op) {
    case MoveCase::Up: list.MoveSelectedUp(c.places); break;
    case MoveCase::Down: list.MoveSelectedDown(c.places); break;
    case MoveCase::Remove: list.RemoveSelected(); break;
  }
  EXPECT_EQ(list.Items(), c.after);
  EXPECT_EQ(list.Selected(), c.selectedAfter);
}

const std::vector<std::string> XYZ = {"X", "Y", "Z"};

INSTANTIATE_TEST_SUITE_P(
    Cases, ListOperation,
    testing::Values(MoveCase{"FirstUp", XYZ, 0, MoveCase::Up, 1, XYZ, 0},
                    MoveCase{"LastDown", XYZ, 2, MoveCase::Down, 1, XYZ, 2},
                    MoveCase{"LastUpOne", XYZ, 2, MoveCase::Up, 1, {"X", "Z", "Y"}, 1},
                    MoveCase{"LastUpClamped", XYZ, 2, MoveCase::Up, 5, {"Z", "X", "Y"}, 0},
                    MoveCase{"FirstDownOne", XYZ, 0, MoveCase::Down, 1, {"Y", "X", "Z"}, 1},
                    MoveCase{"FirstDownClamped", XYZ, 0, MoveCase::Down, 5, {"Y", "Z", "X"}, 2},
                    MoveCase{"RemoveMiddle", XYZ, 1, MoveCase::Remove, 0, {"X", "Z"}, 1},
                    MoveCase{"RemoveLast", XYZ, 2, MoveCase::Remove, 0, {"X", "Y"}, 1},
                    MoveCase{"RemoveOnly", {"X"}, 0, MoveCase::Remove, 0, {}, -1},
                    MoveCase{"UpUnselected", XYZ, -1, MoveCase::Up, 1, XYZ, -1},
                    MoveCase{"DownUnselected", XYZ, -1, MoveCase::Down, 1, XYZ, -1},
                    MoveCase{"RemoveUnselected", XYZ, -1, MoveCase::Remove, 0, XYZ, -1},
                    MoveCase{"UpEmpty", {}, -1, MoveCase::Up, 1, {}, -1},
                    MoveCase{"DownEmpty", {}, -1, MoveCase::Down, 1, {}, -1},
                    MoveCase{"RemoveEmpty", {}, -1, MoveCase::Remove, 0, {}, -1}),
    [](const testing::TestParamInfo<MoveCase>& info) { return std::string(info.param.name); });

TEST(PanelList, PositionsOutsideTheListAreRefusedOrUnselect) {
  PanelList list = ListOf(XYZ, 1);
  list.Select(3);
  EXPECT_EQ(list.Selected(), -1);
  list.Select(-7);
  EXPECT_EQ(list.Selected(), -1);

  try {
    list.At(3);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (3)");
  }
  EXPECT_THROW(list.Put(4, "w"), Error);
  list.Put(-1, "W");  // appends
  list.Put(0, "V");
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"V", "Y", "Z", "W"}));
}

TEST(PanelList, AppendAndPutKeepTheSelectionAssignDropsIt) {
  PanelList list = ListOf(XYZ, 2);
  list.Append("W");
  list.Put(2, "z");
  EXPECT_EQ(list.Selected(), 2);
  list.Assign({"a"});
  EXPECT_EQ(list.Selected(), -1);
  list.Select(0);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Selected(), -1);
}

TEST(ScriptDocument, ResetEqualsAFreshDocumentAndKeepsTheCatalogue) {
  ScriptDocument fresh;
  fresh.themes = {"Plain", "Blue"};
  fresh.themeIndex = 0;

  ScriptDocument used = fresh;
  used.PL.Append("t");
  used.PDL.Append("d");
  used.PL.Select(0);
  for (auto& text : used.settings) text = "x";
  used.SelectTheme("BLUE");
  EXPECT_EQ(used.ThemeName(), "Blue");
  used.fileName = "C:\\a.js";
  used.modified = true;
  used.addingPanel = true;

  used.ResetToDefaults();
  EXPECT_EQ(used.PL, fresh.PL);
  EXPECT_EQ(used.PDL, fresh.PDL);
  EXPECT_EQ(used.settings, fresh.settings);
  EXPECT_EQ(used.ThemeName(), "Plain");
  EXPECT_EQ(used.fileName, "");
  EXPECT_FALSE(used.modified);
  EXPECT_TRUE(used.addingPanel);
  EXPECT_EQ(used.themes, fresh.themes);
}

TEST(ScriptDocument, DefaultsOfTheTwentySettings) {
  const ScriptDocument doc;
  EXPECT_EQ(doc.Setting("AL"), "0");
  EXPECT_EQ(doc.Setting("TFS"), "<font face=\"Tahoma\" size=2><b>");
  EXPECT_EQ(doc.Setting("PFS"), "<font face=Tahoma size=2>");
  EXPECT_EQ(doc.Setting("TP"), "zubtheme");
  EXPECT_EQ(doc.ThemeName(), "");
  EXPECT_FALSE(doc.modified);
  EXPECT_FALSE(doc.addingPanel);
}

TEST(ScriptDocument, ThemeLookupIgnoresCaseAndMissesLeaveNone) {
  ScriptDocument doc;
  doc.themes = {"Plain", "Blue", "plain"};
  doc.SelectTheme("pLAIN");
  EXPECT_EQ(doc.themeIndex, 0);
  doc.SelectTheme("Green");
  EXPECT_EQ(doc.themeIndex, -1);
  EXPECT_EQ(doc.ThemeName(), "");
  doc.SelectTheme("");
  EXPECT_EQ(doc.themeIndex, -1);
}

// A view that applies each reported change to a copy of its own, as the window's list does.
class ShadowView final : public PanelListView {
 public:
  std::vector<std::string> items;
  int selected = -1;
  void Changed(const PanelList& list, const ListChange& c) override {
    switch (c.kind) {
      case ListChange::Inserted: items.insert(items.begin() + c.index, list.At(c.index)); break;
      case ListChange::Removed: items.erase(items.begin() + c.index); break;
      case ListChange::Replaced: items[c.index] = list.At(c.index); break;
      case ListChange::Moved: {
        const std::string moved = items[c.index];
        items.erase(items.begin() + c.index);
        items.insert(items.begin() + c.to, moved);
        break;
      }
      case ListChange::Reset:
        items = list.Items();
        selected = list.Selected();
        break;
      case ListChange::Selected: selected = c.index; break;
    }
  }
};

// Random panel commands: the title list's view, fed only the reported changes, always shows
// PL, and the added panel is followed wherever it goes until it is removed.
TEST(ScriptDocument, ViewsFollowEveryCommandAndTheAddedPanelIsFollowed) {
  std::mt19937 rng(7);
  ScriptDocument doc;
  ShadowView view;
  doc.PL.Bind(&view);
  int next = 0;
  std::string added;  // the added panel's title, while it is the added one
  for (int step = 0; step < 3000; ++step) {
    const std::string title = "p" + std::to_string(next++);
    switch (rng() % 9) {
      case 0:
        doc.AddPanel({title, "1", "i", "1", "d"});
        added = title;
        break;
      case 1: doc.AppendPanel({title, "1", "i", "0", ""}); break;
      case 2:
        if (doc.PL.Selected() >= 0 && doc.PL.At(doc.PL.Selected()) == added) added.clear();
        doc.RemovePanel();
        break;
      case 3: doc.MovePanelUp(); break;
      case 4: doc.MovePanelDown(); break;
      case 5: doc.SelectPanel(static_cast<int>(rng() % (doc.PL.Count() + 2)) - 1); break;
      case 6:
        if (doc.PL.Selected() >= 0 && doc.PL.At(doc.PL.Selected()) == added) added = title;
        doc.StorePanel({title, "2", "j", "0", "e"});
        break;
      case 7:
        if (rng() % 8 == 0) {
          doc.ClearPanels();
          added.clear();
        }
        break;
      default:
        if (rng() % 20 == 0) {
          doc.ReplacePanels({{{"a", "b"}, {"1", "2"}, {"i", "j"}, {"1", "0"}, {"x", "y"}}});
          added.clear();
        }
        break;
    }
    ASSERT_EQ(view.items, doc.PL.Items()) << "step " << step;
    ASSERT_EQ(view.selected, doc.PL.Selected()) << "step " << step;
    for (const PanelList* list : doc.Lists()) {
      ASSERT_EQ(list->Count(), doc.PL.Count()) << "step " << step;
      ASSERT_EQ(list->Selected(), doc.PL.Selected()) << "step " << step;
    }
    const int at = doc.AddedPanel();
    ASSERT_EQ(at >= 0 ? doc.PL.At(at) : "", added) << "step " << step;
  }
  doc.EndAdding();
  EXPECT_EQ(doc.AddedPanel(), -1);
  EXPECT_FALSE(doc.addingPanel);
}

TEST(Caption, NamesTheFileAfterItsLastBackslashOrColon) {
  EXPECT_EQ(CaptionFor(""), "Orvella - New Script");
  EXPECT_EQ(CaptionFor("C:\\web\\menu.js"), "Orvella - menu.js");
  EXPECT_EQ(CaptionFor("C:menu.js"), "Orvella - menu.js");
  EXPECT_EQ(CaptionFor("menu.js"), "Orvella - menu.js");
  EXPECT_EQ(CaptionFor("C:\\web\\"), "Orvella - ");
}

}  // namespace
}  // namespace orv
