// The commands on the whole document: New, Open, Save, Save as, Preview and closing.
#include <cctype>

#include "MU.h"
#include "Platform.h"
#include "ScriptFile.h"

namespace orv::ui {

namespace {

// A chosen name gets ".js" unless its extension already is ".js" in any letter case.
std::string WithScriptExtension(const std::string& path) {
  const size_t name = path.find_last_of("\\/:");
  const size_t dot = path.rfind('.');
  if (dot != std::string::npos && (name == std::string::npos || dot > name)) {
    std::string extension = path.substr(dot);
    for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (extension == ".JS") return path;
  }
  return path + ".js";
}

}  // namespace

void TMF::ShowCaption() {
  SetWindowTextA(handle_, CaptionFor(doc_.fileName).c_str());
  // The frame paints the caption, so its title strip is repainted with it; no control lies
  // there, so none repaints.
  RECT strip{};
  GetClientRect(handle_, &strip);
  strip.bottom = S(kCaptionStripBottom);
  RedrawWindow(handle_, &strip, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void TMF::ShowDocument(const Shown& before) {
  // Only what changed is shown again: the fields show the document's texts, and rewriting one
  // costs a repaint, which is most of an Open's time.
  for (int i = 0; i < kSettingCount; ++i)
    if (doc_.settings[i] != before.settings[i]) {
      SetText(fields_[i], doc_.settings[i]);
      ShowHint(i);
    }
  if (doc_.themeIndex != before.themeIndex) SendMessageA(Th, CB_SETCURSEL, doc_.themeIndex, 0);
  if (doc_.fileName != before.fileName) ShowCaption();
}

bool TMF::ConfirmDiscardChanges() {
  if (!doc_.modified) return false;
  switch (dialogs_.Message(handle_, "Save changes?", "Confirm", MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDNO: return false;
    case IDYES: SaveClick(handle_); return doc_.modified;
    default: return true;
  }
}

void TMF::NewClick(HWND) {
  if (ConfirmDiscardChanges()) return;
  const Shown before = Showing();
  doc_.ResetToDefaults();
  ShowDocument(before);
}

void TMF::OpenClick(HWND) {
  if (ConfirmDiscardChanges()) return;
  std::string path;
  if (!dialogs_.ChooseFile(handle_, OD, path)) return;
  const Shown before = Showing();
  ReadScriptFile(doc_, path);
  ShowDocument(before);
}

void TMF::SaveClick(HWND sender) {
  if (doc_.fileName.empty()) return saveasClick(sender);
  SaveScript(doc_, programFolder_);
}

void TMF::saveasClick(HWND sender) {
  std::string path;
  for (;;) {
    if (!dialogs_.ChooseFile(handle_, SD, path)) return;
    path = WithScriptExtension(path);
    if (!FileExists(path)) break;
    const std::string question = path + " already exists.\rDo you want to replace it?";
    if (dialogs_.Message(handle_, question, "Warning", MB_YESNO | MB_ICONWARNING) != IDNO) break;
  }
  doc_.fileName = path;
  ShowCaption();
  SaveClick(sender);
}

void TMF::PreviewClick(HWND sender) {
  // FileName and Modified come back even when the save fails, so that a later Save still
  // writes the user's own file and not the preview.
  struct Restore {
    ScriptDocument& doc;
    bool modified;
    std::string fileName;
    ~Restore() {
      doc.modified = modified;
      doc.fileName = fileName;
    }
  } restore{doc_, doc_.modified, doc_.fileName};
  const std::string folder = programFolder_ + "Preview";
  doc_.fileName = folder + "\\prv.js";
  SaveClick(sender);
  dialogs_.ShellOpen(handle_, "prv.html", folder, SW_SHOWNORMAL);
}

bool TMF::FormClose(HWND) { return !ConfirmDiscardChanges(); }

}  // namespace orv::ui
