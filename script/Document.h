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

// One of the five parallel panel lists: ordered texts with a single selection (-1 for none).
class PanelList {
 public:
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
  // clamps only at the end it moves towards, so places must be positive.
  void MoveSelectedUp(int places);
  void MoveSelectedDown(int places);
  void RemoveSelected();

  bool operator==(const PanelList&) const = default;

 private:
  std::vector<std::string> items_;
  int selected_ = -1;
};

// The texts that Add gives a new panel.
struct PanelTexts {
  std::string title, height, icons, expanded, data;
  bool operator==(const PanelTexts&) const = default;
};
PanelTexts NewPanelTexts();

struct ScriptDocument {
  ScriptDocument();

  // The five lists; commands visit them in this order.
  PanelList PL, PHL, PIL, PEL, PDL;
  std::array<PanelList*, 5> Lists() { return {&PL, &PHL, &PIL, &PEL, &PDL}; }

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
};

// "Orvella - New Script" for an empty file name, else "Orvella - " and the file-name part.
std::string CaptionFor(const std::string& fileName);

}  // namespace orv
