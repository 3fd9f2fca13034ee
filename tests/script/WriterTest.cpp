#include <gtest/gtest.h>

#include "Document.h"
#include "Error.h"
#include "Fixtures.h"
#include "PageCheck.h"
#include "ScriptFile.h"
#include "TestFiles.h"
#include "WriteBuffer.h"

namespace orv {
namespace {

ScriptDocument WorkedExample() {
  ScriptDocument doc;
  doc.themes = {"Plain"};
  doc.themeIndex = 0;
  doc.AppendPanel(NewPanelTexts());
  return doc;
}

std::string Line(const std::string& file, int number) {
  size_t start = 0;
  for (int i = 1; i < number; ++i) start = file.find("\r\n", start) + 2;
  return file.substr(start, file.find("\r\n", start) - start);
}

TEST(Writer, WorkedExampleIsByteForByte) {
  const std::string file = ComposeScriptFile(WorkedExample());
  EXPECT_EQ(file.size(), 993u);
  EXPECT_EQ(file, test::Fixture("worked-example.js"));
}

TEST(Writer, EmptyDocumentWithoutThemeIs924Bytes) {
  const std::string file = ComposeScriptFile(ScriptDocument());
  EXPECT_EQ(file.size(), 924u);
  EXPECT_EQ(file, test::Fixture("empty-no-theme.js"));
}

TEST(Writer, EscapeTable) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"It's here", "It\\'s here"},
      {"a\\b", "a\\\\b"},
      {"\\'", "\\\\\\'"},
      {"''", "\\'\\'"},
      {"", ""},
      {"\"<b>\t\xE9\x01", "\"<b>\t\xE9\x01"},
  };
  for (const auto& c : cases) EXPECT_EQ(EscapeScriptString(c.in), c.out) << c.in;
}

// The room is a bound: a text or an escape that would pass it throws, and what was put stays.
TEST(Writer, TheBufferNeverWritesPastItsRoom) {
  const struct {
    std::string_view first, second;
    Item kind;
  } cases[] = {
      {"abcd", "e", Item::Plain},  {"ab", "cde", Item::Plain},
      {"abc", "'", Item::Escaped},  // the escape's two bytes, one too many
      {"", "a\\bc", Item::Data},   {"abcd", "", Item::Data},
  };
  for (const auto& c : cases) {
    WriteBuffer buffer(4);
    buffer.Put(c.first);
    const std::string before(buffer.View());
    if (c.second.empty()) {
      EXPECT_THROW(buffer.Put('x'), std::length_error) << c.first;
    } else {
      EXPECT_THROW(buffer.PutItem(c.second, c.kind), std::length_error) << c.first << c.second;
    }
    EXPECT_EQ(buffer.View().substr(0, before.size()), before);
    EXPECT_LE(buffer.View().size(), 4u);
  }
}

// Which setting texts stop the page's script, as the writer writes them: only the certain
// ones, and never an expression the author may mean.
TEST(Writer, TextsThatWouldStopThePageAreFlagged) {
  struct Case {
    const char* field;
    const char* text;
    const char* hint;  // the hint's start, or "" for none
  };
  const Case cases[] = {
      {"AW", "250", ""},
      {"AW", " -12.5 ", ""},
      {"AL", "null", ""},
      {"AW", "250+10", ""},
      {"AW", "10 % 3", ""},
      {"AW", "screen.width-300", ""},
      {"AW", "1e3", ""},
      {"AW", "0x1F", ""},
      {"AW", "1_000", ""},
      {"AW", "250.", ""},
      {"AW", "5..toString()", ""},
      {"AW", "a++", ""},
      {"AW", "Math.max(1, [2][0])", ""},
      {"AW", "'250px'", ""},
      {"AW", "\"a)\" + /[')]/.source", ""},
      {"AW", "250 // wide", ""},
      {"AW", "250px", "A number is expected here, for example 250."},
      {"AL", "1.5.2", "A number is expected here, for example 0."},
      {"AW", "0x", "A number is expected here"},
      {"AW", "1e", "A number is expected here"},
      {"AL", "", "A value is expected here, for example 0."},
      {"MS", "  ", "A value is expected here, for example 15."},
      {"AW", "250+", "The value ends in an operator"},
      {"AW", "250 + +", "The value ends in an operator"},
      {"AW", "screen.", "The value ends in an operator"},
      {"AW", "(250", "A quote or bracket is not closed"},
      {"AW", "250)", "A quote or bracket is not closed"},
      {"AW", "[1)", "A quote or bracket is not closed"},
      {"AW", "'250", "A quote or bracket is not closed"},
      {"AW", "/* 250", "A quote or bracket is not closed"},
      {"TFS", "<font face=\"Tahoma\" size=2><b>", ""},
      {"TFS", "<font face=\\'Arial\\'>", ""},
      {"TFS", "a\\\\", ""},
      {"TFS", "<font face='Arial'>", "An apostrophe ends this text early"},
      {"PFE", "a\\\\'b", "An apostrophe ends this text early"},
      {"PFS", "a\\", "A backslash at the end escapes the closing quote"},
      {"TP", "zubtheme", ""},
      {"TP", "zub\\", "A backslash at the end escapes the closing quote"},
      {"TP", "zub\\\\", ""},
  };
  for (const Case& c : cases) {
    const std::string hint = PageBreakHint(SettingIndex(c.field), c.text);
    if (*c.hint == '\0') {
      EXPECT_EQ(hint, "") << c.field << " " << c.text;
    } else {
      EXPECT_EQ(hint.rfind(c.hint, 0), 0u) << c.field << " " << c.text << ": " << hint;
      EXPECT_TRUE(hint.ends_with(" As it stands the page's script stops at this line.")) << hint;
    }
  }
  // Every default, and so every file written from defaults, is clean.
  for (int i = 0; i < kSettingCount; ++i)
    EXPECT_EQ(PageBreakHint(i, kSettings[i].defaultText), "") << kSettings[i].field;
}

