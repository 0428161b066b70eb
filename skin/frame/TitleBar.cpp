#include "skin/frame/TitleBar.h"

namespace {

bool SingleOrSizeable(TsBorderKind border) {
  return border == TsBorderKind::bsSingle || border == TsBorderKind::bsSizeable;
}

// The code a placed button answers: its element when it works, else the caption.
int SlotCode(const TsTitleSlot &slot, const TsTitleRules &rules, bool iconic) {
  switch (slot.Element) {
  case TitleHit::MaxButton:
    return rules.MaxEnabled || (rules.RestoreEnabled && !iconic) ? TitleHit::MaxButton : TitleHit::Caption;
  case TitleHit::MinButton: return iconic || rules.MinEnabled ? TitleHit::MinButton : TitleHit::Caption;
  case TitleHit::Close:
  case TitleHit::Help: return slot.Element;
  default: return slot.Enabled ? slot.Element : TitleHit::Caption;
  }
}

} // namespace

TsTitleRules TitleRules(const TsTitleState &s) {
  const bool sysMenu = s.BorderIcons & TitleIcons::SystemMenu;
  const bool minimize = s.BorderIcons & TitleIcons::Minimize;
  const bool maximize = s.BorderIcons & TitleIcons::Maximize;
  const bool plain = SingleOrSizeable(s.Border);
  TsTitleRules r;
  r.CloseVisible = sysMenu;
  r.MaxVisible = sysMenu && (s.Iconic || (plain && maximize));
  r.MinVisible = sysMenu && (s.Iconic || (plain && minimize));
  r.HelpVisible = sysMenu && (s.BorderIcons & TitleIcons::Help);
  r.MaxEnabled = maximize && s.State != TsWindowState::Maximized && plain;
  r.MinEnabled = minimize && s.State != TsWindowState::Minimized;
  r.RestoreEnabled = (maximize && s.State != TsWindowState::Normal) || s.State == TsWindowState::Minimized;
  r.MoveEnabled = s.State != TsWindowState::Maximized;
  r.SizeEnabled = s.Border != TsBorderKind::bsSingle && !s.Iconic;
  r.RestoreVisible = sysMenu && plain;
  r.SizeVisible = plain || s.Border == TsBorderKind::bsSizeToolWin;
  return r;
}

std::vector<TsTitleSlot> TitleSlots(const TsTitleState &state, const TsTitleRules &rules, int userButtons) {
  std::vector<TsTitleSlot> slots;
  auto add = [&slots](int element) {
    TsTitleSlot slot;
    slot.Element = element;
    slots.push_back(slot);
  };
  if (state.BorderIcons & TitleIcons::SystemMenu) {
    add(TitleHit::Close);
    if (rules.MaxVisible) add(TitleHit::MaxButton);
    if (rules.MinVisible) add(TitleHit::MinButton);
    if (state.BorderIcons & TitleIcons::Help) add(TitleHit::Help);
  }
  for (int i = 0; i < userButtons; ++i)
    add(TitleHit::FirstUserButton + i);
  return slots;
}

int TitleButtonsWidth(const std::vector<TsTitleSlot> &slots, int space) {
  int width = 0;
  for (const TsTitleSlot &slot : slots)
    width += slot.Width + space;
  return width;
}

void PlaceTitleSlots(std::vector<TsTitleSlot> &slots, const TsFrameGeometry &g, int buttonHeight, int space) {
  int x = g.FrameWidth - g.FrameX - space;
  const int top = (g.CaptionBarHeight + g.FrameY - buttonHeight) / 2 + (buttonHeight < 16 ? 2 : 0);
  for (TsTitleSlot &slot : slots) {
    slot.Bounds = {x - slot.Width, top, x, top + buttonHeight};
    x = slot.Bounds.Left - space;
  }
}

int TitleHitTest(TPoint p, const TsFrameGeometry &g, int buttonHeight, int iconWidth,
                 const std::vector<TsTitleSlot> &slots, const TsTitleRules &rules, bool iconic) {
  const int top = (g.CaptionBarHeight - buttonHeight + g.FrameY) / 2;
  if (p.Y < top || p.Y > top + buttonHeight) return TitleHit::Nowhere;
  if (iconWidth > 0 && p.X >= g.FrameX && p.X <= g.FrameX + iconWidth) return TitleHit::SysMenu;
  for (const TsTitleSlot &slot : slots)
    if (slot.Bounds.Left <= p.X && p.X <= slot.Bounds.Right) return SlotCode(slot, rules, iconic);
  return TitleHit::Caption;
}
