#pragma once
// The designer's window created in the test process, with every dialog answered by the test.
#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Application.h"
#include "Dialogs.h"
#include "MU.h"
#include "TestFiles.h"

namespace orv::test {

// Answers questions and file dialogs from queues, and records what was asked.
class ScriptedDialogs final : public ui::Dialogs {
 public:
  struct Question {
    std::string text, title;
    UINT type;
  };
  std::vector<Question> questions;
  std::deque<int> answers;  // IDOK once they run out
  std::vector<ui::FileDialog> fileDialogs;
  std::deque<std::optional<std::string>> files;  // nullopt cancels; cancel once they run out
  std::vector<std::string> shellOpened;          // folder|file
  std::vector<int> shellShows;                   // the show command of each

  int Message(HWND, const std::string& text, const std::string& title, UINT type) override;
  bool ChooseFile(HWND, const ui::FileDialog& dialog, std::string& path) override;
  void ShellOpen(HWND, const std::string& file, const std::string& folder, int) override;
};

// A program folder with the given themes (none: no Themes folder at all), the application
// window and the main window, shown normally.
class Designer : public ::testing::Test {
 protected:
  void Start(const std::vector<std::string>& themes = {"Lilac", "Azure"},
             int showCommand = SW_SHOWNORMAL);
  void TearDown() override;

  ui::TMF& Form() { return *form_; }
  ScriptDocument& Doc() { return form_->Document(); }
  HWND C(const char* name) const;
  std::string Text(const char* name) const { return ui::WindowText(C(name)); }
  // The control's name, or "?" for a window that is none of them.
  std::string NameOf(HWND control) const;
  std::string FocusName() const { return NameOf(GetFocus()); }

  // Handles what the window has been sent, as the message loop would.
  void Pump() { app_->ProcessMessages(); }
  // A button pressed as by the mouse.
  void Click(const char* button);
  // A key pressed and released in the focused control.
  void Key(WPARAM vk);
  void Focus(const char* name);
  // Replaces an edit's text as the user would, with change notifications.
  void Type(const char* name, const std::string& text);
  // A click with the mouse on row index of the title list.
  void ClickTitle(int index);
  // Opens a script file holding doc through the Open button.
  void OpenDocument(const ScriptDocument& doc);

  // The title list shows PL as the document holds it, and the five selections are one.
  void ExpectListsMirrored();
  std::vector<std::string> Titles() const { return form_->Document().PL.Items(); }

  TempFolder folder_;
  ScriptedDialogs dialogs_;
  std::unique_ptr<ui::Application> app_;
  std::unique_ptr<ui::TMF> form_;
  int opened_ = 0;
};

// A list box's entries and selection (-1 for none), as it shows them.
std::vector<std::string> ShownTexts(HWND list);
int ShownSelection(HWND list);

// Panel records for building documents in tests.
struct Panel {
  std::string title, height, icons, expanded, data;
};
ScriptDocument DocumentWith(const std::vector<Panel>& panels);

}  // namespace orv::test
