#pragma once
// The script file: 28 lines of JavaScript, written and read back by fixed positions.
#include <string>
#include <string_view>
#include <vector>

#include "Document.h"

namespace orv {

// A backslash before each apostrophe and each backslash.
std::string EscapeScriptString(std::string_view text);

// The whole file as bytes. Throws "List index out of bounds (i)" when a list is shorter
// than PL.
std::string ComposeScriptFile(const ScriptDocument& doc);

// Composes, then replaces the file at path; on failure the old file stays as it was.
void WriteScriptFile(const ScriptDocument& doc, const std::string& path);

// Save with a file name: write, then deploy the theme beside the file (the theme folders are
// looked up in programFolder), then clear Modified. A failed write deploys nothing and keeps
// Modified.
void SaveScript(ScriptDocument& doc, const std::string& programFolder);

// What a script file holds, before it becomes the document.
struct ScriptContent {
  std::vector<std::string> titles, heights, icons, expanded, data;
  std::array<std::string, kSettingCount> settings;
  std::string themeName;
};

// Lines as the reader splits them: CR, LF, CR LF; a NUL ends the text.
std::vector<std::string_view> SplitScriptLines(std::string_view bytes);

// Throws "List index out of bounds (n)" for a text of n < 26 lines.
ScriptContent ParseScriptFile(std::string_view bytes);

// Replaces the document with the file's contents only once the whole file has been read and
// parsed; on failure the document is unchanged. Sets FileName, selects the theme, clears
// Modified; the panel editor's state (AddingPanel) is kept.
void ReadScriptFile(ScriptDocument& doc, const std::string& path);

}  // namespace orv
