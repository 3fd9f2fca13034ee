#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Document.h"
#include "Platform.h"
#include "ScriptFile.h"
#include "TestFiles.h"
#include "Themes.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace orv {
namespace {

using Names = std::vector<std::string>;
const std::string sep(1, kPathSeparator);

// A program folder with the runtime script and themes made of the named assets.
struct ProgramFolder {
  test::TempFolder dir;
  ProgramFolder() { test::WriteBytes(dir / "foldpanes.js", "runtime 1"); }
  std::string path() const { return dir.path(); }
  void AddTheme(const std::string& name, const Names& files, const std::string& version = "1") {
    const std::string folder = dir / ("Themes" + sep + name + sep);
    test::MakeFolder(folder);
    for (const auto& file : files)
      test::WriteBytes(folder + file, name + "/" + file + " " + version);
  }
};

Names AllAssets() { return Names(kThemeAssets.begin(), kThemeAssets.end()); }

ScriptDocument DocumentFor(const ProgramFolder& program, const std::string& path) {
  ScriptDocument doc;
  doc.themes = ListThemeFolders(program.path());
  doc.themeIndex = doc.themes.empty() ? -1 : 0;
  doc.fileName = path;
  doc.modified = true;
  return doc;
}

TEST(Themes, CatalogueListsEveryFolderAndNoFile) {
  ProgramFolder program;
  program.AddTheme("Plain", {"thm.js"});
  program.AddTheme("Blue", {});
  program.AddTheme("Secret", {});
  test::WriteBytes(program.dir / ("Themes" + sep + "readme.txt"), "not a theme");
#ifdef _WIN32
  const std::string hidden = program.dir / ("Themes" + sep + "Secret");
  ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
#else
  program.AddTheme(".secret", {});
#endif
  Names names = ListThemeFolders(program.path());
  std::sort(names.begin(), names.end());
#ifdef _WIN32
  EXPECT_EQ(names, (Names{"Blue", "Plain", "Secret"}));
#else
  EXPECT_EQ(names, (Names{".secret", "Blue", "Plain", "Secret"}));
#endif
  EXPECT_EQ(ListThemeFolders(program.path()), ListSubfolders(program.dir / ("Themes" + sep)));
}

TEST(Themes, NoThemesFolderGivesAnEmptyCatalogue) {
  ProgramFolder program;
  EXPECT_TRUE(ListThemeFolders(program.path()).empty());
  test::MakeFolder(program.dir / "Themes");
  EXPECT_TRUE(ListThemeFolders(program.path()).empty());
  EXPECT_TRUE(ListThemeFolders(program.dir / ("missing" + sep)).empty());
}

TEST(Themes, SaveDeploysTheSevenAssetsAndTheRuntime) {
  ProgramFolder program;
  Names files = AllAssets();
  files.push_back("notes.txt");
  program.AddTheme("Blue", files);
  test::TempFolder site;
  ScriptDocument doc = DocumentFor(program, site / "page.js");
  SaveScript(doc, program.path());

  EXPECT_FALSE(doc.modified);
  EXPECT_EQ(test::ListingOf(site.path()), "foldpanes.js page.js zubtheme/ ");
  EXPECT_EQ(test::ListingOf(site / "zubtheme"),
            "cb.gif eb.gif panel.gif pc.gif pcl.gif pcr.gif thm.js ");
  EXPECT_EQ(test::ReadBytes(site / ("zubtheme" + sep + "pcr.gif")), "Blue/pcr.gif 1");
  EXPECT_EQ(test::ReadBytes(site / "foldpanes.js"), "runtime 1");
  EXPECT_EQ(ParseScriptFile(test::ReadBytes(site / "page.js")).themeName, "Blue");

  // A second save replaces every deployed file with a fresh copy.
  program.AddTheme("Blue", AllAssets(), "2");
  test::WriteBytes(program.dir / "foldpanes.js", "runtime 2");
  doc.modified = true;
  SaveScript(doc, program.path());
  for (const auto& asset : AllAssets())
    EXPECT_EQ(test::ReadBytes(site / ("zubtheme" + sep + asset)), "Blue/" + asset + " 2");
  EXPECT_EQ(test::ReadBytes(site / "foldpanes.js"), "runtime 2");
}

TEST(Themes, PartialThemesAndOddPathsArePassedOverSilently) {
  ProgramFolder program;
  program.AddTheme("Lean", {"thm.js"});
  const struct {
    const char* name;
    std::string themePath;
    bool withTheme;
    std::string listing;
    std::string themeListing;  // of site/<themePath>, when it exists
  } cases[] = {
      {"only thm.js", "zub", true, "foldpanes.js page.js zub/ ", "thm.js "},
      {"no theme at all", "zub", false, "foldpanes.js page.js zub/ ", ""},
      {"empty path", "", true, "foldpanes.js page.js thm.js ", ""},
      {"two levels, first missing", "missing" + sep + "zub", true, "foldpanes.js page.js ", ""},
      {"existing folder", "here", true, "foldpanes.js here/ page.js ", "old.gif thm.js "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempFolder site;
    if (c.themePath == "here") {
      test::MakeFolder(site / "here");
      test::WriteBytes(site / ("here" + sep + "old.gif"), "x");
    }
    ProgramFolder bare;
    ProgramFolder* from = c.withTheme ? &program : &bare;
    ScriptDocument doc = DocumentFor(*from, site / "page.js");
    doc.Setting("TP") = c.themePath;
    SaveScript(doc, from->path());
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(test::ListingOf(site.path()), c.listing);
    if (!c.themeListing.empty()) {
      EXPECT_EQ(test::ListingOf(site / c.themePath), c.themeListing);
    }
    if (!c.withTheme) {
      EXPECT_EQ(ParseScriptFile(test::ReadBytes(site / "page.js")).themeName, "");
    }
  }
}

TEST(Themes, FailedWriteDeploysNothingAndKeepsModified) {
  ProgramFolder program;
  program.AddTheme("Blue", AllAssets());
  test::TempFolder site;
  ScriptDocument doc = DocumentFor(program, site / ("missing" + sep + "page.js"));
  EXPECT_ANY_THROW(SaveScript(doc, program.path()));
  EXPECT_TRUE(doc.modified);
  EXPECT_EQ(test::ListingOf(site.path()), "");

  ScriptDocument shortLists = DocumentFor(program, site / "page.js");
  shortLists.PL.Append("title only");
  EXPECT_ANY_THROW(SaveScript(shortLists, program.path()));
  EXPECT_TRUE(shortLists.modified);
  EXPECT_EQ(test::ListingOf(site.path()), "");
}

}  // namespace
}  // namespace orv
