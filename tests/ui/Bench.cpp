// Median time of each panel command and of an Open with 5,000 panels, on the real window under
// Wine. Each time runs from the command to the end of the repaint it caused.
// Run: tools/wine run build/win32/tests/ui/ui_bench.exe [panels] [rounds] [paints]
// With "paints", the mean time of each control's paint is printed after each command's figures.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "Harness.h"
#include "ScriptFile.h"
#include "Timing.h"

namespace {

using namespace orv;
using bench::Max;
using bench::Median;
using bench::Now;

struct Bench {
  test::ScriptedDialogs dialogs;
  ui::Application app;
  std::unique_ptr<ui::TMF> form;

  // Paint time and count per command and control, when asked for.
  bool paints = false;
  std::string command;
  std::map<std::string, std::pair<double, int>> painted;

  std::string NameOf(HWND window) {
    if (window == form->Handle()) return "TMF";
    for (auto table : {ui::WindowLayout(), ui::EditorLayout()})
      for (const ui::ControlDef& def : table)
        if (form->Control(def.name) == window) return def.name;
    return "label";
  }
  void Pump() {
    if (!paints) return app.ProcessMessages();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      const double start = Now();
      app.Dispatch(msg);
      if (msg.message != WM_PAINT) continue;
      auto& [spent, count] = painted[command + ": " + NameOf(msg.hwnd)];
      spent += Now() - start;
      ++count;
    }
  }
  void PrintPaints() {
    for (const auto& [what, figures] : painted)
      std::printf("    %-30s paint %6.2f ms  x%d\n", what.c_str(), figures.first / figures.second,
                  figures.second);
    painted.clear();
  }
  HWND C(const char* name) { return form->Control(name); }
  // As by the mouse (BM_CLICK: press, capture, release), or as the window's keys press a
  // button (the click notification alone); both followed by the repaint.
  bool byMouse = true;
  void Click(const char* button) {
    if (byMouse)
      SendMessageA(C(button), BM_CLICK, 0, 0);
    else
      SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(C(button)), BN_CLICKED),
                   reinterpret_cast<LPARAM>(C(button)));
    Pump();
  }
  void ClickTitle(int index) {
    HWND list = C("PL");
    SendMessageA(list, LB_SETTOPINDEX, index, 0);
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    Pump();
  }
};

}  // namespace

int main(int argc, char** argv) {
  const int panels = argc > 1 ? std::atoi(argv[1]) : 5000;
  const int rounds = std::max(1, argc > 2 ? std::atoi(argv[2]) : 60);
  test::TempFolder folder;
  ScriptDocument doc;
  for (int i = 0; i < panels; ++i) {
    doc.PL.Append("Panel " + std::to_string(i));
    doc.PHL.Append("200");
    doc.PIL.Append("ico.gif");
    doc.PEL.Append(i % 2 ? "1" : "0");
    doc.PDL.Append("Line one<br>\x01Line two of panel " + std::to_string(i));
  }
  const std::string path = folder / "big.js";
  WriteScriptFile(doc, path);
  // The same panels with every setting other than the defaults, so that an Open of one after
  // the other rewrites all twenty fields.
  for (int i = 0; i < kSettingCount; ++i) doc.settings[i] += i == 19 ? "x" : "1";
  const std::string changed = folder / "changed.js";
  WriteScriptFile(doc, changed);

  Bench bench;
  bench.paints = argc > 3 && std::strcmp(argv[3], "paints") == 0;
  bench.form = std::make_unique<ui::TMF>(bench.app.Handle(), bench.dialogs, folder.path());
  bench.app.SetMainWindow(*bench.form);
  bench.app.ShowMainWindow(SW_SHOWNORMAL);
  bench.Pump();

  // Open as the user does it: the button, the open dialog (answered by the bench), the reading
  // and the lists refilled. The document is unmodified, so no question comes first.
  std::vector<double> opens;
  bench.command = "Open";
  for (int round = 0; round < std::max(3, rounds / 4); ++round) {
    bench.dialogs.files.push_back(path);
    const double start = Now();
    bench.Click("Open");
    opens.push_back(Now() - start);
  }
  if (bench.form->Document().PL.Count() != panels || !bench.dialogs.questions.empty()) {
    std::fprintf(stderr, "the Open did not read the %d panels\n", panels);
    return 1;
  }
  std::printf("Open of %d panels: median %.1f ms, max %.1f ms (%zu opens)\n", panels, Median(opens),
              Max(opens), opens.size());
  if (bench.paints) bench.PrintPaints();

  // Open of two files in turn whose twenty settings all differ.
  opens.clear();
  bench.command = "Open, every setting changed";
  for (int round = 0; round < 2 * std::max(3, rounds / 4); ++round) {
    bench.dialogs.files.push_back(round % 2 ? path : changed);
    const double start = Now();
    bench.Click("Open");
    opens.push_back(Now() - start);
  }
  if (bench.form->Document().settings != ScriptDocument().settings) {
    std::fprintf(stderr, "the Open did not read the settings\n");
    return 1;
  }
  std::printf("Open of %d panels, every setting changed: median %.1f ms, max %.1f ms (%zu opens)\n",
              panels, Median(opens), Max(opens), opens.size());
  if (bench.paints) bench.PrintPaints();

  const int middle = panels / 2;
  // Each command from the state a user meets it in: the editor opens closed and closes open.
  const struct {
    const char* name;
    std::function<void()> setUp;
    const char* button;  // null: a click on a title
  } commands[] = {
      {"Add", [] {}, "Add"},
      {"OK after Add", [] {}, "OK"},
      {"Edit", [&] { bench.ClickTitle(middle); }, "Edit"},
      {"OK after Edit", [] {}, "OK"},
      {"Add", [] {}, "Add"},
      {"Cancel after Add", [] {}, "Cancel"},
      {"Remove", [&] { bench.ClickTitle(middle); }, "Remove"},
      {"Move Up", [&] { bench.ClickTitle(middle); }, "MoveUp"},
      {"Move Down", [&] { bench.ClickTitle(middle); }, "MoveDown"},
      {"PL click", [] {}, nullptr},
  };
  for (const bool byMouse : {true, false}) {
    bench.byMouse = byMouse;
    std::printf("%s\n",
                byMouse ? "Buttons clicked (BM_CLICK):" : "Buttons pressed (click notification):");
    std::vector<std::vector<double>> times(std::size(commands));
    // Pairs that open and close the editor run in turn, so each finds the state it expects.
    for (size_t first = 0; first < std::size(commands);) {
      const bool pair = first + 1 < std::size(commands) && commands[first].button &&
                        (std::string(commands[first].button) == "Add" ||
                         std::string(commands[first].button) == "Edit");
      const size_t last = pair ? first + 1 : first;
      for (int round = 0; round < rounds; ++round) {
        for (size_t k = first; k <= last; ++k) {
          bench.command = "set-up";
          commands[k].setUp();
          bench.command = commands[k].name;
          const double start = Now();
          if (commands[k].button)
            bench.Click(commands[k].button);
          else
            bench.ClickTitle(middle + round % 20);
          times[k].push_back(Now() - start);
        }
      }
      first = last + 1;
    }
    for (size_t k = 0; k < std::size(commands); ++k) {
      std::printf("%-17s median %6.2f ms   max %6.2f ms\n", commands[k].name, Median(times[k]),
                  Max(times[k]));
    }
    std::printf("(%d rounds, %d panels at the end)\n", rounds, bench.form->Document().PL.Count());
    if (bench.paints) bench.PrintPaints();
  }
  return 0;
}
