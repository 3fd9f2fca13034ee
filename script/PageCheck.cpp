#include "PageCheck.h"

#include <vector>

namespace orv {

namespace {

constexpr std::string_view kStops = " As it stands the page's script stops at this line.";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// Letters, digits, $, _ and every byte past ASCII, which may spell a letter in the code page.
bool IsNamePart(char c) {
  const auto u = static_cast<unsigned char>(c);
  return IsDigit(c) || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || c == '$' || c == '_' ||
         u >= 0x80;
}
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

enum class Fault { None, Empty, Number, Unfinished, Unbalanced };

// The end of the numeric literal that starts at i, as JavaScript reads it.
size_t NumberEnd(std::string_view t, size_t i) {
  const auto digits = [&](size_t at, auto accept) {
    while (at < t.size() && (accept(t[at]) || (t[at] == '_' && at + 1 < t.size() &&
                                               accept(t[at + 1]) && accept(t[at - 1]))))
      ++at;
    return at;
  };
  const auto decimal = [](char c) { return IsDigit(c); };
  if (t[i] == '0' && i + 1 < t.size()) {
    const char base = static_cast<char>(t[i + 1] | 0x20);
    const auto hex = [](char c) { return IsDigit(c) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f'); };
    const auto binary = [](char c) { return c == '0' || c == '1'; };
    const auto octal = [](char c) { return c >= '0' && c <= '7'; };
    size_t end = i + 2;
    if (base == 'x' && end < t.size() && hex(t[end]))
      end = digits(end, hex);
    else if (base == 'b' && end < t.size() && binary(t[end]))
      end = digits(end, binary);
    else if (base == 'o' && end < t.size() && octal(t[end]))
      end = digits(end, octal);
    else
      end = 0;
    if (end) return end < t.size() && t[end] == 'n' ? end + 1 : end;
  }
  size_t at = digits(i, decimal);
  bool integer = true;
  if (at < t.size() && t[at] == '.') {
    integer = false;
    at = at + 1 < t.size() && IsDigit(t[at + 1]) ? digits(at + 1, decimal) : at + 1;
  }
  if (at < t.size() && (t[at] | 0x20) == 'e') {
    size_t e = at + 1;
    if (e < t.size() && (t[e] == '+' || t[e] == '-')) ++e;
    if (e < t.size() && IsDigit(t[e])) {
      at = digits(e, decimal);
      integer = false;
    }
  }
  return integer && at < t.size() && t[at] == 'n' ? at + 1 : at;
}

// Whether a slash at i starts a regular expression: where an operand is expected.
bool OperandExpected(std::string_view t, size_t i) {
  while (i > 0 && IsBlank(t[i - 1])) --i;
  if (i == 0) return true;
  const char before = t[i - 1];
  return std::string_view("(,=:[!&|?{};+-*%<>~^").find(before) != std::string_view::npos;
}

Fault CheckBare(std::string_view t) {
  size_t first = 0;
  while (first < t.size() && IsBlank(t[first])) ++first;
  if (first == t.size()) return Fault::Empty;

  std::vector<char> open;  // brackets not yet closed
  char last = 0;           // the last operator character outside literals, or 0
  bool lastDoubled = false;
  for (size_t i = first; i < t.size();) {
    const char c = t[i];
    if (IsBlank(c)) {
      ++i;
      continue;
    }
    if (c == '/' && i + 1 < t.size() && t[i + 1] == '/') break;  // the rest is a comment
    if (c == '/' && i + 1 < t.size() && t[i + 1] == '*') {
      const size_t end = t.find("*/", i + 2);
      if (end == std::string_view::npos) return Fault::Unbalanced;
      i = end + 2;
      continue;
    }
    const char previous = last;
    last = 0;
    if (c == '\'' || c == '"' || c == '`' || (c == '/' && OperandExpected(t, i))) {
      // A string or pattern: its end is the next unescaped quote of its kind.
      size_t j = i + 1;
      bool inClass = false;
      while (j < t.size() && (t[j] != c || inClass)) {
        if (t[j] == '\\')
          ++j;
        else if (c == '/' && t[j] == '[')
          inClass = true;
        else if (c == '/' && t[j] == ']')
          inClass = false;
        else if (c != '`' && (t[j] == '\n' || t[j] == '\r'))
          break;
        ++j;
      }
      if (j >= t.size() || t[j] != c) return Fault::Unbalanced;
      i = j + 1;
      while (c == '/' && i < t.size() && IsNamePart(t[i])) ++i;  // flags
      continue;
    }
    if (IsDigit(c) || (c == '.' && i + 1 < t.size() && IsDigit(t[i + 1]))) {
      const size_t end = NumberEnd(t, i);
      // A letter or digit straight after a number, or a second fraction ("1.5.2").
      if (end < t.size() &&
          (IsNamePart(t[end]) || (t[end] == '.' && end + 1 < t.size() && IsDigit(t[end + 1]))))
        return Fault::Number;
      i = end;
      continue;
    }
    if (IsNamePart(c)) {
      while (i < t.size() && IsNamePart(t[i])) ++i;
      continue;
    }
    if (c == '(' || c == '[' || c == '{') {
      open.push_back(c);
    } else if (c == ')' || c == ']' || c == '}') {
      const char opener = c == ')' ? '(' : c == ']' ? '[' : '{';
      if (open.empty() || open.back() != opener) return Fault::Unbalanced;
      open.pop_back();
    } else if (std::string_view("+-*%=<>&|^!~?:,.").find(c) != std::string_view::npos) {
      lastDoubled = (c == '+' || c == '-') && previous == c && t[i - 1] == c;
      last = c;
    }
    ++i;
  }
  if (!open.empty()) return Fault::Unbalanced;
  // Ending in "++" or "--" may be an increment; any other operator leaves the line unfinished.
  if (last != 0 && !lastDoubled) return Fault::Unfinished;
  return Fault::None;
}

}  // namespace

std::string PageBreakHint(int setting, std::string_view text) {
  if (setting < 0 || setting >= kSettingCount) return {};
  const SettingDef& def = kSettings[setting];
  if (def.writtenAs != WrittenAs::Bare) {
    // The text stands between apostrophes: an unescaped apostrophe ends it early, and a
    // backslash left over at its end escapes the closing one.
    size_t run = 0;
    for (const char c : text) {
      if (c == '\'' && run % 2 == 0)
        return "An apostrophe ends this text early: write \\' for one, or use \"." +
               std::string(kStops);
      run = c == '\\' ? run + 1 : 0;
    }
    if (run % 2 == 1)
      return "A backslash at the end escapes the closing quote: remove it or double it." +
             std::string(kStops);
    return {};
  }
  const std::string example(def.defaultText);
  switch (CheckBare(text)) {
    case Fault::None: return {};
    case Fault::Empty:
      return "A value is expected here, for example " + example + "." + std::string(kStops);
    case Fault::Number:
      return "A number is expected here, for example " + example + "." + std::string(kStops);
    case Fault::Unfinished:
      return "The value ends in an operator: finish it or remove the operator." +
             std::string(kStops);
    case Fault::Unbalanced:
      return "A quote or bracket is not closed: close it or remove it." + std::string(kStops);
  }
  return {};
}

}  // namespace orv
