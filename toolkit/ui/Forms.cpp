#include "toolkit/ui/Forms.h"

#include <objbase.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "toolkit/base/MetaClass.h"
#include "toolkit/base/Prompts.h"
#include "toolkit/ui/ErrorPath.h"
#include "toolkit/ui/Menus.h"
#include "toolkit/ui/StandardClasses.h"
#include "toolkit/base/win/Win32Text.h"

namespace {
// Posted to the application window to free a form that asked for it (Release).
constexpr UINT WM_RELEASEFORM = WM_APP + 1;
// Posted to the application window when an error waits to be reported.
constexpr UINT WM_REPORTPENDING = WM_APP + 2;
} // namespace

// =============================================================================================== TIcon

const TMetaClass &TIcon::StaticMetaClass() { return DefineClass<TIcon, TPersistent>("TIcon"); }

TIcon::~TIcon() { SetHandle(nullptr); }

void TIcon::SetHandle(HICON icon, bool owned) {
  if (owned_ && handle_ && handle_ != icon) DestroyIcon(handle_);
  handle_ = icon;
  owned_ = owned;
}

void TIcon::Assign(const TPersistent &source) {
  auto *other = dynamic_cast<const TIcon *>(&source);
  if (!other) return TPersistent::Assign(source);
  SetHandle(other->handle_ ? CopyIcon(other->handle_) : nullptr, other->handle_ != nullptr);
}

const TMetaClass &TSizeConstraints::StaticMetaClass() {
  return DefineClass<TSizeConstraints, TPersistent>("TSizeConstraints", [](TClassBuilder<TSizeConstraints> &c) {
    c.Int("MinWidth", [](TSizeConstraints &s, int v) { s.MinWidth = v; });
    c.Int("MinHeight", [](TSizeConstraints &s, int v) { s.MinHeight = v; });
    c.Int("MaxWidth", [](TSizeConstraints &s, int v) { s.MaxWidth = v; });
    c.Int("MaxHeight", [](TSizeConstraints &s, int v) { s.MaxHeight = v; });
  });
}

// ========================================================================================= TCustomForm

const TMetaClass &TCustomForm::StaticMetaClass() {
  return DefineClass<TCustomForm, TWinControl>("TCustomForm", [](TClassBuilder<TCustomForm> &c) {
    c.Enum<TFormBorderStyle>("BorderStyle", &TCustomForm::SetBorderStyle,
                             {{"bsNone", int(TFormBorderStyle::bsNone)},
                              {"bsSingle", int(TFormBorderStyle::bsSingle)},
                              {"bsSizeable", int(TFormBorderStyle::bsSizeable)},
                              {"bsDialog", int(TFormBorderStyle::bsDialog)},
                              {"bsToolWindow", int(TFormBorderStyle::bsToolWindow)},
                              {"bsSizeToolWin", int(TFormBorderStyle::bsSizeToolWin)}});
    c.Set("BorderIcons", &TCustomForm::SetBorderIcons,
          {{"biSystemMenu", biSystemMenu}, {"biMinimize", biMinimize}, {"biMaximize", biMaximize}, {"biHelp", biHelp}});
    c.Enum<TPosition>("Position", &TCustomForm::SetPosition,
                      {{"poDesigned", int(TPosition::poDesigned)},
                       {"poDefault", int(TPosition::poDefault)},
                       {"poDefaultPosOnly", int(TPosition::poDefaultPosOnly)},
                       {"poDefaultSizeOnly", int(TPosition::poDefaultSizeOnly)},
                       {"poScreenCenter", int(TPosition::poScreenCenter)},
                       {"poDesktopCenter", int(TPosition::poDesktopCenter)},
                       {"poMainFormCenter", int(TPosition::poMainFormCenter)},
                       {"poOwnerFormCenter", int(TPosition::poOwnerFormCenter)}});
    c.Enum<TFormStyle>("FormStyle", &TCustomForm::SetFormStyle,
                       {{"fsNormal", int(TFormStyle::fsNormal)},
                        {"fsMDIChild", int(TFormStyle::fsMDIChild)},
                        {"fsMDIForm", int(TFormStyle::fsMDIForm)},
                        {"fsStayOnTop", int(TFormStyle::fsStayOnTop)}});
    c.Enum<TWindowState>("WindowState", &TCustomForm::SetWindowState,
                         {{"wsNormal", int(TWindowState::wsNormal)},
                          {"wsMinimized", int(TWindowState::wsMinimized)},
                          {"wsMaximized", int(TWindowState::wsMaximized)}});
    c.Object("Constraints", [](TCustomForm &f) { return &f.Constraints(); });
    c.Bool("Scaled", &TCustomForm::SetScaled);
    c.Bool("AutoScroll", &TCustomForm::SetAutoScroll);
    c.Bool("KeyPreview", &TCustomForm::SetKeyPreview);
    c.Int("PixelsPerInch", &TCustomForm::SetPixelsPerInch);
    c.Int("TextHeight", &TCustomForm::SetTextHeight);
    c.Reference<TWinControl>("ActiveControl", &TCustomForm::SetActiveControl);
    c.Event("OnCreate", &TCustomForm::OnCreate);
    c.Event("OnDestroy", &TCustomForm::OnDestroy);
    c.Event("OnShow", &TCustomForm::OnShow);
    c.Event("OnHide", &TCustomForm::OnHide);
    c.Event("OnPaint", &TCustomForm::OnPaint);
    c.Event("OnActivate", &TCustomForm::OnActivate);
    c.Event("OnDeactivate", &TCustomForm::OnDeactivate);
    c.Event("OnClose", &TCustomForm::OnClose);
    c.Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
  });
}

