#include "Document.h"

#include <algorithm>

#include "Error.h"
#include "Platform.h"

namespace orv {

const std::string& PanelList::At(int index) const {
  if (index < 0 || index >= Count()) throw ListIndexError(index);
  return items_[index];
}

void PanelList::Select(int index) { selected_ = (index >= 0 && index < Count()) ? index : -1; }

void PanelList::Append(std::string text) { items_.push_back(std::move(text)); }

void PanelList::Put(int index, std::string text) {
  if (index < 0) return Append(std::move(text));
  if (index >= Count()) throw ListIndexError(index);
  items_[index] = std::move(text);
}

void PanelList::Clear() {
  items_.clear();
  selected_ = -1;
}

void PanelList::Assign(std::vector<std::string> items) {
  items_ = std::move(items);
  selected_ = -1;
}

static void MoveEntry(std::vector<std::string>& items, int from, int to) {
  if (from == to) return;
  auto first = items.begin();
  if (from < to)
    std::rotate(first + from, first + from + 1, first + to + 1);
  else
    std::rotate(first + to, first + from, first + from + 1);
}

void PanelList::MoveSelectedUp(int places) {
  if (selected_ < 0) return;
  const long long wanted = static_cast<long long>(selected_) - places;
  const int target = wanted < 0 ? 0 : static_cast<int>(wanted);
  MoveEntry(items_, selected_, target);
  selected_ = target;
}

void PanelList::MoveSelectedDown(int places) {
  if (selected_ < 0) return;
  const long long wanted = static_cast<long long>(selected_) + places;
  const int target = wanted > Count() - 1 ? Count() - 1 : static_cast<int>(wanted);
  MoveEntry(items_, selected_, target);
  selected_ = target;
}

void PanelList::RemoveSelected() {
  if (selected_ < 0) return;
  int i = selected_;
  items_.erase(items_.begin() + i);
  if (i > Count() - 1) i = Count() - 1;
  selected_ = i;
}

PanelTexts NewPanelTexts() {
  return {"New Panel", "200", "ico.gif", "1",
          std::string("New Panel<br>") + kLineSeparator + "This is a new Panel"};
}

ScriptDocument::ScriptDocument() { ResetToDefaults(); }

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

void ScriptDocument::AppendPanel(const PanelTexts& panel) {
  PL.Append(panel.title);
  PHL.Append(panel.height);
  PIL.Append(panel.icons);
  PEL.Append(panel.expanded);
  PDL.Append(panel.data);
}

void ScriptDocument::ResetToDefaults() {
  for (PanelList* list : Lists()) list->Clear();
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
