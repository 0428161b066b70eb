#pragma once
// The frame provider: the component that gives one form the skin's look for everything its controls do
// not paint — the non-client frame (border, title band, icon, caption, title buttons), the window's
// outline and the client background — and its own system menu. It puts a hook in front of the form's
// message handling when it is created and takes it away when it goes; while the form is not skinned (no
// manager, no loaded skin, no section) every window message passes through unchanged.
//
// In code: TComponent::Create<TsSkinProvider>(form). In a stored layout:
//
//   object sSkinProvider1 : TsSkinProvider {
//     SkinData.SkinManager = sSkinManager1
//     SkinData.SkinSection = "FORM"
//     TitleButtons = collection { item { Name = "Pin" Glyph = hex { 424D... } } }
//   }

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "skin/adapters/win/CtrlAdapter.h"
#include "skin/adapters/win/ScrollWnd.h"
#include "skin/engine/win/CommonData.h"
#include "skin/engine/win/SkinDelivery.h"
#include "skin/frame/win/FrameSubject.h"
#include "skin/frame/win/SkinFrame.h"
#include "skin/frame/win/TitleButtons.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/StdCtrls.h"

class TsSystemMenu;
class TsCurtain;
class TsOutlineTracker;

enum class TsGripMode { gmNone, gmRightBottom };
enum class TsResizeMode { rmStandard, rmBorder };

// An icon of the title that replaces the form's: a bitmap (its 0xFF00FF pixels transparent) and a size
// (0: from the caption's height).
class TsTitleIcon : public TPersistent {
  TK_CLASS(TsTitleIcon)
public:
  TBitmap &Glyph() { return glyph_; }
  int Width = 0;
  int Height = 0;

private:
  void LoadGlyph(const std::vector<uint8_t> &bitmapFile);
  TBitmap glyph_;
};

class TsSkinProvider : public TComponent, public TsFrameProviderLink, private TsFrameSubject {
  TK_CLASS(TsSkinProvider)
public:
  explicit TsSkinProvider(TComponent *owner);
  ~TsSkinProvider() override;

  // Section "FORM" by default.
  TsCommonData &SkinData() { return skinData_; }
  TAlignment CaptionAlignment() const { return captionAlignment_; }
  void SetCaptionAlignment(TAlignment value);
  TsGripMode GripMode() const { return gripMode_; }
  void SetGripMode(TsGripMode value);
  // The system menu lists the available skins.
  bool MakeSkinMenu = false;
  // Section of the main-menu band; empty: "MENULINE".
  std::string MenuLineSkin;
  TsResizeMode ResizeMode = TsResizeMode::rmStandard;
  bool ScreenSnap = false;
  int SnapBuffer = 10;
  bool ShowAppIcon() const { return frame_.ShowAppIcon; }
  void SetShowAppIcon(bool value);
  TsTitleButtons &TitleButtons() { return titleButtons_; }
  void SetTitleButtons(const TsTitleButtons &buttons) { titleButtons_.Assign(buttons); }
  TsTitleIcon &TitleIcon() { return titleIcon_; }
  const std::string &TitleSkin() const { return frame_.TitleSkin; }
  void SetTitleSkin(const std::string &section);
  bool UseGlobalColor() const { return useGlobalColor_; }
  void SetUseGlobalColor(bool value);
  TAddItemEvent OnSkinItem;

  // The form it skins; null for a provider that stays inert (the form has another one).
  TCustomForm *Form() const { return form_; }
  TsSystemMenu *SystemMenu() const { return systemMenu_; }
  TsSkinFrame &Frame() { return frame_; }
  // The adapter of the form's standard controls, and the form's skinned scroll bars (AutoScroll); null
  // while there are none.
  TacCtrlAdapter *ControlAdapter() const { return controlAdapter_.get(); }
  TacScrollWnd *ScrollBars() const { return scrollBars_.get(); }
  // The form is skinned now: a manager with a loaded skin that has the provider's section.
  bool Skinned() const;

