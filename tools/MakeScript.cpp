// Writes a script file from the command line, through the same writer as the designer, so
// that pages built for the runtime's tests hold exactly what the designer saves.
//
//   orvella_make_script [--panel TITLE HEIGHT ICONS EXPANDED DATA]... [--set FIELD VALUE]...
//                       [--theme NAME] [--deploy PROGRAMFOLDER] --out PATH
//
// Texts are taken byte for byte; a data text's lines are joined by the byte 0x01, as the
// panel editor joins them. --deploy copies the theme and foldpanes.js beside the file, from a
// folder laid out like the installed program folder.
#include <cstdio>
#include <exception>
#include <string>

#include "Document.h"
#include "ScriptFile.h"
#include "Themes.h"

namespace {

int Usage(const char* why) {
  std::fprintf(stderr,
               "orvella_make_script: %s\n"
               "usage: orvella_make_script [--panel TITLE HEIGHT ICONS EXPANDED DATA]...\n"
               "       [--set FIELD VALUE]... [--theme NAME] [--deploy PROGRAMFOLDER] --out PATH\n",
               why);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  orv::ScriptDocument doc;
  std::string out, programFolder;
  bool deploy = false;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    auto values = [&](int count) { return i + count < argc; };
    if (option == "--panel") {
      if (!values(5)) return Usage("--panel needs five texts");
      doc.AppendPanel({argv[i + 1], argv[i + 2], argv[i + 3], argv[i + 4], argv[i + 5]});
      i += 5;
    } else if (option == "--set") {
      if (!values(2)) return Usage("--set needs a field and a value");
      if (orv::SettingIndex(argv[i + 1]) < 0) return Usage("unknown setting field");
      doc.Setting(argv[i + 1]) = argv[i + 2];
      i += 2;
    } else if (option == "--theme") {
      if (!values(1)) return Usage("--theme needs a name");
      doc.themes = {argv[i + 1]};
      doc.SelectTheme(argv[i + 1]);
      i += 1;
    } else if (option == "--deploy") {
      if (!values(1)) return Usage("--deploy needs a folder");
      programFolder = argv[i + 1];
      if (!programFolder.empty() && programFolder.back() != '/' && programFolder.back() != '\\')
        programFolder += '/';
      deploy = true;
      i += 1;
    } else if (option == "--out") {
      if (!values(1)) return Usage("--out needs a path");
      out = argv[i + 1];
      i += 1;
    } else {
      return Usage("unknown argument");
    }
  }
  if (out.empty()) return Usage("--out is required");

  try {
    doc.fileName = out;
    if (deploy)
      orv::SaveScript(doc, programFolder);
    else
      orv::WriteScriptFile(doc, out);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "orvella_make_script: %s\n", e.what());
    return 1;
  }
  return 0;
}
