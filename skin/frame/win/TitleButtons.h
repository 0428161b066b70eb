#pragma once
// The user title buttons of a frame provider: buttons of the program's own beside the system's at the
// right end of the title, each with a glyph over the skin's "TITLEBUTTON" picture and mouse events.

#include <windows.h>

#include <string>

#include "skin/pixels/Geometry.h"
#include "toolkit/ui/Controls.h"

// The state of one title button as the frame draws and hits it: 0 normal, 1 hot, 2 pressed; its picture
// (an image index of the skin, -1 none) and its rectangle in window coordinates.
struct TsTitleElement {
  int State = 0;
  int ImageIndex = -1;
  TRect Bounds;
};

class TsTitleButton : public TCollectionItem {
  TK_CLASS(TsTitleButton)
public:
  explicit TsTitleButton(TCollection *collection);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  // Drawn centred over the button; its bottom-left pixel is transparent.
  TBitmap &Glyph() { return glyph_; }
  const std::string &Name() const { return name_; }
  void SetName(const std::string &name) { name_ = name; }
  // The skin's "TITLEBUTTON" picture is drawn under the glyph.
  bool UseSkinData() const { return useSkinData_; }
  void SetUseSkinData(bool value) { useSkinData_ = value; }
  void Assign(const TPersistent &source) override;

  // Fired with the mouse's screen position on a left press on the button and on the release after it.
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;

  TsTitleElement Element;

private:
  void LoadGlyph(const std::vector<uint8_t> &bitmapFile);

  bool enabled_ = true;
  TBitmap glyph_;
  std::string name_;
  bool useSkinData_ = true;
};

class TsTitleButtons : public TCollection {
  TK_CLASS(TsTitleButtons)
public:
  explicit TsTitleButtons(TPersistent &owner);
  TsTitleButton *Items(int index) const { return static_cast<TsTitleButton *>(TCollection::Items(index)); }
  TsTitleButton *Add() { return TCollection::Add<TsTitleButton>(); }
};
