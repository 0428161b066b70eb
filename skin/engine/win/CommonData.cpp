#include "skin/engine/win/CommonData.h"

#include <uxtheme.h>

#include <algorithm>

#include "skin/engine/win/SkinDelivery.h"
#include "skin/engine/ControlKinds.h"
#include "skin/render/MaskPainting.h"
#include "skin/pixels/win/DibStorage.h"
#include "skin/pixels/win/GdiTextCanvas.h"
#include "toolkit/base/MetaClass.h"
#include "toolkit/base/Text.h"
#include "toolkit/ui/Buttons.h"
#include "toolkit/ui/StdCtrls.h"
#include "toolkit/ui/SystemInfo.h"

namespace {

bool IsLoading(const TComponent &component) { return component.IsLoading() || component.IsReading(); }

// A speed button of control other than the one just entered that still shows the mouse is told that the
// mouse has left it, so two never show it at once.
void LeaveOtherSpeedButtons(TWinControl &control, LPARAM entered) {
  for (int i = 0; i < control.ControlCount(); ++i) {
    auto *button = dynamic_cast<TSpeedButton *>(control.Controls(i));
    if (button && reinterpret_cast<LPARAM>(button) != entered && button->MouseInControl())
      button->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(button));
  }
}

// The band of a group box window that shows its caption: its own answer, else its top frame strip.
int CaptionBand(HWND groupBox, int topStrip) {
  const int answer = static_cast<int>(SendSkinCommand(groupBox, AC_QUERYCAPTIONBAND).Result);
  return answer > 0 ? answer : topStrip;
}

bool IsGroupBox(HWND window) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  return lstrcmpiW(name, L"Button") == 0 && (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

} // namespace

TsFont SkinFont(const TFont &font) {
  TsFont result;
  result.Name = font.Name();
  result.Height = font.Height();
  result.Color = font.Color();
  result.Charset = static_cast<uint8_t>(font.Charset());
  result.Bold = font.Style() & fsBold;
  result.Italic = font.Style() & fsItalic;
  result.Underline = font.Style() & fsUnderline;
  result.StrikeOut = font.Style() & fsStrikeOut;
  return result;
}

const TMetaClass &TsCommonData::StaticMetaClass() {
  return DefineClass<TsCommonData, TPersistent>("TsCommonData", [](TClassBuilder<TsCommonData> &c) {
    c.String("SkinSection", &TsCommonData::SetSkinSection);
    c.Bool("CustomFont", &TsCommonData::SetCustomFont);
    c.Bool("CustomColor", &TsCommonData::SetCustomColor);
    c.Reference<TsSkinManager>("SkinManager", &TsCommonData::SetSkinManager);
  });
}

TsCommonData::TsCommonData(TComponent &host, bool withCache)
    : host_(host), hostControl_(dynamic_cast<TControl *>(&host)),
      watch_(std::make_unique<TsFreeWatch>([this](TComponent *freed) {
        if (freed == manager_) manager_ = nullptr;
      })) {
  if (withCache) CacheImage = CreateDib24(0, 0);
}

TsCommonData::~TsCommonData() {
  ForgetIndexes();
  watch_->Unwatch(manager_);
}

TsSkinManager *TsCommonData::SkinManager() const { return manager_ ? manager_ : DefaultManager(); }

const TsSkin *TsCommonData::Skin() const {
  TsSkinManager *manager = SkinManager();
  return manager ? manager->Skin() : nullptr;
}

const TsGeneralData *TsCommonData::Section() const {
  const TsSkin *skin = Skin();
  return skin && skin->IsValidSectionIndex(SectionIdx) ? &skin->GeneralData[static_cast<size_t>(SectionIdx)] : nullptr;
}

bool TsCommonData::Destroying() const { return host_.IsDestroying(); }

bool TsCommonData::FromMyManager(const TMessage &message) const {
  return message.LParam != 0 && reinterpret_cast<TsSkinManager *>(message.LParam) == SkinManager();
}

