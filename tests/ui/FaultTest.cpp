// Saves and opens that fail at the file system, as the user meets them: the
// exact message box, the old file as it was, the document and Modified kept,
// nothing deployed beside the script.
#include <cstdlib>
#include <string>

#include "Handles.h"
#include "Harness.h"
#include "Platform.h"
#include "ScriptFile.h"
#include "Themes.h"

namespace orv::test {
namespace {

// Another process holding a file open without sharing, until the object goes.
class FileHolder {
 public:
  explicit FileHolder(const std::string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead, outWrite, inRead, inWrite;
    if (!CreatePipe(&outRead, &outWrite, &inherit, 0) ||
        !CreatePipe(&inRead, &inWrite, &inherit, 0))
      throw std::runtime_error("CreatePipe");
    output_.reset(outRead);
    input_.reset(inWrite);
    ObjectHandle childOut(outWrite), childIn(inRead);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childIn.get();
    startup.hStdOutput = childOut.get();
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::string command = "\"" ORVELLA_HOLD_FILE "\" \"" + path + "\"";
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &info))
      throw std::runtime_error("cannot start " ORVELLA_HOLD_FILE);
    process_.reset(info.hProcess);
    ObjectHandle thread(info.hThread);
    // The child says when the file is open; end of output means it could not
    // open it.
    char ready = 0;
    DWORD got = 0;
    if (!ReadFile(output_.get(), &ready, 1, &got, nullptr) || got != 1)
      throw std::runtime_error("the holder could not open " + path);
  }
  ~FileHolder() {
    input_.reset();  // the child's input ends: it closes the file and exits
    WaitForSingleObject(process_.get(), INFINITE);
  }

 private:
  ObjectHandle output_, input_, process_;
};

class Faults : public Designer {
 protected:
  // A program folder whose theme and runtime exist, so that any deployment
  // would show.
  void SetUp() override {
    Start({"Lilac"});
    for (std::string_view asset : kThemeAssets)
      WriteBytes(folder_ / ("Themes\\Lilac\\" + std::string(asset)), "asset");
    WriteBytes(folder_ / "foldpanes.js", "runtime");
    MakeFolder(folder_ / "site");
  }
  std::string Site(const std::string& name) const { return folder_ / ("site\\" + name); }

  // Opens a script of two panels from the page's folder, then changes it.
  void OpenAndChange(const std::string& path) {
    WriteScriptFile(DocumentWith({{"A", "1", "i", "0", "x"}, {"B", "2", "j", "1", "y"}}), path);
    dialogs_.files.push_back(path);
    Click("Open");
    ASSERT_EQ(Doc().fileName, path);
    Type("AL", "7");
    ASSERT_TRUE(Doc().modified);
  }

