#include "Harness.h"

#include "ScriptFile.h"

namespace orv::test {

int ScriptedDialogs::Message(HWND, const std::string& text, const std::string& title, UINT type) {
  questions.push_back({text, title, type});
  if (answers.empty()) return IDOK;
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

bool ScriptedDialogs::ChooseFile(HWND, const ui::FileDialog& dialog, std::string& path) {
  fileDialogs.push_back(dialog);
  if (files.empty()) return false;
  const std::optional<std::string> answer = files.front();
  files.pop_front();
  if (!answer) return false;
  path = *answer;
  return true;
}

void ScriptedDialogs::ShellOpen(HWND, const std::string& file, const std::string& folder,
                                int showCommand) {
  shellOpened.push_back(folder + "|" + file);
  shellShows.push_back(showCommand);
}

void Designer::Start(const std::vector<std::string>& themes, int showCommand) {
  if (!themes.empty()) {
    for (const std::string& theme : themes) MakeFolder(folder_ / ("Themes\\" + theme));
  }
  app_ = std::make_unique<ui::Application>();
  form_ = std::make_unique<ui::TMF>(app_->Handle(), dialogs_, folder_.path());
  app_->SetMainWindow(*form_);
  app_->ShowMainWindow(showCommand);
  Pump();
}

void Designer::TearDown() {
  form_.reset();
  app_.reset();
  // The quit message of the destroyed main window is no concern of the next test.
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

HWND Designer::C(const char* name) const {
  HWND control = form_->Control(name);
  EXPECT_NE(control, nullptr) << name;
  return control;
}

std::string Designer::NameOf(HWND control) const {
  for (auto table : {ui::WindowLayout(), ui::EditorLayout()})
    for (const ui::ControlDef& def : table)
      if (form_->Control(def.name) == control) return def.name;
  return "?";
}

void Designer::Click(const char* button) {
  SendMessageA(C(button), BM_CLICK, 0, 0);
  Pump();
}

void Designer::Key(WPARAM vk) {
  HWND focus = GetFocus();
  ASSERT_NE(focus, nullptr);
  const UINT scan = MapVirtualKeyA(static_cast<UINT>(vk), MAPVK_VK_TO_VSC);
  PostMessageA(focus, WM_KEYDOWN, vk, 1 | (scan << 16));
  PostMessageA(focus, WM_KEYUP, vk, 1 | (scan << 16) | (3u << 30));
  Pump();
}

void Designer::Focus(const char* name) {
  SetFocus(C(name));
  Pump();
}

void Designer::Type(const char* name, const std::string& text) {
  SendMessageA(C(name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  Pump();
}

void Designer::ClickTitle(int index) {
  HWND list = C("PL");
  RECT item{};
  SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
  Pump();
}

void Designer::OpenDocument(const ScriptDocument& doc) {
  const std::string path = folder_ / ("opened" + std::to_string(opened_++) + ".js");
  WriteScriptFile(doc, path);
  dialogs_.files.push_back(path);
  Click("Open");
}

int ShownSelection(HWND list) {
  const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
  return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

std::vector<std::string> ShownTexts(HWND list) {
  std::vector<std::string> texts;
  const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::string text(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1, '\0');
    text.resize(static_cast<size_t>(
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    texts.push_back(text);
  }
  return texts;
}

void Designer::ExpectListsMirrored() {
  EXPECT_EQ(ShownTexts(C("PL")), Doc().PL.Items());
  EXPECT_EQ(ShownSelection(C("PL")), Doc().PL.Selected());
  for (const PanelList* list : Doc().Lists()) EXPECT_EQ(list->Selected(), Doc().PL.Selected());
}

ScriptDocument DocumentWith(const std::vector<Panel>& panels) {
  ScriptDocument doc;
  for (const Panel& p : panels) {
    doc.PL.Append(p.title);
    doc.PHL.Append(p.height);
    doc.PIL.Append(p.icons);
    doc.PEL.Append(p.expanded);
    doc.PDL.Append(p.data);
  }
  return doc;
}

}  // namespace orv::test
