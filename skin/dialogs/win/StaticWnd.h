#pragma once
// The adapters of a system dialog's statics: the text of a text static written over the dialog's skinned
// background in the section's font colours, the picture of an icon or bitmap static drawn over it. Frames,
// rectangles and etched lines stay the system's. Around the system's own handling of a new text, picture
// or enabled state the window's redraw is off, so the system's look never shows.
//
// A dialog adapter attaches them to the statics of its dialog:
//
//   auto text = TacMainWnd::Create<TacStaticWnd>({child, nullptr, "CHECKBOX", nullptr, true, true});

#include "skin/adapters/win/MainWnd.h"

class TacStaticWnd : public TacMainWnd {
public:
  using TacMainWnd::TacMainWnd;

protected:
  void WndProc(TMessage &m) override;
  // Renders the cache anew: the section over the parent's background, then the content.
  void PrepareCache() override;
  // What the static shows over its background: its text.
  virtual void DrawContent(Image24 &cache);
  // The adapter paints the static (text statics; icon and bitmap ones in TacIconWnd).
  virtual bool PaintsWindow() const;

private:
  void Paint(HDC dc);
  void Repaint();
};

class TacIconWnd : public TacStaticWnd {
public:
  using TacStaticWnd::TacStaticWnd;

protected:
  void DrawContent(Image24 &cache) override;
  bool PaintsWindow() const override { return true; }
};
