#pragma once
// The skin manager: the non-visual component that owns the current skin and tells every window when a
// skin is loaded, refreshed or removed. The properties and the order of the announcements live here and
// are portable; how a sub-command reaches forms and controls is the business of a TsSkinWindows, which
// the Windows build installs (skin/engine/win/SkinDelivery.h) and tests replace.
//
// One manager is the default manager: controls without a manager of their own use it.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/engine/AnimEffects.h"
#include "skin/engine/InternalSkins.h"
#include "skin/engine/MenuSupport.h"
#include "skin/model/QuickIndexes.h"
#include "skin/model/Skin.h"
#include "skin/model/SkinLoader.h"
#include "skin/engine/SkinCommands.h"
#include "skin/engine/ThirdPartyList.h"
#include "toolkit/base/Strings.h"

class TsSkinManager;

enum TacSkinningRule : uint32_t { srStdForms = 1, srStdDialogs = 2, srThirdParty = 4 };
using TacSkinningRules = uint32_t;

using TNotifyEvent = std::function<void(TObject *sender)>;

// How the manager reaches the windows of the program. Every call is synchronous.
class TsSkinWindows {
public:
  virtual ~TsSkinWindows() = default;
  // BroadcastToForms of SM_TESSORACMD with the sub-command, low word 0 and the manager in lParam.
  virtual void Broadcast(TsSkinManager &manager, uint16_t command) = 0;
  virtual void FreezeForms(TsSkinManager &manager) = 0;
  // Redraws the frozen forms, with the skin-change animation when the manager's settings ask for it.
  virtual void ThawForms(TsSkinManager &manager) = 0;
  virtual void InstallDialogHook(TsSkinManager &) {}
  virtual void RemoveDialogHook(TsSkinManager &) {}
  virtual void HookApplicationWindow(TsSkinManager &) {}
  virtual void UnhookApplicationWindow(TsSkinManager &) {}
  // The folder of the running program, ending in a separator: where relative skin directories start.
  virtual std::string ProgramFolder() const { return {}; }
  // A modal box captioned "Warning", with the exclamation icon and an OK button.
  virtual void ShowWarning(const std::string & /*text*/) {}
};
using TsSkinWindowsFactory = std::function<std::unique_ptr<TsSkinWindows>()>;
// The factory every manager made afterwards takes its windows side from; none: a manager that reaches
// no windows.
void SetSkinWindowsFactory(TsSkinWindowsFactory factory);

// The skinned-menu component that a manager owns. It belongs to a layer above the engine, whose start-up
// installs the factory; a manager made while none is installed owns none.
class TsManagerMenus {
public:
  virtual ~TsManagerMenus() = default;
  // A skin is being announced: the menus measure their border width again and drop what they painted.
  virtual void SkinAnnounced() = 0;
  // The skin went in force or away, or SkinnedPopups changed: the menus take over or give back.
  virtual void SkinStateChanged() = 0;
};
using TsManagerMenusFactory = std::function<std::unique_ptr<TsManagerMenus>(TsSkinManager &manager)>;
void SetManagerMenusFactory(TsManagerMenusFactory factory);

// Process-wide state of the skin engine (GUI thread only).
TsSkinManager *DefaultManager();
// A skin is being loaded or recoloured: animations keep still.
bool SkinChanging();
// AC_SKINSET is being delivered; controls clear it when they take the new skin.
bool SkinApplying();
void ClearSkinApplying();
// AC_SKINCLEARED is being delivered.
bool SkinRemoving();
// The section (upper case) whose controls take it anew when they hear AC_SECTIONRELOAD.
const std::string &ReloadedSection();
void SetReloadedSection(std::string section);

class TsSkinManager : public TComponent {
  TK_CLASS(TsSkinManager)
public:
  // Beside the program rather than at a fixed drive: a relative directory starts at the program's folder.
  static constexpr const char *DefaultSkinDirectory = "Skins";
  static constexpr const char *VersionText = "5.46";

  explicit TsSkinManager(TComponent *owner);
  ~TsSkinManager() override;