TEST(Writer, ArrayItemsAndWhatIsEscaped) {
  ScriptDocument doc;
  doc.AppendPanel(
      {"A", "2\\", "i'c", "yes", std::string("x") + kLineSeparator + kLineSeparator + "y"});
  doc.AppendPanel({"B'", "1'", "\\", "0", std::string("end") + kLineSeparator});
  doc.Setting("TFS") = "it's\\";
  doc.Setting("TP") = "a\\b'";
  doc.Setting("AL") = "250px";
  const std::string file = ComposeScriptFile(doc);
  EXPECT_EQ(Line(file, 1), "var ZUB_PanelsTitle=new Array('A','B\\'');");
  EXPECT_EQ(Line(file, 2), "var ZUB_PanelsHeight=new Array('2\\','1'');");
  EXPECT_EQ(Line(file, 3), "var ZUB_PanelsExpansion=new Array('yes','0');");
  EXPECT_EQ(Line(file, 4), "var ZUB_PanelsIcon=new Array('i\\'c','\\\\');");
  EXPECT_EQ(Line(file, 5), "var ZUB_PanelsData=new Array('x\\n\\ny','end\\n');");
  EXPECT_EQ(Line(file, 6), "var ZUB_AreaLeft=250px;");
  EXPECT_EQ(Line(file, 18), "var ZUB_TitlesFontStart='it's\\';");
  EXPECT_EQ(Line(file, 25), "var ZUB_ThemePath='a\\b'\\\\';");
}

TEST(Writer, EmptyFieldsKeepEveryLine) {
  ScriptDocument doc;
  for (auto& text : doc.settings) text.clear();
  const std::string file = ComposeScriptFile(doc);
  EXPECT_EQ(Line(file, 6), "var ZUB_AreaLeft=;");
  EXPECT_EQ(Line(file, 19), "var ZUB_TitlesFontEnd='';");
  EXPECT_EQ(Line(file, 25), "var ZUB_ThemePath='\\\\';");
  EXPECT_EQ(Line(file, 26), "//");
  size_t lines = 0;
  for (size_t at = file.find("\r\n"); at != std::string::npos; at = file.find("\r\n", at + 2))
    ++lines;
  EXPECT_EQ(lines, 28u);
  EXPECT_EQ(file.substr(file.size() - 2), "\r\n");
}

TEST(Writer, ShortParallelListFailsBeforeTheFileIsTouched) {
  test::TempFolder dir;
  const std::string path = dir / "s.js";
  test::WriteBytes(path, "old content");
  ScriptDocument doc;
  for (const char* t : {"a", "b", "c"}) doc.PL.Append(t);
  for (PanelList* list : {&doc.PIL, &doc.PEL, &doc.PDL})
    for (int i = 0; i < 3; ++i) list->Append("x");
  doc.PHL.Append("1");
  doc.PHL.Append("2");
  try {
    WriteScriptFile(doc, path);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (2)");
  }
  EXPECT_EQ(test::ReadBytes(path), "old content");
  EXPECT_EQ(test::ListingOf(dir.path()), "s.js ");
}

TEST(Writer, ExtraEntriesBeyondTitlesAreNotWritten) {
  ScriptDocument doc;
  doc.AppendPanel({"a", "1", "i", "1", "d"});
  doc.AppendPanel({"b", "2", "i", "1", "d"});
  doc.PHL.Append("3");
  EXPECT_EQ(Line(ComposeScriptFile(doc), 2), "var ZUB_PanelsHeight=new Array('1','2');");
}

TEST(Writer, SavingOverALongerFileLeavesNoTrace) {
  test::TempFolder dir;
  const std::string path = dir / "s.js";
  test::WriteBytes(path, std::string(5000, 'z'));
  WriteScriptFile(WorkedExample(), path);
  EXPECT_EQ(test::ReadBytes(path), test::Fixture("worked-example.js"));
  EXPECT_EQ(test::ListingOf(dir.path()), "s.js ");
}

}  // namespace
}  // namespace orv
