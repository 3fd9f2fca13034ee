#pragma once
// The script document: what one script file holds while the user edits it.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "Settings.h"

namespace orv {

// Joins the lines of a panel's data text.
inline constexpr char kLineSeparator = '\x01';

class PanelList;

// What one operation did to a panel list, as a view that shows the list needs to hear it.
struct ListChange {
  enum Kind { Inserted, Removed, Replaced, Moved, Reset, Selected } kind;
  int index = -1;  // the entry inserted, removed or replaced; a move's start; the new selection
  int to = -1;     // where a moved entry stands now
};

// Shows a panel list: each change reaches it as the list makes it.
class PanelListView {
 public:
  virtual void Changed(const PanelList& list, const ListChange& change) = 0;

 protected:
  ~PanelListView() = default;
};

// One of the five parallel panel lists: ordered texts with a single selection (-1 for none),
// and at most one view, which every change is reported to.
class PanelList {
 public:
  PanelList() = default;
  // A copy is a list of its own, shown nowhere; assigning shows the new entries in the view.
  PanelList(const PanelList& other) : items_(other.items_), selected_(other.selected_) {}
  PanelList& operator=(const PanelList& other);
  bool operator==(const PanelList& other) const {
    return items_ == other.items_ && selected_ == other.selected_;
  }

  void Bind(PanelListView* view) { view_ = view; }

  int Count() const { return static_cast<int>(items_.size()); }
  const std::vector<std::string>& Items() const { return items_; }
  // Throws "List index out of bounds (i)" for a position the list does not have.
  const std::string& At(int index) const;
  int Selected() const { return selected_; }

  // Out-of-range indices leave nothing selected, as the list control does.
  void Select(int index);
  // Appending never changes the selection.
  void Append(std::string text);
  // Replaces the entry at index, keeping the selection; index -1 appends instead.
  void Put(int index, std::string text);
  void Clear();
  // Replaces every entry; nothing is selected afterwards.
  void Assign(std::vector<std::string> items);

  // The reorderable list box's operations; each does nothing without a selection and
  // clamps only at the end it moves towards. Places must be positive.
  void MoveSelectedUp(int places);
  void MoveSelectedDown(int places);
  void RemoveSelected();

 private:
  void MoveSelectedTo(int target);
  void Report(const ListChange& change) const {
    if (view_) view_->Changed(*this, change);
  }

  std::vector<std::string> items_;
  int selected_ = -1;
  PanelListView* view_ = nullptr;
};

// One panel record's five texts, in the document's order.
struct PanelTexts {
  std::string title, height, icons, expanded, data;
  bool operator==(const PanelTexts&) const = default;
};
// The texts that Add gives a new panel.
PanelTexts NewPanelTexts();

struct ScriptDocument {
  ScriptDocument();

  // The five lists; commands visit them in this order.
  PanelList PL, PHL, PIL, PEL, PDL;
  std::array<PanelList*, 5> Lists() { return {&PL, &PHL, &PIL, &PEL, &PDL}; }
  std::array<const PanelList*, 5> Lists() const { return {&PL, &PHL, &PIL, &PEL, &PDL}; }

  // The panel commands: each is one change of all five lists. The current panel is PL's
  // selection.
  // Appends a panel and makes it current; it is the added panel while AddingPanel holds.
  void AddPanel(const PanelTexts& panel);
  PanelTexts CurrentPanel() const;
  // Puts the texts into the current panel; without one, appends them.
  void StorePanel(const PanelTexts& panel);
  void SelectPanel(int index);
  void RemovePanel();
  void MovePanelUp();
  void MovePanelDown();
  void ClearPanels();
  // Replaces every panel with the lists' texts, nothing selected (the lists may differ in
  // length, as a file can hold them).
  void ReplacePanels(std::array<std::vector<std::string>, 5> lists);
  // Where the panel that Add appended stands now, or -1 once it has gone or the lists were
  // replaced.
  int AddedPanel() const { return addedPanel_; }
  // The editor closed: no panel is being added any more.
  void EndAdding();

  // Setting texts, indexed as kSettings.
  std::array<std::string, kSettingCount> settings;
  std::string& Setting(std::string_view field);
  const std::string& Setting(std::string_view field) const;

  // The theme catalogue as found at start-up, and the selected entry (-1 for none).
  std::vector<std::string> themes;
  int themeIndex = -1;
  std::string ThemeName() const;
  // Selects the first catalogue entry equal to name ignoring letter case, or none.
  void SelectTheme(std::string_view name);

  std::string fileName;
  bool modified = false;
  bool addingPanel = false;

  // New: no panels, default settings, first theme, no file, not modified.
  // The theme catalogue and AddingPanel are kept.
  void ResetToDefaults();

  // Appends one panel's five texts at the end of the five lists; the selections stay.
  void AppendPanel(const PanelTexts& panel);

 private:
  // Keeps track of the added panel while the current one moves from one place to another, or
  // goes (to < 0).
  void FollowAddedPanel(int from, int to);

  int addedPanel_ = -1;
};

// "Orvella - New Script" for an empty file name, else "Orvella - " and the file-name part.
std::string CaptionFor(const std::string& fileName);

}  // namespace orv
