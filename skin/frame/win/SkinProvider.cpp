#include "skin/frame/win/SkinProvider.h"

#include <shellapi.h>

#include "skin/frame/win/Glyphs.h"
#include "skin/frame/win/OutlineTracker.h"
#include "skin/frame/win/SystemMenu.h"
#include "skin/pixels/win/DibStorage.h"
#include "toolkit/base/MetaClass.h"
#include "toolkit/base/Stream.h"
#include "toolkit/ui/SystemInfo.h"

namespace {

constexpr int FrameControlKind = 224;

// The first owner up the chain that is a form.
TCustomForm *OwningForm(TComponent *owner) {
  for (TComponent *c = owner; c; c = c->Owner())
    if (auto *form = dynamic_cast<TCustomForm *>(c)) return form;
  return nullptr;
}

} // namespace

struct TsSkinProvider::ExtractedIcons {
  HICON Large = nullptr;
  HICON Small = nullptr;
  ExtractedIcons() { ExtractIconExW(ProgramPath().c_str(), 0, &Large, &Small, 1); }
  ~ExtractedIcons() {
    if (Large) DestroyIcon(Large);
    if (Small) DestroyIcon(Small);
  }
  ExtractedIcons(const ExtractedIcons &) = delete;
  ExtractedIcons &operator=(const ExtractedIcons &) = delete;
};

const TMetaClass &TsTitleIcon::StaticMetaClass() {
  return DefineClass<TsTitleIcon, TPersistent>("TsTitleIcon", [](TClassBuilder<TsTitleIcon> &c) {
    c.Binary("Glyph", &TsTitleIcon::LoadGlyph); // the bytes of a BMP file
    c.Int("Width", [](TsTitleIcon &icon, int v) { icon.Width = v; });
    c.Int("Height", [](TsTitleIcon &icon, int v) { icon.Height = v; });
  });
}

void TsTitleIcon::LoadGlyph(const std::vector<uint8_t> &bitmapFile) {
  TBytesStream stream(bitmapFile.data(), bitmapFile.size());
  glyph_.LoadFromStream(stream);
}

const TMetaClass &TsSkinProvider::StaticMetaClass() {
  return DefineClass<TsSkinProvider, TComponent>("TsSkinProvider", [](TClassBuilder<TsSkinProvider> &c) {
    c.Object("SkinData", [](TsSkinProvider &p) -> TPersistent * { return &p.skinData_; });
    c.Enum<TAlignment>("CaptionAlignment", &TsSkinProvider::SetCaptionAlignment,
                       {{"taLeftJustify", int(TAlignment::taLeftJustify)},
                        {"taRightJustify", int(TAlignment::taRightJustify)},
                        {"taCenter", int(TAlignment::taCenter)}});
    c.Enum<TsGripMode>("GripMode", &TsSkinProvider::SetGripMode,
                       {{"gmNone", int(TsGripMode::gmNone)}, {"gmRightBottom", int(TsGripMode::gmRightBottom)}});
    c.Bool("MakeSkinMenu", [](TsSkinProvider &p, bool v) { p.MakeSkinMenu = v; });
    c.String("MenuLineSkin", [](TsSkinProvider &p, const std::string &v) { p.MenuLineSkin = v; });
    c.Enum<TsResizeMode>("ResizeMode", [](TsSkinProvider &p, TsResizeMode v) { p.ResizeMode = v; },
                         {{"rmStandard", int(TsResizeMode::rmStandard)}, {"rmBorder", int(TsResizeMode::rmBorder)}});
    c.Bool("ScreenSnap", [](TsSkinProvider &p, bool v) { p.ScreenSnap = v; });
    c.Int("SnapBuffer", [](TsSkinProvider &p, int v) { p.SnapBuffer = v; });
    c.Bool("ShowAppIcon", &TsSkinProvider::SetShowAppIcon);
    c.Collection("TitleButtons", [](TsSkinProvider &p) -> TCollection * { return &p.titleButtons_; });
    c.Object("TitleIcon", [](TsSkinProvider &p) -> TPersistent * { return &p.titleIcon_; });
    c.String("TitleSkin", &TsSkinProvider::SetTitleSkin);
    c.Bool("UseGlobalColor", &TsSkinProvider::SetUseGlobalColor);
    c.Event("OnSkinItem", [](TsSkinProvider &p) -> TAddItemEvent & { return p.OnSkinItem; });
  });
}

TsSkinProvider::TsSkinProvider(TComponent *owner)
    : TComponent(owner), skinData_(*this, true), frame_(*this, skinData_), titleButtons_(*this) {
  skinData_.SetSkinSection("FORM");
  skinData_.ControlKind = FrameControlKind;
  TCustomForm *form = OwningForm(owner);
  // One provider per form: a second one stays inert.
  if (!form || QueryProvider(*form)) return;
  form_ = form;
  skinData_.ProviderForm = form;
  skinData_.ProviderHandler = [this](TMessage &m) {
    if (form_) form_->Dispatch(m);
  };
  form->SetDoubleBuffered(false);
  hook_.Attach(form->WindowHooks(), [this](TMessage &m, const TWindowHookNext &next) { HandleMessage(m, next); });
  AddSkinnedForm(*form);
  if (form->ControlState() != 0) skinData_.PaintLocked = true;
  if (TsSkinManager *manager = skinData_.SkinManager(); manager && manager->Active()) PrepareFrame();
}

