// The built executable's manifest and icon, and the real message box of the default handler.
#include <string>
#include <vector>

#include "Harness.h"

namespace orv::test {
namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

class Program : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA(ORVELLA_PROGRAM, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr) << ORVELLA_PROGRAM;
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  std::string Resource(const char* name, const char* type) {
    HRSRC found = FindResourceA(module_, name, type);
    if (!found) return {};
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module_, found)));
    return std::string(bytes, SizeofResource(module_, found));
  }
  HMODULE module_ = nullptr;
};

TEST_F(Program, ManifestAsksForTheStyledCommonControls) {
  const std::string manifest = Resource(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_FALSE(manifest.empty());
  for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"",
                           "publicKeyToken=\"6595b64144ccf1df\"", "language=\"*\"",
                           "type=\"win32\"", "version=\"1.0.0.0\"", "processorArchitecture=\"*\""})
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
}

TEST_F(Program, IconHoldsEightTrueColourSizes) {
  const std::string group = Resource("MAINICON", MAKEINTRESOURCEA(14));
  ASSERT_GE(group.size(), 6u);
  const WORD count = *reinterpret_cast<const WORD*>(group.data() + 4);
  ASSERT_EQ(count, 8);
  ASSERT_EQ(group.size(), 6 + count * sizeof(GroupIconEntry));
  std::vector<int> sizes;
  for (int i = 0; i < count; ++i) {
    GroupIconEntry entry;
    memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
    sizes.push_back(entry.width);
    EXPECT_EQ(entry.width, entry.height);
    EXPECT_EQ(entry.bitCount, 32);
    const std::string image = Resource(MAKEINTRESOURCEA(entry.id), MAKEINTRESOURCEA(3));
    ASSERT_EQ(image.size(), entry.bytes);
  }
  EXPECT_EQ(sizes, (std::vector<int>{16, 24, 32, 48, 64, 72, 96, 128}));
}

std::string shownText;

BOOL CALLBACK CollectStaticText(HWND child, LPARAM into) {
  char name[16] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, "Static") == 0)
    *reinterpret_cast<std::string*>(into) += ui::WindowText(child);
  return TRUE;
}

// Reads the real message box of the default handler once it is up, then presses its OK.
VOID CALLBACK AnswerMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindWindowA("#32770", "Orvella");
  if (!box) return;
  KillTimer(nullptr, timer);
  EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&shownText));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST(DefaultHandler, ShowsTheSystemMessageBox) {
  SetTimer(nullptr, 0, 20, AnswerMessageBox);
  ui::ShowException(ui::SystemDialogs(), nullptr, "Stream write error");
  EXPECT_EQ(shownText, "Stream write error.");
}

std::string chosenFile;

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// Types a name into the real open dialog once it is up and confirms it.
VOID CALLBACK AnswerOpenDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindVisibleDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  KillTimer(nullptr, timer);
  // The file-name field: an edit (edt1) or the combo box holding one (cmb13).
  HWND name = GetDlgItem(dialog, 0x480);
  if (!name) name = GetDlgItem(dialog, 0x47C);
  SetWindowTextA(name, chosenFile.c_str());
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

TEST(FileDialogs, TheRealOpenDialogReturnsTheChosenScript) {
  TempFolder folder;
  chosenFile = folder / "chosen.js";
  WriteBytes(chosenFile, "x");
  ScriptedDialogs unused;
  ui::Application app;
  ui::TMF form(app.Handle(), unused, folder.path());
  SetTimer(nullptr, 0, 20, AnswerOpenDialog);
  std::string path;
  ASSERT_TRUE(ui::SystemDialogs().ChooseFile(form.Handle(), form.OD, path));
  EXPECT_EQ(lstrcmpiA(path.c_str(), chosenFile.c_str()), 0) << path;
}

}  // namespace
}  // namespace orv::test
