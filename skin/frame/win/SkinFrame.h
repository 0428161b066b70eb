#pragma once
// A skinned window frame: its cache (the whole window drawn from the skin: border, title band, icon,
// caption, title buttons, client background), the copy of that cache to the window's frame, the window's
// outline (a region cut from the transparent corners of the border pictures), and the title buttons with
// their states, hit testing and mouse handling. It works on any window through a TsFrameSubject; the frame
// provider drives it for a form, a dialog adapter can drive it for a window the toolkit did not make.
//
// Every paint renders into the cache first (only when something marked it invalid) and reaches the
// screen in one copy.

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "skin/engine/win/CommonData.h"
#include "skin/frame/FrameGeometry.h"
#include "skin/frame/TitleBar.h"
#include "skin/frame/win/FrameSubject.h"
#include "skin/frame/win/TitleButtons.h"

// Watches every copy of a frame cache to a window (tests: each pixel reaches the screen once per paint);
// null: none.
using TsFrameCopyWatch = std::function<void(HWND window, const RECT &target)>;
void SetFrameCopyWatch(TsFrameCopyWatch watch);
// Tells the watch of a copy to target (window coordinates) of the window.
void NoteCopyToWindow(HWND window, const RECT &target);
// Copies the cache from from to r of dc (a device context of the whole window), telling the watch.
void CopyCacheToWindow(HWND window, HDC dc, const Image24 &cache, const RECT &r, POINT from);

// The point a mouse message carries in lParam (signed coordinates).
inline TPoint MousePoint(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

class TsSkinFrame {
public:
  // skinData holds the frame's section, its indexes and the cache image.
  TsSkinFrame(TsFrameSubject &subject, TsCommonData &skinData);
  TsSkinFrame(const TsSkinFrame &) = delete;
  TsSkinFrame &operator=(const TsSkinFrame &) = delete;

  // Settings.
  std::string TitleSkin; // section of the title band; empty: "FORMTITLE"
  bool ShowAppIcon = true;
  uint32_t CaptionAlignment = TextFlags::Left;
  bool Grip = false; // a size grip in the bottom-right corner

  // The title is drawn in the active state.
  bool Active = true;
  // The next render repaints everything, without the title-band shortcut.
  bool FullRender = true;
  // Set while a region is being applied; painting waits.
  bool RegionBusy = false;

  TsFrameGeometry Geometry() const;
  TsTitleState TitleState() const;
  TsTitleRules Rules() const { return TitleRules(TitleState()); }
  // The title icon's place, empty when no icon shows.
  TRect IconRect() const;
  int TitleButtonsWidth() const;
  // Where the system menu opens below the title icon (screen coordinates).
  TPoint BelowIcon() const;

  // Picks the title buttons' pictures from the skin for the border style.
  void ResolveTitleImages();

  bool CacheValid() const { return !skinData_.BackgroundStale; }
  void InvalidateCache() { skinData_.BackgroundStale = true; }
  // Brings the cache up to date.
  void Render();
  // Renders when needed and copies the frame's strips to dc (the window's device context).
  void Blit(HDC dc);
  // The frame on the screen: the region when stale, then the strips through the window's device context.
  void PaintToWindow();
  // Gives the cache's memory back (a hidden or minimised window).
  void DropCache();
  // Forgets the saved title band (after a setting or system change).
  void DropTitleBand() { titleBand_ = Image24(); }

  void MarkRegionStale() { regionStale_ = true; }
  void ApplyRegion(bool redraw);
  void RemoveRegion(bool redraw);

  // The title's answer to WM_NCHITTEST for a screen point; 0 lets the system decide. Makes the element hit
  // hot.
  int HitTest(TPoint screen);
  int CurrentElement() const { return current_; }
  void SetHot(int code, bool repaint);
  void SetPressed(int code);
  void ClearHot() { SetHot(0, true); }
  // The title buttons' mouse messages; true when consumed.
  bool HandleTitleMouse(TMessage &m);
  // Repaints one title element in the cache and on the screen.
  void RepaintElement(int code);

private:
  struct Images {
    int Close = -1, Maximize = -1, Minimize = -1, Help = -1, Restore = -1, TitleButton = -1;
  };

  const TsSkin *Skin() const { return skinData_.Skin(); }
  int GlobalInfo() const;
  int TitleSectionIndex() const;
  std::string TitleSectionName() const;
  int Space() const;
  int ButtonHeight() const;
  // The picture of an element as the window's state asks (Restore while maximized or minimised).
  int ElementImage(int code) const;
  TsTitleElement *Element(int code);
  std::vector<TsTitleSlot> Slots() const;
  int SlotWidth(int code) const;
  TSize IconSize(const TsFrameGeometry &g) const;

  void PaintTitle(const TsFrameGeometry &g, int state);
  void PaintTitleBar(const TsFrameGeometry &g, int state);
  void SaveButtonStrip(const TsFrameGeometry &g);
  void RestoreFromStrip(const TRect &r);
  void DrawTitleButtons(const TsFrameGeometry &g);
  void DrawElement(int code, const TsTitleElement &element, bool formDimmed);
  void DrawCaption(const TsFrameGeometry &g);
  void CollectRegionHoles(const TsFrameGeometry &g);

  TsFrameSubject &subject_;
  TsCommonData &skinData_;
  Image24 &cache_;
  Images images_;
  std::array<TsTitleElement, 4> system_; // Minimize, Maximize, Close, Help
  int current_ = 0;
  bool paintedOnce_ = false;
  bool regionStale_ = true;
  std::vector<TRect> holes_;
  // The outline last given to the window.
  TSize appliedSize_;
  std::vector<TRect> appliedHoles_;
  // The top band as it looked before the title was drawn (sections with ReservedBoolean set).
  Image24 titleBand_;
  // The background under the title buttons, and where it came from.
  Image24 buttonStrip_;
  TPoint stripOrigin_;
};
