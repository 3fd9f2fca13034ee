#include <string>

#include "Error.h"
#include "Platform.h"
#include "ScriptFile.h"
#include "Themes.h"
#include "WriteBuffer.h"

namespace orv {

namespace {

std::string_view Terminator(WrittenAs how) {
  switch (how) {
    case WrittenAs::Bare: return ";";
    case WrittenAs::Quoted: return "';";
    case WrittenAs::ThemePath: return "\\\\';";
  }
  return ";";
}

WriteBuffer Compose(const ScriptDocument& doc) {
  const int n = doc.PL.Count();
  // Fail before anything is built when a parallel list is short.
  for (int i = 0; i < n; ++i)
    for (const PanelList* list : {&doc.PHL, &doc.PIL, &doc.PEL, &doc.PDL})
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

  // The fixed text of the 28 lines is under 1,000 bytes.
  size_t room = 2048 + doc.ThemeName().size();
  for (const ArrayLine& line : arrays)
    for (int i = 0; i < n; ++i)
      room += line.list.Items()[i].size() * (line.kind == Item::Plain ? 1 : 2) + 3;
  for (const std::string& text : doc.settings) room += text.size();
  WriteBuffer out(room);

  for (const ArrayLine& line : arrays) {
    out.Put(line.prefix);
    for (int i = 0; i < n; ++i) {
      out.Put(i == 0 ? std::string_view("'") : std::string_view("','"));
      out.PutItem(line.list.Items()[i], line.kind);
    }
    out.Put(n ? "');\r\n" : ");\r\n");
  }
  for (int i = 0; i < kSettingCount; ++i) {
    const SettingDef& def = kSettings[i];
    out.Put("var ");
    out.Put(def.variable);
    out.Put(def.writtenAs == WrittenAs::Bare ? "=" : "='");
    out.Put(doc.settings[i]);
    out.Put(Terminator(def.writtenAs));
    out.Put("\r\n");
  }
  out.Put("//");
  out.Put(doc.ThemeName());
  out.Put("\r\n");
  out.Put(
      "document.write('<script language=javascript "
      "src=\"'+ZUB_ThemePath+'thm.js\"></script>');\r\n");
  out.Put("document.write('<script language=javascript src=foldpanes.js></script>');\r\n");
  return out;
}

}  // namespace

std::string EscapeScriptString(std::string_view text) {
  WriteBuffer out(text.size() * 2);
  out.PutItem(text, Item::Escaped);
  return std::string(out.View());
}

std::string ComposeScriptFile(const ScriptDocument& doc) {
  return std::string(Compose(doc).View());
}

void WriteScriptFile(const ScriptDocument& doc, const std::string& path) {
  ReplaceFileContents(path, Compose(doc).View());
}

void SaveScript(ScriptDocument& doc, const std::string& programFolder) {
  WriteScriptFile(doc, doc.fileName);
  DeployThemeAssets(programFolder, doc.fileName, doc.Setting("TP"), doc.ThemeName());
  doc.modified = false;
}

}  // namespace orv
