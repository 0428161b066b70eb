#pragma once
// The skinned label: a window-less caption that the system draws in the skin's colours. While a skin is
// loaded its font takes the skin's global font colour (TsLabel: while UseSkinColor), a label naming a
// skin section paints that section behind its caption in the section's font colour, and a disabled
// caption is drawn 40 % of the way from its font colour to its parent's background. When the skin is
// cleared the caption goes back to the system's window-text colour.

#include <string>

#include "toolkit/ui/StdCtrls.h"

class TsCustomLabel : public TCustomLabel {
  TK_CLASS(TsCustomLabel)
public:
  explicit TsCustomLabel(TComponent *owner);

  // The section painted behind the caption, as written (names are compared exactly); empty: none.
  const std::string &SkinSection() const { return skinSection_; }
  void SetSkinSection(const std::string &section);

protected:
  void WndProc(TMessage &m) override;
  void Paint() override;
  void DoDrawText(RECT &rect, UINT flags) override;
  // The caption follows the skin's global font colour.
  virtual bool TakesSkinColor() const { return true; }
  // AC_SKINCLEARED of the default manager: back to the system's window-text colour; true when consumed.
  virtual bool SkinCleared();

private:
  // The section behind the caption, when it names one of the default manager's skin (index 0 does not
  // count); -1 otherwise.
  int SectionIndex() const;
  // The font as the caption is drawn: in the skin's colours while one is loaded.
  void TakeCaptionFont();

  std::string skinSection_;
};

class TsLabel : public TsCustomLabel {
  TK_CLASS(TsLabel)
public:
  explicit TsLabel(TComponent *owner) : TsCustomLabel(owner) {}
  bool UseSkinColor = true;

protected:
  bool TakesSkinColor() const override { return UseSkinColor; }
  bool SkinCleared() override;
};