void TsCommonData::TellHost(uint16_t command, LPARAM lParam) {
  if (hostControl_) {
    PerformSkinCommand(*hostControl_, command, 0, lParam);
  } else if (ProviderHandler) {
    TMessage message = SkinCommand(command, 0, lParam);
    ProviderHandler(message);
  }
}

void TsCommonData::TellHostNewLook() {
  TsSkinManager *manager = SkinManager();
  const bool skinned = manager && manager->Skin() && SectionIdx >= 0;
  TellHost(skinned ? AC_SKINREFRESH : AC_SKINCLEARED, reinterpret_cast<LPARAM>(manager));
}

void TsCommonData::SetSkinSection(const std::string &section) {
  if (section == skinSection_) return;
  skinSection_ = section.empty() ? "UNKNOWN" : text::UpperCase(section);
  if (Skin())
    ResolveIndexes();
  else
    SectionIdx = -1;
  if (IsLoading(host_) || Destroying() || (hostControl_ && !hostControl_->Parent()) || (!hostControl_ && !ProviderForm))
    return;
  TellHostNewLook();
}

void TsCommonData::SetSkinManager(TsSkinManager *manager) {
  if (manager == DefaultManager()) manager = nullptr;
  if (manager_ == manager) return;
  watch_->Unwatch(manager_);
  manager_ = manager;
  watch_->Watch(manager_);
  if (IsLoading(host_)) return;
  if (Skin())
    ResolveIndexes();
  else
    SectionIdx = -1;
  try {
    TellHostNewLook();
  } catch (...) {
    // A control that cannot take the new look now takes it with the next announcement.
  }
}

void TsCommonData::SetCustomFont(bool value) {
  customFont_ = value;
  if (IsEdit() && UsesSkin() && !IsLoading(host_)) TakeSectionColors();
  RefreshControl();
}

void TsCommonData::SetCustomColor(bool value) {
  customColor_ = value;
  if (IsEdit() && UsesSkin() && !IsLoading(host_)) TakeSectionColors();
  RefreshControl();
}

void TsCommonData::ForgetIndexes() { BorderImageIdx = SectionIdx = PatternIdx = HotPatternIdx = -1; }

void TsCommonData::ResolveIndexes() {
  BackgroundStale = true;
  const TsSkin *skin = Skin();
  SectionIdx = skin ? skin->SectionIndex(skinSection_) : -1;
  if (SectionIdx < 0) {
    PatternIdx = HotPatternIdx = -1;
    return;
  }
  BorderImageIdx = skin->ImageIndex(SectionIdx, skinSection_, "BORDERSMASK");
  PatternIdx = skin->TextureIndex(SectionIdx, skinSection_, "PATTERN");
  HotPatternIdx = skin->TextureIndex(SectionIdx, skinSection_, "HOTPATTERN");
}

bool TsCommonData::IsEdit() const {
  return dynamic_cast<TCustomEdit *>(hostControl_) != nullptr || ControlKind == ControlKind::Edit;
}

void TsCommonData::TakeSectionColors() {
  const TsGeneralData *section = Section();
  if (!section || !hostControl_) return;
  if (!customColor_ && hostControl_->Color() != section->Color) hostControl_->SetColor(section->Color);
  if (!customFont_ && hostControl_->Font().Color() != section->FontColor[0])
    hostControl_->Font().SetColor(section->FontColor[0]);
}

void TsCommonData::TakeSystemColors() {
  if (!hostControl_) return;
  if (!customColor_) hostControl_->SetColor(clWindow);
  if (!customFont_) hostControl_->Font().SetColor(clWindowText);
}

void TsCommonData::AnnounceToForm() {
  auto *windowed = dynamic_cast<TWinControl *>(hostControl_);
  if (!windowed || !windowed->Parent()) return;
  if (TCustomForm *form = windowed->ParentForm(); form && form != windowed)
    PerformSkinCommand(*form, AC_CONTROLADDED, 0, reinterpret_cast<LPARAM>(windowed));
}

