#include <string>

#include "Error.h"
#include "Platform.h"
#include "ScriptFile.h"

namespace orv {

namespace {

enum class Item { Plain, Escaped, Data };

// One pass over the text: escaping, and for data the line separator as backslash-n. Runs
// without a special byte are copied whole.
void AppendItemText(std::string& out, std::string_view text, Item kind) {
  if (kind == Item::Plain) {
    out += text;
    return;
  }
  const char separator = kind == Item::Data ? kLineSeparator : '\'';
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\'' && c != '\\' && c != separator) continue;
    out.append(text, start, i - start);
    if (c == kLineSeparator && kind == Item::Data) {
      out += "\\n";
    } else {
      out += '\\';
      out += c;
    }
    start = i + 1;
  }
  out.append(text, start, text.size() - start);
}

std::string_view Terminator(WrittenAs how) {
  switch (how) {
    case WrittenAs::Bare: return ";";
    case WrittenAs::Quoted: return "';";
    case WrittenAs::ThemePath: return "\\\\';";
  }
  return ";";
}

}  // namespace

std::string EscapeScriptString(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  AppendItemText(out, text, Item::Escaped);
  return out;
}

std::string ComposeScriptFile(const ScriptDocument& doc) {
  const int n = doc.PL.Count();
  // Fail before anything is built when a parallel list is short.
  for (int i = 0; i < n; ++i)
    for (const PanelList* list : {&doc.PHL, &doc.PEL, &doc.PIL, &doc.PDL})
      if (i >= list->Count()) throw ListIndexError(i);

  struct ArrayLine {
    std::string_view prefix;
    const PanelList& list;
    Item kind;
  };
  const ArrayLine arrays[] = {
      {"var ZUB_PanelsTitle=new Array(", doc.PL, Item::Escaped},
      {"var ZUB_PanelsHeight=new Array(", doc.PHL, Item::Plain},
      {"var ZUB_PanelsExpansion=new Array(", doc.PEL, Item::Plain},
      {"var ZUB_PanelsIcon=new Array(", doc.PIL, Item::Escaped},
      {"var ZUB_PanelsData=new Array(", doc.PDL, Item::Data},
  };

  size_t size = 1024;
  for (const ArrayLine& line : arrays)
    for (int i = 0; i < n; ++i) size += line.list.Items()[i].size() + 4;
  for (const std::string& text : doc.settings) size += text.size();
  std::string out;
  out.reserve(size + size / 8);

  for (const ArrayLine& line : arrays) {
    out += line.prefix;
    for (int i = 0; i < n; ++i) {
      if (i > 0) out += ',';
      out += '\'';
      AppendItemText(out, line.list.Items()[i], line.kind);
      out += '\'';
    }
    out += ");\r\n";
  }
  for (int i = 0; i < kSettingCount; ++i) {
    const SettingDef& def = kSettings[i];
    out += "var ";
    out += def.variable;
    out += def.writtenAs == WrittenAs::Bare ? "=" : "='";
    out += doc.settings[i];
    out += Terminator(def.writtenAs);
    out += "\r\n";
  }
  out += "//";
  out += doc.ThemeName();
  out += "\r\n";
  out += "document.write('<script language=javascript src=\"'+ZUB_ThemePath+'thm.js\"></script>');\r\n";
  out += "document.write('<script language=javascript src=foldpanes.js></script>');\r\n";
  return out;
}

void WriteScriptFile(const ScriptDocument& doc, const std::string& path) {
  ReplaceFileContents(path, ComposeScriptFile(doc));
}

}  // namespace orv
