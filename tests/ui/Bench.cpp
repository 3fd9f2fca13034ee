// Median time of each panel command with 5,000 panels, on the real window under Wine.
// Run: wine build/win32/tests/ui/ui_bench.exe [panels] [rounds]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "Harness.h"
#include "ScriptFile.h"

namespace {

using namespace orv;

double Now() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Bench {
  test::ScriptedDialogs dialogs;
  ui::Application app;
  std::unique_ptr<ui::TMF> form;

  void Pump() { app.ProcessMessages(); }
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
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 60;
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

  Bench bench;
  bench.form = std::make_unique<ui::TMF>(bench.app.Handle(), bench.dialogs, folder.path());
  bench.app.SetMainWindow(*bench.form);
  bench.app.ShowMainWindow(SW_SHOWNORMAL);
  bench.Pump();
  bench.dialogs.files.push_back(path);
  const double openStart = Now();
  bench.Click("Open");
  std::printf("Open of %d panels: %.1f ms\n", panels, Now() - openStart);

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
          commands[k].setUp();
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
      std::sort(times[k].begin(), times[k].end());
      std::printf("%-17s median %6.2f ms   max %6.2f ms\n", commands[k].name,
                  times[k][times[k].size() / 2], times[k].back());
    }
    std::printf("(%d rounds, %d panels at the end)\n", rounds, bench.form->Document().PL.Count());
  }
  return 0;
}