void TsCommonData::AfterLoad() {
  if (skinSection_.empty()) {
    const auto section = DefaultSectionOfKind(ControlKind);
    SetSkinSection(section ? std::string(*section) : host_.ClassName());
  } else {
    ResolveIndexes();
  }
  if (!UsesSkin()) return;
  auto *windowed = dynamic_cast<TWinControl *>(hostControl_);
  if (windowed && windowed->HandleAllocated() && ThemesInUse()) RemoveWindowTheme(windowed->Handle());
  if (hostControl_ && hostControl_->Parent() && !IsLoading(*hostControl_)) {
    AnnounceToForm();
    if (IsEdit()) TakeSectionColors();
  }
}

void TsCommonData::RefreshControl() {
  if (!hostControl_ || IsLoading(*hostControl_) || Destroying()) return;
  BackgroundStale = true;
  if (hostControl_->Parent() && hostControl_->Showing()) hostControl_->Repaint();
}

void TsCommonData::SuspendPaint() { LockPaint(true, AC_BEGINUPDATE); }
void TsCommonData::ResumePaint() { LockPaint(false, AC_ENDUPDATE); }

void TsCommonData::LockPaint(bool locked, uint16_t notice) {
  PaintLocked = locked;
  if (hostControl_)
    PerformSkinCommand(*hostControl_, notice);
  else if (ProviderForm && ProviderForm->HandleAllocated())
    SendSkinCommand(ProviderForm->Handle(), notice);
}

bool TsCommonData::PaintSuspended() const {
  TsSkinManager *manager = SkinManager();
  if (!manager || !manager->Active() || !manager->Skin()) return true;
  if (!hostControl_) return PaintLocked;
  if (PaintLocked) return true;
  if (Destroying()) return PaintLocked;
  TWinControl *parent = hostControl_->Parent();
  if (!parent) return true;
  const TMessage answer = PerformSkinCommand(*parent, AC_QUERYBGCHANGED);
  return answer.LParam == 1;
}

bool TsCommonData::UsesSkin(bool checkActive) const {
  if (Destroying()) return false;
  TsSkinManager *manager = SkinManager();
  if (!manager || manager->IsDestroying()) return false;
  if (checkActive && (!manager->Active() || !manager->Skin())) return false;
  return Section() != nullptr;
}

bool TsCommonData::ShowsActive() const {
  if (!hostControl_ || Destroying() || !hostControl_->Enabled()) return false;
  if (HasFocus) return true;
  if (auto *windowed = dynamic_cast<TWinControl *>(hostControl_); windowed && windowed->Focused()) return true;
  return MouseOver && KindShowsHover(ControlKind);
}

bool TsCommonData::ShowsParent() const {
  if (ParentMode || !UsesSkin() || !hostControl_) return true;
  // An opaque control is repainted with its parent, as a hidden one is.
  if ((hostControl_->ControlStyle() & csOpaque) || !hostControl_->Visible()) return true;
  const TsGeneralData *section = Section();
  if (!section) return false;
  bool shows = !hostControl_->Enabled() || section->Transparency > 0;
  TWinControl *parent = hostControl_->Parent();
  if (shows && parent && parent->HandleAllocated()) shows = PerformSkinCommand(*parent, AC_QUERYOWNBG).LParam == 1;
  return shows;
}

bool TsCommonData::HasTransparency() const {
  const TsGeneralData *section = Section();
  return section && section->Transparency > 0;
}

TCacheInfo TsCommonData::ParentCache() const {
  TCacheInfo cache;
  if (!hostControl_ || !hostControl_->Parent()) return cache;
  try {
    PerformSkinCommand(*hostControl_->Parent(), AC_QUERYCACHE, 0, reinterpret_cast<LPARAM>(&cache));
  } catch (...) {
    return TCacheInfo{};
  }
  return cache;
}

TCacheInfo TsCommonData::ParentCacheOfWindow(HWND window) {
  TCacheInfo cache;
  const HWND parent = GetParent(window);
  if (!parent) return cache;
  try {
    SendSkinCommand(parent, AC_QUERYCACHE, 0, reinterpret_cast<LPARAM>(&cache));
  } catch (...) {
    return TCacheInfo{};
  }
  return cache;
}

