#include "skin/engine/SkinManager.h"

#include <utility>

#include "skin/engine/FlagScope.h"
#include "skin/model/CommonSections.h"
#include "skin/model/SkinErrors.h"
#include "toolkit/base/Decimal.h"
#include "toolkit/base/MetaClass.h"

namespace {

TsSkinManager *defaultManager = nullptr;
bool skinChanging = false;
bool skinApplying = false;
bool skinRemoving = false;
std::string reloadedSection;
TsSkinWindowsFactory windowsFactory;
TsManagerMenusFactory menusFactory;

// A manager that reaches no windows: the native build and managers made before the Windows side exists.
class NoWindows final : public TsSkinWindows {
public:
  void Broadcast(TsSkinManager &, uint16_t) override {}
  void FreezeForms(TsSkinManager &) override {}
  void ThawForms(TsSkinManager &) override {}
};

const TIdentTable SkinningRuleNames = {
    {"srStdForms", srStdForms}, {"srStdDialogs", srStdDialogs}, {"srThirdParty", srThirdParty}};

} // namespace

void SetSkinWindowsFactory(TsSkinWindowsFactory factory) { windowsFactory = std::move(factory); }
void SetManagerMenusFactory(TsManagerMenusFactory factory) { menusFactory = std::move(factory); }
TsSkinManager *DefaultManager() { return defaultManager; }
bool SkinChanging() { return skinChanging; }
bool SkinApplying() { return skinApplying; }
void ClearSkinApplying() { skinApplying = false; }
bool SkinRemoving() { return skinRemoving; }
const std::string &ReloadedSection() { return reloadedSection; }
void SetReloadedSection(std::string section) { reloadedSection = std::move(section); }

const TMetaClass &TsSkinManager::StaticMetaClass() {
  return DefineClass<TsSkinManager, TComponent>("TsSkinManager", [](TClassBuilder<TsSkinManager> &c) {
    c.Bool("SkinnedPopups", &TsSkinManager::SetSkinnedPopups);
    c.Object("AnimEffects", [](TsSkinManager &m) -> TPersistent * { return &m.AnimEffects(); });
    c.Bool("IsDefault", &TsSkinManager::SetIsDefault);
    c.Bool("Active", &TsSkinManager::SetActive);
    c.Strings("CommonSections", [](TsSkinManager &m) -> TStrings * { return &m.commonSections_; });
    c.Int("Saturation", &TsSkinManager::SetSaturation);
    c.Int("HueOffset", &TsSkinManager::SetHueOffset);
    c.Collection("InternalSkins", [](TsSkinManager &m) -> TCollection * { return &m.InternalSkins(); });
    c.Object("MenuSupport", [](TsSkinManager &m) -> TPersistent * { return &m.MenuSupport(); });
    c.String("SkinDirectory", &TsSkinManager::SetSkinDirectory);
    c.String("SkinName", &TsSkinManager::SetSkinName);
    // Stored for information only: reading it gives the loaded skin's version.
    c.String("SkinInfo", [](TsSkinManager &, const std::string &) {});
    c.Set("SkinningRules", &TsSkinManager::SetSkinningRules, SkinningRuleNames);
    c.Object("ThirdParty", [](TsSkinManager &m) -> TPersistent * { return &m.ThirdParty(); });
    c.Event("OnAfterChange", [](TsSkinManager &m) -> TNotifyEvent & { return m.OnAfterChange; });
    c.Event("OnBeforeChange", [](TsSkinManager &m) -> TNotifyEvent & { return m.OnBeforeChange; });
    c.Event("OnGetMenuExtraLineData",
            [](TsSkinManager &m) -> TacGetExtraLineData & { return m.OnGetMenuExtraLineData; });
  });
}

TsSkinManager::TsSkinManager(TComponent *owner)
    : TComponent(owner), animEffects_([this] { return IsDefault(); }),
      windows_(windowsFactory ? windowsFactory() : std::make_unique<NoWindows>()) {
  if (!defaultManager) {
    defaultManager = this;
    windows_->HookApplicationWindow(*this);
  }
  if (menusFactory) menus_ = menusFactory(*this);
}

TsSkinManager::~TsSkinManager() {
  Destroying();
  try {
    SetActive(false);
  } catch (...) {
    // Taking the skin off the windows failed half way; the manager goes all the same.
  }
  if (defaultManager == this) {
    windows_->UnhookApplicationWindow(*this);
    defaultManager = nullptr;
  }
  ReleaseLinks();
}

