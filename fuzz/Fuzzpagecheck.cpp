// The page check on any text for any field: it never crashes, never flags a plain number in a
// bare field, and never flags a quoted field's text that holds no apostrophe or backslash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "PageCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int setting = data[0] % orv::kSettingCount;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  orv::PageBreakHint(setting, text);

  // A plain number made from the same bytes: a sign, digits, at most one fraction.
  std::string number = data[0] & 0x80 ? "-" : "";
  bool fraction = false;
  for (const char c : text) {
    if (c == '.' && !fraction && number.size() > (number[0] == '-' ? 1u : 0u)) {
      number += '.';
      fraction = true;
    }
    number += static_cast<char>('0' + static_cast<unsigned char>(c) % 10);
  }
  if (number.empty() || number == "-") number += '0';
  for (int i = 0; i < orv::kSettingCount; ++i) {
    if (orv::kSettings[i].writtenAs == orv::WrittenAs::Bare &&
        !orv::PageBreakHint(i, number).empty())
      std::abort();
    if (orv::kSettings[i].writtenAs != orv::WrittenAs::Bare &&
        text.find_first_of("'\\") == std::string::npos && !orv::PageBreakHint(i, text).empty())
      std::abort();
  }
  return 0;
}
