#pragma once
// Setting texts that would stop the page's script. The writer writes every text as typed; this
// only tells the author, at the field, where the page would show no panel bar at all.
#include <string>
#include <string_view>

#include "Settings.h"

namespace orv {

// What is wrong with text as setting `setting` of kSettings writes it, and what would work;
// empty unless the line it makes is certain to be a syntax error. A bare JavaScript expression
// ("null", "250+10", "screen.width-300") is the author's right and is never flagged.
std::string PageBreakHint(int setting, std::string_view text);

}  // namespace orv
