#include <string>

#include "Error.h"
#include "Platform.h"
#include "ScriptFile.h"

namespace orv {

namespace {

constexpr int kLinesRead = 26;

// The line minus its first `head` and, when that many are left, its last `tail` characters.
std::string_view Payload(std::string_view line, size_t head, size_t tail) {
  if (line.size() <= head) return {};
  line.remove_prefix(head);
  if (line.size() >= tail) line.remove_suffix(tail);
  return line;
}

enum class Scan { Plain, Escaping, Data };

// Items between apostrophes; text between items is dropped, as is an item left open.
std::vector<std::string> ScanItems(std::string_view payload, Scan mode) {
  std::vector<std::string> items;
  std::string buffer;
  bool inItem = false;
  bool escaped = false;
  for (const char ch : payload) {
    if (ch == '\'' && !inItem) {
      buffer.clear();
      inItem = true;
    } else if (ch == '\'' && (mode == Scan::Plain || !escaped)) {
      items.push_back(buffer);
      inItem = false;
    } else if (ch == '\\' && mode != Scan::Plain && !escaped) {
      escaped = true;
    } else {
      if (mode == Scan::Data && escaped && (ch == 'n' || ch == 'N'))
        buffer += kLineSeparator;
      else
        buffer += ch;
      escaped = false;
    }
  }
  return items;
}

struct SettingCut {
  size_t head, tail;
};

SettingCut CutsFor(const SettingDef& def) {
  const size_t head = 4 + def.variable.size() + (def.writtenAs == WrittenAs::Bare ? 1 : 2);
  const size_t tail = def.writtenAs == WrittenAs::Bare     ? 1
                      : def.writtenAs == WrittenAs::Quoted ? 2
                                                           : 4;
  return {head, tail};
}

}  // namespace

std::vector<std::string_view> SplitScriptLines(std::string_view bytes) {
  const size_t nul = bytes.find('\0');
  if (nul != std::string_view::npos) bytes = bytes.substr(0, nul);
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') continue;
    lines.push_back(bytes.substr(start, i - start));
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

ScriptContent ParseScriptFile(std::string_view bytes) {
  const std::vector<std::string_view> lines = SplitScriptLines(bytes);
  if (lines.size() < kLinesRead) throw ListIndexError(static_cast<long long>(lines.size()));

  ScriptContent content;
  content.titles = ScanItems(Payload(lines[0], 30, 2), Scan::Escaping);
  content.heights = ScanItems(Payload(lines[1], 31, 2), Scan::Plain);
  content.expanded = ScanItems(Payload(lines[2], 34, 2), Scan::Plain);
  content.icons = ScanItems(Payload(lines[3], 29, 2), Scan::Escaping);
  content.data = ScanItems(Payload(lines[4], 29, 2), Scan::Data);
  for (int i = 0; i < kSettingCount; ++i) {
    const SettingCut cut = CutsFor(kSettings[i]);
    content.settings[i] = std::string(Payload(lines[5 + i], cut.head, cut.tail));
  }
  content.themeName = std::string(Payload(lines[25], 2, 0));
  return content;
}

void ReadScriptFile(ScriptDocument& doc, const std::string& path) {
  ScriptContent content = ParseScriptFile(ReadWholeFile(path));
  doc.PL.Assign(std::move(content.titles));
  doc.PHL.Assign(std::move(content.heights));
  doc.PEL.Assign(std::move(content.expanded));
  doc.PIL.Assign(std::move(content.icons));
  doc.PDL.Assign(std::move(content.data));
  doc.settings = std::move(content.settings);
  doc.SelectTheme(content.themeName);
  doc.fileName = path;
  doc.modified = false;
}

}  // namespace orv
