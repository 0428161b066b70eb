#pragma once
// The skinned single-line edit: its border (the non-client area) is cut from a cache image of its skin
// section, painted over the parent's background in the active state while it has the focus or the mouse;
// its background and text colours are the section's (HotColor and HotFontColor while active); the system
// draws the text. The directory edit paints the same way.

#include "skin/controls/EditBorder.h"
#include "skin/controls/win/EditCommon.h"
#include "toolkit/ui/StdCtrls.h"

class TsEdit : public TCustomEdit {
  TK_CLASS(TsEdit)
public:
  explicit TsEdit(TComponent *owner);
  ~TsEdit() override;

  TsCommonData SkinData{*this, true};
  TsBoundLabel BoundLabel{*this};
  // TsDisabledKind bits: the look while disabled.
  unsigned DisabledKind() const { return SkinData.DisabledKind; }
  void SetDisabledKind(uint32_t kinds);

  void Loaded() override;

protected:
  void WndProc(TMessage &m) override;
  // The section, its border and the text (or password characters) painted into the cache image.
  void RenderCache();
  // Where the text stands in the cache image.
  virtual TRect CacheTextRect() const;
  // The frame and the client area are painted again.
  void RepaintFrame();

private:
  // The skin commands that are answered whether or not the edit is skinned; true when handled.
  bool HandleSkinNotice(TMessage &m);
  // The messages of a skinned edit before the runtime's handling; true when consumed.
  bool PaintMessage(TMessage &m);
  // After the runtime's handling of a skinned edit's message.
  void AfterMessage(const TMessage &m);
  TsEditFrameStyle FrameStyle() const;
  // The cache's corners show the parent again and its frame goes to the window outside the client area.
  void PaintFrame(HDC windowDc);
  void Print(HDC dc, LPARAM flags);
  // The edit's colour and font colour become the section's, the hot ones while active (unless custom).
  void TakeStateColors();
  // The look changed with the focus or the mouse.
  void ActiveChanged();

  bool takingColors_ = false;
};