  void ExpectOneError(const std::string& message) {
    ASSERT_EQ(dialogs_.questions.size(), 1u);
    EXPECT_EQ(dialogs_.questions[0].text, message);
    EXPECT_EQ(dialogs_.questions[0].title, "Orvella");
    EXPECT_EQ(dialogs_.questions[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    dialogs_.questions.clear();
  }

  // What a failed save must leave: the message, Modified, and no deployment. The callers
  // compare the old bytes once they may read the file.
  void ExpectSaveRefused(const std::string& path, DWORD error) {
    const std::string listing = ListingOf(folder_ / "site");
    Click("Save");
    ExpectOneError("Cannot create file \"" + path + "\". " + SystemErrorText(error) + ".");
    EXPECT_TRUE(Doc().modified);
    EXPECT_EQ(Doc().Setting("AL"), "7");
    EXPECT_EQ(ListingOf(folder_ / "site"), listing) << "nothing deployed, no temporary file left";
  }
};

TEST_F(Faults, SaveIntoAMissingFolderKeepsTheDocumentModified) {
  Type("AL", "7");
  const std::string path = Site("gone\\page.js");
  dialogs_.files.push_back(path);
  const std::string listing = ListingOf(folder_ / "site");
  Click("Save");
  ExpectOneError("Cannot create file \"" + path + "\". " + SystemErrorText(ERROR_PATH_NOT_FOUND) +
                 ".");
  // Save as names the document before it writes.
  EXPECT_EQ(Doc().fileName, path);
  EXPECT_EQ(ui::WindowText(Form().Handle()), "Orvella - page.js");
  EXPECT_TRUE(Doc().modified);
  EXPECT_EQ(ListingOf(folder_ / "site"), listing);
  EXPECT_FALSE(Exists(Site("gone")));
}

TEST_F(Faults, SaveOntoAReadOnlyFileLeavesItAsItWas) {
  const std::string path = Site("page.js");
  OpenAndChange(path);
  const std::string old = ReadBytes(path);
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  ExpectSaveRefused(path, ERROR_ACCESS_DENIED);
  EXPECT_EQ(ReadBytes(path), old);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  // Once the file may be written again, the same document saves.
  Click("Save");
  EXPECT_TRUE(dialogs_.questions.empty());
  EXPECT_FALSE(Doc().modified);
  EXPECT_NE(ReadBytes(path), old);
}

TEST_F(Faults, SaveOntoAFileHeldOpenByAnotherProgramLeavesItAsItWas) {
  const std::string path = Site("page.js");
  OpenAndChange(path);
  const std::string old = ReadBytes(path);
  {
    FileHolder holder(path);
    ExpectSaveRefused(path, ERROR_SHARING_VIOLATION);
  }
  EXPECT_EQ(ReadBytes(path), old);
  Click("Save");
  EXPECT_TRUE(dialogs_.questions.empty());
  EXPECT_FALSE(Doc().modified);
}

TEST_F(Faults, OpenThatFailsLeavesTheDocumentAsItWas) {
  const std::string path = Site("page.js");
  OpenAndChange(path);
  Click("Add");
  ASSERT_TRUE(Form().EditorShown());
  ScriptDocument before = Doc();
  const std::string caption = ui::WindowText(Form().Handle());

  std::string tenLines;
  for (int i = 0; i < 10; ++i) tenLines += "var line" + std::to_string(i) + "=0;\r\n";
  WriteBytes(Site("ten.js"), tenLines);
  WriteBytes(Site("locked.js"), ReadBytes(path));
  FileHolder holder(Site("locked.js"));
  const struct {
    std::string file, message;
  } cases[] = {
      {Site("missing.js"), "Cannot open file \"" + Site("missing.js") + "\". " +
                               SystemErrorText(ERROR_FILE_NOT_FOUND) + "."},
      {Site("locked.js"), "Cannot open file \"" + Site("locked.js") + "\". " +
                              SystemErrorText(ERROR_SHARING_VIOLATION) + "."},
      {Site("ten.js"), "List index out of bounds (10)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    dialogs_.answers = {IDNO};  // the changes may go: the failure must not take them anyway
    dialogs_.files.push_back(c.file);
    Click("Open");
    ASSERT_EQ(dialogs_.questions.size(), 2u);
    EXPECT_EQ(dialogs_.questions[0].text, "Save changes?");
    EXPECT_EQ(dialogs_.questions[1].text, c.message);
    EXPECT_EQ(dialogs_.questions[1].title, "Orvella");
    dialogs_.questions.clear();
    for (size_t k = 0; k < before.Lists().size(); ++k) {
      EXPECT_EQ(Doc().Lists()[k]->Items(), before.Lists()[k]->Items());
      EXPECT_EQ(Doc().Lists()[k]->Selected(), before.Lists()[k]->Selected());
    }
    EXPECT_EQ(Doc().settings, before.settings);
    EXPECT_EQ(Doc().fileName, before.fileName);
    EXPECT_TRUE(Doc().modified);
    EXPECT_TRUE(Doc().addingPanel);
    EXPECT_EQ(ui::WindowText(Form().Handle()), caption);
    EXPECT_TRUE(Form().EditorShown());
    ExpectListsMirrored();
  }
}

// Runs only with the file size limit that its own CTest entry sets before Wine
// starts.
TEST_F(Faults, SaveOntoAFullDiskKeepsTheOldFile) {
  const char* limit = std::getenv("ORVELLA_FILE_SIZE_LIMIT");
  if (!limit) GTEST_SKIP() << "needs the file size limit of the DiskFull test";
  const std::string path = Site("page.js");
  OpenAndChange(path);
  const std::string old = ReadBytes(path);
  Click("Add");
  Type("PD", std::string(2 * std::strtoul(limit, nullptr, 10), 'd'));
  Click("OK");
  const std::string listing = ListingOf(folder_ / "site");
  Click("Save");
  ExpectOneError("Stream write error.");
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_TRUE(Doc().modified);
  EXPECT_EQ(ListingOf(folder_ / "site"), listing);
}

}  // namespace
}  // namespace orv::test
