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
  void Click(const char* button) {
    SendMessageA(C(button), BM_CLICK, 0, 0);
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
  const struct {
    const char* name;
    std::function<void()> setUp, command;
  } commands[] = {
      {"Add+OK", [] {}, [&] { bench.Click("Add"); bench.Click("OK"); }},
      {"Add", [] {}, [&] { bench.Click("Add"); }},
      {"OK", [] {}, [&] { bench.Click("OK"); }},
      {"Edit", [&] { bench.ClickTitle(middle); }, [&] { bench.Click("Edit"); }},
      {"Cancel", [] {}, [&] { bench.Click("Cancel"); }},
      {"Edit+OK", [&] { bench.ClickTitle(middle); },
       [&] { bench.Click("Edit"); bench.Click("OK"); }},
      {"Remove", [&] { bench.ClickTitle(middle); }, [&] { bench.Click("Remove"); }},
      {"Move Up", [&] { bench.ClickTitle(middle); }, [&] { bench.Click("MoveUp"); }},
      {"Move Down", [&] { bench.ClickTitle(middle); }, [&] { bench.Click("MoveDown"); }},
      {"PL click", [] {}, [&] { bench.ClickTitle(middle + (std::rand() % 20)); }},
      {"Clear", [&] { bench.dialogs.answers = {IDNO}; bench.dialogs.files = {path}; bench.Click("Open"); },
       [&] { bench.Click("Clear"); }},
  };
  for (const auto& c : commands) {
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
      c.setUp();
      const double start = Now();
      c.command();
      times.push_back(Now() - start);
      if (std::string(c.name) == "Clear" && round >= 10) break;
    }
    std::sort(times.begin(), times.end());
    std::printf("%-10s median %6.2f ms   max %6.2f ms   (%zu runs, %d panels)\n", c.name,
                times[times.size() / 2], times.back(), times.size(), bench.form->Document().PL.Count());
  }
  return 0;
}
