// Wine waits two seconds for a window manager on every destroyed window unless its windows are
// unmanaged, and the test display has none. Set for the test executable only, before any
// window exists; it takes effect from the next run of the executable on.
#include <windows.h>

#include <string>

namespace {

const bool unmanaged = [] {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string exe = path;
  const std::string key =
      "Software\\Wine\\AppDefaults\\" + exe.substr(exe.find_last_of("\\/") + 1) + "\\X11 Driver";
  return RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), "Managed", REG_SZ, "N", 2) ==
         ERROR_SUCCESS;
}();

}  // namespace
