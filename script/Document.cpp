#include "Document.h"

#include <algorithm>
#include <cassert>

#include "Error.h"
#include "Platform.h"

namespace orv {

PanelList& PanelList::operator=(const PanelList& other) {
  if (this == &other) return *this;
  items_ = other.items_;
  selected_ = other.selected_;
  Report({ListChange::Reset});
  return *this;
}

const std::string& PanelList::At(int index) const {
  if (index < 0 || index >= Count()) throw ListIndexError(index);
  return items_[index];
}

void PanelList::Select(int index) {
  selected_ = (index >= 0 && index < Count()) ? index : -1;
  Report({ListChange::Selected, selected_});
}

void PanelList::Append(std::string text) {
  items_.push_back(std::move(text));
  Report({ListChange::Inserted, Count() - 1});
}

void PanelList::Put(int index, std::string text) {
  if (index < 0) return Append(std::move(text));
  if (index >= Count()) throw ListIndexError(index);
  items_[index] = std::move(text);
  Report({ListChange::Replaced, index});
}

void PanelList::Clear() { Assign({}); }

void PanelList::Assign(std::vector<std::string> items) {
  items_ = std::move(items);
  selected_ = -1;
  Report({ListChange::Reset});
}

void PanelList::MoveSelectedTo(int target) {
  const int from = selected_;
  if (from != target) {
    auto first = items_.begin();
    if (from < target)
      std::rotate(first + from, first + from + 1, first + target + 1);
    else
      std::rotate(first + target, first + from, first + from + 1);
    Report({ListChange::Moved, from, target});
  }
  selected_ = target;
  Report({ListChange::Selected, target});
}

void PanelList::MoveSelectedUp(int places) {
  assert(places > 0 && "a move goes at least one place");
  if (selected_ < 0) return;
  const long long wanted = static_cast<long long>(selected_) - places;
  MoveSelectedTo(wanted < 0 ? 0 : static_cast<int>(wanted));
}

void PanelList::MoveSelectedDown(int places) {
  assert(places > 0 && "a move goes at least one place");
  if (selected_ < 0) return;
  const long long wanted = static_cast<long long>(selected_) + places;
  MoveSelectedTo(wanted > Count() - 1 ? Count() - 1 : static_cast<int>(wanted));
}

void PanelList::RemoveSelected() {
  if (selected_ < 0) return;
  const int i = selected_;
  items_.erase(items_.begin() + i);
  Report({ListChange::Removed, i});
  selected_ = i > Count() - 1 ? Count() - 1 : i;
  Report({ListChange::Selected, selected_});
}

PanelTexts NewPanelTexts() {
  return {"New Panel", "200", "ico.gif", "1",
          std::string("New Panel<br>") + kLineSeparator + "This is a new Panel"};
}

ScriptDocument::ScriptDocument() { ResetToDefaults(); }

void ScriptDocument::AppendPanel(const PanelTexts& panel) {
  PL.Append(panel.title);
  PHL.Append(panel.height);
  PIL.Append(panel.icons);
  PEL.Append(panel.expanded);
  PDL.Append(panel.data);
}

void ScriptDocument::AddPanel(const PanelTexts& panel) {
  AppendPanel(panel);
  for (PanelList* list : Lists()) list->Select(list->Count() - 1);
  addingPanel = true;
  addedPanel_ = PL.Count() - 1;
}

PanelTexts ScriptDocument::CurrentPanel() const {
  const int i = PL.Selected();
  return {PL.At(i), PHL.At(i), PIL.At(i), PEL.At(i), PDL.At(i)};
}

void ScriptDocument::StorePanel(const PanelTexts& panel) {
  // PL's selection at this moment; no selection appends.
  const int at = PL.Selected();
  PL.Put(at, panel.title);
  PHL.Put(at, panel.height);
  PIL.Put(at, panel.icons);
  PEL.Put(at, panel.expanded);
  PDL.Put(at, panel.data);
}

void ScriptDocument::SelectPanel(int index) {
  for (PanelList* list : Lists()) list->Select(index);
}

void ScriptDocument::RemovePanel() {
  FollowAddedPanel(PL.Selected(), -1);
  for (PanelList* list : Lists()) list->RemoveSelected();
}

void ScriptDocument::MovePanelUp() {
  const int from = PL.Selected();
  for (PanelList* list : Lists()) list->MoveSelectedUp(1);
  FollowAddedPanel(from, PL.Selected());
}

void ScriptDocument::MovePanelDown() {
  const int from = PL.Selected();
  for (PanelList* list : Lists()) list->MoveSelectedDown(1);
  FollowAddedPanel(from, PL.Selected());
}

void ScriptDocument::ClearPanels() {
  for (PanelList* list : Lists()) list->Clear();
  addedPanel_ = -1;
}

void ScriptDocument::ReplacePanels(std::array<std::vector<std::string>, 5> lists) {
  auto own = Lists();
  for (size_t k = 0; k < own.size(); ++k) own[k]->Assign(std::move(lists[k]));
  addedPanel_ = -1;
}

void ScriptDocument::EndAdding() {
  addingPanel = false;
  addedPanel_ = -1;
}

void ScriptDocument::FollowAddedPanel(int from, int to) {
  if (addedPanel_ < 0 || from < 0) return;
  if (to < 0) {  // removed
    if (addedPanel_ == from)
      addedPanel_ = -1;
    else if (addedPanel_ > from)
      --addedPanel_;
  } else if (addedPanel_ == from) {
    addedPanel_ = to;
  } else if (to < from && addedPanel_ >= to && addedPanel_ < from) {
    ++addedPanel_;
  } else if (to > from && addedPanel_ > from && addedPanel_ <= to) {
    --addedPanel_;
  }
}

std::string& ScriptDocument::Setting(std::string_view field) {
  const int i = SettingIndex(field);
  if (i < 0) throw Error("Unknown setting " + std::string(field));
  return settings[i];
}

const std::string& ScriptDocument::Setting(std::string_view field) const {
  return const_cast<ScriptDocument*>(this)->Setting(field);
}

std::string ScriptDocument::ThemeName() const {
  if (themeIndex < 0 || themeIndex >= static_cast<int>(themes.size())) return {};
  return themes[themeIndex];
}

void ScriptDocument::SelectTheme(std::string_view name) {
  themeIndex = -1;
  for (size_t i = 0; i < themes.size(); ++i) {
    if (EqualIgnoringCase(themes[i], name)) {
      themeIndex = static_cast<int>(i);
      return;
    }
  }
}

void ScriptDocument::ResetToDefaults() {
  ClearPanels();
  for (int i : kResetOrder) settings[i] = std::string(kSettings[i].defaultText);
  themeIndex = themes.empty() ? -1 : 0;
  fileName.clear();
  modified = false;
}

std::string CaptionFor(const std::string& fileName) {
  if (fileName.empty()) return "Orvella - New Script";
  const size_t cut = fileName.find_last_of(kFileNameStops);
  return "Orvella - " + (cut == std::string::npos ? fileName : fileName.substr(cut + 1));
}

}  // namespace orv