TsSkinProvider::~TsSkinProvider() {
  ReleaseLinks();
  systemMenu_ = nullptr;
  outline_.reset();
  scrollBars_.reset();
  controlAdapter_.reset();
  if (!form_) return;
  RemoveSkinnedForm(*form_);
  hook_.Detach();
  // A form that stays gets the system's frame back.
  if (form_->IsDestroying() || !form_->HandleAllocated()) return;
  GiveSystemMenuStyleBack();
  frame_.RemoveRegion(false);
  RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE);
}

bool TsSkinProvider::Skinned() const { return form_ && !form_->IsDestroying() && skinData_.UsesSkin(); }

bool TsSkinProvider::Showing() const { return form_ && form_->HandleAllocated() && form_->Showing(); }

bool TsSkinProvider::Loading() const { return IsLoading() || (form_ && form_->IsLoading()); }

bool TsSkinProvider::FromMyManager(const TMessage &m) const {
  return m.LParam != 0 && reinterpret_cast<TsSkinManager *>(m.LParam) == skinData_.SkinManager();
}

void TsSkinProvider::RepaintFrame() {
  frame_.InvalidateCache();
  if (Showing()) SendMessageW(form_->Handle(), WM_NCPAINT, 1, 0);
}

void TsSkinProvider::SetCaptionAlignment(TAlignment value) {
  captionAlignment_ = value;
  frame_.CaptionAlignment = value == TAlignment::taCenter         ? TextFlags::Center
                            : value == TAlignment::taRightJustify ? TextFlags::Right
                                                                  : TextFlags::Left;
  RepaintFrame();
}

void TsSkinProvider::SetGripMode(TsGripMode value) {
  gripMode_ = value;
  frame_.Grip = value == TsGripMode::gmRightBottom;
  RepaintFrame();
}

void TsSkinProvider::SetShowAppIcon(bool value) {
  frame_.ShowAppIcon = value;
  RepaintFrame();
}

void TsSkinProvider::SetTitleSkin(const std::string &section) {
  frame_.TitleSkin = section;
  frame_.DropTitleBand();
  RepaintFrame();
}

void TsSkinProvider::SetUseGlobalColor(bool value) {
  useGlobalColor_ = value;
  if (!form_) return;
  TsSkinManager *manager = skinData_.SkinManager();
  form_->SetColor(value && Skinned() && manager && !skinData_.CustomColor() ? manager->GlobalColor() : clBtnFace);
}

void TsSkinProvider::ApplyFormColor() {
  if (!useGlobalColor_ || skinData_.CustomColor() || !Skinned()) return;
  form_->SetColor(skinData_.SkinManager()->GlobalColor());
}

void TsSkinProvider::RemoveSystemMenuStyle() {
  if (!form_->HandleAllocated()) return;
  const HWND window = form_->Handle();
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  if (style & WS_SYSMENU) SetWindowLongW(window, GWL_STYLE, style & ~WS_SYSMENU);
}

void TsSkinProvider::GiveSystemMenuStyleBack() {
  // What the form's own settings give its window.
  if (!form_->HandleAllocated() || !(form_->BorderIcons() & biSystemMenu) ||
      form_->BorderStyle() == TFormBorderStyle::bsNone)
    return;
  const HWND window = form_->Handle();
  SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) | WS_SYSMENU);
}

void TsSkinProvider::PrepareFrame() {
  TsSkinManager *manager = skinData_.SkinManager();
  if (!manager || !form_) return;
  if (!systemMenu_) systemMenu_ = TComponent::Create<TsSystemMenu>(this, *form_, [this] { return frame_.Rules(); });
  systemMenu_->UpdateItems();
  skinData_.ResolveIndexes();
  // Only a skinned frame draws title buttons of its own.
  if (Skinned() && form_->FormStyle() != TFormStyle::fsMDIChild) RemoveSystemMenuStyle();
  frame_.ResolveTitleImages();
  if (!(form_->ControlState() & (csCreating | csReadingState)) && !form_->IsReading() && !Loading()) ApplyFormColor();
}

void TsSkinProvider::UpdateFrame() {
  if (!Skinned() || !Showing()) return;
  frame_.FullRender = true;
  frame_.MarkRegionStale();
  RepaintFrame();
}

void TsSkinProvider::Loaded() {
  TComponent::Loaded();
  // The manager of a layout loads its skin while it is read, before this.
  PrepareFrame();
  ScanControls();
}

void TsSkinProvider::ScanControls() {
  if (!form_ || form_->IsDestroying()) return;
  TsSkinManager *manager = skinData_.SkinManager();
  if (!controlAdapter_) {
    if (!Skinned() || !manager || !(manager->SkinningRules() & srThirdParty)) return;
    controlAdapter_ = std::make_unique<TacCtrlAdapter>(
        *form_, skinData_, [this](TComponent *item, bool &canBeAdded, std::string &section) {
          if (OnSkinItem) OnSkinItem(item, canBeAdded, section);
        });
  }
  controlAdapter_->AddAllItems();
}

