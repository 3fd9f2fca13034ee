#include "Themes.h"

#include "Platform.h"

namespace orv {

std::vector<std::string> ListThemeFolders(const std::string& programFolder) {
  return ListSubfolders(programFolder + "Themes" + kPathSeparator);
}

void DeployThemeAssets(const std::string& programFolder, const std::string& scriptPath,
                       const std::string& themePath, const std::string& themeName) {
  const std::string scriptFolder = FolderOf(scriptPath);
  CreateFolder(scriptFolder + themePath);
  const std::string to = scriptFolder + themePath + kPathSeparator;
  const std::string from = programFolder + "Themes" + kPathSeparator + themeName + kPathSeparator;
  for (const std::string_view asset : kThemeAssets)
    CopyFileOver(from + std::string(asset), to + std::string(asset));
  CopyFileOver(programFolder + std::string(kRuntimeScript),
               scriptFolder + std::string(kRuntimeScript));
}

}  // namespace orv
