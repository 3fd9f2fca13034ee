#pragma once
// The theme catalogue and the copying of a theme's files beside a saved script.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

inline constexpr std::array<std::string_view, 7> kThemeAssets = {
    "cb.gif", "eb.gif", "panel.gif", "pc.gif", "pcl.gif", "pcr.gif", "thm.js"};
inline constexpr std::string_view kRuntimeScript = "foldpanes.js";

// Sub-folders of programFolder's Themes folder, in the listing's order; never fails.
std::vector<std::string> ListThemeFolders(const std::string& programFolder);

// Creates the theme folder beside scriptPath, copies the theme's seven assets into it and the
// runtime script beside the script; every failure is passed over.
void DeployThemeAssets(const std::string& programFolder, const std::string& scriptPath,
                       const std::string& themePath, const std::string& themeName);

}  // namespace orv
