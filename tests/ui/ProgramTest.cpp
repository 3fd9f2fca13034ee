// The built executable's manifest, icon and version, and the real message box of the default
// handler.
#include <string>
#include <string_view>
#include <vector>

#include "Harness.h"
#include "OrvellaVersion.h"

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

// version.dll, loaded at run time: the test executable links no more than the program does.
class VersionApi {
 public:
  VersionApi() : module_(LoadLibraryA("version.dll")) {}
  ~VersionApi() {
    if (module_) FreeLibrary(module_);
  }
  VersionApi(const VersionApi&) = delete;
  VersionApi& operator=(const VersionApi&) = delete;
  // The whole version block of a file; empty when it has none.
  std::vector<char> Read(const char* file) const {
    auto size = Function<decltype(&GetFileVersionInfoSizeA)>("GetFileVersionInfoSizeA");
    auto info = Function<decltype(&GetFileVersionInfoA)>("GetFileVersionInfoA");
    if (!size || !info) return {};
    DWORD unused = 0;
    std::vector<char> block(size(file, &unused));
    if (block.empty() || !info(file, 0, static_cast<DWORD>(block.size()), block.data())) return {};
    return block;
  }
  // One value of the block, e.g. "\\" or "\\StringFileInfo\\040904E4\\ProductName".
  std::string_view Query(std::vector<char>& block, const char* path) const {
    auto query = Function<decltype(&VerQueryValueA)>("VerQueryValueA");
    void* value = nullptr;
    UINT length = 0;
    if (!query || !query(block.data(), path, &value, &length) || !value) return {};
    return {static_cast<const char*>(value), length};
  }

 private:
  template <class F>
  F Function(const char* name) const {
    return module_ ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)))
                   : nullptr;
  }
  HMODULE module_;
};

TEST(ProgramVersion, ResourceCarriesTheProjectVersion) {
  VersionApi api;
  std::vector<char> block = api.Read(ORVELLA_PROGRAM);
  ASSERT_FALSE(block.empty()) << "no VERSIONINFO in " << ORVELLA_PROGRAM;

  const std::string_view fixedBytes = api.Query(block, "\\");
  ASSERT_EQ(fixedBytes.size(), sizeof(VS_FIXEDFILEINFO));
  VS_FIXEDFILEINFO fixed;
  memcpy(&fixed, fixedBytes.data(), sizeof fixed);
  EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
  const DWORD high = MAKELONG(ORVELLA_VERSION_MINOR, ORVELLA_VERSION_MAJOR);
  const DWORD low = MAKELONG(0, ORVELLA_VERSION_PATCH);
  EXPECT_EQ(fixed.dwFileVersionMS, high);
  EXPECT_EQ(fixed.dwFileVersionLS, low);
  EXPECT_EQ(fixed.dwProductVersionMS, high);
  EXPECT_EQ(fixed.dwProductVersionLS, low);
  EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(fixed.dwFileFlags & VS_FF_DEBUG, 0u);

  // The string table is the one the translation entry names.
  const std::string_view translation = api.Query(block, "\\VarFileInfo\\Translation");
  ASSERT_EQ(translation.size(), 4u);
  WORD language[2];
  memcpy(language, translation.data(), sizeof language);
  char table[64];
  wsprintfA(table, "\\StringFileInfo\\%04X%04X\\", language[0], language[1]);
  const auto text = [&](const char* name) {
    std::string_view value = api.Query(block, (table + std::string(name)).c_str());
    while (!value.empty() && value.back() == '\0') value.remove_suffix(1);
    return std::string(value);
  };
  EXPECT_EQ(text("FileVersion"), ORVELLA_VERSION_STRING);
  EXPECT_EQ(text("ProductVersion"), ORVELLA_VERSION_STRING);
  EXPECT_EQ(text("ProductName"), "Orvella");
  EXPECT_EQ(text("OriginalFilename"), "Orvella.exe");
  EXPECT_FALSE(text("FileDescription").empty());
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

// The real "already exists" warning, answered by a key or by closing its window.
struct WarningBox {
  std::string yes, no;
  bool yesIsDefault = false;
  bool byEsc = true;
};
WarningBox warning;

VOID CALLBACK AnswerWarning(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindWindowA("#32770", "Warning");
  if (!box) return;
  KillTimer(nullptr, timer);
  warning.yes = ui::WindowText(GetDlgItem(box, IDYES));
  warning.no = ui::WindowText(GetDlgItem(box, IDNO));
  warning.yesIsDefault =
      (GetWindowLongA(GetDlgItem(box, IDYES), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  if (warning.byEsc) {
    HWND focus = GetDlgItem(box, IDYES);
    PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE,
                 1 | (MapVirtualKeyA(VK_ESCAPE, MAPVK_VK_TO_VSC) << 16));
  } else {
    PostMessageA(box, WM_CLOSE, 0, 0);
  }
}

TEST(MessageDialogs, EscAnswersNoToTheRealYesNoWarningAndClosingItDoesNot) {
  for (bool byEsc : {true, false}) {
    warning = {};
    warning.byEsc = byEsc;
    SetTimer(nullptr, 0, 20, AnswerWarning);
    const int answer =
        ui::SystemDialogs().Message(nullptr, "C:\\a.js already exists.\rDo you want to replace it?",
                                    "Warning", MB_YESNO | MB_ICONWARNING);
    EXPECT_EQ(answer, byEsc ? IDNO : IDCANCEL) << (byEsc ? "Esc" : "closed");
    EXPECT_EQ(warning.yes, "&Yes");
    EXPECT_EQ(warning.no, "&No");
    EXPECT_TRUE(warning.yesIsDefault);
  }
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
