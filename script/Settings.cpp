#include "Settings.h"

namespace orv {

const std::array<SettingDef, kSettingCount> kSettings = {{
    {"AL", "Area Left", "0", "ZUB_AreaLeft", WrittenAs::Bare},
    {"AT", "Area Top", "0", "ZUB_AreaTop", WrittenAs::Bare},
    {"AW", "Area Width", "250", "ZUB_AreaWidth", WrittenAs::Bare},
    {"AH", "Area Height", "1000", "ZUB_AreaHeight", WrittenAs::Bare},
    {"ZI", "ZIndex", "0", "ZUB_ZIndex", WrittenAs::Bare},
    {"LS", "Panels Left Space", "10", "ZUB_PanelsLeftSpace", WrittenAs::Bare},
    {"RS", "Panels Right Space", "10", "ZUB_PanelsRightSpace", WrittenAs::Bare},
    {"TS", "Panels Top Space", "15", "ZUB_PanelsTopSpace", WrittenAs::Bare},
    {"IL", "Icons Left", "6", "ZUB_IconsLeft", WrittenAs::Bare},
    {"IT", "Icons Top", "6", "ZUB_IconsTop", WrittenAs::Bare},
    {"TL", "Titles Left", "22", "ZUB_TitlesLeft", WrittenAs::Bare},
    {"TT", "Titles Top", "5", "ZUB_TitlesTop", WrittenAs::Bare},
    {"TFS", "Titles Font Start", "<font face=\"Tahoma\" size=2><b>", "ZUB_TitlesFontStart",
     WrittenAs::Quoted},
    {"TFE", "Titles Font End", "</b></font>", "ZUB_TitlesFontEnd", WrittenAs::Quoted},
    {"PTL", "Panels Text Left", "5", "ZUB_PanelsTextLeft", WrittenAs::Bare},
    {"PTT", "Panels Text Top", "5", "ZUB_PanelsTextTop", WrittenAs::Bare},
    {"PFS", "Panels Font Start", "<font face=Tahoma size=2>", "ZUB_PanelsFontStart",
     WrittenAs::Quoted},
    {"PFE", "Panels Font End", "</font>", "ZUB_PanelsFontEnd", WrittenAs::Quoted},
    {"MS", "Movement Speed", "15", "ZUB_MovementSpeed", WrittenAs::Bare},
    {"TP", "Theme Directory Path", "zubtheme", "ZUB_ThemePath", WrittenAs::ThemePath},
}};

int SettingIndex(std::string_view field) {
  for (int i = 0; i < kSettingCount; ++i)
    if (kSettings[i].field == field) return i;
  return -1;
}

// AL AT AW AH IL IT TL TT LS RS TS ZI PTL PTT MS TP TFS TFE PFS PFE
const std::array<int, kSettingCount> kResetOrder = {0, 1, 2,  3,  8,  9,  10, 11, 5,  6,
                                                    7, 4, 14, 15, 18, 19, 12, 13, 16, 17};

}  // namespace orv
