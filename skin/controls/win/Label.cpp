#include "skin/controls/win/Label.h"

#include "skin/engine/FlagScope.h"
#include "skin/engine/win/SkinDelivery.h"
#include "skin/pixels/Blending.h"
#include "skin/pixels/win/DibStorage.h"
#include "skin/pixels/win/GdiTextCanvas.h"
#include "skin/render/win/PaintItemToDC.h"
#include "toolkit/base/MetaClass.h"

namespace {

// Set while a label gives its font the skin's colour for painting: the font notices that this causes are
// no change of the label's own.
bool takingSkinFont = false;

// The default manager while it has a skin loaded.
const TsSkinManager *LoadedManager() {
  const TsSkinManager *manager = DefaultManager();
  return manager && manager->Active() && manager->SkinLoaded() ? manager : nullptr;
}

} // namespace

const TMetaClass &TsCustomLabel::StaticMetaClass() {
  return DefineClass<TsCustomLabel, TCustomLabel>("TsCustomLabel", [](TClassBuilder<TsCustomLabel> &c) {
    c.String("SkinSection", &TsCustomLabel::SetSkinSection);
  });
}

const TMetaClass &TsLabel::StaticMetaClass() {
  return DefineClass<TsLabel, TsCustomLabel>("TsLabel", [](TClassBuilder<TsLabel> &c) {
    c.Bool("UseSkinColor", [](TsLabel &l, bool v) { l.UseSkinColor = v; });
  });
}

TsCustomLabel::TsCustomLabel(TComponent *owner) : TCustomLabel(owner) { SetTransparent(true); }

void TsCustomLabel::SetSkinSection(const std::string &section) {
  if (section == skinSection_) return;
  skinSection_ = section;
  Invalidate();
}

int TsCustomLabel::SectionIndex() const {
  const TsSkinManager *manager = LoadedManager();
  if (skinSection_.empty() || !manager) return -1;
  const int index = manager->SectionIndex(skinSection_);
  return index > 0 ? index : -1;
}

void TsCustomLabel::TakeCaptionFont() {
  const TsSkinManager *manager = LoadedManager();
  if (!manager || !TakesSkinColor()) return;
  const TColor color = manager->GlobalFontColor();
  if (color != KeyColor && color != Font().Color()) Font().SetColor(color);
}

void TsCustomLabel::Paint() {
  int section = -1;
  {
    const FlagScope taking(takingSkinFont);
    TakeCaptionFont();
    section = SectionIndex();
    if (section >= 0) Font().SetColor(LoadedManager()->Skin()->GeneralData[static_cast<size_t>(section)].FontColor[0]);
  }
  if (section >= 0 && Parent() && Canvas().Handle()) {
    TCacheInfo ci;
    PerformSkinCommand(*Parent(), AC_QUERYCACHE, 0, reinterpret_cast<LPARAM>(&ci));
    PaintSkinItemToDC(section, skinSection_, ci, LoadedManager()->Skin(), Canvas().Handle(), TPoint{Left(), Top()},
                      RECT{0, 0, Width(), Height()}, 0, true);
  }
  TCustomLabel::Paint();
}

void TsCustomLabel::DoDrawText(RECT &rect, UINT flags) {
  if ((flags & DT_CALCRECT) || Enabled() || !LoadedManager() || !Parent()) return TCustomLabel::DoDrawText(rect, flags);
  // A disabled caption fades into what it stands on.
  if (!ShowAccelChar()) flags |= DT_NOPREFIX;
  flags = DrawTextBiDiModeFlags(flags);
  HDC dc = Canvas().Handle();
  if (!dc) return;
  Canvas().Font().Assign(Font());
  const TColor background = AskParentColor(ParentLinkOf(*Parent()));
  SetTextColor(dc, static_cast<COLORREF>(ColorBetween(ColorToRgb(Font().Color()), background, 0.4)));
  DrawTextPlain(dc, Caption(), rect, flags);
}

bool TsCustomLabel::SkinCleared() {
  Font().SetColor(clWindowText);
  return false;
}

bool TsLabel::SkinCleared() {
  if (UseSkinColor) Font().SetColor(clWindowText);
  return true;
}

void TsCustomLabel::WndProc(TMessage &m) {
  switch (m.Msg) {
  case CM_FONTCHANGED:
    if (takingSkinFont) return;
    break;
  case SM_TESSORACMD:
    switch (SkinCommandOf(m.WParam)) {
    case AC_SKINCLEARED:
      if (m.LParam && reinterpret_cast<TsSkinManager *>(m.LParam) == DefaultManager() && SkinCleared()) return;
      break;
    case AC_QUERYSKINNED: // skin-aware: the control adapter leaves it alone
      m.LParam = m.Result = 1;
      return;
    }
    break;
  }
  TCustomLabel::WndProc(m);
}