void TsSkinProvider::UpdateScrollBars() {
  if (scrollBars_ && scrollBars_->Destroyed()) scrollBars_.reset();
  const bool wanted = form_ && form_->AutoScroll() && form_->HandleAllocated() && Skinned();
  if (!wanted)
    scrollBars_.reset();
  else if (!scrollBars_)
    scrollBars_ = TacMainWnd::Create<TacScrollWnd>({form_->Handle(), &skinData_});
}

TSize TsSkinProvider::ScrollBarSizes() const {
  if (!scrollBars_) return {};
  return {scrollBars_->BarVisible(SB_VERT) ? scrollBars_->BarThickness(SB_VERT) : 0,
          scrollBars_->BarVisible(SB_HORZ) ? scrollBars_->BarThickness(SB_HORZ) : 0};
}

bool TsSkinProvider::InScrollBarCorner(TPoint point) const {
  if (!scrollBars_) return false;
  const RECT box = scrollBars_->BoxRect();
  RECT outer;
  GetWindowRect(form_->Handle(), &outer);
  const POINT p{point.X + outer.left, point.Y + outer.top};
  return PtInRect(&box, p);
}

void TsSkinProvider::PopupSystemMenu(TPoint screen) {
  if (!systemMenu_ || !form_->HandleAllocated()) return;
  systemMenu_->UpdateSkinItems(MakeSkinMenu ? skinData_.SkinManager() : nullptr);
  systemMenu_->UpdateItems();
  systemMenu_->SetWindowHandle(form_->Handle());
  systemMenu_->Popup(screen.X, screen.Y);
}

HWND TsSkinProvider::FrameHandle() const { return form_ && form_->HandleAllocated() ? form_->Handle() : nullptr; }

TsBorderKind TsSkinProvider::BorderKind() const { return static_cast<TsBorderKind>(form_->BorderStyle()); }

uint32_t TsSkinProvider::BorderIcons() const { return form_->BorderIcons(); }

bool TsSkinProvider::Creating() const { return form_->ControlState() & csCreating; }

std::string TsSkinProvider::CaptionText() const { return form_->Caption(); }

TsFont TsSkinProvider::CaptionFont() const { return SkinFont(form_->Font()); }

TSize TsSkinProvider::TitleIconSize(int autoSide) const {
  return {titleIcon_.Width ? titleIcon_.Width : autoSide, titleIcon_.Height ? titleIcon_.Height : autoSide};
}

void TsSkinProvider::DrawTitleIcon(Image24 &cache, const TRect &r) {
  if (!titleIcon_.Glyph().Empty()) {
    const int side = AutoIconSide(frame_.Geometry().TopBand - 2);
    const TSize size = titleIcon_.Width == 0 ? TSize{side, side} : TSize{titleIcon_.Width, titleIcon_.Height};
    DrawGlyphKeyed(cache, titleIcon_.Glyph(), {r.Left, r.Top, r.Left + size.Width, r.Top + size.Height}, KeyColor);
    return;
  }
  HICON icon = form_->Icon().Handle();
  if (!icon)
    icon = r.Width() <= 16 && Application->SmallIcon() ? Application->SmallIcon() : Application->Icon().Handle();
  TRect at = r;
  if (!icon) {
    // Neither the form nor the application has one: the program file's, taken once.
    const int side = titleIcon_.Width    ? titleIcon_.Width
                     : titleIcon_.Height ? titleIcon_.Height
                                         : frame_.Geometry().CaptionBarHeight - r.Top;
    if (!extractedIcons_) extractedIcons_ = std::make_unique<ExtractedIcons>();
    icon = side > 16 && extractedIcons_->Large ? extractedIcons_->Large : extractedIcons_->Small;
    if (icon)
      at = {r.Left, r.Top, r.Left + side, r.Top + side};
    else
      icon = LoadIconW(nullptr, IDI_APPLICATION);
  }
  ImageSurface surface(cache);
  DrawIconEx(surface.Handle(), at.Left, at.Top, icon, at.Width(), at.Height(), 0, nullptr, DI_NORMAL);
}

TsTitleButton *TsSkinProvider::UserButton(int index) const {
  return index >= 0 && index < titleButtons_.Count() ? titleButtons_.Items(index) : nullptr;
}

void TsSkinProvider::PaintClientContent(HDC dc) {
  if (!form_->OnPaint) return;
  CanvasHandleScope scope(form_->Canvas(), dc);
  form_->OnPaint(form_);
}

void TsSkinProvider::CloseByIcon() { form_->Close(); }

void TsSkinProvider::SetShownState(TsWindowState state) {
  if (state == TsWindowState::Maximized) {
    form_->SetWindowState(TWindowState::wsMaximized);
    SendMessageW(form_->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  } else {
    form_->SetWindowState(TWindowState::wsNormal);
    SendMessageW(form_->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    RepaintFrame();
  }
  if (systemMenu_) systemMenu_->UpdateItems();
}
