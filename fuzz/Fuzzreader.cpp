// The reader on arbitrary bytes: it either parses or fails with the index error, and whatever it
// parses the writer can take (or refuse with the same error when the item counts differ).
#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string>

#include "Error.h"
#include "ScriptFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::regex indexError(R"(List index out of bounds \(\d+\))");
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  orv::ScriptContent content;
  try {
    content = orv::ParseScriptFile(bytes);
  } catch (const orv::Error& e) {
    if (!std::regex_match(e.what(), indexError)) std::abort();
    return 0;
  }
  orv::ScriptDocument doc;
  doc.ReplacePanels(
      {content.titles, content.heights, content.icons, content.expanded, content.data});
  doc.settings = content.settings;
  try {
    const std::string file = orv::ComposeScriptFile(doc);
    // A file the writer made always has its 28 lines.
    if (orv::SplitScriptLines(file).size() < 28 && file.find('\0') == std::string::npos)
      std::abort();
  } catch (const orv::Error& e) {
    if (!std::regex_match(e.what(), indexError)) std::abort();
  }
  return 0;
}