TCustomForm::TCustomForm(TComponent *owner) : TWinControl(owner) {
  TControl::SetVisible(false);
  SetParentFont(false);
  SetColor(clBtnFace);
  SetControlStyleFlags(csAcceptsControls, true);
  SetBounds(0, 0, 320, 240);
  ScreenInstance().forms_.push_back(this);
}

TCustomForm::~TCustomForm() {
  if (OnDestroy) GuardCallback([&] { OnDestroy(this); });
  ReleaseLinks();
  auto &screen = ScreenInstance();
  std::erase(screen.forms_, this);
  if (screen.lastActive_ == this) screen.lastActive_ = nullptr;
}

void TCustomForm::ReadLayout(std::string_view layoutText) {
  SetControlStateFlags(csReadingState, true);
  try {
    LayoutReader::Read(*this, layoutText);
  } catch (...) {
    SetControlStateFlags(csReadingState, false);
    throw;
  }
  SetControlStateFlags(csReadingState, false);
  DoCreate();
  // A form stored as visible appears once it is created.
  if (Visible()) UpdateShowing();
}

void TCustomForm::Loaded() {
  TWinControl::Loaded();
  int width = std::exchange(pendingClientWidth_, -1), height = std::exchange(pendingClientHeight_, -1);
  if (width >= 0) SetClientSize(width, height);
}

void TCustomForm::DoCreate() {
  if (OnCreate) GuardCallback([&] { OnCreate(this); });
}

void TCustomForm::DoShow() {
  if (OnShow) GuardCallback([&] { OnShow(this); });
}

void TCustomForm::DoClose(TCloseAction &action) {
  if (OnClose) OnClose(this, action);
}

void TCustomForm::SetClientSize(int width, int height) {
  // While the layout is read the border style may still change: the size is applied in Loaded.
  if (IsReading()) {
    pendingClientWidth_ = width;
    pendingClientHeight_ = height;
    return;
  }
  TWinControl::SetClientSize(width, height);
}

