// Documents made of what a user can type read back equal after a write.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "Document.h"
#include "PanelText.h"
#include "ScriptFile.h"

namespace {

// A single-line field: any byte but the line ends and NUL, which no edit field
// holds.
std::string Typed(FuzzedDataProvider& in, size_t max) {
  std::string text = in.ConsumeRandomLengthString(max);
  for (char& c : text)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  return text;
}

// The memo's lines joined by the separator.
std::string Memo(FuzzedDataProvider& in) {
  std::string text = Typed(in, 64);
  for (char& c : text)
    if (c == '|') c = orv::kLineSeparator;
  return text;
}

// Heights are stored as typed once the editor's integer rule accepts them ("
// $1F", "-0"); the flag comes from a check box.
std::string Height(FuzzedDataProvider& in) {
  if (in.ConsumeBool()) {
    std::string typed = Typed(in, 12);
    if (orv::ui::IsValidInteger(typed)) return typed;
  }
  const int64_t value = in.ConsumeIntegralInRange<int64_t>(INT32_MIN, INT32_MAX);
  return std::to_string(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  orv::ScriptDocument doc;
  doc.themes = {"Plain", "Blue", "Dark"};
  doc.themeIndex = in.ConsumeIntegralInRange<int>(-1, 2);
  const int panels = in.ConsumeIntegralInRange<int>(0, 12);
  for (int i = 0; i < panels; ++i) {
    doc.PL.Append(Typed(in, 32));
    doc.PHL.Append(Height(in));
    doc.PIL.Append(Typed(in, 16));
    doc.PEL.Append(in.ConsumeBool() ? "1" : "0");
    doc.PDL.Append(Memo(in));
  }
  for (auto& setting : doc.settings)
    if (in.ConsumeBool()) setting = Typed(in, 24);

  const orv::ScriptContent back = orv::ParseScriptFile(orv::ComposeScriptFile(doc));
  if (back.titles != doc.PL.Items() || back.heights != doc.PHL.Items() ||
      back.icons != doc.PIL.Items() || back.expanded != doc.PEL.Items() ||
      back.data != doc.PDL.Items() || back.settings != doc.settings ||
      back.themeName != doc.ThemeName())
    std::abort();
  return 0;
}