void TsCommonData::PrepareCacheImage() {
  const int width = hostControl_ ? hostControl_->Width() : CacheImage.Width();
  const int height = hostControl_ ? hostControl_->Height() : CacheImage.Height();
  if (CacheImage.Width() != width || CacheImage.Height() != height || !CacheImage.NativeHandle())
    CacheImage = CreateDib24(width, height);
}

TsParentLink TsCommonData::ParentLink() const {
  TsParentLink link;
  TWinControl *parent = hostControl_ ? hostControl_->Parent() : nullptr;
  if (!parent) return link;
  link.Exists = true;
  link.Color = parent->Color();
  link.QueryColor = [parent]() -> std::optional<TColor> {
    TColor answer = KeyColor;
    PerformSkinCommand(*parent, AC_QUERYCOLOR, 0, reinterpret_cast<LPARAM>(&answer));
    if (answer == KeyColor) return std::nullopt;
    return answer;
  };
  link.QueryOwnBackground = [parent] { return PerformSkinCommand(*parent, AC_QUERYOWNBG).LParam == 1; };
  return link;
}

TPoint TsCommonData::Position() const {
  return hostControl_ ? TPoint{hostControl_->Left(), hostControl_->Top()} : TPoint{};
}

TsItemData TsCommonData::ItemData() const {
  TsItemData data;
  data.Skin = Skin();
  data.SkinSection = skinSection_;
  data.SectionIdx = SectionIdx;
  data.BorderImageIdx = BorderImageIdx;
  data.PatternIdx = PatternIdx;
  data.HotPatternIdx = HotPatternIdx;
  if (customColor_) {
    if (ProviderForm)
      data.CustomColor = ProviderForm->Color();
    else if (hostControl_)
      data.CustomColor = hostControl_->Color();
  }
  if (hostControl_) data.Font = SkinFont(hostControl_->Font());
  data.CustomFont = customFont_;
  data.ShowsParent = ShowsParent();
  data.Parent = ParentLink();
  return data;
}

void TsCommonData::RepaintCache(int state, const std::function<void(Image24 &cache)> &content) {
  const TCacheInfo ci = ParentCache();
  PrepareCacheImage();
  const TRect whole{0, 0, CacheImage.Width(), CacheImage.Height()};
  PaintSkinItem(ItemData(), ci, true, state, whole, Position(), CacheImage, true);
  if (content) content(CacheImage);
  if (hostControl_ && !hostControl_->Enabled())
    PaintDisabled(CacheImage, DisabledKind, ParentLink(), Position(), ParentCache());
  BackgroundStale = false;
}

bool TsCommonData::HandleMessage(TMessage &message) {
  if (message.Msg == SM_TESSORACMD) return HandleSkinCommand(message);
  auto *windowed = dynamic_cast<TWinControl *>(hostControl_);
  switch (message.Msg) {
  case WM_MOVE:
    if (hostControl_ && ShowsParent()) PerformSkinCommand(*hostControl_, AC_BGCHANGEDTREE, 1);
    return false;
  case WM_SIZE:
    if (!UsesSkin()) return false;
    BackgroundStale = true;
    if (windowed && Section()->GradientPercent > 0)
      for (int i = 0; i < windowed->ControlCount(); ++i) {
        TControl *child = windowed->Controls(i);
        if (!child->IsDestroying() && !(child->Anchors() & (akRight | akBottom)))
          PerformSkinCommand(*child, AC_BGCHANGEDTREE, 1);
      }
    return false;
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
    if (windowed && windowed->CanFocus() && windowed->Showing()) {
      BackgroundStale = true;
      HasFocus = message.Msg == WM_SETFOCUS;
    }
    return false;
  case 0x001D:
  case CM_ENABLEDCHANGED: MouseOver = HasFocus = false; return false;
  case WM_UPDATEUISTATE:
    if (UsesSkin()) {
      message.Result = 1;
      return true;
    }
    if (windowed && windowed->HandleAllocated() && ThemesInUse()) SetWindowTheme(windowed->Handle(), nullptr, nullptr);
    return false;
  case WM_PARENTNOTIFY:
    if (LOWORD(message.WParam) == WM_CREATE) AnnounceToForm();
    return false;
  case CM_VISIBLECHANGED:
    if (message.WParam)
      BackgroundStale = true;
    else if (CacheImage.Width() || CacheImage.Height())
      CacheImage = CreateDib24(0, 0);
    return false;
  case CM_MOUSEENTER:
    if (windowed && DefaultManager()) LeaveOtherSpeedButtons(*windowed, message.LParam);
    if (message.LParam != reinterpret_cast<LPARAM>(hostControl_)) return false;
    if (KindShowsHover(ControlKind)) MouseOver = true;
    if (windowed && windowed->HandleAllocated() && DefaultManager()) SetWindowUnderMouse(windowed->Handle());
    return false;
  case CM_MOUSELEAVE:
    if (message.LParam == reinterpret_cast<LPARAM>(hostControl_) && KindShowsHover(ControlKind)) MouseOver = false;
    return false;
  default: return false;
  }
}