RECT TCustomForm::ClientRect() const {
  if (pendingClientWidth_ >= 0) return {0, 0, pendingClientWidth_, pendingClientHeight_};
  return TWinControl::ClientRect();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == borderIcons_) return;
  borderIcons_ = icons;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle style) {
  formStyle_ = style;
  if (HandleAllocated())
    SetWindowPos(Handle(), style == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TWindowState TCustomForm::WindowState() const {
  if (!HandleAllocated()) return windowState_;
  HWND window = const_cast<TCustomForm *>(this)->Handle();
  return IsIconic(window)   ? TWindowState::wsMinimized
         : IsZoomed(window) ? TWindowState::wsMaximized
                            : TWindowState::wsNormal;
}

void TCustomForm::SetWindowState(TWindowState state) {
  windowState_ = state;
  if (HandleAllocated() && Showing())
    ShowWindow(Handle(), state == TWindowState::wsMinimized   ? SW_MINIMIZE
                         : state == TWindowState::wsMaximized ? SW_MAXIMIZE
                                                              : SW_RESTORE);
}

void TCustomForm::CreateParams(TCreateParams &p) {
  TWinControl::CreateParams(p);
  p.style &= ~(WS_CHILD | WS_TABSTOP);
  p.style |= WS_CLIPCHILDREN;
  // The main form stands on its own with the taskbar button; the others belong to it, so they stay above
  // it and go with it when it is minimised.
  TCustomForm *main = Application->MainForm();
  if (main == this) {
    p.wndParent = nullptr;
    p.exStyle |= WS_EX_APPWINDOW;
  } else {
    p.wndParent = main && main->HandleAllocated() ? main->Handle() : Application->Handle();
  }
  switch (borderStyle_) {
  case TFormBorderStyle::bsNone: p.style |= WS_POPUP; break;
  case TFormBorderStyle::bsSingle: p.style |= WS_CAPTION; break;
  case TFormBorderStyle::bsSizeable: p.style |= WS_CAPTION | WS_THICKFRAME; break;
  case TFormBorderStyle::bsDialog:
    p.style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    p.exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
    break;
  case TFormBorderStyle::bsToolWindow:
    p.style |= WS_CAPTION;
    p.exStyle |= WS_EX_TOOLWINDOW;
    break;
  case TFormBorderStyle::bsSizeToolWin:
    p.style |= WS_CAPTION | WS_THICKFRAME;
    p.exStyle |= WS_EX_TOOLWINDOW;
    break;
  }
  bool captioned = borderStyle_ != TFormBorderStyle::bsNone;
  if (captioned && (borderIcons_ & biSystemMenu)) {
    p.style |= WS_SYSMENU;
    bool plain = borderStyle_ != TFormBorderStyle::bsDialog && borderStyle_ != TFormBorderStyle::bsToolWindow &&
                 borderStyle_ != TFormBorderStyle::bsSizeToolWin;
    if (plain && (borderIcons_ & biMinimize)) p.style |= WS_MINIMIZEBOX;
    if (plain && (borderIcons_ & biMaximize)) p.style |= WS_MAXIMIZEBOX;
    if ((borderIcons_ & biHelp) && (!plain || !(borderIcons_ & (biMinimize | biMaximize))))
      p.exStyle |= WS_EX_CONTEXTHELP;
  }
  if (formStyle_ == TFormStyle::fsStayOnTop) p.exStyle |= WS_EX_TOPMOST;
  p.icon = icon_.Handle() ? icon_.Handle() : Application->Icon().Handle();
}

void TCustomForm::CreateHandleDone() {
  HICON big = icon_.Handle() ? icon_.Handle() : Application->Icon().Handle();
  HICON small = icon_.Handle() ? icon_.Handle() : Application->SmallIcon();
  SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void TCustomForm::DestroyWnd() {
  // The system destroys the windows a window owns along with it: the other forms move to the application
  // window first.
  for (TCustomForm *form : ScreenInstance().forms_)
    if (form != this && form->HandleAllocated() && GetWindow(form->Handle(), GW_OWNER) == Handle())
      SetWindowLongPtrW(form->Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(Application->Handle()));
  TWinControl::DestroyWnd();
}

void TCustomForm::PaintWindow(HDC dc) {
  CanvasHandleScope scope(canvas_, dc);
  Paint();
}

void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomForm::ApplyPosition() {
  if (shownOnce_) return;
  shownOnce_ = true;
  TCustomForm *center = nullptr;
  switch (position_) {
  case TPosition::poScreenCenter:
  case TPosition::poDesktopCenter:
    SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
    break;
  case TPosition::poMainFormCenter: center = Application->MainForm(); break;
  case TPosition::poOwnerFormCenter: center = dynamic_cast<TCustomForm *>(Owner()); break;
  default: break;
  }
  if (center && center != this)
    SetBounds(center->Left() + (center->Width() - Width()) / 2, center->Top() + (center->Height() - Height()) / 2,
              Width(), Height());
}

bool TCustomForm::PrepareShowingWithoutWindow() {
  // The show event runs before the windows are made: one that ends the program (a silent run) then costs
  // no windows at all, and whatever it needs a window for makes it on demand.
  DoShow();
  if (Application->TerminationRequested()) return false;
  showEventRan_ = true;
  return true;
}

void TCustomForm::ShowingChanged() {
  if (Showing()) {
    if (!std::exchange(showEventRan_, false)) DoShow();
    // A form shown while the program ends, or whose show event ended it (a silent run), would only flash.
    if (Application->TerminationRequested()) return;
    ApplyPosition();
    ShowWindow(Handle(), windowState_ == TWindowState::wsMinimized   ? SW_SHOWMINIMIZED
                         : windowState_ == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED
                                                                     : SW_SHOWNORMAL);
  } else {
    if (OnHide) GuardCallback([&] { OnHide(this); });
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
  }
}

void TCustomForm::SetActiveControl(TWinControl *control) {
  if (control == this) control = nullptr;
  activeControl_ = control;
  if (control && !IsReading() && Showing() && control->CanFocus() && HandleAllocated()) ::SetFocus(control->Handle());
}

void TCustomForm::FocusControlChanged(TWinControl *control) {
  if (control == activeControl_ && control->Focused()) {
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
    return;
  }
  TWinControl *old = activeControl_;
  activeControl_ = control;
  if (old && old != control) old->Perform(CM_EXIT);
  control->Perform(CM_ENTER);
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

void TCustomForm::SelectNext(TWinControl *current, bool forward, bool checkTabStop) {
  if (TWinControl *next = FindNextControl(current, forward, checkTabStop)) next->SetFocus();
}

void TCustomForm::DialogKey(TMessage &m) {
  switch (m.WParam) {
  case VK_TAB:
    if (KeyboardShiftState() & (ssCtrl | ssAlt)) return;
    SelectNext(activeControl_, !(KeyboardShiftState() & ssShift), true);
    m.Result = 1;
    return;
  case VK_RETURN:
  case VK_ESCAPE:
    // The form's default or cancel button takes the key (TButton answers CM_DIALOGKEY).
    for (int i = 0; i < ComponentCount(); ++i)
      if (auto *c = dynamic_cast<TControl *>(Components(i));
          c && c != this && c->Perform(CM_DIALOGKEY, m.WParam, m.LParam)) {
        m.Result = 1;
        return;
      }
    // Forms without a layout own nothing: search the controls themselves.
    std::vector<TWinControl *> list;
    TabOrderList(list);
    for (TWinControl *w : list)
      if (w->Owner() != this && w->Perform(CM_DIALOGKEY, m.WParam, m.LParam)) {
        m.Result = 1;
        return;
      }
    return;
  }
}

void TCustomForm::WndProc(TMessage &m) {
  switch (m.Msg) {
  case WM_CLOSE: Close(); return;
  case WM_SYSCOMMAND:
    if ((m.WParam & 0xFFF0) == SC_MINIMIZE && Application->MainForm() == this) {
      Application->Minimize();
      return;
    }
    break;
  case WM_ACTIVATE:
    active_ = LOWORD(m.WParam) != WA_INACTIVE;
    if (active_) {
      ScreenInstance().lastActive_ = this;
      if (!activeControl_ || !activeControl_->CanFocus()) activeControl_ = FindNextControl(nullptr, true, true);
      if (activeControl_ && !HIWORD(m.WParam)) {
        ::SetFocus(activeControl_->Handle());
        activeControl_->Perform(CM_UIACTIVATE);
      } else {
        TWinControl::WndProc(m);
      }
      if (OnActivate) OnActivate(this);
    } else {
      if (TWinControl *focused = FindControl(GetFocus()); focused && focused->ParentForm() == this)
        activeControl_ = focused;
      if (OnDeactivate) OnDeactivate(this);
      TWinControl::WndProc(m);
    }
    return;
  case WM_GETMINMAXINFO: {
    TWinControl::WndProc(m);
    auto *info = reinterpret_cast<MINMAXINFO *>(m.LParam);
    if (constraints_.MinWidth > 0) info->ptMinTrackSize.x = constraints_.MinWidth;
    if (constraints_.MinHeight > 0) info->ptMinTrackSize.y = constraints_.MinHeight;
    if (constraints_.MaxWidth > 0) info->ptMaxTrackSize.x = constraints_.MaxWidth;
    if (constraints_.MaxHeight > 0) info->ptMaxTrackSize.y = constraints_.MaxHeight;
    return;
  }
  case CM_DIALOGKEY: DialogKey(m); return;
  }
  TWinControl::WndProc(m);
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  DoClose(action);
  if (action == TCloseAction::caNone) return;
  if (Application->MainForm() == this)
    Application->Terminate();
  else if (action == TCloseAction::caHide)
    Hide();
  else if (action == TCloseAction::caMinimize)
    SetWindowState(TWindowState::wsMinimized);
  else
    Release();
}

void TCustomForm::CloseModal() {
  TCloseAction action = TCloseAction::caHide;
  if (CloseQuery())
    DoClose(action);
  else
    action = TCloseAction::caNone;
  if (action == TCloseAction::caNone) modalResult_ = mrNone;
}

void TCustomForm::Release() {
  // Freed from the message loop, after the handler that asked has returned.
  Hide();
  PostMessageW(Application->Handle(), WM_RELEASEFORM, 0, reinterpret_cast<LPARAM>(this));
}

namespace {

// Disables the thread's other enabled, visible top-level windows while a modal form or box runs, and enables
// them again when it ends.
class DisabledWindows {
public:
  explicit DisabledWindows(HWND except) : except_(except) {
    EnumThreadWindows(GetCurrentThreadId(), &DisabledWindows::Visit, reinterpret_cast<LPARAM>(this));
  }
  ~DisabledWindows() {
    for (HWND window : windows_)
      if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  DisabledWindows(const DisabledWindows &) = delete;
  DisabledWindows &operator=(const DisabledWindows &) = delete;

private:
  static BOOL CALLBACK Visit(HWND window, LPARAM self) {
    auto *me = reinterpret_cast<DisabledWindows *>(self);
    if (window != me->except_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
      EnableWindow(window, FALSE);
      me->windows_.push_back(window);
    }
    return TRUE;
  }
  HWND except_;
  std::vector<HWND> windows_;
};

} // namespace

int TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || modal_) throw Exception("Cannot make a visible window modal");
  if (GetCapture()) {
    SendMessageW(GetCapture(), WM_CANCELMODE, 0, 0);
    ReleaseCapture();
  }
  // Whichever way the loop ends, also by an error: the form hides after the other windows are enabled
  // again (so one of them can take the activation) and the window active before gets it back.
  struct EndModal {
    TCustomForm &form;
    HWND previous;
    ~EndModal() {
      GuardCallback([&] { form.Hide(); });
      form.modal_ = false;
      if (previous && IsWindow(previous)) SetActiveWindow(previous);
    }
  } end{*this, GetActiveWindow()};
  modal_ = true;
  modalResult_ = mrNone;
  ModalLoopScope loop;
  ApplyPosition();
  DisabledWindows disabled(Handle());
  Show();
  do {
    // Once the program has ended, a form is not shown and nothing more comes to wait for.
    if (!Application->Terminated()) Application->HandleMessage();
    if (Application->Terminated())
      modalResult_ = mrCancel;
    else if (modalResult_ != mrNone)
      CloseModal();
  } while (modalResult_ == mrNone);
  return modalResult_;
}

const TMetaClass &TForm::StaticMetaClass() { return DefineClass<TForm, TCustomForm>("TForm"); }

// ======================================================================================== TApplication

namespace {
// The application while it lives; its window receives messages while it is still being constructed.
TApplication *g_application = nullptr;
} // namespace

LRESULT CALLBACK ApplicationWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!g_application || !g_application->handle_) return DefWindowProcW(window, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  GuardCallback([&] { g_application->hooks_.Dispatch(m); });
  return m.Result;
}

void TApplication::WndProc(TMessage &m) {
  switch (m.Msg) {
  case WM_RELEASEFORM: {
    auto *form = reinterpret_cast<TCustomForm *>(m.LParam);
    for (int i = 0; i < ComponentCount(); ++i)
      if (Components(i) == form) form->Free();
    return;
  }
  case WM_REPORTPENDING: return ReportPending();
  case WM_SETFOCUS:
    if (TCustomForm *form = FocusForm()) {
      ::SetFocus(form->Handle());
      return;
    }
    break;
  case WM_CLOSE:
    if (mainForm_) mainForm_->Close();
    return;
  case WM_COMMAND:
    if (m.LParam == 0 && HIWORD(m.WParam) == 0 && DispatchMenuCommand(LOWORD(m.WParam))) return;
    break;
  case WM_MEASUREITEM:
    if (DispatchMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT *>(m.LParam))) {
      m.Result = TRUE;
      return;
    }
    break;
  case WM_DRAWITEM:
    if (DispatchDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT *>(m.LParam))) {
      m.Result = TRUE;
      return;
    }
    break;
  }
  m.Result = DefWindowProcW(handle_, m.Msg, m.WParam, m.LParam);
}