void TsSkinManager::Loaded() {
  TComponent::Loaded();
  if (skinDirectory_.empty()) skinDirectory_ = DefaultSkinDirectory;
  if (menuSupport_.IcoLineSkin.empty()) menuSupport_.IcoLineSkin = TacMenuSupport::DefaultIcoLineSkin;
  thirdParty_.ApplyDefaults();
  // Setting SkinName while the form was read has loaded the skin; only now do the forms take it.
  if (active_ && !skinName_.empty() && skin_) AnnounceSkin();
}

void TsSkinManager::SetIsDefault(bool value) {
  if (!value && defaultManager) return;
  if (defaultManager != this) {
    if (defaultManager) defaultManager->windows_->UnhookApplicationWindow(*defaultManager);
    defaultManager = this;
    windows_->HookApplicationWindow(*this);
  }
  if (IsReading()) return;
  if (!active_)
    RemoveSkin();
  else if (skin_)
    AnnounceSkin();
}

void TsSkinManager::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  if (value) {
    // An empty name matches no skin, so the first internal skin is loaded.
    try {
      if (!ChangeSkin() && !skin_) active_ = false;
    } catch (...) {
      if (!skin_) active_ = false;
      throw;
    }
    return;
  }
  if (IsReading())
    skin_.reset(); // no window has seen it yet
  else
    RemoveSkin();
  quickIndexes_ = ComputeQuickIndexes(nullptr);
}

void TsSkinManager::SetSkinnedPopups(bool value) {
  if (value == skinnedPopups_) return;
  skinnedPopups_ = value;
  if (menus_) menus_->SkinStateChanged();
}

void TsSkinManager::SetCommonSections(const std::vector<std::string> &lines) {
  commonSections_.Clear();
  commonSections_.AddStrings(lines);
  if (active_ && skin_ && !IsReading()) ChangeSkin();
}

void TsSkinManager::SetSaturation(int value) { SetColorAmount(saturation_, value); }

void TsSkinManager::SetHueOffset(int value) { SetColorAmount(hueOffset_, value); }

void TsSkinManager::SetColorAmount(int &amount, int value) {
  if (value == amount) return;
  const int previous = std::exchange(amount, value);
  if (!SkinLoaded()) return; // the next load uses it
  // A reload that fails keeps the skin in its old colours, so the old amount stays in force with it.
  try {
    if (!Reload()) amount = previous;
  } catch (...) {
    amount = previous;
    throw;
  }
}

void TsSkinManager::SetSkinDirectory(const std::string &directory) {
  skinDirectory_ = directory;
  if (skin_) skin_->SkinData.SkinPath = FullSkinDirectory();
}

void TsSkinManager::SetSkinName(const std::string &name) {
  std::string previous = std::exchange(skinName_, name);
  if (!active_) return;
  try {
    if (!ChangeSkin()) skinName_ = std::move(previous);
  } catch (...) {
    skinName_ = std::move(previous);
    throw;
  }
}

std::string TsSkinManager::ListSkins(std::vector<std::string> &list, SkinListKind kind) const {
  const std::vector<TsStoredSkin> internal = internalSkins_.Skins();
  return ::ListSkins(list, kind, LoadSettings(internal));
}

std::string TsSkinManager::SkinInfo() const { return skin_ ? text::FormatGeneral(skin_->SkinData.Version) : "N/A"; }

int TsSkinManager::SectionIndex(std::string_view name) const { return skin_ ? skin_->SectionIndex(name) : -1; }

int TsSkinManager::ImageIndex(int sectionIndex, std::string_view sectionName, std::string_view key) const {
  return skin_ ? skin_->ImageIndex(sectionIndex, sectionName, key) : -1;
}

int TsSkinManager::TextureIndex(int sectionIndex, std::string_view sectionName, std::string_view key) const {
  return skin_ ? skin_->TextureIndex(sectionIndex, sectionName, key) : -1;
}

// Without a skin the global colours are those of a skin without "GLOBALINFO".
const TsSkin &TsSkinManager::SkinOrNone() const {
  static const TsSkin none;
  return skin_ ? *skin_ : none;
}