  // Prepares the frame for the skin: the system menu, the form's style without WS_SYSMENU, the indexes,
  // the title pictures and the form's colour.
  void PrepareFrame() override;
  // Brings the frame up to date after a skin change thawed the form.
  void UpdateFrame() override;
  TsSkinManager *ProviderManager() const override { return skinData_.SkinManager(); }
  // The system menu at a screen point (with the skins when MakeSkinMenu).
  void PopupSystemMenu(TPoint screen) override;

  void Loaded() override;

private:
  // TsFrameSubject for the form.
  HWND FrameHandle() const override;
  TsBorderKind BorderKind() const override;
  uint32_t BorderIcons() const override;
  bool Creating() const override;
  std::string CaptionText() const override;
  TsFont CaptionFont() const override;
  TSize TitleIconSize(int autoSide) const override;
  void DrawTitleIcon(Image24 &cache, const TRect &r) override;
  int UserButtonCount() const override { return titleButtons_.Count(); }
  TsTitleButton *UserButton(int index) const override;
  void PaintClientContent(HDC dc) override;
  TSize ScrollBarSizes() const override;
  bool InScrollBarCorner(TPoint point) const override;
  void CloseByIcon() override;
  void SetShownState(TsWindowState state) override;

  // The hook in front of the form's handling (skin/frame/win/ProviderMessages.cpp).
  void HandleMessage(TMessage &m, const TWindowHookNext &next);
  bool HandleCommandInBothRegimes(TMessage &m, const TWindowHookNext &next);
  void HandleSkinSetUnskinned(TMessage &m);
  void HandleSkinCleared(TMessage &m);
  void HandleSkinnedCommand(TMessage &m, const TWindowHookNext &next);
  void HandleSkinnedMessage(TMessage &m, const TWindowHookNext &next);
  void HandleNonClientPaint();
  void HandleNonClientActivate(TMessage &m, const TWindowHookNext &next);
  void HandlePrint(TMessage &m);
  void HandlePaint(TMessage &m, const TWindowHookNext &next);
  void HandleShowingChanged(TMessage &m, const TWindowHookNext &next);
  void HandleSystemCommand(TMessage &m, const TWindowHookNext &next);
  void HandleMouse(TMessage &m, const TWindowHookNext &next);
  bool TrackOutline(TMessage &m);
  void StartOutline(int dragKind);
  void Snap(WINDOWPOS &position);
  // The client background from the cache into dc (origin: the client area); notify tells the children.
  void PaintClientArea(HDC dc, bool notify);
  bool PaintLinkedControl(HDC dc);
  // Runs work with the system's caption painting hidden under a curtain.
  void UnderCurtain(const std::function<void()> &work);

  bool Showing() const;
  bool Loading() const;
  bool FromMyManager(const TMessage &m) const;
  void RemoveSystemMenuStyle();
  void GiveSystemMenuStyleBack();
  // While skinned, the form takes the skin's global colour (unless it keeps its own).
  void ApplyFormColor();
  void RepaintFrame();
  // Makes the control adapter when the form is skinned and has none, and lets it scan the form.
  void ScanControls();
  // Makes or drops the skinned scroll bars as the form scrolls or not.
  void UpdateScrollBars();

  TCustomForm *form_ = nullptr;
  TsCommonData skinData_;
  TsSkinFrame frame_;
  TsTitleButtons titleButtons_;
  TsTitleIcon titleIcon_;
  TAlignment captionAlignment_ = TAlignment::taLeftJustify;
  TsGripMode gripMode_ = TsGripMode::gmNone;
  bool useGlobalColor_ = true;
  TsSystemMenu *systemMenu_ = nullptr;
  TWindowHook hook_;
  bool showAnimating_ = false;
  // A caption or sizing-border hit recorded for dragging an outline.
  int dragKind_ = 0;
  std::unique_ptr<TsOutlineTracker> outline_;
  std::unique_ptr<TacCtrlAdapter> controlAdapter_;
  std::unique_ptr<TacScrollWnd> scrollBars_;
  // The icons of the program file, taken once when the form and the application have none.
  struct ExtractedIcons;
  std::unique_ptr<ExtractedIcons> extractedIcons_;
};