  bool SkinnedPopups() const { return skinnedPopups_; }
  void SetSkinnedPopups(bool value);
  TacAnimEffects &AnimEffects() { return animEffects_; }
  const TacAnimEffects &AnimEffects() const { return animEffects_; }
  bool IsDefault() const { return DefaultManager() == this; }
  void SetIsDefault(bool value);
  bool Active() const { return active_; }
  void SetActive(bool value);
  const TStringList &CommonSections() const { return commonSections_; }
  // Setting the lines reloads the skin.
  void SetCommonSections(const std::vector<std::string> &lines);
  int Saturation() const { return saturation_; }
  void SetSaturation(int value);
  int HueOffset() const { return hueOffset_; }
  void SetHueOffset(int value);
  TsStoredSkins &InternalSkins() { return internalSkins_; }
  TacMenuSupport &MenuSupport() { return menuSupport_; }
  // The skinned-menu component; null when the menus layer was not started.
  TsManagerMenus *SkinableMenus() const { return menus_.get(); }
  // A relative directory starts at the program's folder.
  const std::string &SkinDirectory() const { return skinDirectory_; }
  void SetSkinDirectory(const std::string &directory);
  // The skin directory made absolute against the program's folder, ending in a backslash.
  std::string FullSkinDirectory() const;
  const std::string &SkinName() const { return skinName_; }
  // Loads and announces the skin. A load that fails keeps the skin (and name) in force: a broken skin
  // raises, data that is no skin pack shows a warning instead.
  void SetSkinName(const std::string &name);
  // Fills list with the internal skins and the skins of the skin directory (folders, packs or both),
  // sorted; returns the first name found.
  std::string ListSkins(std::vector<std::string> &list, SkinListKind kind) const;
  // The loaded skin's version with "." as the decimal separator, or "N/A".
  std::string SkinInfo() const;
  TacSkinningRules SkinningRules() const { return skinningRules_; }
  void SetSkinningRules(TacSkinningRules rules) { skinningRules_ = rules; }
  ThirdPartyList &ThirdParty() { return thirdParty_; }
  std::string Version() const { return VersionText; }

  TNotifyEvent OnAfterChange;
  TNotifyEvent OnBeforeChange;
  TacGetExtraLineData OnGetMenuExtraLineData;

  // The skin in force; null when none is loaded.
  const TsSkin *Skin() const { return skin_.get(); }
  // A skin is loaded and has reached every window.
  bool SkinLoaded() const { return skin_ && skin_->SkinData.Loaded; }
  const TsQuickIndexes &QuickIndexes() const { return quickIndexes_; }

  // Look-ups in the skin in force; -1 without one.
  int SectionIndex(std::string_view name) const;
  int ImageIndex(int sectionIndex, std::string_view sectionName, std::string_view key) const;
  int TextureIndex(int sectionIndex, std::string_view sectionName, std::string_view key) const;
  // The colours of "GLOBALINFO" as RGB; without a skin the system's button face and window colours and,
  // for the font, none (the key colour).
  TColor GlobalColor() const;
  TColor GlobalFontColor() const;
  TColor GlobalHotColor() const;

  // The three announcements.
  void AnnounceSkin();
  void RemoveSkin();
  void RefreshAll();

  void Loaded() override;
  TsSkinWindows &Windows() { return *windows_; }

private:
  // Loads the skin that the settings name and puts it in force; false when the data was no skin pack
  // (the warning shown), raises for a broken skin. Either way the old skin stays in force.
  bool LoadCurrentSkin();
  // Setting SkinName to its current value: load, announce, with the change events; false as above.
  bool ChangeSkin();
  // Loads the skin in force again (new colours) and refreshes the windows; false as LoadCurrentSkin.
  bool Reload();
  // Setting HueOffset or Saturation: a new value reloads a loaded skin.
  void SetColorAmount(int &amount, int value);
  SkinLoadSettings LoadSettings(const std::vector<TsStoredSkin> &internal) const;
  const TsSkin &SkinOrNone() const;

  bool skinnedPopups_ = true;
  TacAnimEffects animEffects_;
  bool active_ = true;
  TStringList commonSections_;
  int saturation_ = 0;
  int hueOffset_ = 0;
  TsStoredSkins internalSkins_{*this};
  TacMenuSupport menuSupport_;
  std::string skinDirectory_ = DefaultSkinDirectory;
  std::string skinName_;
  TacSkinningRules skinningRules_ = srStdForms | srStdDialogs | srThirdParty;
  ThirdPartyList thirdParty_;

  std::unique_ptr<TsSkinWindows> windows_;
  std::unique_ptr<TsSkin> skin_;
  TsQuickIndexes quickIndexes_;
  bool dialogHookInstalled_ = false;
  // Made last and freed first: it looks at the manager while it gives the menus back.
  std::unique_ptr<TsManagerMenus> menus_;
};
