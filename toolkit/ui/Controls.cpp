#include "toolkit/ui/Controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <map>

#include "toolkit/base/MetaClass.h"
#include "toolkit/ui/ErrorPath.h"
#include "toolkit/ui/Forms.h"
#include "toolkit/ui/Menus.h"
#include "toolkit/base/win/Win32Text.h"

namespace {

constexpr wchar_t kControlProperty[] = L"KelvoraToolkitControl";

// The control whose window is being created; its window procedure binds the window to it on the first
// message, which arrives before CreateWindowEx returns.
thread_local TWinControl *g_creating = nullptr;
// The control the mouse is over (windowed or not), for the enter and leave notices.
TControl *g_mouseControl = nullptr;

bool IsMouseMessage(UINT msg) { return (msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK) && msg != WM_MOUSEWHEEL; }

TMouseButton ButtonOf(UINT msg) {
  switch (msg) {
  case WM_RBUTTONDOWN:
  case WM_RBUTTONUP:
  case WM_RBUTTONDBLCLK: return TMouseButton::mbRight;
  case WM_MBUTTONDOWN:
  case WM_MBUTTONUP:
  case WM_MBUTTONDBLCLK: return TMouseButton::mbMiddle;
  default: return TMouseButton::mbLeft;
  }
}

TIdentTable AlignNames() {
  return {{"alNone", int(TAlign::alNone)}, {"alTop", int(TAlign::alTop)},     {"alBottom", int(TAlign::alBottom)},
          {"alLeft", int(TAlign::alLeft)}, {"alRight", int(TAlign::alRight)}, {"alClient", int(TAlign::alClient)}};
}

TIdentTable BevelCutNames() {
  return {{"bvNone", int(TBevelCut::bvNone)},
          {"bvLowered", int(TBevelCut::bvLowered)},
          {"bvRaised", int(TBevelCut::bvRaised)},
          {"bvSpace", int(TBevelCut::bvSpace)}};
}

} // namespace

HCURSOR CursorHandle(TCursor cursor) {
  switch (cursor) {
  case crIBeam: return LoadCursorW(nullptr, IDC_IBEAM);
  case crHourGlass: return LoadCursorW(nullptr, IDC_WAIT);
  case crHandPoint: return LoadCursorW(nullptr, IDC_HAND);
  default: return LoadCursorW(nullptr, IDC_ARROW);
  }
}

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

