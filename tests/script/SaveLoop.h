#pragma once
// The two documents a killed save alternates between, and the loop that saves them: the body of
// save_loop.exe under Wine and of a forked child natively.
#include <functional>

#include "Document.h"
#include "ScriptFile.h"

namespace orv::test {

// Of clearly different lengths, so that a mixture of the two could not pass for either.
inline ScriptDocument SavedInTurn(int which) {
  ScriptDocument doc;
  const int panels = which == 0 ? 3 : 40;
  for (int i = 0; i < panels; ++i)
    doc.AppendPanel({"Panel " + std::to_string(i), "100", "ico.gif", "1",
                     std::string(static_cast<size_t>(50 + which * 100), 'a' + which)});
  return doc;
}

// Saves the second document, then the first, and so on, reporting after each save; ends only
// when reporting fails.
inline void SaveInTurnForever(const std::string& target, const std::function<bool()>& report) {
  const ScriptDocument docs[] = {SavedInTurn(0), SavedInTurn(1)};
  for (int i = 1;; ++i) {
    WriteScriptFile(docs[i % 2], target);
    if (!report()) return;
  }
}

}  // namespace orv::test
