#pragma once
// Controls: the visual component with a parent and bounds (TControl), the control that owns a window
// (TWinControl) and the window-less control its parent paints (TGraphicControl).
//
// Every control handles messages in WndProc, reached through its chain of window-procedure hooks
// (WindowHooks.h): Perform runs a message through the chain directly, and the window procedure of a
// windowed control does so for each message, from WM_NCCREATE on. What WndProc does not handle goes to
// DefaultHandler: the system class's window procedure for windowed controls, nothing for window-less ones.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/base/Component.h"
#include "toolkit/ui/Graphics.h"
#include "toolkit/ui/Messages.h"
#include "toolkit/ui/WindowHooks.h"

class TWinControl;
class TCustomForm;

enum TControlStateFlag : uint32_t {
  csLButtonDown = 1u << 0,
  csClicked = 1u << 1,
  csFocusing = 1u << 2,
  csCreating = 1u << 3,     // the window is being created (messages sent by CreateWindowEx)
  csReadingState = 1u << 4, // the form's layout is being read
  csAlignmentNeeded = 1u << 5,
  csRecreating = 1u << 6,
};
using TControlState = uint32_t;

enum TControlStyleFlag : uint32_t {
  csAcceptsControls = 1u << 0,
  csCaptureMouse = 1u << 1,
  csClickEvents = 1u << 2,
  csSetCaption = 1u << 3,
  csOpaque = 1u << 4,
  csDoubleClicks = 1u << 5,
  csParentBackground = 1u << 6,
  csFixedWidth = 1u << 7,
  csFixedHeight = 1u << 8,
};
using TControlStyle = uint32_t;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAnchorKind : uint32_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = uint32_t;
enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag : uint32_t {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
using TShiftState = uint32_t;
enum class TBiDiMode { bdLeftToRight };
enum class TBorderStyle { bsNone, bsSingle };
enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum class TBevelKind { bkNone, bkTile, bkSoft, bkFlat };

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crIBeam = -4;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crHandPoint = -21;
HCURSOR CursorHandle(TCursor cursor);

using TMouseEvent = std::function<void(TObject *sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject *sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject *sender, WORD &key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject *sender, char16_t &key)>;

// The shift state of the keyboard right now, and the one a mouse message's wParam carries.
TShiftState KeyboardShiftState();
TShiftState MouseShiftState(WPARAM keys);
// A key with its shift state as one shortcut number (Alt+Down is 32808).
int ShortCut(WORD key, TShiftState shift);

class TControl : public TComponent {
  TK_CLASS(TControl)
public:
  explicit TControl(TComponent *owner);
  ~TControl() override;

  // The hooks in front of WndProc: parts attach theirs here.
  TWindowHookChain &WindowHooks() { return windowHooks_; }
  // Sends a message synchronously through the hooks and WndProc and returns its result.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // Runs a message through the hooks and WndProc.
  void Dispatch(TMessage &message) { windowHooks_.Dispatch(message); }

  TWinControl *Parent() const { return parent_; }
  virtual void SetParent(TWinControl *parent);
  void SetParentComponent(TComponent *parent) override;
  // The form this control stands on (itself for a form); null when it has none.
  TCustomForm *ParentForm() const;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  virtual RECT ClientRect() const { return {0, 0, width_, height_}; }
  int ClientWidth() const { return ClientRect().right; }
  int ClientHeight() const { return ClientRect().bottom; }
  virtual void SetClientSize(int width, int height);
  void SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }
  void SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }
  // The client origin of this control on the screen.
  virtual POINT ClientOrigin() const;
  POINT ClientToScreen(POINT p) const;
  POINT ScreenToClient(POINT p) const;

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, with every parent visible up to a top-level window.
  virtual bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);

  // The caption or text. Windowed controls read and write it through their window.
  std::string Text() const { return GetText(); }
  void SetText(const std::string &text);
  std::string Caption() const { return GetText(); }
  void SetCaption(const std::string &text) { SetText(text); }
  const std::string &Hint() const { return hint_; }
  void SetHint(const std::string &hint) { hint_ = hint; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v) { showHint_ = v; }
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor) { cursor_ = cursor; }

  TFont &Font() { return *font_; }
  const TFont &Font() const { return *font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool v);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors) { anchors_ = anchors; }
  TBiDiMode BiDiMode() const { return TBiDiMode::bdLeftToRight; }
  // Text is always left to right: the drawing flags come back unchanged.
  UINT DrawTextBiDiModeFlags(UINT flags) const { return flags; }
  bool UseRightToLeftAlignment() const { return false; }
  bool UseRightToLeftReading() const { return false; }

  TControlState ControlState() const { return controlState_; }
  void SetControlStateFlags(TControlState flags, bool on);
  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle style) { controlStyle_ = style; }
  void SetControlStyleFlags(TControlStyle flags, bool on);

  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();

  // Mouse and click events.
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  virtual void Click();
  // True while the mouse is over this control (between the enter and leave notices).
  bool MouseInControl() const { return mouseInControl_; }

