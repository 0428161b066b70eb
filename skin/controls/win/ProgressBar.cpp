#include "skin/controls/win/ProgressBar.h"

#include "skin/controls/ProgressPainting.h"
#include "skin/controls/win/ControlPainting.h"
#include "skin/engine/ControlKinds.h"
#include "skin/engine/win/SkinDelivery.h"
#include "skin/render/MaskPainting.h"
#include "toolkit/base/MetaClass.h"

const TMetaClass &TsProgressBar::StaticMetaClass() {
  return DefineClass<TsProgressBar, TProgressBar>("TsProgressBar", [](TClassBuilder<TsProgressBar> &c) {
    c.Object("SkinData", [](TsProgressBar &b) -> TPersistent * { return &b.SkinData; });
    c.String("ProgressSkin", &TsProgressBar::SetProgressSkin);
  });
}

TsProgressBar::TsProgressBar(TComponent *owner) : TProgressBar(owner) {
  SetControlStyleFlags(csOpaque, true);
  SkinData.ControlKind = ControlKind::Gauge;
  SkinData.AfterLoad();
}

TsProgressBar::~TsProgressBar() { ReleaseLinks(); }

void TsProgressBar::Loaded() {
  TProgressBar::Loaded();
  SkinData.AfterLoad();
}

void TsProgressBar::CreateHandleDone() {
  TProgressBar::CreateHandleDone();
  TakeThemeOff(*this, SkinData);
}

void TsProgressBar::SetProgressSkin(const std::string &section) {
  if (section == progressSkin_) return;
  progressSkin_ = section;
  SkinData.RefreshControl();
}

bool TsProgressBar::Skinned() const { return SkinData.UsesSkin() && HandleAllocated(); }

void TsProgressBar::RepaintWhole() {
  if (HandleAllocated())
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TsProgressBar::SkinCommand(TMessage &m) {
  switch (SkinCommandOf(m.WParam)) {
  case AC_SKINSET: SkinData.HandleSkinCommand(m); return;
  case AC_SKINCLEARED:
  case AC_SKINREFRESH:
    if (SkinData.HandleSkinCommand(m)) RepaintWhole();
    return;
  case AC_PARENTREPAINT:
    if (SkinData.PaintLocked) {
      SkinData.PaintLocked = false;
      RepaintWhole();
    }
    return;
  default:
    // The skin data answers the common queries (AC_QUERYSKINNED, AC_QUERYAPPLICATION among them).
    if (!SkinData.HandleSkinCommand(m)) TProgressBar::WndProc(m);
  }
}

void TsProgressBar::WndProc(TMessage &m) {
  if (m.Msg == SM_TESSORACMD) return SkinCommand(m);
  if (!Skinned()) return TProgressBar::WndProc(m);
  switch (m.Msg) {
  case WM_PAINT: return Paint(reinterpret_cast<HDC>(m.WParam));
  case WM_PRINT: SkinData.PaintLocked = false; return Paint(reinterpret_cast<HDC>(m.WParam));
  case WM_ERASEBKGND: m.Result = 1; return;
  case WM_NCPAINT: return;
  default:
    if (!SkinData.HandleMessage(m)) TProgressBar::WndProc(m);
  }
}

void TsProgressBar::Paint(HDC given) {
  PaintOnce(Handle(), given, true, [this](HDC dc) {
    if (Width() <= 0 || Height() <= 0) return;
    SkinData.PaintLocked = SkinData.PaintSuspended();
    if (SkinData.PaintLocked) return;
    NoteVisibility(SkinData, *this);
    // A change of position, range or size renders the bar anew, as a stale background does.
    const TsProgressBarShape shape = CurrentShape();
    const bool changed =
        SkinData.BackgroundStale || shape != renderedShape_ || SkinData.Position() != renderedPosition_;
    if (changed && !SkinData.ParentMode) RenderCache(shape);
    if (const TsSkin *skin = SkinData.Skin())
      RestoreCorners(SkinData.CacheImage, *skin, SkinData.BorderImageIdx, 0, SkinData.ParentLink(),
                     SkinData.ParentCache(), SkinData.Position());
    const RECT whole{0, 0, Width(), Height()};
    SkinData.CopyCacheToDC(*this, TPoint{}, 0, 0, false, dc, whole);
    // Children paint over the copy: window-less ones here, windowed ones when told.
    PaintControls(dc, nullptr);
    for (int i = 0; i < ControlCount(); ++i)
      if (auto *child = dynamic_cast<TWinControl *>(Controls(i)); child && child->Visible())
        PerformSkinCommand(*child, AC_PARENTREPAINT);
  });
}

TsProgressBarShape TsProgressBar::CurrentShape() const {
  TsProgressBarShape shape;
  shape.Bar = TSize{Width(), Height()};
  const RECT client = ClientRect();
  shape.Client = TSize{client.right, client.bottom};
  shape.BorderWidth = BorderWidth();
  shape.Min = Min();
  shape.Max = Max();
  shape.Position = Position();
  shape.Smooth = Smooth();
  const bool vertical = Orientation() == TProgressBarOrientation::pbVertical;
  shape.Orientation = vertical ? TsBarOrientation::Vertical : TsBarOrientation::Horizontal;
  return shape;
}

void TsProgressBar::RenderCache(const TsProgressBarShape &shape) {
  const bool sized = SkinData.CacheImage.Width() == Width() && SkinData.CacheImage.Height() == Height();
  // Without a range the previous look stays; a bar that has none yet shows its trough.
  if (shape.Min >= shape.Max && sized) return;
  const bool vertical = shape.Orientation == TsBarOrientation::Vertical;
  const std::string progress = !progressSkin_.empty() ? progressSkin_ : vertical ? "PROGRESSV" : "PROGRESSH";
  const TCacheInfo ci = SkinData.ParentCache();
  SkinData.PrepareCacheImage();
  renderedPosition_ = SkinData.Position();
  PaintProgressBar(SkinData.CacheImage, SkinData.ItemData(), ci, renderedPosition_, LayOutProgress(shape), progress);
  renderedShape_ = shape;
  SkinData.BackgroundStale = false;
}
