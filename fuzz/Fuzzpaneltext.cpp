// The editor's height rule against a second reading of its description, and the
// memo's lines against the data texts they stand for.
#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string>
#include <string_view>

#include "Document.h"
#include "PanelText.h"

namespace {

// Written from the rule's wording, by a regular expression and a comparison of
// digit strings rather than by accumulating a value.
bool Accepted(const std::string& text) {
  static const std::regex shape(R"(^ *([+-]?)(?:([0-9]+)|(?:\$|x|X|0x|0X)([0-9a-fA-F]+))$)");
  std::smatch m;
  if (!std::regex_match(text, m, shape)) return false;
  const bool decimal = m[2].matched;
  std::string digits = decimal ? m[2].str() : m[3].str();
  digits.erase(0, digits.find_first_not_of('0'));
  if (!decimal) return digits.size() <= 8;
  const std::string limit = m[1].str() == "-" ? "2147483648" : "2147483647";
  return digits.size() < limit.size() || (digits.size() == limit.size() && digits <= limit);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (orv::ui::IsValidInteger(text) != Accepted(text)) std::abort();
  if (orv::ui::InvalidIntegerText(text) != "'" + text + "' is not a valid integer value")
    std::abort();

  // A data text read from a file never holds a CR LF pair: the reader splits
  // lines there.
  if (text.find("\r\n") == std::string::npos) {
    const std::string memo = orv::ui::DataToMemoText(text);
    if (orv::ui::MemoTextToData(memo) != text) std::abort();
    if (memo.find(orv::kLineSeparator) != std::string::npos) std::abort();
  }
  return 0;
}
