#pragma once
// Window-free rules of the panel editor: the height check and the memo's lines.
#include <string>
#include <string_view>

namespace orv::ui {

// Whether a height text converts to a 32-bit integer: leading spaces, an optional sign, then
// decimal digits in range or a hexadecimal number ("$", "x", "X", "0x", "0X") of at most eight
// significant digits, and nothing after it.
bool IsValidInteger(std::string_view text);

// "'%s' is not a valid integer value"
std::string InvalidIntegerText(std::string_view text);

// A data text as memo text: every piece between separators followed by a line break.
std::string DataToMemoText(std::string_view data);

// The memo's lines joined by separators. A line break at the very end starts no further line
// and an empty memo has no lines.
std::string MemoTextToData(std::string_view memoText);

}  // namespace orv::ui
