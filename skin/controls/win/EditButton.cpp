#include "skin/controls/win/EditButton.h"

#include "toolkit/base/MetaClass.h"

#include "skin/controls/GlyphFace.h"
#include "skin/controls/win/ComboEdit.h"
#include "skin/pixels/ImageCopy.h"
#include "skin/pixels/win/DibStorage.h"

namespace {
// Where the edit's client area lies in its cache image (the frame's width).
constexpr int FrameOffset = 2;
} // namespace

const TMetaClass &TsEditButton::StaticMetaClass() { return DefineClass<TsEditButton, TSpeedButton>("TsEditButton"); }

TsEditButton::TsEditButton(TComponent *owner, TsCustomComboEdit &edit) : TSpeedButton(owner), edit_(edit) {
  SkinData.SetSkinSection("SPEEDBUTTON");
  SetFlat(true);
  SetCursor(crArrow);
  SetWidth(22);
}

TsEditButton::~TsEditButton() { ReleaseLinks(); }

bool TsEditButton::Pressed() const { return State() == TButtonState::bsDown; }

void TsEditButton::Click() {
  TSpeedButton::Click();
  edit_.ButtonClick();
}

void TsEditButton::WndProc(TMessage &m) {
  if ((m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) && m.LParam == reinterpret_cast<LPARAM>(this)) {
    mouseOver_ = m.Msg == CM_MOUSEENTER;
    Invalidate();
  }
  TSpeedButton::WndProc(m);
}

void TsEditButton::Paint() {
  if (edit_.SkinData.UsesSkin() && Width() > 0 && Height() > 0)
    PaintSkinned();
  else
    TSpeedButton::Paint();
}

void TsEditButton::PaintSkinned() {
  const Image24 &editCache = edit_.CurrentCache();
  SkinData.PrepareCacheImage();
  Image24 &face = SkinData.CacheImage;
  CopyRect(
      face, 0, 0, editCache,
      TRect{Left() + FrameOffset, Top() + FrameOffset, Left() + FrameOffset + Width(), Top() + FrameOffset + Height()});
  if (const Image24 *glyph = edit_.CurrentGlyph()) {
    TsGlyphLook look;
    look.Frame = GlyphFrameIndex(Pressed(), mouseOver_);
    look.Idle = !edit_.ShowsActive() && !mouseOver_;
    look.Grayed = edit_.GlyphMode.Grayed();
    look.Blend = edit_.GlyphMode.Blend();
    PaintGlyphFace(face, *glyph, look);
  }
  if (!edit_.Enabled())
    PaintDisabled(face, edit_.SkinData.DisabledKind, SkinData.ParentLink(), SkinData.Position(), TCacheInfo{});
  const ImageSurface surface(face);
  BitBlt(Canvas().Handle(), 0, 0, Width(), Height(), surface.Handle(), 0, 0, SRCCOPY);
}

void TsEditButton::PaintContent(RECT) {
  // Unskinned: the speed button's face as it is, the glyph drawn over it through its mask.
  const Image24 *glyph = edit_.CurrentGlyph();
  if (!glyph || Width() < 1 || Height() < 1) return;
  Image24 face = CreateDib24(Width(), Height());
  const ImageSurface surface(face);
  BitBlt(surface.Handle(), 0, 0, Width(), Height(), Canvas().Handle(), 0, 0, SRCCOPY);
  GdiFlush();
  TsGlyphLook look;
  look.Frame = Pressed() ? 2 : 1;
  PaintGlyphFace(face, *glyph, look);
  BitBlt(Canvas().Handle(), 0, 0, Width(), Height(), surface.Handle(), 0, 0, SRCCOPY);
}