TColor TsSkinManager::GlobalColor() const { return SkinOrNone().GlobalColor(); }
TColor TsSkinManager::GlobalFontColor() const { return SkinOrNone().GlobalFontColor(); }
TColor TsSkinManager::GlobalHotColor() const { return SkinOrNone().GlobalHotColor(); }

std::string TsSkinManager::FullSkinDirectory() const {
  return ::FullSkinDirectory(skinDirectory_, windows_->ProgramFolder());
}

SkinLoadSettings TsSkinManager::LoadSettings(const std::vector<TsStoredSkin> &internal) const {
  SkinLoadSettings settings;
  // Absolute, so that pack files, like folder skins, are looked for beside the program and never in
  // whatever folder the program was started from.
  settings.SkinDirectory = FullSkinDirectory();
  settings.SkinName = skinName_;
  settings.ProgramFolder = windows_->ProgramFolder();
  settings.InternalSkins = internal;
  settings.CommonSections = RemoveBlanksFromCommonSections(commonSections_.ToVector());
  if (skin_) settings.BISpace = skin_->SkinData.BISpace;
  settings.Recolor = {hueOffset_, saturation_};
  return settings;
}

bool TsSkinManager::LoadCurrentSkin() {
  // A load that fails leaves the skin in force as it was, rather than windows without any skin.
  const bool wasLoaded = skin_ && skin_->SkinData.Loaded;
  if (skin_) skin_->SkinData.Loaded = false;
  try {
    const std::vector<TsStoredSkin> internal = internalSkins_.Skins();
    SkinLoadResult result = LoadSkin(LoadSettings(internal));
    if (!result.Skin) {
      active_ = false; // nothing of that name and no internal skin to fall back on
      return true;
    }
    skin_ = std::move(result.Skin);
    skinName_ = std::move(result.SkinName);
    return true;
  } catch (const ENotSkinPack &notPack) {
    if (skin_) skin_->SkinData.Loaded = wasLoaded;
    windows_->ShowWarning(notPack.Message());
    return false;
  } catch (...) {
    if (skin_) skin_->SkinData.Loaded = wasLoaded;
    throw;
  }
}

bool TsSkinManager::ChangeSkin() {
  if (OnBeforeChange) OnBeforeChange(this);
  bool changed = false;
  {
    // Animations keep still until the windows have the new skin.
    FlagScope changing(skinChanging);
    changed = LoadCurrentSkin();
    if (!active_)
      RemoveSkin();
    else if (changed)
      AnnounceSkin();
  }
  if (OnAfterChange) OnAfterChange(this);
  return changed;
}

bool TsSkinManager::Reload() {
  {
    FlagScope changing(skinChanging);
    if (!LoadCurrentSkin()) return false;
  }
  if (!active_) {
    RemoveSkin();
    return true;
  }
  // The same records in the same order: the quick indexes and every control's indexes stay right.
  skin_->SkinData.Loaded = true;
  if (!IsReading()) RefreshAll();
  return true;
}

void TsSkinManager::AnnounceSkin() {
  if (!skin_) return;
  if (!IsReading()) windows_->FreezeForms(*this);
  if (menus_) menus_->SkinAnnounced();
  skin_->SkinData.Loaded = false;
  {
    FlagScope applying(skinApplying);
    quickIndexes_ = ComputeQuickIndexes(skin_.get());
    windows_->Broadcast(*this, AC_SKINSET);
  }
  skin_->SkinData.Loaded = true;
  if (menus_) menus_->SkinStateChanged();
  if (IsDefault() && !dialogHookInstalled_) {
    windows_->InstallDialogHook(*this);
    dialogHookInstalled_ = true;
  }
  RefreshAll();
}

void TsSkinManager::RefreshAll() {
  windows_->Broadcast(*this, AC_STOPFADE);
  if (!IsReading()) windows_->FreezeForms(*this);
  windows_->Broadcast(*this, AC_SKINREFRESH);
  if (!IsReading()) windows_->ThawForms(*this);
}

void TsSkinManager::RemoveSkin() {
  FlagScope removing(skinRemoving);
  if (dialogHookInstalled_) {
    windows_->RemoveDialogHook(*this);
    dialogHookInstalled_ = false;
  }
  if (skin_) skin_->SkinData.Loaded = false;
  if (menus_) menus_->SkinStateChanged();
  windows_->Broadcast(*this, AC_SKINCLEARED);
  skin_.reset();
  quickIndexes_ = ComputeQuickIndexes(nullptr);
}
