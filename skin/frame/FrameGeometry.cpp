#include "skin/frame/FrameGeometry.h"

#include <algorithm>

namespace {

bool IsToolWindow(TsBorderKind border) {
  return border == TsBorderKind::bsToolWindow || border == TsBorderKind::bsSizeToolWin;
}

bool IsSizing(TsBorderKind border) {
  return border == TsBorderKind::bsSizeable || border == TsBorderKind::bsSizeToolWin;
}

} // namespace

bool HasBorder(TsBorderKind border) { return border != TsBorderKind::bsNone; }

TsFrameGeometry ComputeFrameGeometry(const TsFrameShape &shape, const TsFrameMetrics &metrics) {
  TsFrameGeometry g;
  const bool border = HasBorder(shape.Border);
  if ((border && shape.FullCaption) || shape.Iconic)
    g.CaptionBarHeight = IsToolWindow(shape.Border) ? metrics.SmallCaptionHeight : metrics.CaptionHeight;
  if (border) {
    g.FrameX = IsSizing(shape.Border) ? metrics.SizingFrameX : metrics.DialogFrameX;
    g.FrameY = IsSizing(shape.Border) ? metrics.SizingFrameY : metrics.DialogFrameY;
  }
  g.BorderWidth = shape.BorderWidth;
  g.BottomThickness = g.FrameY + shape.BorderWidth;
  const int nonClientHeight = shape.Window.Height - shape.Client.Height;
  g.TopBand = g.CaptionBarHeight > 0 ? nonClientHeight - g.FrameY - shape.BorderWidth : nonClientHeight;
  g.TopBand = std::max(g.TopBand, 0);
  if (shape.Iconic) g.TopBand += g.FrameY;
  g.TopBand -= shape.HorzScrollHeight;
  g.ClientOffsetX = (shape.Window.Width - shape.Client.Width - shape.VertScrollWidth) / 2;
  g.ClientOffsetY = nonClientHeight - (g.CaptionBarHeight > 0 ? g.BottomThickness : 0) - shape.HorzScrollHeight;
  g.FrameWidth = shape.Window.Width;
  g.FrameHeight = shape.Window.Height;
  return g;
}

TRect FrameTarget(const TsFrameGeometry &g, bool iconic) {
  return {0, 0, g.FrameWidth, iconic ? g.FrameY + g.CaptionBarHeight + 1 : g.FrameHeight};
}

int AutoIconSide(int captionHeight) {
  if (captionHeight < 9) return 0;
  if (captionHeight <= 16) return 8;
  if (captionHeight <= 27) return 16;
  return 32;
}

bool IconShows(TsBorderKind border, bool showAppIcon) {
  return showAppIcon && (border == TsBorderKind::bsSingle || border == TsBorderKind::bsSizeable);
}

TRect TitleIconRect(const TsFrameGeometry &g, TSize iconSize) {
  const int top = (g.CaptionBarHeight + g.FrameY - iconSize.Height) / 2;
  return {g.FrameX, top, g.FrameX + iconSize.Width, top + iconSize.Height};
}

TRect CaptionTextRect(const TsFrameGeometry &g, int iconWidth, int titleButtonsWidth) {
  return {iconWidth + g.FrameX + 4, g.FrameY, g.FrameWidth - titleButtonsWidth - 6, g.CaptionBarHeight};
}

TRect CenteredTextLine(TRect rect, int textHeight) {
  rect.Top += (rect.Height() - textHeight) / 2;
  rect.Bottom = rect.Top + textHeight;
  return rect;
}

TsFrameStrips FrameStrips(const TsFrameGeometry &g, bool iconic) {
  const int side = g.FrameX + g.BorderWidth;
  const int y0 = g.FrameY + g.CaptionBarHeight + (iconic ? 1 : 0) + g.BorderWidth;
  TsFrameStrips s;
  s.Top = {0, 0, g.FrameWidth, g.TopBand};
  s.Left = {0, y0, side, g.FrameHeight};
  s.Right = {g.FrameWidth - side, y0, g.FrameWidth, g.FrameHeight};
  s.Bottom = {side, g.FrameHeight - g.BottomThickness, g.FrameWidth - side, g.FrameHeight};
  return s;
}

TsFrameStrips ThickFrameStrips(const TsFrameGeometry &g, int borderWidth) {
  const int w = borderWidth + 3;
  TsFrameStrips s;
  s.Top = {0, 0, g.FrameWidth, w};
  s.Left = {0, w, w, g.FrameHeight};
  s.Right = {g.FrameWidth - w, w, g.FrameWidth, g.FrameHeight};
  s.Bottom = {0, g.FrameHeight - w, g.FrameWidth, g.FrameHeight};
  return s;
}

TPoint ClientOrigin(const TsFrameGeometry &g) { return {g.FrameX + g.BorderWidth, g.ClientOffsetY}; }