protected:
  virtual void WndProc(TMessage &message);
  virtual void DefaultHandler(TMessage &message);
  virtual std::string GetText() const { return text_; }
  // Stores the text; windowed controls send it to their window.
  virtual void StoreText(const std::string &text);
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void DblClick();
  // Moves or sizes the control's window (or its place on the parent) after the bounds changed.
  virtual void BoundsChanged();
  virtual void VisibleChanged();
  virtual void EnabledChanged();
  virtual void FontChanged();
  virtual void ColorChanged();
  // Called with the parent's new font and colour while ParentFont/ParentColor are on.
  void ParentFontChanged();
  void ParentColorChanged();
  void InvalidateRect(const RECT *rect, bool erase);

  std::string text_;

private:
  void HandleMouseMessage(TMessage &message);
  void MouseEnter();
  void MouseLeave();
  friend class TWinControl;
  friend class TApplication;

  TWinControl *parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true, enabled_ = true;
  std::string hint_;
  bool showHint_ = false;
  TCursor cursor_ = crDefault;
  std::unique_ptr<TFont> font_;
  TColor color_ = clWindow;
  bool parentFont_ = true, parentColor_ = false;
  TAlign align_ = TAlign::alNone;
  TAnchors anchors_ = akLeft | akTop;
  TControlState controlState_ = 0;
  TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  bool mouseInControl_ = false;
  TWindowHookChain windowHooks_{[this](TMessage &m) { WndProc(m); }};
};

// What CreateParams fills in before a control's window is made.
struct TCreateParams {
  std::wstring caption;
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = 0, y = 0, width = 0, height = 0;
  HWND wndParent = nullptr;
  HMENU menu = nullptr;
  // The window class: its name is the toolkit class name; baseClass names the system class it extends
  // (empty for a class of our own, whose unhandled messages go to DefWindowProcW).
  std::wstring winClassName;
  std::wstring baseClass;
  UINT classStyle = CS_DBLCLKS;
  HBRUSH background = nullptr;
  HICON icon = nullptr;
};

class TWinControl : public TControl {
  TK_CLASS(TWinControl)
public:
  explicit TWinControl(TComponent *owner);
  ~TWinControl() override;

  // Creates the window (and its parents' first) when it does not exist yet.
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  // Destroys and creates the window again; text, lines and children come back.
  void RecreateWnd();
  void DestroyHandle();

  // All child controls (window-less and windowed) in insertion order.
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl *Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
  // The topmost enabled, visible window-less child at the client point; null when none.
  TControl *ControlAtPos(POINT p, bool allowDisabled = false) const;
  // Paints the window-less children on dc (in client coordinates), starting with first (null: all).
  void PaintControls(HDC dc, TControl *first);
  // The control whose window this is; null for windows the toolkit did not make.
  static TWinControl *FindControl(HWND window);

  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order) { tabOrder_ = order; }
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v);
  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool Focused() const;
  // The next focusable control after current in tab order (wrapping around); null when none.
  TWinControl *FindNextControl(TWinControl *current, bool forward, bool checkTabStop) const;
  // Visits every windowed descendant in tab order.
  void TabOrderList(std::vector<TWinControl *> &list) const;

  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int v);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool v) { ctl3D_ = v; }
  TBevelKind BevelKind() const { return bevelKind_; }
  void SetBevelKind(TBevelKind v) { bevelKind_ = v; }
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut v) { bevelInner_ = v; }
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut v) { bevelOuter_ = v; }
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool v) { doubleBuffered_ = v; }
  // The brush that paints the background (Color).
  TBrush &Brush() { return brush_; }

  RECT ClientRect() const override;
  POINT ClientOrigin() const override;
  bool Showing() const override;
  void Invalidate() override;
  void Update() override;
  void Repaint() override;

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

