#pragma once
// The title bar of a skinned frame as arithmetic: which title buttons a window has and which of them work
// (the same rules decide the items of its system menu), where the buttons stand from the right end of the
// title, and what a point of the title hits. The hit codes are the system's (HTCLOSE and so on); user
// title buttons answer 1000 + their index.

#include <cstdint>
#include <vector>

#include "skin/frame/FrameGeometry.h"

namespace TitleHit {
constexpr int Transparent = -1; // HTTRANSPARENT
constexpr int Nowhere = 0;      // HTNOWHERE: the system decides
constexpr int Caption = 2;      // HTCAPTION
constexpr int SysMenu = 3;      // HTSYSMENU: the title icon
constexpr int MinButton = 8;    // HTMINBUTTON
constexpr int MaxButton = 9;    // HTMAXBUTTON
constexpr int BottomRight = 17; // HTBOTTOMRIGHT
constexpr int Close = 20;       // HTCLOSE
constexpr int Help = 21;        // HTHELP
constexpr int FirstUserButton = 1000;
} // namespace TitleHit

inline bool IsUserButtonCode(int code) { return code >= TitleHit::FirstUserButton; }

// The form's BorderIcons bits.
namespace TitleIcons {
constexpr uint32_t SystemMenu = 1;
constexpr uint32_t Minimize = 2;
constexpr uint32_t Maximize = 4;
constexpr uint32_t Help = 8;
} // namespace TitleIcons

enum class TsWindowState : uint8_t { Normal, Minimized, Maximized };

struct TsTitleState {
  TsBorderKind Border = TsBorderKind::bsSizeable;
  uint32_t BorderIcons = TitleIcons::SystemMenu | TitleIcons::Minimize | TitleIcons::Maximize;
  TsWindowState State = TsWindowState::Normal;
  bool Iconic = false;
};

// Which buttons show and which work; the system menu shows and enables its items by the same rules.
struct TsTitleRules {
  bool CloseVisible = false;
  bool MaxVisible = false;
  bool MinVisible = false;
  bool HelpVisible = false;
  bool MaxEnabled = false;
  bool MinEnabled = false;
  bool RestoreEnabled = false;
  bool MoveEnabled = false;
  bool SizeEnabled = false;
  bool RestoreVisible = false;
  bool SizeVisible = false;
};
TsTitleRules TitleRules(const TsTitleState &state);

// One button of the title: its element code (TitleHit::Close, ... or 1000 + i), its width and, once
// placed, its rectangle in window coordinates.
struct TsTitleSlot {
  int Element = 0;
  int Width = 0;
  bool Enabled = true; // user buttons only: a disabled one is hit as the caption
  TRect Bounds;
};

// The buttons a title has, right to left: Close, Maximize, Minimize, Help (with the system menu icon set),
// then the user buttons. Widths are filled in by the caller.
std::vector<TsTitleSlot> TitleSlots(const TsTitleState &state, const TsTitleRules &rules, int userButtons);

// Room the buttons take in the title, each with the space that follows it.
int TitleButtonsWidth(const std::vector<TsTitleSlot> &slots, int space);

// Places the buttons from the right end of the title (inside the border and one space), each buttonHeight
// high and centred on the title's middle line (two pixels lower when less than 16 high).
void PlaceTitleSlots(std::vector<TsTitleSlot> &slots, const TsFrameGeometry &geometry, int buttonHeight, int space);

// What a point (window coordinates) in the title's button band hits: the icon (when one shows), a button
// that works, else the caption. Nowhere outside the band.
int TitleHitTest(TPoint point, const TsFrameGeometry &geometry, int buttonHeight, int iconWidth,
                 const std::vector<TsTitleSlot> &slots, const TsTitleRules &rules, bool iconic);
