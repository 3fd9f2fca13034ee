#include <algorithm>
#include <cstring>
#include <string>

#include "ByteScan.h"
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

// The next position at or after `from` of either of two bytes, by memchr; each search is kept
// until it is passed, so a text is scanned once per byte value however often this is asked.
class NextOfTwo {
 public:
  NextOfTwo(std::string_view text, char a, char b)
      : text_(text), a_(a), b_(b), nextA_(Find(a, 0)), nextB_(Find(b, 0)) {}
  size_t From(size_t from) {
    if (nextA_ < from) nextA_ = Find(a_, from);
    if (nextB_ < from) nextB_ = Find(b_, from);
    return std::min(nextA_, nextB_);
  }

 private:
  size_t Find(char c, size_t from) const {
    if (from >= text_.size()) return text_.size();
    const void* hit = std::memchr(text_.data() + from, c, text_.size() - from);
    return hit ? static_cast<size_t>(static_cast<const char*>(hit) - text_.data()) : text_.size();
  }
  std::string_view text_;
  char a_, b_;
  size_t nextA_, nextB_;
};

// Items between apostrophes; text between items is dropped, as is an item left open. Inside an
// item, runs of ordinary bytes are taken whole, and an item without escapes is made from the
// text in one piece.
std::vector<std::string> ScanItems(std::string_view payload, Scan mode) {
  std::vector<std::string> items;
  items.reserve(static_cast<size_t>(std::count(payload.begin(), payload.end(), '\'')) / 2);
  std::string buffer;
  bool inItem = false;
  bool escaped = false;
  const bool escapes = mode != Scan::Plain;
  // In the plain scanner only the apostrophe is special.
  const char other = escapes ? '\\' : '\'';
  const auto next = [&](size_t from) { return FindAnyOf(payload, from, '\'', other, other); };
  for (size_t i = 0; i < payload.size(); ++i) {
    const char ch = payload[i];
    if (ch == '\'' && !inItem) {
      // A backslash just before the opening apostrophe escapes the item's first byte.
      const size_t end = next(i + 1);
      if (!escaped && end < payload.size() && payload[end] == '\'') {
        items.emplace_back(payload.substr(i + 1, end - i - 1));
        i = end;
        continue;
      }
      buffer.clear();
      inItem = true;
    } else if (ch == '\'' && (!escapes || !escaped)) {
      items.emplace_back(buffer);  // one allocation of the item's size; the buffer keeps its room
      buffer.clear();
      inItem = false;
    } else if (ch == '\\' && escapes && !escaped) {
      escaped = true;
    } else {
      if (mode == Scan::Data && escaped && (ch == 'n' || ch == 'N'))
        buffer += kLineSeparator;
      else
        buffer += ch;
      escaped = false;
      if (!inItem) continue;  // between items nothing is kept for long
      const size_t end = next(i + 1);
      buffer.append(payload, i + 1, end - i - 1);
      i = end - 1;
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
  const void* nul = std::memchr(bytes.data(), '\0', bytes.size());
  if (nul)
    bytes = bytes.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - bytes.data()));
  std::vector<std::string_view> lines;
  NextOfTwo lineEnd(bytes, '\r', '\n');
  size_t start = 0;
  for (size_t i; (i = lineEnd.From(start)) < bytes.size();) {
    lines.push_back(bytes.substr(start, i - start));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
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
  doc.ReplacePanels({std::move(content.titles), std::move(content.heights),
                     std::move(content.icons), std::move(content.expanded),
                     std::move(content.data)});
  doc.settings = std::move(content.settings);
  doc.SelectTheme(content.themeName);
  doc.fileName = path;
  doc.modified = false;
}

}  // namespace orv
