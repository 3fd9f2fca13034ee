#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Document.h"
#include "Error.h"
#include "Fixtures.h"
#include "Platform.h"
#include "ScriptFile.h"
#include "TestFiles.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

namespace orv {
namespace {

using Lines = std::vector<std::string>;

Lines LinesOf(const std::string& file) {
  Lines lines;
  for (const auto line : SplitScriptLines(file)) lines.emplace_back(line);
  return lines;
}

std::string Join(const Lines& lines, const std::string& end = "\r\n") {
  std::string out;
  for (const auto& line : lines) out += line + end;
  return out;
}

// A written file (no panels, defaults) with one line replaced; lines count from 1.
std::string WithLine(int number, const std::string& text) {
  Lines lines = LinesOf(ComposeScriptFile(ScriptDocument()));
  lines[number - 1] = text;
  return Join(lines);
}

ScriptDocument ThemedDocument() {
  ScriptDocument doc;
  doc.themes = {"Plain", "Blue"};
  doc.themeIndex = 0;
  return doc;
}

std::string Message(const std::exception& e) { return e.what(); }

TEST(Reader, WrittenDocumentsReadBackEqual) {
  ScriptDocument doc = ThemedDocument();
  const std::string sep(1, kLineSeparator);
  const PanelTexts panels[] = {
      {"It's <b>\\bold\\</b>", "2\\", "ic'on\\x.gif", "yes", "one" + sep + "two" + sep},
      {"\xE9t\xE9 \xFF\x80", "abc", "", "0", "typed \\n stays" + sep + sep + "'q'"},
      {"", "", "\\", "1", ""},
  };
  for (const PanelTexts& p : panels) doc.AppendPanel(p);
  doc.Setting("TFS") = "<font face='x\\y'>";
  doc.Setting("TP") = "a'b\\c";
  doc.Setting("AL") = "\xE9";
  doc.SelectTheme("Blue");

  test::TempFolder dir;
  const std::string path = dir / "round.js";
  WriteScriptFile(doc, path);

  ScriptDocument read = ThemedDocument();
  read.PL.Append("old");
  read.modified = true;
  read.addingPanel = true;
  ReadScriptFile(read, path);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(read.Lists()[i]->Items(), doc.Lists()[i]->Items()) << i;
  EXPECT_EQ(read.PL.Selected(), -1);
  EXPECT_EQ(read.settings, doc.settings);
  EXPECT_EQ(read.ThemeName(), "Blue");
  EXPECT_EQ(read.fileName, path);
  EXPECT_FALSE(read.modified);
  EXPECT_TRUE(read.addingPanel);
}

TEST(Reader, LineSplitting) {
  const struct {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
      {"a\n\rb", {"a", "", "b"}},
      {"\n\n", {"", ""}},
      {"a\r\r\nb", {"a", "", "b"}},
      {std::string("a\nb\0c\nd", 7), {"a", "b"}},
      {std::string("\0a", 2), {}},
      {" \t x \t\n", {" \t x \t"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(LinesOf(c.bytes), c.lines) << testing::PrintToString(c.bytes);
}

TEST(Reader, AnyLineEndsReadLikeCrLf) {
  const std::string crlf = test::Fixture("worked-example.js");
  const ScriptContent expected = ParseScriptFile(crlf);
  for (const std::string end : {"\n", "\r", "\n\r\n"}) {
    std::string other = end == "\n\r\n" ? "" : Join(LinesOf(crlf), end);
    if (other.empty()) {  // a mixture
      const Lines lines = LinesOf(crlf);
      for (size_t i = 0; i < lines.size(); ++i)
        other += lines[i] + (i % 3 == 0 ? "\n" : i % 3 == 1 ? "\r" : "\r\n");
    }
    const ScriptContent got = ParseScriptFile(other);
    EXPECT_EQ(got.titles, expected.titles);
    EXPECT_EQ(got.data, expected.data);
    EXPECT_EQ(got.settings, expected.settings);
    EXPECT_EQ(got.themeName, "Plain");
  }
  EXPECT_EQ(expected.titles, Lines{"New Panel"});
  EXPECT_EQ(expected.data,
            Lines{std::string("New Panel<br>") + kLineSeparator + "This is a new Panel"});
}

TEST(Reader, ArrayItemScanning) {
  const std::string t = "var ZUB_PanelsTitle=new Array(";
  const std::string h = "var ZUB_PanelsHeight=new Array(";
  const std::string d = "var ZUB_PanelsData=new Array(";
  const std::string sep(1, kLineSeparator);
  const struct {
    int line;
    std::string payload;
    Lines items;
  } cases[] = {
      {1, "", {}},
      {1, "''", {""}},
      {1, "'a\\Nb'", {"aNb"}},
      {1, "'a\\tb'", {"atb"}},
      {5, "'a\\Nb'", {"a" + sep + "b"}},
      {5, "'a\\nb','\\\\n'", {"a" + sep + "b", "\\n"}},
      {5, "'a\\tb'", {"atb"}},
      {1, "'a','b", {"a"}},
      {1, "'a' junk 'b'", {"a", "b"}},
      {1, "\"a\",\"b\"", {}},
      {1, "'it\\'s','\\\\'", {"it's", "\\"}},
      // An escape between items still holds for the first character of the next one.
      {1, "\\'\\'b'", {"\\"}},
      {2, "'2\\','1'", {"2\\", "1"}},
      {2, "'a\\'b'", {"a\\"}},
  };
  for (const auto& c : cases) {
    const std::string prefix = c.line == 1 ? t : c.line == 2 ? h : d;
    const ScriptContent got = ParseScriptFile(WithLine(c.line, prefix + c.payload + ");"));
    const Lines& items = c.line == 1 ? got.titles : c.line == 2 ? got.heights : got.data;
    EXPECT_EQ(items, c.items) << "line " << c.line << ": " << c.payload;
  }
}

TEST(Reader, CutsByCountOnly) {
  EXPECT_EQ(ParseScriptFile(WithLine(6, "var ZUB_AreaLeft = 5;")).settings[0], "= 5");
  EXPECT_EQ(ParseScriptFile(WithLine(25, "var ZUB_ThemePath='abc")).settings[19], "abc");
  EXPECT_EQ(ParseScriptFile(WithLine(25, "short")).settings[19], "");
  EXPECT_EQ(ParseScriptFile(WithLine(26, "//plain")).themeName, "plain");
  EXPECT_EQ(ParseScriptFile(WithLine(26, "/")).themeName, "");
  EXPECT_EQ(
      ParseScriptFile(WithLine(18, "var ZUB_TitlesFontStart='<b class='x'>\\';")).settings[12],
      "<b class='x'>\\");
}

TEST(Reader, ExtraLineAtTheTopShiftsEveryValue) {
  const std::string worked = test::Fixture("worked-example.js");
  const Lines lines = LinesOf(worked);
  const ScriptContent got = ParseScriptFile("\r\n" + worked);
  EXPECT_TRUE(got.titles.empty());
  EXPECT_EQ(got.settings[0], lines[4].substr(17, lines[4].size() - 18));  // AL reads the data line
  EXPECT_EQ(got.themeName, lines[24].substr(2));                          // the theme path line
}

TEST(Reader, ByteOrderMarkStillYieldsTheTitles) {
  const ScriptContent got = ParseScriptFile("\xEF\xBB\xBF" + test::Fixture("worked-example.js"));
  EXPECT_EQ(got.titles, Lines{"New Panel"});
}

TEST(Reader, UnequalItemCountsAreKept) {
  std::string file = WithLine(1, "var ZUB_PanelsTitle=new Array('a','b','c');");
  Lines lines = LinesOf(file);
  lines[3] = "var ZUB_PanelsIcon=new Array('i');";
  const ScriptContent got = ParseScriptFile(Join(lines));
  EXPECT_EQ(got.titles.size(), 3u);
  EXPECT_EQ(got.icons.size(), 1u);
  EXPECT_TRUE(got.heights.empty());
}

TEST(Reader, TwentySixLinesAreEnoughAndLaterLinesIgnored) {
  Lines lines = LinesOf(test::Fixture("worked-example.js"));
  lines.resize(26);
  EXPECT_EQ(ParseScriptFile(Join(lines)).themeName, "Plain");
  lines.push_back(std::string("\xFF garbage '\\"));
  EXPECT_EQ(ParseScriptFile(Join(lines)).titles, Lines{"New Panel"});
}

// The state a failed read must leave exactly as it was.
void ExpectSameDocument(const ScriptDocument& a, const ScriptDocument& b) {
  EXPECT_EQ(a.PL, b.PL);
  EXPECT_EQ(a.PHL, b.PHL);
  EXPECT_EQ(a.PIL, b.PIL);
  EXPECT_EQ(a.PEL, b.PEL);
  EXPECT_EQ(a.PDL, b.PDL);
  EXPECT_EQ(a.settings, b.settings);
  EXPECT_EQ(a.themeIndex, b.themeIndex);
  EXPECT_EQ(a.fileName, b.fileName);
  EXPECT_EQ(a.modified, b.modified);
}

ScriptDocument EditedDocument() {
  ScriptDocument doc = ThemedDocument();
  doc.AppendPanel({"mine", "1", "i", "1", "d"});
  doc.PL.Select(0);
  doc.Setting("AL") = "77";
  doc.SelectTheme("Blue");
  doc.fileName = "mine.js";
  doc.modified = true;
  return doc;
}

TEST(Reader, ShortFileFailsAndChangesNothing) {
  test::TempFolder dir;
  const Lines worked = LinesOf(test::Fixture("worked-example.js"));
  for (const int count : {0, 4, 10, 25}) {
    const std::string path = dir / ("short" + std::to_string(count) + ".js");
    test::WriteBytes(path, Join(Lines(worked.begin(), worked.begin() + count)));
    ScriptDocument doc = EditedDocument();
    try {
      ReadScriptFile(doc, path);
      ADD_FAILURE() << count << " lines read";
    } catch (const Error& e) {
      EXPECT_EQ(Message(e), "List index out of bounds (" + std::to_string(count) + ")");
    }
    ExpectSameDocument(doc, EditedDocument());
  }
}

TEST(Reader, MissingFileNamesItsPath) {
  test::TempFolder dir;
  const std::string path = dir / "gone.js";
  ScriptDocument doc = EditedDocument();
#ifdef _WIN32
  const unsigned long code = ERROR_FILE_NOT_FOUND;
#else
  const unsigned long code = ENOENT;
#endif
  try {
    ReadScriptFile(doc, path);
    FAIL() << "read a missing file";
  } catch (const Error& e) {
    EXPECT_EQ(Message(e), "Cannot open file \"" + path + "\". " + SystemErrorText(code));
  }
  EXPECT_FALSE(SystemErrorText(code).empty());
  EXPECT_NE(SystemErrorText(code).back(), '.');
  ExpectSameDocument(doc, EditedDocument());
}

#ifdef _WIN32
TEST(Reader, FileHeldOpenForWritingCannotBeOpened) {
  test::TempFolder dir;
  const std::string path = dir / "busy.js";
  test::WriteBytes(path, test::Fixture("worked-example.js"));
  HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  ScriptDocument doc = EditedDocument();
  try {
    ReadScriptFile(doc, path);
    ADD_FAILURE() << "read a file held open for writing";
  } catch (const Error& e) {
    EXPECT_EQ(Message(e),
              "Cannot open file \"" + path + "\". " + SystemErrorText(ERROR_SHARING_VIOLATION));
  }
  CloseHandle(writer);
  ExpectSameDocument(doc, EditedDocument());
  ReadScriptFile(doc, path);  // and once released it opens
  EXPECT_EQ(doc.PL.Items(), Lines{"New Panel"});
}
#endif

}  // namespace
}  // namespace orv