const TMetaClass &TApplication::StaticMetaClass() { return DefineClass<TApplication, TComponent>("TApplication"); }

TApplication::TApplication() : TComponent(nullptr) {
  g_application = this;
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
  icon_.SetHandle(icon ? icon : LoadIconW(nullptr, IDI_APPLICATION));
  smallIcon_ = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  if (!smallIcon_) smallIcon_ = icon_.Handle();
  RegisterStandardClasses();
}

TApplication::~TApplication() {
  ReleaseLinks();
  if (handle_) DestroyWindow(handle_);
  g_application = nullptr;
  if (comInitialized_) CoUninitialize();
}

HWND TApplication::Handle() const {
  if (!handle_) CreateHandle();
  return handle_;
}

void TApplication::CreateHandle() const {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ApplicationWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = icon_.Handle();
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"TApplication";
  RegisterClassExW(&wc);
  // Zero-sized and never shown; a tool window, so that it cannot get a taskbar button of its own.
  handle_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"TApplication", Wide(title_).c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
}

void TApplication::Notification(TComponent *component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == mainForm_) mainForm_ = nullptr;
}

void TApplication::Initialize() {
  if (!comInitialized_) comInitialized_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

void TApplication::SetTitle(const std::string &title) {
  title_ = title;
  if (handle_) SetWindowTextW(handle_, Wide(title).c_str());
}

void TApplication::Run() {
  if (mainForm_ && !terminated_) mainForm_->Show();
  while (!terminated_)
    HandleMessage();
}

void TApplication::Terminate() {
  terminationRequested_ = true;
  PostQuitMessage(0);
}

bool TApplication::IsDialogMessage(MSG &msg) {
  bool key = msg.message == WM_KEYDOWN && (msg.wParam == VK_TAB || msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE);
  bool character = msg.message == WM_CHAR || msg.message == WM_SYSCHAR;
  if (!key && !character) return false;
  TWinControl *control = TWinControl::FindControl(msg.hwnd);
  TCustomForm *form = control ? control->ParentForm() : nullptr;
  if (!form || !form->Enabled()) return false;
  // A control that wants the key or the character for itself keeps it. Asked without the message, so that
  // system controls do not switch to their dialog-box behaviour: what they do not want is decided here.
  LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, 0);
  if (key) {
    // Tab is the control's when it wants tabs, Enter and Escape when it wants every key.
    if (code & (msg.wParam == VK_TAB ? DLGC_WANTTAB : DLGC_WANTALLKEYS)) return false;
    return form->Perform(CM_DIALOGKEY, msg.wParam, msg.lParam) != 0;
  }
  // Plain characters go to a control that types them; Alt+character is an accelerator everywhere.
  if (msg.message == WM_CHAR && (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS))) return false;
  return form->Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
}

