// Wine waits two seconds for a window manager on every destroyed window unless its windows are
// unmanaged, and the test display has none; a managed window is not maximised either, as
// there is no manager to do it. Set for the test executable only. Wine's X11 driver has read
// the setting before any code of the executable runs, so the run that first writes it starts
// the executable again and ends with that run's exit code: every run, the first in a fresh
// prefix included, has unmanaged windows.
#include <windows.h>

#include <string>

namespace {

bool AlreadyUnmanaged(const std::string& key) {
  char value[4] = {};
  DWORD size = sizeof value;
  return RegGetValueA(HKEY_CURRENT_USER, key.c_str(), "Managed", RRF_RT_REG_SZ, nullptr, value,
                      &size) == ERROR_SUCCESS &&
         std::string(value) == "N";
}

const bool unmanaged = [] {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string exe = path;
  const std::string key =
      "Software\\Wine\\AppDefaults\\" + exe.substr(exe.find_last_of("\\/") + 1) + "\\X11 Driver";
  if (AlreadyUnmanaged(key)) return true;
  if (RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), "Managed", REG_SZ, "N", 2) != ERROR_SUCCESS)
    return false;
  STARTUPINFOA start{};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  start.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  start.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION again{};
  std::string commandLine = GetCommandLineA();
  if (!CreateProcessA(path, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start,
                      &again))
    return false;
  WaitForSingleObject(again.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(again.hProcess, &code);
  ExitProcess(code);
}();

}  // namespace
