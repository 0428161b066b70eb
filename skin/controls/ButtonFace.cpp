#include "skin/controls/ButtonFace.h"

#include "skin/pixels/TextCanvas.h"

int ButtonStateIndex(const TsButtonLook &look) {
  // Dragged off while held, a button shows that letting go now would not press it.
  if (look.Pushed && !(look.LeftHeld && !look.MouseOver)) return 2;
  return look.DefaultButton || look.ShowsActive ? 1 : 0;
}

int CaptionMeasureWidth(int buttonWidth, bool emptyCaption) { return emptyCaption ? 0 : buttonWidth - 2; }

uint32_t CaptionMeasureFlags(bool wordWrap) {
  return TextFlags::Center | TextFlags::ExpandTabs | (wordWrap ? TextFlags::WordBreak : TextFlags::SingleLine);
}

uint32_t CaptionDrawFlags(bool wordWrap) {
  return TextFlags::Center | TextFlags::ExpandTabs | (wordWrap ? TextFlags::WordBreak : 0);
}

TRect CaptionRect(TSize button, TSize caption, int state) {
  // Integer division truncates toward zero, as the centring wants.
  const int dx = (button.Width - caption.Width) / 2, dy = (button.Height - caption.Height) / 2;
  const int shift = state == 2 ? 1 : 0;
  return TRect{dx - 1 + shift, dy + shift, button.Width - dx + 2 + shift, button.Height - dy + shift};
}

TRect FocusMarkRect(TRect caption, int margin) {
  return TRect{caption.Left - margin, caption.Top - margin, caption.Right + margin, caption.Bottom + margin};
}