bool TsCommonData::HandleSkinCommand(TMessage &message) {
  auto *windowed = dynamic_cast<TWinControl *>(hostControl_);
  TWinControl *parent = hostControl_ ? hostControl_->Parent() : nullptr;
  const uint16_t param = SkinParamOf(message.WParam);
  auto answer = [&](LPARAM value, LRESULT result) {
    message.LParam = value;
    message.Result = result;
    return true;
  };
  switch (SkinCommandOf(message.WParam)) {
  case AC_SKINSET:
    if (!FromMyManager(message)) return false;
    PaintLocked = true;
    ResolveIndexes();
    ClearSkinApplying();
    return true;
  case AC_SKINCLEARED:
    if (!FromMyManager(message)) return false;
    if (manager_ && manager_->IsDestroying()) SetSkinManager(nullptr);
    ForgetIndexes();
    PaintLocked = true;
    if (CacheImage.Width() || CacheImage.Height()) CacheImage = CreateDib24(0, 0);
    if (IsEdit()) TakeSystemColors();
    return true;
  case AC_SKINREFRESH:
    if (!FromMyManager(message)) return false;
    BackgroundStale = true;
    PaintLocked = false;
    if (UsesSkin()) {
      if (IsEdit()) TakeSectionColors();
      AnnounceToForm();
    }
    return true;
  case AC_QUERYCACHE:
    if (CacheImage.Empty() || !message.LParam) return false;
    *reinterpret_cast<TCacheInfo *>(message.LParam) = TCacheInfo{&CacheImage, 0, 0, true};
    message.Result = 1;
    return true;
  case AC_QUERYSKINNED: return answer(1, 1);
  case AC_SETUPDATING: PaintLocked = param == 1; return true;
  case AC_SETPARENTMODE: ParentMode = param == 1; return true;
  case AC_QUERYBGCHANGED: {
    const LPARAM changed = BackgroundStale || PaintSuspended();
    return answer(changed, changed);
  }
  case AC_QUERYHALFVISIBLE: return answer(PartlyVisible, 1);
  case AC_PARENTBGCHANGED:
    if (HasTransparency() && param == 1) BackgroundStale = true;
    return true;
  case AC_SECTIONRELOAD:
    if (text::UpperCase(skinSection_) != ReloadedSection()) return false;
    ClearSkinApplying();
    ResolveIndexes();
    RefreshControl();
    return true;
  case AC_SETPARENTLINK: LinkedObject = message.LParam; return true;
  case AC_SETBGCHANGED: BackgroundStale = true; return true;
  case AC_QUERYOWNBG: {
    const TsGeneralData *section = Section();
    if (!section) return false;
    if (section->Transparency == 100 && parent) return answer(PerformSkinCommand(*parent, AC_QUERYOWNBG).LParam, 1);
    return answer(section->GradientPercent + section->ImagePercent > 0 || ShowsParent(), 1);
  }
  case AC_BGCHANGEDTREE: {
    const bool shows = ShowsParent();
    if (shows) BackgroundStale = true;
    if (windowed && windowed->HandleAllocated() && param == 1)
      RedrawWindow(windowed->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_NOERASE);
    if (shows && windowed)
      for (int i = 0; i < windowed->ControlCount(); ++i)
        if (!windowed->Controls(i)->IsDestroying()) PerformSkinCommand(*windowed->Controls(i), AC_BGCHANGEDTREE, 0);
    return true;
  }
  case AC_QUERYCOLOR: {
    const TsGeneralData *section = Section();
    if (!section || !hostControl_ || !message.LParam) return false;
    *reinterpret_cast<TColor *>(message.LParam) =
        SkinnedQueryColorAnswer(*section, customColor_, hostControl_->Color(), ParentLink());
    message.Result = 1;
    return true;
  }
  case AC_SETHALFVISIBLE: PartlyVisible = true; return true;
  case AC_QUERYAPPLICATION:
    message.Result = reinterpret_cast<LRESULT>(static_cast<TApplication *>(Application));
    return true;
  default: return false;
  }
}

