#pragma once
// The skin data that every skinned control and every frame provider owns: it binds its host to a skin
// manager and a section, resolves the section's indexes, owns the cache image (the host's last painted
// look), keeps the flags that decide when that image is painted again, answers the skin command message
// for the host and lets children reach the cache, so see-through parts show the real background.
//
// A control keeps it as a member and routes its messages through it:
//
//   void TMyControl::WndProc(TMessage &m) {
//     if (m.Msg == SM_TESSORACMD ? SkinData.HandleSkinCommand(m) : SkinData.HandleMessage(m)) return;
//     TCustomControl::WndProc(m);
//   }
//
// and repaints by the order of RepaintCache: nothing while PaintSuspended, the cache rebuilt while
// BackgroundStale, then the cache copied to the screen.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "skin/engine/SkinManager.h"
#include "skin/render/ItemPainting.h"
#include "skin/engine/win/FreeWatch.h"
#include "toolkit/ui/Controls.h"
#include "toolkit/ui/Forms.h"

// A toolkit font as the skin's text canvas takes it.
TsFont SkinFont(const TFont &font);

class TsCommonData : public TPersistent {
  TK_CLASS(TsCommonData)
public:
  // host: the control or frame provider that owns the data; withCache makes an empty cache image now.
  TsCommonData(TComponent &host, bool withCache);
  ~TsCommonData() override;
  TsCommonData(const TsCommonData &) = delete;
  TsCommonData &operator=(const TsCommonData &) = delete;

  bool PaintLocked = false;
  const std::string &SkinSection() const { return skinSection_; }
  // Stored upper-cased ("UNKNOWN" for an empty name); tells the control about the new look.
  void SetSkinSection(const std::string &section);
  bool CustomFont() const { return customFont_; }
  void SetCustomFont(bool value);
  bool CustomColor() const { return customColor_; }
  void SetCustomColor(bool value);
  // The manager of its own, else the default manager.
  TsSkinManager *SkinManager() const;
  // The manager of its own only (what a layout stores); null means the default manager.
  TsSkinManager *StoredManager() const { return manager_; }
  void SetSkinManager(TsSkinManager *manager);

  int BorderImageIdx = -1;
  int SectionIdx = -1;
  int PatternIdx = -1;
  int HotPatternIdx = -1;
  // The object that AC_SETPARENTLINK named.
  LPARAM LinkedObject = 0;
  bool ParentMode = false;
  bool BackgroundStale = true;
  bool PartlyVisible = true;
  Image24 CacheImage;
  int ControlKind = 0;
  // How the control looks while disabled (TsDisabledKind bits): the control's own DisabledKind.
  unsigned DisabledKind = dkBlended;
  bool HasFocus = false;
  bool MouseOver = false;

  // The host when it is a control; null for a frame provider.
  TControl *HostControl() const { return hostControl_; }
  TComponent &HostObject() const { return host_; }
  // A host that is no control (a frame provider): the form it skins, and its own handling of the skin
  // commands that the data sends its host.
  TCustomForm *ProviderForm = nullptr;
  std::function<void(TMessage &)> ProviderHandler;

  const TsSkin *Skin() const;
  // The section's record; null while the data is bound to none.
  const TsGeneralData *Section() const;

  TCacheInfo ParentCache() const;
  static TCacheInfo ParentCacheOfWindow(HWND window);
  // The cache image as large as the control, in a DIB section.
  void PrepareCacheImage();
  void ResolveIndexes();
  // After the control was loaded: the section from the control kind when none is named, the skin's
  // colours for edits, the announcement to the form.
  void AfterLoad();
  void RefreshControl();
  void SuspendPaint();
  void ResumePaint();
  bool PaintSuspended() const;
  bool UsesSkin(bool checkActive = true) const;
  bool ShowsActive() const;
  bool ShowsParent() const;
  bool HasTransparency() const;

  // Common handling of window messages; true when handled (the result is in message).
  bool HandleMessage(TMessage &message);
  // Answers SM_TESSORACMD; true when handled.
  bool HandleSkinCommand(TMessage &message);

  // What item painting reads from this data and its control.
  TsItemData ItemData() const;
  TsParentLink ParentLink() const;
  // The control's place in its parent.
  TPoint Position() const;
  // Steps 2 of the repaint order: the parent's background, the item in the state, the content, the
  // disabled look; BackgroundStale is cleared.
  void RepaintCache(int state, const std::function<void(Image24 &cache)> &content = {});

  // Copies the cache from p to r of dc, leaving out the visible children that paint themselves.
  void CopyCacheToDC(TWinControl &control, TPoint p, int dy, int dx, bool restoreCorners, HDC dc, const RECT &r);
  // The same with the child windows of window; of a group box window only the caption band and the frame
  // strips ("GROUPBOX" border widths) are left out.
  void CopyCacheToDCWindows(HWND window, TPoint p, int dy, int dx, bool restoreCorners, HDC dc, const RECT &r);

private:
  bool IsEdit() const;
  void TakeSectionColors();
  void TakeSystemColors();
  void AnnounceToForm();
  // The control (or the provider's handler) gets a skin command.
  void TellHost(uint16_t command, LPARAM lParam);
  void TellHostNewLook();
  // Sets PaintLocked and tells the host (AC_BEGINUPDATE or AC_ENDUPDATE).
  void LockPaint(bool locked, uint16_t notice);
  void ForgetIndexes();
  bool Destroying() const;
  bool FromMyManager(const TMessage &message) const;
  void CopyCacheClipped(HDC dc, TPoint p, const RECT &r, const std::function<void(HDC)> &cutChildren,
                        bool restoreCorners);

  TComponent &host_;
  TControl *hostControl_;
  std::string skinSection_;
  bool customFont_ = false;
  bool customColor_ = false;
  TsSkinManager *manager_ = nullptr;
  std::unique_ptr<TsFreeWatch> watch_;
};
