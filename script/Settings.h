#pragma once
// The twenty layout settings: one table used by the writer, the reader, New and the window.
#include <array>
#include <string_view>

namespace orv {

enum class WrittenAs {
  Bare,       // var X=value;
  Quoted,     // var X='value';
  ThemePath,  // var X='value\\';
};

struct SettingDef {
  std::string_view field;        // control name, e.g. "AL"
  std::string_view label;        // text of the label above the field
  std::string_view defaultText;  // initial text, restored by New
  std::string_view variable;     // script variable
  WrittenAs writtenAs;
};

inline constexpr int kSettingCount = 20;
// In script-file order: entry i is line 6 + i.
extern const std::array<SettingDef, kSettingCount> kSettings;

// Index into kSettings of a field name, or -1.
int SettingIndex(std::string_view field);

// The order in which New restores the defaults (indices into kSettings).
extern const std::array<int, kSettingCount> kResetOrder;

}  // namespace orv
