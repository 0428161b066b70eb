#include "skin/engine/win/Fades.h"

#include "skin/engine/win/SkinDelivery.h"
#include "skin/pixels/Blending.h"
#include "skin/render/MaskPainting.h"
#include "skin/pixels/win/DibStorage.h"
#include "toolkit/base/MetaClass.h"
#include "toolkit/base/Text.h"

namespace {

// An error in a tick is shown and the timer goes on.
template <class Work> void ReportingErrors(Work work) {
  try {
    work();
  } catch (const std::exception &error) {
    const std::u16string text = text::Utf8ToUtf16(error.what());
    MessageBoxW(nullptr, reinterpret_cast<const wchar_t *>(text.c_str()), L"Error", MB_ICONERROR | MB_OK);
  }
}

bool GoingAway(const TsCommonData *data) {
  return !data || !data->HostControl() || data->HostControl()->IsDestroying() || Application->Terminated();
}

// The frame of a step. The blend rounds a weight of 0 a shade below the new look, so the last frame
// is the new look itself: a fade has to end exactly where a plain repaint would.
Image24 FadeFrame(const Image24 &start, const Image24 &target, int step, int total) {
  const uint8_t weight = FadeWeight(step, total);
  if (weight == 0) return target.Clone();
  Image24 frame = start.Clone();
  BlendImage(frame, target, weight);
  return frame;
}

} // namespace

const TMetaClass &TsFadeTimer::StaticMetaClass() { return DefineClass<TsFadeTimer, TTimer>("TsFadeTimer"); }

TsFadeTimer::TsFadeTimer() : TTimer(nullptr) { SetEnabled(false); }

void TsFadeTimer::SetMode(FadeMode mode) {
  mode_ = mode;
  if (mode == FadeMode::None) {
    SetEnabled(false);
    return;
  }
  if (StepNo < 0) StepNo = 1;
  SetEnabled(true);
}

void TsFadeTimer::Timer() {
  ReportingErrors([this] { Tick(); });
}

void TsFadeTimer::Tick() {
  if (IsDestroying()) return;
  if (GoingAway(SkinDataRef)) {
    SetMode(FadeMode::None);
    return;
  }
  TControl &control = *SkinDataRef->HostControl();
  if (StepNo > StepTotal || StepNo < 0) {
    // The control frees this timer on the way: nothing of it may be touched afterwards.
    PerformSkinCommand(control, AC_STOPFADE);
    return;
  }
  if (mode_ != FadeMode::Towards && mode_ != FadeMode::Back) return;
  if (!control.Enabled()) {
    SetEnabled(false);
    StepTotal = 0;
    SkinDataRef->RefreshControl();
    return;
  }
  Image24 frame = FadeFrame(StartImage, SkinDataRef->CacheImage, StepNo, StepTotal);
  ++StepNo;
  if (PerformSkinCommand(control, AC_PAINTFADE, 0, reinterpret_cast<LPARAM>(&frame)).Result != 0) return;
  auto *windowed = dynamic_cast<TWinControl *>(&control);
  if (!windowed || !windowed->HandleAllocated()) return;
  const HWND window = windowed->Handle();
  if (HDC dc = GetDC(window)) {
    ImageSurface surface(frame);
    BitBlt(dc, 0, 0, frame.Width(), frame.Height(), surface.Handle(), 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
  }
}

void RequestFade(TsFadeSlot &slot, TsCommonData &data, bool half, FadeMode mode, bool animate) {
  if (!data.UsesSkin()) return;
  const TsGeneralData *section = data.Section();
  const bool fades =
      animate && !SkinApplying() && section->FadingEnabled && !data.CacheImage.Empty() && !data.BackgroundStale;
  data.BackgroundStale = true;
  if (fades) {
    StartFade(slot, data, half, mode);
    return;
  }
  StopFade(slot);
  if (TControl *control = data.HostControl()) control->Repaint();
}

void StartFade(TsFadeSlot &slot, TsCommonData &data, bool half, FadeMode mode) {
  const TsGeneralData *section = data.Section();
  if (!section || !section->FadingEnabled || !data.HostControl()) return;
  if (!slot) slot = std::make_unique<TsFadeTimer>();
  TsFadeTimer &timer = *slot;
  timer.SkinDataRef = &data;
  timer.StartImage = data.CacheImage.Clone();
  timer.SetInterval(static_cast<int>(FadeIntervalMs));
  const FadeStart start = StartFadeSteps(timer.Mode(), timer.StepNo, section->FadingIterations, half);
  timer.StepTotal = start.StepTotal;
  timer.StepNo = start.StepNo;
  PerformSkinCommand(*data.HostControl(), AC_PREPAREPAINT);
  timer.SetMode(mode);
}

void StopFade(TsFadeSlot &slot) {
  if (!slot || slot->IsDestroying()) return;
  slot->SetMode(FadeMode::None);
  slot.reset();
}

const TMetaClass &TsAnimTimer::StaticMetaClass() { return DefineClass<TsAnimTimer, TTimer>("TsAnimTimer"); }

TsAnimTimer::TsAnimTimer() : TTimer(nullptr) { SetEnabled(false); }

void TsAnimTimer::Prepare(TsCommonData &data, bool half) {
  SkinDataRef = &data;
  SetInterval(static_cast<int>(FadeIntervalMs));
  const TsGeneralData *section = data.Section();
  StepTotal = section ? section->FadingIterations : 0;
  if (half) StepTotal /= 2;
}

void TsAnimTimer::Timer() {
  ReportingErrors([this] { Tick(); });
}

void TsAnimTimer::Tick() {
  if (IsDestroying() || GoingAway(SkinDataRef)) return;
  TControl &control = *SkinDataRef->HostControl();
  if (StepNo < 0 || StepNo > StepTotal) {
    PerformSkinCommand(control, AC_STOPFADE);
    return;
  }
  if (!Busy) {
    Busy = true;
    FrameImage = FadeFrame(StartImage, SkinDataRef->CacheImage, StepNo, StepTotal);
    TWinControl *parent = control.Parent();
    if (parent) PerformSkinCommand(*parent, AC_SETPARENTLINK, 0, reinterpret_cast<LPARAM>(this));
    PerformSkinCommand(control, AC_SETUPDATING, 0);
    control.Repaint();
    if (parent) PerformSkinCommand(*parent, AC_SETPARENTLINK, 0, 0);
    Busy = false;
  }
  ++StepNo;
}

void StartAnimation(TsAnimSlot &slot, TsCommonData &data, bool half, const std::function<void()> &repaintCache) {
  const int stepsLeft = slot ? slot->StepTotal - slot->StepNo : 1;
  slot.reset();
  const TsGeneralData *section = data.Section();
  if (!section || !section->FadingEnabled || !data.HostControl()) return;
  slot = std::make_unique<TsAnimTimer>();
  slot->Prepare(data, half);
  slot->StepNo = stepsLeft;
  slot->StartImage = data.CacheImage.Clone();
  repaintCache();
  if (const TsSkin *skin = data.Skin())
    RestoreCorners(data.CacheImage, *skin, data.BorderImageIdx, 0, data.ParentLink(), data.ParentCache(),
                   data.Position());
  slot->SetEnabled(true);
  slot->Tick();
}
