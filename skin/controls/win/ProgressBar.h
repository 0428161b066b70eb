#pragma once
// The skinned progress bar: its trough from its own skin section (by default "GAUGE") and its progress
// from a second one ("PROGRESSH", or "PROGRESSV" for a vertical bar) as one smooth strip or a row of
// blocks, painted into its cache image and copied to the screen in one piece. The bar covers its whole
// rectangle. Without an active skin it is the system's progress bar.

#include <string>

#include "skin/controls/ProgressGeometry.h"
#include "skin/engine/win/CommonData.h"
#include "toolkit/ui/ComCtrls.h"

class TsProgressBar : public TProgressBar {
  TK_CLASS(TsProgressBar)
public:
  explicit TsProgressBar(TComponent *owner);
  ~TsProgressBar() override;

  // The trough's section; the cache image is made at the first rendering.
  TsCommonData SkinData{*this, false};
  // The progress's section; empty means "PROGRESSV" for a vertical bar and "PROGRESSH" otherwise.
  const std::string &ProgressSkin() const { return progressSkin_; }
  void SetProgressSkin(const std::string &section);

protected:
  void CreateHandleDone() override;
  void WndProc(TMessage &message) override;
  void Loaded() override;

private:
  bool Skinned() const;
  void SkinCommand(TMessage &message);
  void Paint(HDC given);
  // The bar as it is now; with the bar's place in its parent, what the rendered cache shows.
  TsProgressBarShape CurrentShape() const;
  void RenderCache(const TsProgressBarShape &shape);
  // Repaints the whole window, frame included (the bar paints its frame itself while skinned).
  void RepaintWhole();

  std::string progressSkin_;
  TsProgressBarShape renderedShape_;
  TPoint renderedPosition_;
};
