#pragma once
// The window-less speed button: a flat or raised face with an optional glyph and caption, pressed
// while the mouse holds it, optionally staying down within a group.

#include "toolkit/ui/Controls.h"
#include "toolkit/ui/StdCtrls.h"

enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
  TK_CLASS(TSpeedButton)
public:
  explicit TSpeedButton(TComponent *owner);

  bool Flat() const { return flat_; }
  void SetFlat(bool v);
  bool Down() const { return down_; }
  void SetDown(bool v);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int v) { groupIndex_ = v; }
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool v) { allowAllUp_ = v; }
  TBitmap &Glyph() { return glyph_; }
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int v);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout v);
  int Margin() const { return margin_; }
  void SetMargin(int v);
  int Spacing() const { return spacing_; }
  void SetSpacing(int v);
  // The face as drawn now: pressed while the mouse holds it or while Down.
  TButtonState State() const { return state_; }

  void Click() override;

protected:
  void WndProc(TMessage &message) override;
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  // Draws the glyph frame of the current state (one of NumGlyphs side by side) and the caption.
  virtual void PaintContent(RECT rect);

private:
  void UpdateState();

  bool flat_ = false, down_ = false, allowAllUp_ = false, dragging_ = false;
  int groupIndex_ = 0, numGlyphs_ = 1, margin_ = -1, spacing_ = 4;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  TBitmap glyph_;
  TButtonState state_ = TButtonState::bsUp;
};