protected:
  void WndProc(TMessage &message) override;
  void DefaultHandler(TMessage &message) override;
  virtual void CreateParams(TCreateParams &params);
  // Makes the window from params (registering its class on first use).
  virtual void CreateWindowHandle(const TCreateParams &params);
  // Creates the window, then the windows of the children.
  virtual void CreateWnd();
  // Saves what the window holds (text, lines) before it is destroyed.
  virtual void DestroyWnd();
  // Called once the window exists, before the children's windows are made.
  virtual void CreateHandleDone() {}
  // Paints the window's own content into dc: the system class's drawing by default.
  virtual void PaintWindow(HDC dc);
  virtual void KeyDown(WORD &key, TShiftState shift);
  virtual void KeyUp(WORD &key, TShiftState shift);
  virtual void KeyPress(char16_t &key);
  virtual void DoEnter();
  virtual void DoExit();
  std::string GetText() const override;
  void StoreText(const std::string &text) override;
  void BoundsChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  // Hides or shows the window as Showing changes (default of CM_SHOWINGCHANGED).
  virtual void ShowingChanged();
  // Called when the control is to show and has no window yet; false leaves it hidden and without one.
  virtual bool PrepareShowingWithoutWindow() { return true; }
  void UpdateShowing();

  // The child control list; InsertControl performs CM_CONTROLLISTCHANGE up the parents.
  void InsertControl(TControl *control);
  void RemoveControl(TControl *control);
  void AlignControls();

private:
  friend class TControl;
  friend LRESULT CALLBACK ToolkitWindowProc(HWND, UINT, WPARAM, LPARAM);
  void Paint(TMessage &message);
  void ClipOpaqueChildren(HDC dc);
  bool RouteMouseToChild(TMessage &message);
  bool CursorOverWindow() const;
  void Reflect(TMessage &message, HWND child);
  void ControlListChanged(TControl *control, bool inserted);
  void ReadBoundsFromWindow();
  // Keeps anchored children at their distance from the right and bottom edges.
  void ApplyAnchors(int dx, int dy);

  HWND handle_ = nullptr;
  WNDPROC defWndProc_ = nullptr;
  std::vector<TControl *> controls_;
  TControl *mouseCapture_ = nullptr;
  int tabOrder_ = -1;
  bool tabStop_ = false;
  int borderWidth_ = 0;
  bool ctl3D_ = true, doubleBuffered_ = false;
  TBevelKind bevelKind_ = TBevelKind::bkNone;
  TBevelCut bevelInner_ = TBevelCut::bvRaised, bevelOuter_ = TBevelCut::bvLowered;
  TBrush brush_;
  bool showing_ = false;
  RECT clientSize_{0, 0, 0, 0};
};

// A control without a window: its parent routes mouse messages to it and paints it after its own
// content; Paint draws on Canvas(), which works on the parent's device context.
class TGraphicControl : public TControl {
  TK_CLASS(TGraphicControl)
public:
  explicit TGraphicControl(TComponent *owner);
  ~TGraphicControl() override;
  TCanvas &Canvas() { return canvas_; }

protected:
  void WndProc(TMessage &message) override;
  virtual void Paint() {}

private:
  // A canvas that, outside painting, borrows the parent window's DC offset to this control.
  class ControlCanvas : public TCanvas {
  public:
    explicit ControlCanvas(TGraphicControl &control) : control_(control) {}
    ~ControlCanvas() override { Release(); }
    void Release();

  protected:
    void CreateHandle() override;

  private:
    TGraphicControl &control_;
    std::optional<WindowDC> ownDC_;
  };
  ControlCanvas canvas_;
};

// A windowed control that paints itself on its own Canvas.
class TCustomControl : public TWinControl {
  TK_CLASS(TCustomControl)
public:
  explicit TCustomControl(TComponent *owner);
  TCanvas &Canvas() { return canvas_; }

protected:
  void PaintWindow(HDC dc) override;
  virtual void Paint() {}

private:
  TCanvas canvas_;
};