TShiftState MouseShiftState(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

int ShortCut(WORD key, TShiftState shift) {
  int result = key & 0xFF;
  if (shift & ssShift) result |= 0x2000;
  if (shift & ssCtrl) result |= 0x4000;
  if (shift & ssAlt) result |= 0x8000;
  return result;
}

// ============================================================================================ TControl

const TMetaClass &TControl::StaticMetaClass() {
  return DefineClass<TControl, TComponent>("TControl", [](TClassBuilder<TControl> &c) {
    c.Int("Left", &TControl::SetLeft);
    c.Int("Top", &TControl::SetTop);
    c.Int("Width", &TControl::SetWidth);
    c.Int("Height", &TControl::SetHeight);
    c.Int("ClientWidth", &TControl::SetClientWidth);
    c.Int("ClientHeight", &TControl::SetClientHeight);
    c.Bool("Visible", &TControl::SetVisible);
    c.Bool("Enabled", &TControl::SetEnabled);
    c.String("Caption", &TControl::SetText);
    c.String("Text", &TControl::SetText);
    c.String("Hint", &TControl::SetHint);
    c.Bool("ShowHint", &TControl::SetShowHint);
    c.Int("Cursor", &TControl::SetCursor);
    c.Object("Font", [](TControl &self) { return &self.Font(); });
    c.Bool("ParentFont", &TControl::SetParentFont);
    c.Color("Color", &TControl::SetColor);
    c.Bool("ParentColor", &TControl::SetParentColor);
    c.Enum<TAlign>("Align", &TControl::SetAlign, AlignNames());
    c.Set("Anchors", &TControl::SetAnchors,
          {{"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}});
    c.Event("OnClick", &TControl::OnClick);
    c.Event("OnDblClick", &TControl::OnDblClick);
    c.Event("OnMouseDown", &TControl::OnMouseDown);
    c.Event("OnMouseUp", &TControl::OnMouseUp);
    c.Event("OnMouseMove", &TControl::OnMouseMove);
    c.Event("OnMouseEnter", &TControl::OnMouseEnter);
    c.Event("OnMouseLeave", &TControl::OnMouseLeave);
  });
}

TControl::TControl(TComponent *owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  font_->OnChange = [this](TObject *) { Perform(CM_FONTCHANGED); };
}

TControl::~TControl() {
  ReleaseLinks();
  if (g_mouseControl == this) g_mouseControl = nullptr;
  if (parent_) parent_->RemoveControl(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  Dispatch(m);
  return m.Result;
}

void TControl::SetParent(TWinControl *parent) {
  if (parent == parent_) return;
  if (parent == this) throw Exception("A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent *parent) {
  if (auto *window = dynamic_cast<TWinControl *>(parent)) SetParent(window);
}

TCustomForm *TControl::ParentForm() const {
  const TControl *c = this;
  while (c->parent_)
    c = c->parent_;
  return dynamic_cast<TCustomForm *>(const_cast<TControl *>(c));
}

void TControl::SetBounds(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  bool moved = left != left_ || top != top_, sized = width != width_ || height != height_;
  if (parent_ && !dynamic_cast<TWinControl *>(this)) InvalidateRect(nullptr, true);
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  BoundsChanged();
  // Window-less controls get the same notices a window would.
  if (!dynamic_cast<TWinControl *>(this)) {
    if (moved) Perform(WM_MOVE, 0, MAKELPARAM(left_, top_));
    if (sized) Perform(WM_SIZE, SIZE_RESTORED, MAKELPARAM(width_, height_));
  }
}

void TControl::BoundsChanged() {
  if (parent_) InvalidateRect(nullptr, true);
}

void TControl::SetClientSize(int width, int height) {
  RECT client = ClientRect();
  SetBounds(left_, top_, width_ + width - client.right, height_ + height - client.bottom);
}

POINT TControl::ClientOrigin() const {
  if (!parent_) return {left_, top_};
  POINT p = parent_->ClientOrigin();
  return {p.x + left_, p.y + top_};
}

POINT TControl::ClientToScreen(POINT p) const {
  POINT o = ClientOrigin();
  return {p.x + o.x, p.y + o.y};
}

POINT TControl::ScreenToClient(POINT p) const {
  POINT o = ClientOrigin();
  return {p.x - o.x, p.y - o.y};
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Perform(CM_VISIBLECHANGED, visible);
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const std::string &text) {
  if (GetText() == text) return;
  StoreText(text);
  Perform(CM_TEXTCHANGED);
}

void TControl::StoreText(const std::string &text) { text_ = text; }

void TControl::SetParentFont(bool v) {
  parentFont_ = v;
  if (v && parent_) ParentFontChanged();
}

void TControl::SetColor(TColor color) {
  parentColor_ = false;
  if (color == color_) return;
  color_ = color;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v) {
  parentColor_ = v;
  if (v && parent_) ParentColorChanged();
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  font_->Assign(parent_->Font());
  parentFont_ = true; // Assign raised the font-changed notice, which clears the flag
}

void TControl::ParentColorChanged() {
  if (!parentColor_ || !parent_ || parent_->Color() == color_) return;
  color_ = parent_->Color();
  Perform(CM_COLORCHANGED);
  parentColor_ = true;
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  if (parent_) parent_->AlignControls();
}

void TControl::SetControlStateFlags(TControlState flags, bool on) {
  controlState_ = on ? (controlState_ | flags) : (controlState_ & ~flags);
}

void TControl::SetControlStyleFlags(TControlStyle flags, bool on) {
  controlStyle_ = on ? (controlStyle_ | flags) : (controlStyle_ & ~flags);
}

void TControl::InvalidateRect(const RECT *rect, bool erase) {
  if (!parent_ || !parent_->HandleAllocated() || !visible_) return;
  RECT r = rect ? *rect : RECT{0, 0, width_, height_};
  OffsetRect(&r, left_, top_);
  ::InvalidateRect(parent_->Handle(), &r, erase || !(controlStyle_ & csOpaque));
}

void TControl::Invalidate() { InvalidateRect(nullptr, true); }

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (auto *w = dynamic_cast<TWinControl *>(this); w && w->HandleAllocated())
    SetWindowPos(w->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseEnter() {
  if (g_mouseControl == this) return;
  if (g_mouseControl) g_mouseControl->MouseLeave();
  g_mouseControl = this;
  mouseInControl_ = true;
  Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
}

void TControl::MouseLeave() {
  if (g_mouseControl == this) g_mouseControl = nullptr;
  if (!mouseInControl_) return;
  mouseInControl_ = false;
  Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
}

void TControl::HandleMouseMessage(TMessage &m) {
  int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  TShiftState shift = MouseShiftState(m.WParam);
  switch (m.Msg) {
  case WM_MOUSEMOVE:
    MouseEnter();
    MouseMove(shift, x, y);
    break;
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
  case WM_MBUTTONDOWN:
    if (m.Msg == WM_LBUTTONDOWN) {
      controlState_ |= csLButtonDown;
      if (controlStyle_ & csClickEvents) controlState_ |= csClicked;
    }
    MouseDown(ButtonOf(m.Msg), shift, x, y);
    break;
  case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDBLCLK:
  case WM_MBUTTONDBLCLK:
    if (m.Msg == WM_LBUTTONDBLCLK && (controlStyle_ & csDoubleClicks)) DblClick();
    MouseDown(ButtonOf(m.Msg), shift | ssDouble, x, y);
    break;
  case WM_LBUTTONUP:
  case WM_RBUTTONUP:
  case WM_MBUTTONUP: {
    bool clicked = m.Msg == WM_LBUTTONUP && (controlState_ & csClicked);
    if (m.Msg == WM_LBUTTONUP) controlState_ &= ~(csLButtonDown | csClicked);
    MouseUp(ButtonOf(m.Msg), shift, x, y);
    POINT p{x, y};
    RECT client = ClientRect();
    if (clicked && PtInRect(&client, p)) Click();
    break;
  }
  }
}

void TControl::WndProc(TMessage &m) {
  if (IsMouseMessage(m.Msg) && enabled_) HandleMouseMessage(m);
  switch (m.Msg) {
  case CM_VISIBLECHANGED: VisibleChanged(); break;
  case CM_ENABLEDCHANGED: EnabledChanged(); break;
  case CM_FONTCHANGED: FontChanged(); break;
  case CM_COLORCHANGED: ColorChanged(); break;
  case CM_PARENTFONTCHANGED: ParentFontChanged(); break;
  case CM_PARENTCOLORCHANGED: ParentColorChanged(); break;
  case CM_MOUSEENTER:
    if (m.LParam == reinterpret_cast<LPARAM>(this) && OnMouseEnter) OnMouseEnter(this);
    if (parent_) parent_->Perform(CM_MOUSEENTER, 0, m.LParam);
    break;
  case CM_MOUSELEAVE:
    if (m.LParam == reinterpret_cast<LPARAM>(this) && OnMouseLeave) OnMouseLeave(this);
    break;
  case CM_TEXTCHANGED: Invalidate(); break;
  }
  DefaultHandler(m);
}

void TControl::DefaultHandler(TMessage &) {}

void TControl::VisibleChanged() {
  if (parent_ && parent_->HandleAllocated() && parent_->Handle()) {
    RECT r = BoundsRect();
    ::InvalidateRect(parent_->Handle(), &r, TRUE);
  }
}

void TControl::EnabledChanged() { Invalidate(); }

void TControl::FontChanged() {
  parentFont_ = false;
  Invalidate();
}

void TControl::ColorChanged() { Invalidate(); }

// ========================================================================================= TWinControl

LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto *control = static_cast<TWinControl *>(GetPropW(window, kControlProperty));
  if (!control) {
    control = g_creating;
    if (!control) return DefWindowProcW(window, msg, wParam, lParam);
    g_creating = nullptr;
    control->handle_ = window;
    SetPropW(window, kControlProperty, control);
  }
  TMessage m{msg, wParam, lParam, 0};
  GuardCallback([&] { control->Dispatch(m); });
  if (msg == WM_NCDESTROY) {
    RemovePropW(window, kControlProperty);
    if (control->handle_ == window) control->handle_ = nullptr;
  }
  return m.Result;
}

namespace {

// An identifier no other child of parent has: owner-draw and measure notices name the child by it.
UINT_PTR FreeChildId(HWND parent) {
  static UINT_PTR next = 0xFF;
  do
    next = next >= 0xFFFF ? 0x100 : next + 1;
  while (GetDlgItem(parent, static_cast<int>(next)));
  return next;
}

// Registers the common controls' classes, once. Asked for only when a window needs a system class that is
// not there yet, so a run that makes no window never loads the common controls library.
bool RegisterCommonControlClasses() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_TREEVIEW_CLASSES |
                                             ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&icc) != FALSE;
  }();
  return registered;
}

// Registers the toolkit class once per name; returns the procedure unhandled messages go to.
WNDPROC RegisterWindowClass(const TCreateParams &params) {
  static std::map<std::wstring, WNDPROC> registered;
  if (auto it = registered.find(params.winClassName); it != registered.end()) return it->second;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  WNDPROC base = DefWindowProcW;
  if (!params.baseClass.empty()) {
    if (!GetClassInfoExW(nullptr, params.baseClass.c_str(), &wc) &&
        !(RegisterCommonControlClasses() && GetClassInfoExW(nullptr, params.baseClass.c_str(), &wc)))
      throw Exception("Window class " + Narrow(params.baseClass) + " is not available");
    base = wc.lpfnWndProc;
    wc.style &= ~CS_GLOBALCLASS;
    wc.style |= params.classStyle;
  } else {
    wc.style = params.classStyle;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = params.background;
    wc.hIcon = params.icon;
  }
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ToolkitWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = params.winClassName.c_str();
  wc.lpszMenuName = nullptr;
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw Exception("Cannot register window class " + Narrow(params.winClassName));
  registered[params.winClassName] = base;
  return base;
}

} // namespace

const TMetaClass &TWinControl::StaticMetaClass() {
  return DefineClass<TWinControl, TControl>("TWinControl", [](TClassBuilder<TWinControl> &c) {
    c.Int("TabOrder", &TWinControl::SetTabOrder);
    c.Bool("TabStop", &TWinControl::SetTabStop);
    c.Int("BorderWidth", &TWinControl::SetBorderWidth);
    c.Bool("Ctl3D", &TWinControl::SetCtl3D);
    c.Enum<TBevelKind>("BevelKind", &TWinControl::SetBevelKind,
                       {{"bkNone", int(TBevelKind::bkNone)},
                        {"bkTile", int(TBevelKind::bkTile)},
                        {"bkSoft", int(TBevelKind::bkSoft)},
                        {"bkFlat", int(TBevelKind::bkFlat)}});
    c.Enum<TBevelCut>("BevelInner", &TWinControl::SetBevelInner, BevelCutNames());
    c.Enum<TBevelCut>("BevelOuter", &TWinControl::SetBevelOuter, BevelCutNames());
    c.Bool("DoubleBuffered", &TWinControl::SetDoubleBuffered);
    c.Event("OnKeyDown", &TWinControl::OnKeyDown);
    c.Event("OnKeyUp", &TWinControl::OnKeyUp);
    c.Event("OnKeyPress", &TWinControl::OnKeyPress);
    c.Event("OnEnter", &TWinControl::OnEnter);
    c.Event("OnExit", &TWinControl::OnExit);
  });
}

TWinControl::TWinControl(TComponent *owner) : TControl(owner) { brush_.SetColor(Color()); }

TWinControl::~TWinControl() {
  ReleaseLinks();
  // Children that someone else owns stay alive without a parent.
  while (!controls_.empty())
    controls_.back()->SetParent(nullptr);
  if (handle_) {
    HWND window = handle_;
    DestroyWindow(window);
    if (IsWindow(window)) RemovePropW(window, kControlProperty);
    handle_ = nullptr;
  }
}

TWinControl *TWinControl::FindControl(HWND window) {
  return window ? static_cast<TWinControl *>(GetPropW(window, kControlProperty)) : nullptr;
}

HWND TWinControl::Handle() {
  if (!handle_) {
    if (parent_) parent_->Handle();
    if (!handle_) CreateWnd();
  }
  return handle_;
}

void TWinControl::CreateParams(TCreateParams &p) {
  p.caption = Wide(text_);
  p.style = WS_CHILD | WS_CLIPSIBLINGS;
  if (tabStop_) p.style |= WS_TABSTOP;
  if (!Enabled()) p.style |= WS_DISABLED;
  if (controlStyle_ & csAcceptsControls) p.style |= WS_CLIPCHILDREN;
  p.x = Left();
  p.y = Top();
  p.width = Width();
  p.height = Height();
  p.winClassName = Wide(ClassName());
}

void TWinControl::CreateWindowHandle(const TCreateParams &p) {
  defWndProc_ = RegisterWindowClass(p);
  HMENU menu = p.menu;
  if ((p.style & WS_CHILD) && !menu) menu = reinterpret_cast<HMENU>(FreeChildId(p.wndParent));
  SetControlStateFlags(csCreating, true);
  TWinControl *outer = std::exchange(g_creating, this);
  HWND window = CreateWindowExW(p.exStyle, p.winClassName.c_str(), p.caption.c_str(), p.style, p.x, p.y, p.width,
                                p.height, p.wndParent, menu, GetModuleHandleW(nullptr), nullptr);
  g_creating = outer;
  SetControlStateFlags(csCreating, false);
  if (!window) throw Exception("Error creating window " + Narrow(p.winClassName));
  handle_ = window;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  // The parent's window is asked for only here: working out the styles (a client rectangle measured while a
  // layout is read) must not make it.
  if (!params.wndParent && Parent()) params.wndParent = Parent()->Handle();
  CreateWindowHandle(params);
  GetClientRect(handle_, &clientSize_);
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
  CreateHandleDone();
  for (TControl *c : std::vector<TControl *>(controls_))
    if (auto *w = dynamic_cast<TWinControl *>(c); w && !w->handle_) w->CreateWnd();
  if (Parent()) UpdateShowing();
}

void TWinControl::DestroyWnd() {
  text_ = GetText();
  DestroyWindow(handle_);
  handle_ = nullptr;
  showing_ = false;
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TControl *c : controls_)
    if (auto *w = dynamic_cast<TWinControl *>(c)) w->DestroyHandle();
  DestroyWnd();
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  SetControlStateFlags(csRecreating, true);
  DestroyHandle();
  Handle();
  UpdateShowing(); // a visible top-level window shows again too
  SetControlStateFlags(csRecreating, false);
}

std::string TWinControl::GetText() const {
  if (!handle_) return text_;
  int length = GetWindowTextLengthW(handle_);
  std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
  buffer.resize(static_cast<size_t>(GetWindowTextW(handle_, buffer.data(), length + 1)));
  return Narrow(buffer);
}

void TWinControl::StoreText(const std::string &text) {
  text_ = text;
  if (handle_) SetWindowTextW(handle_, Wide(text).c_str());
}

RECT TWinControl::ClientRect() const {
  RECT r{0, 0, 0, 0};
  if (handle_) {
    GetClientRect(handle_, &r);
    return r;
  }
  // Without a window the client area follows from the styles the window will have.
  TCreateParams p;
  const_cast<TWinControl *>(this)->CreateParams(p);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, p.style, FALSE, p.exStyle);
  return {0, 0, std::max(0L, Width() - (frame.right - frame.left)),
          std::max(0L, Height() - (frame.bottom - frame.top))};
}

POINT TWinControl::ClientOrigin() const {
  if (!handle_) return TControl::ClientOrigin();
  POINT p{0, 0};
  ::ClientToScreen(handle_, &p);
  return p;
}

bool TWinControl::Showing() const { return showing_; }

void TWinControl::UpdateShowing() {
  bool showing = Visible() && (!Parent() || Parent()->Showing());
  if (showing && !handle_ && !PrepareShowingWithoutWindow()) return;
  if (showing && !handle_) Handle();
  if (!handle_) return;
  bool changed = showing != showing_;
  showing_ = showing;
  // Children appear before their parent and disappear after it, so it never shows half-built.
  auto updateChildren = [this] {
    for (TControl *c : std::vector<TControl *>(controls_))
      if (auto *w = dynamic_cast<TWinControl *>(c)) w->UpdateShowing();
  };
  if (showing) updateChildren();
  if (changed) Perform(CM_SHOWINGCHANGED);
  if (!showing) updateChildren();
}

void TWinControl::ShowingChanged() {
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (showing_ ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::BoundsChanged() {
  if (handle_) {
    SetWindowPos(handle_, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TWinControl::ReadBoundsFromWindow() {
  RECT r;
  GetWindowRect(handle_, &r);
  if (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT *>(&r), 2);
  left_ = r.left;
  top_ = r.top;
  width_ = r.right - r.left;
  height_ = r.bottom - r.top;
}

void TWinControl::ApplyAnchors(int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  for (TControl *c : std::vector<TControl *>(controls_)) {
    if (c->Align() != TAlign::alNone) continue;
    TAnchors a = c->Anchors();
    int left = c->Left(), top = c->Top(), width = c->Width(), height = c->Height();
    if (a & akRight) (a & akLeft) ? width += dx : left += dx;
    if (a & akBottom) (a & akTop) ? height += dy : top += dy;
    c->SetBounds(left, top, width, height);
  }
}

void TWinControl::VisibleChanged() {
  if (!IsReading()) UpdateShowing();
}

void TWinControl::EnabledChanged() {
  if (handle_)
    EnableWindow(handle_, Enabled());
  else
    TControl::EnabledChanged();
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
  for (TControl *c : std::vector<TControl *>(controls_))
    c->Perform(CM_PARENTFONTCHANGED);
}

void TWinControl::ColorChanged() {
  brush_.SetColor(Color());
  TControl::ColorChanged();
  if (handle_) ::InvalidateRect(handle_, nullptr, TRUE);
  for (TControl *c : std::vector<TControl *>(controls_))
    c->Perform(CM_PARENTCOLORCHANGED);
}

void TWinControl::SetTabStop(bool v) {
  tabStop_ = v;
  if (handle_) {
    LONG style = GetWindowLongW(handle_, GWL_STYLE);
    SetWindowLongW(handle_, GWL_STYLE, v ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
  }
}

void TWinControl::SetBorderWidth(int v) {
  if (v == borderWidth_) return;
  borderWidth_ = v;
  RecreateWnd();
}

void TWinControl::InsertControl(TControl *control) {
  controls_.push_back(control);
  control->parent_ = this;
  if (control->ParentFont()) control->ParentFontChanged();
  if (control->ParentColor()) control->ParentColorChanged();
  if (auto *w = dynamic_cast<TWinControl *>(control); w && handle_ && !IsReading())
    w->UpdateShowing();
  else
    control->Invalidate();
  if (control->Align() != TAlign::alNone) AlignControls();
  ControlListChanged(control, true);
}

void TWinControl::RemoveControl(TControl *control) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it == controls_.end()) return;
  if (mouseCapture_ == control) mouseCapture_ = nullptr;
  ControlListChanged(control, false);
  control->Invalidate();
  controls_.erase(std::find(controls_.begin(), controls_.end(), control));
  if (auto *w = dynamic_cast<TWinControl *>(control); w && w->handle_ && !w->IsDestroying()) {
    // A window cannot live without its parent window: it is made again under the new parent.
    w->DestroyHandle();
  }
  control->parent_ = nullptr;
}

void TWinControl::ControlListChanged(TControl *control, bool inserted) {
  for (TWinControl *p = this; p; p = p->Parent())
    p->Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), inserted);
}

void TWinControl::AlignControls() {
  RECT r = ClientRect();
  for (TControl *c : controls_) {
    if (!c->Visible()) continue;
    switch (c->Align()) {
    case TAlign::alTop:
      c->SetBounds(r.left, r.top, r.right - r.left, c->Height());
      r.top += c->Height();
      break;
    case TAlign::alBottom:
      c->SetBounds(r.left, r.bottom - c->Height(), r.right - r.left, c->Height());
      r.bottom -= c->Height();
      break;
    case TAlign::alLeft:
      c->SetBounds(r.left, r.top, c->Width(), r.bottom - r.top);
      r.left += c->Width();
      break;
    case TAlign::alRight:
      c->SetBounds(r.right - c->Width(), r.top, c->Width(), r.bottom - r.top);
      r.right -= c->Width();
      break;
    case TAlign::alClient: c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); break;
    case TAlign::alNone: break;
    }
  }
  SetControlStateFlags(csAlignmentNeeded, false);
}

TControl *TWinControl::ControlAtPos(POINT p, bool allowDisabled) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl *c = *it;
    if (dynamic_cast<TWinControl *>(c) || !c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
    RECT r = c->BoundsRect();
    if (PtInRect(&r, p)) return c;
  }
  return nullptr;
}

void TWinControl::PaintControls(HDC dc, TControl *first) {
  bool started = first == nullptr;
  for (TControl *c : std::vector<TControl *>(controls_)) {
    if (c == first) started = true;
    if (!started || dynamic_cast<TWinControl *>(c) || !c->Visible()) continue;
    RECT r = c->BoundsRect();
    if (!RectVisible(dc, &r)) continue;
    DcStateScope state(dc);
    OffsetViewportOrgEx(dc, c->Left(), c->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
}

void TWinControl::ClipOpaqueChildren(HDC dc) {
  for (TControl *c : controls_)
    if (!dynamic_cast<TWinControl *>(c) && c->Visible() && (c->ControlStyle() & csOpaque)) {
      RECT r = c->BoundsRect();
      ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
}

void TWinControl::PaintWindow(HDC dc) {
  if (defWndProc_ == DefWindowProcW) return; // our own classes paint their background on WM_ERASEBKGND
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  DefaultHandler(m);
}

void TWinControl::Paint(TMessage &m) {
  bool ownClass = defWndProc_ == DefWindowProcW;
  bool graphicChildren = std::any_of(controls_.begin(), controls_.end(),
                                     [](TControl *c) { return c->Visible() && !dynamic_cast<TWinControl *>(c); });
  if (m.WParam) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    PaintWindow(dc);
    PaintControls(dc, nullptr);
    return;
  }
  if (!ownClass && !graphicChildren) return DefaultHandler(m);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(handle_, &ps);
  {
    DcStateScope state(dc);
    ClipOpaqueChildren(dc);
    PaintWindow(dc);
  }
  PaintControls(dc, nullptr);
  EndPaint(handle_, &ps);
}

bool TWinControl::RouteMouseToChild(TMessage &m) {
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  TControl *target = mouseCapture_;
  if (!target) target = ControlAtPos(p);
  if (!target) return false;
  if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_RBUTTONDOWN || m.Msg == WM_MBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) {
    if (target->ControlStyle() & csCaptureMouse) {
      mouseCapture_ = target;
      SetCapture(handle_);
    }
  }
  m.Result = target->Perform(m.Msg, m.WParam, MAKELPARAM(p.x - target->Left(), p.y - target->Top()));
  if ((m.Msg == WM_LBUTTONUP || m.Msg == WM_RBUTTONUP || m.Msg == WM_MBUTTONUP) && mouseCapture_ == target) {
    mouseCapture_ = nullptr;
    if (GetCapture() == handle_) ReleaseCapture();
  }
  return true;
}

void TWinControl::Reflect(TMessage &m, HWND child) {
  TWinControl *control = FindControl(child);
  if (control && control != this)
    m.Result = control->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
  else
    DefaultHandler(m);
}

bool TWinControl::CanFocus() const {
  for (const TControl *c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

bool TWinControl::CursorOverWindow() const {
  // Moving between the client area and the frame ends the tracking of one and starts that of the other.
  POINT p;
  return GetCursorPos(&p) && WindowFromPoint(p) == handle_;
}

void TWinControl::SetFocus() {
  TCustomForm *form = ParentForm();
  if (form && form != this && !form->Showing()) {
    form->SetActiveControl(this);
    return;
  }
  if (!CanFocus()) throw Exception("Cannot focus a disabled or invisible window");
  ::SetFocus(Handle());
}

void TWinControl::TabOrderList(std::vector<TWinControl *> &list) const {
  std::vector<TWinControl *> children;
  for (TControl *c : controls_)
    if (auto *w = dynamic_cast<TWinControl *>(c)) children.push_back(w);
  std::stable_sort(children.begin(), children.end(),
                   [](TWinControl *a, TWinControl *b) { return a->tabOrder_ < b->tabOrder_; });
  for (TWinControl *w : children) {
    list.push_back(w);
    w->TabOrderList(list);
  }
}

TWinControl *TWinControl::FindNextControl(TWinControl *current, bool forward, bool checkTabStop) const {
  std::vector<TWinControl *> list;
  TabOrderList(list);
  if (list.empty()) return nullptr;
  auto it = std::find(list.begin(), list.end(), current);
  size_t start = it == list.end() ? (forward ? list.size() - 1 : 0) : static_cast<size_t>(it - list.begin());
  for (size_t step = 1; step <= list.size(); ++step) {
    size_t i = forward ? (start + step) % list.size() : (start + list.size() - step % list.size()) % list.size();
    TWinControl *w = list[i];
    if (w->CanFocus() && (!checkTabStop || w->TabStop())) return w;
  }
  return nullptr;
}

void TWinControl::Invalidate() {
  if (handle_) ::InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::Repaint() {
  if (handle_) RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TWinControl::KeyDown(WORD &key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD &key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char16_t &key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::WndProc(TMessage &m) {
  switch (m.Msg) {
  case WM_PAINT: return Paint(m);
  case WM_ERASEBKGND:
    if (defWndProc_ == DefWindowProcW) {
      RECT r;
      GetClientRect(handle_, &r);
      FillRect(reinterpret_cast<HDC>(m.WParam), &r, brush_.Handle());
      m.Result = 1;
      return;
    }
    break;
  case WM_SETCURSOR:
    if (LOWORD(m.LParam) == HTCLIENT && reinterpret_cast<HWND>(m.WParam) == handle_) {
      POINT p;
      GetCursorPos(&p);
      ::ScreenToClient(handle_, &p);
      TControl *under = ControlAtPos(p, true);
      TCursor cursor = Screen->Cursor() != crDefault ? Screen->Cursor() : under ? under->Cursor() : Cursor();
      if (cursor != crDefault) {
        ::SetCursor(CursorHandle(cursor));
        m.Result = 1;
        return;
      }
    }
    break;
  case WM_COMMAND:
    if (m.LParam) return Reflect(m, reinterpret_cast<HWND>(m.LParam));
    if (HIWORD(m.WParam) == 0 && DispatchMenuCommand(LOWORD(m.WParam))) return;
    break;
  case WM_NOTIFY: return Reflect(m, reinterpret_cast<NMHDR *>(m.LParam)->hwndFrom);
  case WM_HSCROLL:
  case WM_VSCROLL:
    if (m.LParam) return Reflect(m, reinterpret_cast<HWND>(m.LParam));
    break;
  case WM_DRAWITEM: {
    auto &draw = *reinterpret_cast<DRAWITEMSTRUCT *>(m.LParam);
    if (draw.CtlType != ODT_MENU) return Reflect(m, draw.hwndItem);
    if (DispatchDrawItem(draw)) {
      m.Result = TRUE;
      return;
    }
    break;
  }
  case WM_MEASUREITEM: {
    auto &measure = *reinterpret_cast<MEASUREITEMSTRUCT *>(m.LParam);
    if (measure.CtlType != ODT_MENU) return Reflect(m, GetDlgItem(handle_, static_cast<int>(measure.CtlID)));
    if (DispatchMeasureItem(measure)) {
      m.Result = TRUE;
      return;
    }
    break;
  }
  case WM_CTLCOLORMSGBOX:
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORLISTBOX:
  case WM_CTLCOLORBTN:
  case WM_CTLCOLORDLG:
  case WM_CTLCOLORSCROLLBAR:
  case WM_CTLCOLORSTATIC: return Reflect(m, reinterpret_cast<HWND>(m.LParam));
  case CN_CTLCOLORMSGBOX:
  case CN_CTLCOLOREDIT:
  case CN_CTLCOLORLISTBOX:
  case CN_CTLCOLORBTN:
  case CN_CTLCOLORDLG:
  case CN_CTLCOLORSCROLLBAR:
  case CN_CTLCOLORSTATIC: {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, ColorToRGB(Font().Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    m.Result = reinterpret_cast<LRESULT>(brush_.Handle());
    return;
  }
  case WM_MOUSEWHEEL:
    m.Result = Perform(CM_MOUSEWHEEL, m.WParam, m.LParam);
    if (m.Result) return;
    break;
  case WM_NCMOUSEMOVE: {
    // The frame is part of the control: the mouse enters through it, and leaving through it is leaving.
    MouseEnter();
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | TME_NONCLIENT, handle_, 0};
    TrackMouseEvent(&track);
    break;
  }
  case WM_MOUSELEAVE:
  case WM_NCMOUSELEAVE:
    if (!CursorOverWindow() && (g_mouseControl == this || (g_mouseControl && g_mouseControl->Parent() == this &&
                                                           !dynamic_cast<TWinControl *>(g_mouseControl))))
      g_mouseControl->MouseLeave();
    break;
  case WM_SETFOCUS:
    if (TCustomForm *form = ParentForm(); form && form != this) form->FocusControlChanged(this);
    break;
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN:
  case WM_KEYUP:
  case WM_SYSKEYUP: {
    WORD key = static_cast<WORD>(m.WParam);
    if (m.Msg == WM_KEYDOWN || m.Msg == WM_SYSKEYDOWN)
      KeyDown(key, KeyboardShiftState());
    else
      KeyUp(key, KeyboardShiftState());
    if (key == 0) return; // the handler consumed the key
    m.WParam = key;
    break;
  }
  case WM_CHAR: {
    char16_t key = static_cast<char16_t>(m.WParam);
    KeyPress(key);
    if (key == 0) return;
    m.WParam = key;
    break;
  }
  case WM_SIZE:
  case WM_MOVE:
    if (handle_ && !(ControlState() & csCreating)) {
      RECT before = clientSize_;
      ReadBoundsFromWindow();
      if (m.Msg == WM_SIZE) {
        ApplyAnchors(LOWORD(m.LParam) - before.right, HIWORD(m.LParam) - before.bottom);
        clientSize_ = {0, 0, LOWORD(m.LParam), HIWORD(m.LParam)};
        AlignControls();
      }
    }
    break;
  case CM_ENTER: DoEnter(); break;
  case CM_EXIT: DoExit(); break;
  case CM_SHOWINGCHANGED: ShowingChanged(); return;
  case CM_FOCUSCHANGED:
  case CM_BUTTONPRESSED:
  case CM_DIALOGCHAR:
    // Broadcast to the children (a dialog character until one answers).
    for (TControl *c : std::vector<TControl *>(controls_)) {
      m.Result = c->Perform(m.Msg, m.WParam, m.LParam);
      if (m.Result && m.Msg == CM_DIALOGCHAR) return;
    }
    return;
  }
  if (IsMouseMessage(m.Msg)) {
    if (m.Msg == WM_MOUSEMOVE) {
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
      TrackMouseEvent(&track);
    }
    if (RouteMouseToChild(m)) return;
  }
  TControl::WndProc(m);
}

void TWinControl::DefaultHandler(TMessage &m) {
  // The toolkit's own notifications and reflections are unknown to the system classes: they answer 0.
  if (!handle_ || (m.Msg >= CM_FOCUSCHANGED && m.Msg <= 0xBFFF)) return;
  m.Result = CallWindowProcW(defWndProc_, handle_, m.Msg, m.WParam, m.LParam);
}

// ===================================================================================== TGraphicControl

const TMetaClass &TGraphicControl::StaticMetaClass() {
  return DefineClass<TGraphicControl, TControl>("TGraphicControl");
}

TGraphicControl::TGraphicControl(TComponent *owner) : TControl(owner), canvas_(*this) {}

TGraphicControl::~TGraphicControl() { ReleaseLinks(); }

void TGraphicControl::ControlCanvas::CreateHandle() {
  TWinControl *parent = control_.Parent();
  if (!parent || !parent->HandleAllocated()) return;
  HDC dc = ownDC_.emplace(parent->Handle()).Get();
  SetViewportOrgEx(dc, control_.Left(), control_.Top(), nullptr);
  IntersectClipRect(dc, 0, 0, control_.Width(), control_.Height());
  SetHandle(dc);
}

void TGraphicControl::ControlCanvas::Release() {
  if (!ownDC_) return;
  SetHandle(nullptr);
  ownDC_.reset();
}

void TGraphicControl::WndProc(TMessage &m) {
  if (m.Msg == WM_PAINT) {
    canvas_.Release();
    {
      CanvasHandleScope scope(canvas_, reinterpret_cast<HDC>(m.WParam));
      Paint();
    }
    return TControl::WndProc(m);
  }
  TControl::WndProc(m);
  canvas_.Release();
}

// ====================================================================================== TCustomControl

const TMetaClass &TCustomControl::StaticMetaClass() {
  return DefineClass<TCustomControl, TWinControl>("TCustomControl");
}

TCustomControl::TCustomControl(TComponent *owner) : TWinControl(owner) {}

void TCustomControl::PaintWindow(HDC dc) {
  CanvasHandleScope scope(canvas_, dc);
  Paint();
}
