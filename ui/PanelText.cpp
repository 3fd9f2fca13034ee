#include "PanelText.h"

#include <cstdint>

#include "Document.h"

namespace orv::ui {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool IsValidInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::string_view rest = text.substr(i);

  size_t digits = 0;
  if (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X'))
    digits = 1;
  else if (rest.starts_with("0x") || rest.starts_with("0X"))
    digits = 2;
  if (digits > 0) {
    const std::string_view hex = rest.substr(digits);
    if (hex.empty()) return false;
    int significant = 0;
    for (char c : hex) {
      if (HexValue(c) < 0) return false;
      if (significant > 0 || c != '0') ++significant;
    }
    return significant <= 8;
  }

  if (rest.empty()) return false;
  // The magnitude may reach 2^31 only for a negative number.
  const std::uint64_t limit = negative ? 2147483648ull : 2147483647ull;
  std::uint64_t value = 0;
  for (char c : rest) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned>(c - '0');
    if (value > limit) return false;
  }
  return true;
}

std::string InvalidIntegerText(std::string_view text) {
  std::string message;
  message.reserve(text.size() + 32);
  message.append("'").append(text).append("' is not a valid integer value");
  return message;
}

std::string DataToMemoText(std::string_view data) {
  std::string memo;
  memo.reserve(data.size() + 16);
  for (char c : data) {
    if (c == kLineSeparator)
      memo += "\r\n";
    else
      memo += c;
  }
  return memo + "\r\n";
}

std::string MemoTextToData(std::string_view memoText) {
  if (memoText.ends_with("\r\n")) memoText.remove_suffix(2);
  // An empty memo has no lines; a memo of one line break has one empty line. Both join to "".
  std::string data;
  data.reserve(memoText.size());
  for (size_t i = 0; i < memoText.size(); ++i) {
    if (memoText[i] == '\r' && i + 1 < memoText.size() && memoText[i + 1] == '\n') {
      data += kLineSeparator;
      ++i;
    } else {
      data += memoText[i];
    }
  }
  return data;
}

}  // namespace orv::ui
