#pragma once
// What the manager tests share: the internal skin as a pack built from the skin folder of the sources,
// and a windows side that records the manager's calls instead of reaching windows.

#include <memory>
#include <string>
#include <vector>

#include "skin/engine/SkinManager.h"

inline constexpr const char *InternalSkinName = "BlueGauze (internal)";

// The pack of resources/skins/BlueGauze (options file, master bitmap, button picture).
const std::vector<uint8_t> &BlueGauzePack();
void AddInternalSkin(TsSkinManager &manager, const std::string &name, const std::vector<uint8_t> &pack);

// "SKINSET", "SKINCLEARED", "SKINREFRESH", "STOPFADE"; empty for the other sub-commands.
std::string AnnouncementName(uint16_t command);

struct RecordingLog {
  // "Freeze", "Thaw", "MenusChanged", "DialogHook", "RemoveDialogHook", "UnhookApplication" and the
  // broadcast sub-commands by name ("SKINSET").
  std::vector<std::string> calls;
  TsSkinManager *lastManager = nullptr;
  TsSkinManager *hooked = nullptr;
  std::string programFolder;
  // The process-wide flags as the broadcasts found them.
  bool appliedDuringSkinSet = false;
  bool removingDuringSkinCleared = false;
  bool destroyingDuringSkinCleared = false;
  // The broadcasts sent while the skin changing flag was up.
  std::vector<std::string> changingDuring;
  // The texts of the warning boxes shown.
  std::vector<std::string> warnings;
  // How often the menus were told that the skin went in force or away, or SkinnedPopups changed.
  int menuStateChanges = 0;
};

// Every manager made from now on records into the returned log (its menus too).
std::shared_ptr<RecordingLog> InstallRecordingWindows();
