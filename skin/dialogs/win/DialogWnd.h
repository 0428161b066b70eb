#pragma once
// The adapter of a system dialog (a "#32770" window the program did not make): the dialog gets the frame a
// skinned form gets — border, title band, caption, title buttons and outline, drawn from the "DIALOG"
// section into one cache and copied to the screen — its own skinned system menu, a client background from
// the same cache, the skin's colours for its controls, and adapters for its child windows.
//
// The dialog hook makes one for each system dialog it takes over (skin/dialogs/win/DialogProvider.h):
//
//   auto adapter = TacMainWnd::Create<TacDialogWnd>({dialog, nullptr, "DIALOG"});
//   if (!adapter->AdaptChildren()) adapter.reset(); // a child vetoed: the dialog keeps the system's look
//   adapter->TakeSkin();
//
// Freeing it frees its children's adapters, the last made first, and gives the dialog the system's frame
// back.

#include <functional>
#include <memory>

#include "skin/adapters/win/ScrollWnd.h"
#include "skin/dialogs/DialogRules.h"
#include "skin/dialogs/win/DialogChildren.h"
#include "skin/dialogs/win/DialogSystemMenu.h"
#include "skin/frame/win/SkinFrame.h"
#include "toolkit/ui/Graphics.h"

class TacDialogWnd : public TacScrollWnd, private TsFrameSubject {
public:
  TacDialogWnd(Key key, const TacAdapterSetup &setup);
  ~TacDialogWnd() override;

  // Adapts the child windows that have no adapter yet; false when one vetoes skinning the dialog.
  bool AdaptChildren() { return children_.Adapt(); }
  const TacDialogChildren &Children() const { return children_; }
  // The dialog takes the skin (AC_SKINSET) and is drawn anew, frame and children.
  void TakeSkin();
  TacDialogBorder Border() const { return DialogBorderOf(style_); }
  TsSkinFrame &Frame() { return frame_; }
  TacSystemMenu &SystemMenu() { return *systemMenu_; }

  // Called once the dialog window is being destroyed (its children still exist); it may free the adapter.
  std::function<void()> OnGone;

protected:
  void WndProc(TMessage &m) override;
  bool HandleSkinCommand(TMessage &m) override;
  // AC_PREPAREPAINT: the frame cache is rendered anew.
  void PrepareCache() override;

private:
  // The dialog as its frame asks about it: its styles as read when it was taken over, its text, its icon.
  HWND FrameHandle() const override { return Window(); }
  TsBorderKind BorderKind() const override { return DialogFrameBorder(style_, exStyle_); }
  uint32_t BorderIcons() const override { return DialogTitleIcons(style_, exStyle_); }
  std::string CaptionText() const override;
  TsFont CaptionFont() const override;
  TSize TitleIconSize(int autoSide) const override;
  void DrawTitleIcon(Image24 &cache, const TRect &r) override;
  TSize ScrollBarSizes() const override;
  bool InScrollBarCorner(TPoint point) const override;
  void PopupSystemMenu(TPoint screen) override;
  void SetShownState(TsWindowState state) override;

  bool Visible() const { return IsWindowVisible(Window()); }
  HICON Icon() const;
  // The frame on the screen, the skinned scroll bars over it.
  void PaintFrame();
  // The client background from the cache into dc, the children left out; then the children that waited for
  // it repaint.
  void EraseBackground(HDC dc);
  void Activate(TMessage &m);
  void HitTest(TMessage &m);
  // WM_CTLCOLORSTATIC and WM_CTLCOLORBTN: the skin's colours where the dialog asks for the system's.
  void ControlColors(TMessage &m);
  // A solid brush of the skin's global colour, one per dialog, made again when the colour changes.
  HBRUSH Brush();
  // Menu messages of the dialog's own system menu; true when consumed.
  bool HandleMenuMessage(TMessage &m);

  DWORD style_;
  DWORD exStyle_;
  TsSkinFrame frame_;
  TacDialogChildren children_;
  std::unique_ptr<TacSystemMenu> systemMenu_;
  GdiObject brush_;
  TColor brushColor_ = 0;
};