void TsCommonData::CopyCacheClipped(HDC dc, TPoint p, const RECT &r, const std::function<void(HDC)> &cutChildren,
                                    bool restoreCorners) {
  if (CacheImage.Empty()) return;
  if (restoreCorners && Skin())
    RestoreCorners(CacheImage, *Skin(), BorderImageIdx, 0, ParentLink(), ParentCache(), Position());
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  cutChildren(dc);
  ImageSurface surface(CacheImage);
  BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, surface.Handle(), p.X, p.Y, SRCCOPY);
  RestoreDC(dc, saved);
}

void TsCommonData::CopyCacheToDC(TWinControl &control, TPoint p, int dy, int dx, bool restoreCorners, HDC dc,
                                 const RECT &r) {
  CopyCacheClipped(
      dc, p, r,
      [&](HDC target) {
        for (int i = 0; i < control.ControlCount(); ++i) {
          TControl *child = control.Controls(i);
          if (!child->Visible()) continue;
          const bool windowed = dynamic_cast<TWinControl *>(child) != nullptr;
          if (!windowed && !(child->ControlStyle() & csOpaque)) continue;
          const RECT b = child->BoundsRect();
          RECT overlap;
          if (IntersectRect(&overlap, &b, &r))
            ExcludeClipRect(target, b.left + dx, b.top + dy, b.right + dx, b.bottom + dy);
        }
      },
      restoreCorners);
}

void TsCommonData::CopyCacheToDCWindows(HWND window, TPoint p, int dy, int dx, bool restoreCorners, HDC dc,
                                        const RECT &r) {
  // A group box shows what lies behind it inside its frame: only its caption band and frame strips are its
  // own.
  const TsSkin *skin = Skin();
  const int groupBox = skin ? skin->SectionIndex("GROUPBOX") : -1;
  const int frame = groupBox >= 0 ? skin->ImageIndex(groupBox, "GROUPBOX", "BORDERSMASK") : -1;
  CopyCacheClipped(
      dc, p, r,
      [&](HDC target) {
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
          if (!IsWindowVisible(child)) continue;
          RECT b;
          GetWindowRect(child, &b);
          MapWindowPoints(nullptr, window, reinterpret_cast<POINT *>(&b), 2);
          RECT overlap;
          if (!IntersectRect(&overlap, &b, &r)) continue;
          OffsetRect(&b, dx, dy);
          if (!IsGroupBox(child)) {
            ExcludeClipRect(target, b.left, b.top, b.right, b.bottom);
            continue;
          }
          const int band = CaptionBand(child, skin ? skin->BorderTopWidth(frame) : 0);
          const int left = skin ? skin->BorderLeftWidth(frame) : 0, right = skin ? skin->BorderRightWidth(frame) : 0;
          const int bottom = skin ? skin->BorderBottomWidth(frame) : 0;
          ExcludeClipRect(target, b.left, b.top, b.right, b.top + band);
          ExcludeClipRect(target, b.left, b.top, b.left + left, b.bottom);
          ExcludeClipRect(target, b.right - right, b.top, b.right, b.bottom);
          ExcludeClipRect(target, b.left, b.bottom - bottom, b.right, b.bottom);
        }
      },
      restoreCorners);
}