void TApplication::Dispatch(MSG &msg) {
  if (IsDialogMessage(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

bool TApplication::ProcessMessage() {
  MSG msg;
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT)
    terminated_ = true;
  else
    GuardCallback([&] { Dispatch(msg); }); // the keys handled here call event handlers outside any window procedure
  return true;
}

void TApplication::HandleMessage() {
  if (!ProcessMessage()) WaitMessage();
}

void TApplication::ProcessMessages() {
  while (ProcessMessage()) {
  }
}

void TApplication::Minimize() {
  if (mainForm_ && mainForm_->HandleAllocated()) ShowWindow(mainForm_->Handle(), SW_MINIMIZE);
}

void TApplication::Restore() {
  if (mainForm_ && mainForm_->HandleAllocated()) ShowWindow(mainForm_->Handle(), SW_RESTORE);
}

void TApplication::HandleException(std::exception_ptr error) {
  pending_.push_back(std::move(error));
  if (reporting_ || InsideHookProcedure())
    PostMessageW(Handle(), WM_REPORTPENDING, 0, 0);
  else
    ReportPending();
}

void TApplication::ReportPending() {
  while (!pending_.empty() && !reporting_ && !InsideHookProcedure())
    ReportFirstPending();
}

void TApplication::HandleFinalException(std::exception_ptr error) {
  pending_.push_back(std::move(error));
  while (!pending_.empty())
    ReportFirstPending();
}

void TApplication::ReportFirstPending() {
  std::exception_ptr error = std::move(pending_.front());
  pending_.pop_front();
  const bool outer = std::exchange(reporting_, true);
  struct Done {
    bool &reporting;
    bool outer;
    ~Done() { reporting = outer; }
  } done{reporting_, outer};
  if (OnException) return OnException(error);
  try {
    std::rethrow_exception(error);
  } catch (const std::exception &e) {
    ShowException(e.what());
  } catch (...) {
    ShowException("Unknown error");
  }
}

HWND TApplication::ActiveFormHandle() const {
  HWND active = GetActiveWindow();
  if (active && active != handle_ && IsWindowVisible(active) && IsWindowEnabled(active)) return active;
  if (mainForm_ && mainForm_->HandleAllocated() && IsWindowVisible(mainForm_->Handle())) return mainForm_->Handle();
  return Handle();
}

TCustomForm *TApplication::FocusForm() const {
  for (TCustomForm *form : {Screen->LastActiveForm(), mainForm_})
    if (form && form->HandleAllocated() && IsWindowVisible(form->Handle()) && IsWindowEnabled(form->Handle()))
      return form;
  return nullptr;
}

void TApplication::ShowException(const std::string &message) {
  std::string text = ErrorReportText(message);
  if (PromptStandIn *standIn = CurrentPromptStandIn()) return standIn->ErrorReport(text, title_);
  // Modal for the whole program: the box disables its owner itself (and enables it before it closes, so
  // the activation comes back to it), every other window of ours is disabled here.
  HWND owner = ActiveFormHandle();
  ModalLoopScope loop;
  DisabledWindows disabled(owner);
  MessageBoxW(owner, Wide(text).c_str(), Wide(title_).c_str(), MB_OK | MB_ICONERROR);
}

// ============================================================================================= TScreen

const TMetaClass &TScreen::StaticMetaClass() { return DefineClass<TScreen, TComponent>("TScreen"); }

void TScreen::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  POINT p;
  GetCursorPos(&p);
  SetCursorPos(p.x, p.y); // makes the window under the mouse ask for its cursor again
  ::SetCursor(CursorHandle(cursor == crDefault ? crArrow : cursor));
}

TCustomForm *TScreen::ActiveForm() const {
  HWND active = GetActiveWindow();
  for (TCustomForm *f : forms_)
    if (f->HandleAllocated() && f->Handle() == active) return f;
  return nullptr;
}

TScreen &ScreenInstance() {
  static TScreen screen;
  return screen;
}

TApplication &ApplicationInstance() {
  // Made after the screen, so it is destroyed first: its forms leave the screen's list on the way.
  ScreenInstance();
  static TApplication application;
  return application;
}

std::string LoadLayoutResource(const std::string &name) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, Wide(name).c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const char *data = loaded ? static_cast<const char *>(LockResource(loaded)) : nullptr;
  if (!data) throw EResNotFound(name);
  return std::string(data, SizeofResource(module, resource));
}
