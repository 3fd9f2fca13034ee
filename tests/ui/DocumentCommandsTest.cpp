// New and Open as far as the window shows them, the question before changes are lost, and
// the failures that reach the default handler.
#include <string>

#include "Harness.h"
#include "Settings.h"

namespace orv::test {
namespace {

TEST_F(Designer, NewRestoresTheStartState) {
  Start({"Lilac", "Azure"});
  ScriptDocument file = DocumentWith({{"T", "1", "i", "1", "d"}});
  file.Setting("AW") = "999";
  file.themes = Doc().themes;
  file.themeIndex = 1;
  OpenDocument(file);
  EXPECT_EQ(Text("AW"), "999");
  EXPECT_EQ(SendMessageA(C("Th"), CB_GETCURSEL, 0, 0), 1);
  EXPECT_NE(ui::WindowText(Form().Handle()), "Orvella - New Script");
  Type("AL", "5");
  dialogs_.answers = {IDNO};
  Click("New");
  ASSERT_EQ(dialogs_.questions.size(), 1u);
  EXPECT_EQ(dialogs_.questions[0].text, "Save changes?");
  EXPECT_EQ(dialogs_.questions[0].title, "Confirm");
  for (const SettingDef& s : kSettings)
    EXPECT_EQ(Text(std::string(s.field).c_str()), s.defaultText);
  EXPECT_EQ(SendMessageA(C("Th"), CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(ui::WindowText(Form().Handle()), "Orvella - New Script");
  EXPECT_TRUE(Titles().empty());
  EXPECT_FALSE(Doc().modified);
  EXPECT_EQ(Doc().fileName, "");
  ExpectListsMirrored();
}

TEST_F(Designer, CancelOfTheQuestionKeepsTheDocument) {
  Start();
  Click("Add");
  Click("OK");
  for (const char* command : {"New", "Open"}) {
    dialogs_.answers = {IDCANCEL};
    Click(command);
    EXPECT_EQ(Titles().size(), 1u) << command;
    EXPECT_TRUE(Doc().modified) << command;
  }
  EXPECT_TRUE(dialogs_.fileDialogs.empty());
}

TEST_F(Designer, OpenShowsTheFileAndNamesItInTheCaption) {
  Start();
  OpenDocument(DocumentWith({{"A", "1", "i", "0", "x"}, {"B", "2", "j", "1", "y"}}));
  ASSERT_EQ(dialogs_.fileDialogs.size(), 1u);
  EXPECT_FALSE(dialogs_.fileDialogs[0].save);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(ui::WindowText(Form().Handle()), "Orvella - opened0.js");
  EXPECT_FALSE(Doc().modified);
  ExpectListsMirrored();
  // A cancelled dialog changes nothing.
  dialogs_.files.push_back(std::nullopt);
  Click("Open");
  EXPECT_EQ(Titles().size(), 2u);
}

TEST_F(Designer, FailuresReachTheDefaultHandlerWithAClosingPeriod) {
  Start();
  WriteBytes(folder_ / "short.js", "var a=1;\r\nvar b=2;\r\nvar c=3;\r\n");
  const struct {
    std::string file;
    std::string message;
  } cases[] = {
      {folder_ / "short.js", "List index out of bounds (3)"},
      {folder_ / "missing.js", ""},
  };
  for (const auto& c : cases) {
    dialogs_.questions.clear();
    dialogs_.files.push_back(c.file);
    Click("Open");
    ASSERT_EQ(dialogs_.questions.size(), 1u);
    const auto& q = dialogs_.questions[0];
    EXPECT_EQ(q.title, "Orvella");
    EXPECT_EQ(q.type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    if (!c.message.empty()) {
      EXPECT_EQ(q.text, c.message);  // ends in a character before the period
    } else {
      EXPECT_EQ(q.text.rfind("Cannot open file \"" + c.file + "\". ", 0), 0u) << q.text;
      EXPECT_EQ(q.text.back(), '.');
      EXPECT_NE(q.text[q.text.size() - 2], '.');
    }
  }
  // The window goes on as the failed command left it.
  Click("Add");
  EXPECT_TRUE(Form().EditorShown());
}

TEST_F(Designer, SaveOfANewScriptAsksForANameAndAddsTheExtension) {
  Start({"Lilac"});
  Click("Add");
  Click("OK");
  dialogs_.files.push_back(folder_ / "page");
  Click("Save");
  ASSERT_EQ(dialogs_.fileDialogs.size(), 1u);
  EXPECT_TRUE(dialogs_.fileDialogs[0].save);
  EXPECT_EQ(Doc().fileName, folder_ / "page.js");
  EXPECT_TRUE(Exists(folder_ / "page.js"));
  EXPECT_EQ(ui::WindowText(Form().Handle()), "Orvella - page.js");
  EXPECT_FALSE(Doc().modified);

  // An existing name is confirmed; No asks again, for the same document.
  Type("AL", "4");
  dialogs_.files = {folder_ / "page.JS", folder_ / "other.txt"};
  dialogs_.answers = {IDNO};
  Click("saveas");
  ASSERT_EQ(dialogs_.questions.size(), 1u);
  EXPECT_EQ(dialogs_.questions[0].text,
            folder_ / "page.JS" + " already exists.\rDo you want to replace it?");
  EXPECT_EQ(dialogs_.questions[0].title, "Warning");
  EXPECT_EQ(Doc().fileName, folder_ / "other.txt.js");
  EXPECT_FALSE(Doc().modified);
}

TEST_F(Designer, AFailedPreviewStillGivesBackTheUsersFileName) {
  Start({"Lilac"});  // the program folder has no Preview folder, so the save fails
  OpenDocument(DocumentWith({{"A", "1", "i", "0", "x"}}));
  Type("AL", "3");
  const std::string own = Doc().fileName;
  Click("Preview");
  EXPECT_EQ(Doc().fileName, own);
  EXPECT_TRUE(Doc().modified);
  EXPECT_TRUE(dialogs_.shellOpened.empty());
  ASSERT_EQ(dialogs_.questions.size(), 1u);
  EXPECT_EQ(dialogs_.questions[0].title, "Orvella");

  MakeFolder(folder_ / "Preview");
  dialogs_.questions.clear();
  Click("Preview");
  EXPECT_TRUE(dialogs_.questions.empty());
  EXPECT_TRUE(Exists(folder_ / "Preview\\prv.js"));
  EXPECT_EQ(Doc().fileName, own);
  EXPECT_TRUE(Doc().modified);
  ASSERT_EQ(dialogs_.shellOpened.size(), 1u);
  EXPECT_EQ(dialogs_.shellOpened[0], folder_ / "Preview|prv.html");
}

TEST_F(Designer, ClosingAsksFirstAndStaysOpenOnCancel) {
  Start();
  Type("AL", "1");
  dialogs_.answers = {IDCANCEL};
  SendMessageA(Form().Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(Form().Handle()));
  dialogs_.answers = {IDNO};
  SendMessageA(app_->Handle(), WM_CLOSE, 0, 0);  // the task bar's Close
  Pump();
  EXPECT_FALSE(IsWindow(Form().Handle()));
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "the loop ends";
}

TEST_F(Designer, SaveAsAddsTheExtensionOnlyWhereItIsMissing) {
  Start({"Lilac"});
  MakeFolder(folder_ / "dir.js");
  const struct {
    std::string chosen, written;
  } cases[] = {
      {"plain", "plain.js"},
      {"page.txt", "page.txt.js"},
      {"upper.JS", "upper.JS"},
      {"mixed.Js", "mixed.Js"},
      {"twice.js.bak", "twice.js.bak.js"},
      {"dir.js\\inner", "dir.js\\inner.js"},
      {"dot.", "dot..js"},
  };
  for (const auto& c : cases) {
    dialogs_.files = {folder_ / c.chosen};
    Click("saveas");
    EXPECT_EQ(Doc().fileName, folder_ / c.written) << c.chosen;
    EXPECT_TRUE(Exists(folder_ / c.written)) << c.chosen;
    const std::string name = c.written.substr(c.written.find_last_of('\\') + 1);
    EXPECT_EQ(ui::WindowText(Form().Handle()), "Orvella - " + name) << c.chosen;
  }
  EXPECT_FALSE(Exists(folder_ / "upper.JS.js"));
  EXPECT_TRUE(dialogs_.questions.empty());
}

TEST_F(Designer, NoToReplaceAsksAgainAndACancelThenSavesNothing) {
  Start({"Lilac"});
  OpenDocument(DocumentWith({{"A", "1", "i", "0", "x"}}));
  const std::string own = Doc().fileName;
  const std::string before = ReadBytes(own);
  WriteBytes(folder_ / "taken.js", "theirs");
  Type("AL", "9");
  dialogs_.files = {folder_ / "taken.js", std::nullopt};
  dialogs_.answers = {IDNO};
  Click("saveas");
  EXPECT_EQ(dialogs_.fileDialogs.size(), 3u);  // Open's, then Save as twice
  EXPECT_EQ(dialogs_.questions.size(), 1u);
  EXPECT_EQ(ReadBytes(folder_ / "taken.js"), "theirs");
  EXPECT_EQ(ReadBytes(own), before);
  EXPECT_EQ(Doc().fileName, own);
  EXPECT_TRUE(Doc().modified);
  EXPECT_EQ(ui::WindowText(Form().Handle()), "Orvella - opened0.js");
  // Yes replaces it.
  dialogs_.files = {folder_ / "taken.js"};
  dialogs_.answers = {IDYES};
  Click("saveas");
  EXPECT_EQ(ReadBytes(folder_ / "taken.js").rfind("var ZUB_PanelsTitle=new Array('A');", 0), 0u);
  EXPECT_EQ(Doc().fileName, folder_ / "taken.js");
  EXPECT_FALSE(Doc().modified);
}

TEST_F(Designer, YesToSaveChangesThenCancellingTheSaveDialogKeepsEverything) {
  for (const char* command : {"New", "Open", "close"}) {
    Start();
    Click("Add");
    Click("OK");
    dialogs_.answers = {IDYES};
    dialogs_.files = {std::nullopt};
    if (std::string(command) == "close")
      SendMessageA(Form().Handle(), WM_CLOSE, 0, 0);
    else
      Click(command);
    ASSERT_TRUE(IsWindow(Form().Handle())) << command;
    ASSERT_EQ(dialogs_.fileDialogs.size(), 1u) << command;
    EXPECT_TRUE(dialogs_.fileDialogs[0].save) << command << ": only the save dialog";
    EXPECT_EQ(Titles().size(), 1u) << command;
    EXPECT_TRUE(Doc().modified) << command;
    EXPECT_EQ(Doc().fileName, "") << command;
    EXPECT_EQ(ui::WindowText(Form().Handle()), "Orvella - New Script") << command;
    TearDown();
    dialogs_ = {};
  }
}

TEST_F(Designer, AFailedSaveAfterSaveChangesEndsTheCommand) {
  for (const char* command : {"New", "Open", "close"}) {
    Start();
    Click("Add");
    Click("OK");
    // Its folder does not exist, so the file cannot be created.
    Doc().fileName = folder_ / "gone\\page.js";
    dialogs_.answers = {IDYES};
    dialogs_.files = {folder_ / "never.js"};
    if (std::string(command) == "close")
      SendMessageA(Form().Handle(), WM_CLOSE, 0, 0);
    else
      Click(command);
    ASSERT_TRUE(IsWindow(Form().Handle())) << command;
    ASSERT_EQ(dialogs_.questions.size(), 2u) << command;
    EXPECT_EQ(dialogs_.questions[1].title, "Orvella") << command;
    EXPECT_EQ(dialogs_.questions[1].text.rfind(
                  "Cannot create file \"" + folder_ / "gone\\page.js" + "\". ", 0),
              0u)
        << dialogs_.questions[1].text;
    EXPECT_TRUE(dialogs_.fileDialogs.empty()) << command << ": Open went no further";
    EXPECT_EQ(Titles().size(), 1u) << command;
    EXPECT_TRUE(Doc().modified) << command;
    TearDown();
    dialogs_ = {};
  }
}

TEST_F(Designer, PreviewLeavesTheCaptionAndTheUsersFileAlone) {
  Start({"Lilac"});
  MakeFolder(folder_ / "Preview");
  OpenDocument(DocumentWith({{"A", "1", "i", "0", "x"}}));
  const std::string own = Doc().fileName;
  const std::string before = ReadBytes(own);
  for (bool modified : {false, true}) {
    if (modified) Type("AL", "42");
    Click("Preview");
    EXPECT_EQ(Doc().fileName, own);
    EXPECT_EQ(Doc().modified, modified);
    EXPECT_EQ(ui::WindowText(Form().Handle()), "Orvella - opened0.js");
    EXPECT_EQ(ReadBytes(own), before);
    EXPECT_NE(ReadBytes(folder_ / "Preview\\prv.js")
                  .find("var ZUB_AreaLeft=" + std::string(modified ? "42" : "0")),
              std::string::npos);
  }
  ASSERT_EQ(dialogs_.shellShows.size(), 2u);
  EXPECT_EQ(dialogs_.shellShows[0], SW_SHOWNORMAL);
  EXPECT_TRUE(dialogs_.questions.empty());
  // The next Save writes the user's file.
  Click("Save");
  EXPECT_NE(ReadBytes(own).find("var ZUB_AreaLeft=42;"), std::string::npos);
}

TEST_F(Designer, ClosingWithoutChangesAsksNothing) {
  Start();
  SendMessageA(Form().Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(Form().Handle()));
  EXPECT_TRUE(dialogs_.questions.empty());
}

// Logging off or shutting down asks what closing asks; the window then ends with the session,
// or stays with its document when the session goes on.
TEST_F(Designer, TheEndOfASessionAsksWhatClosingAsks) {
  const struct {
    const char* what;
    bool changed;
    int answer;
    const char* file;  // the document's file in the folder; "" for a new script
    LRESULT agrees;
    bool saved;
  } cases[] = {
      {"no changes", false, 0, "", TRUE, false},
      {"No", true, IDNO, "page.js", TRUE, false},
      {"Cancel", true, IDCANCEL, "page.js", FALSE, false},
      {"Yes", true, IDYES, "page.js", TRUE, true},
      {"Yes, then the save dialog cancelled", true, IDYES, "", FALSE, false},
      {"Yes, then a save that fails", true, IDYES, "gone\\page.js", FALSE, false},
  };
  for (const auto& c : cases) {
    Start();
    if (c.changed) {
      Click("Add");
      Click("OK");
    }
    if (*c.file) Doc().fileName = folder_ / c.file;
    dialogs_.answers = {c.answer};
    dialogs_.files = {std::nullopt};
    EXPECT_EQ(SendMessageA(Form().Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), c.agrees)
        << c.what;
    EXPECT_EQ(dialogs_.questions.empty() ? "" : dialogs_.questions[0].text,
              c.changed ? "Save changes?" : "")
        << c.what;
    EXPECT_EQ(Exists(folder_ / "page.js"), c.saved) << c.what;
    EXPECT_EQ(Doc().modified, c.changed && !c.saved) << c.what;
    // The session goes on after all: nothing more is asked, and nothing is lost.
    const size_t asked = dialogs_.questions.size();
    SendMessageA(Form().Handle(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    ASSERT_TRUE(IsWindow(Form().Handle())) << c.what;
    EXPECT_EQ(Titles().size(), c.changed ? 1u : 0u) << c.what;
    EXPECT_EQ(Doc().modified, c.changed && !c.saved) << c.what;
    SendMessageA(Form().Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_FALSE(IsWindow(Form().Handle())) << c.what;
    EXPECT_EQ(dialogs_.questions.size(), asked) << c.what;
    TearDown();
    dialogs_ = {};
    if (c.saved) DeleteFileA((folder_ / "page.js").c_str());
  }
}

}  // namespace
}  // namespace orv::test
