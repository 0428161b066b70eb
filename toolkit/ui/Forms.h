#pragma once
// Forms (top-level windows, optionally built from a stored layout), the application object with its
// hidden "TApplication" window and message loop, and the screen.

#include <windows.h>

#include <deque>
#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/base/DialogTypes.h"
#include "toolkit/base/LayoutReader.h"
#include "toolkit/ui/Controls.h"

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : uint32_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = uint32_t;
enum class TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject *sender, TCloseAction &action)>;
using TCloseQueryEvent = std::function<void(TObject *sender, bool &canClose)>;

// An icon handle; icons loaded from resources are shared and never destroyed.
class TIcon : public TPersistent {
  TK_CLASS(TIcon)
public:
  ~TIcon() override;
  HICON Handle() const { return handle_; }
  // Takes an icon; owned icons are destroyed when replaced.
  void SetHandle(HICON icon, bool owned = false);
  bool Empty() const { return handle_ == nullptr; }
  void Assign(const TPersistent &source) override;

private:
  HICON handle_ = nullptr;
  bool owned_ = false;
};

// Minimum and maximum outer size of a form; 0 means no limit.
class TSizeConstraints : public TPersistent {
  TK_CLASS(TSizeConstraints)
public:
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
};

class TCustomForm : public TWinControl {
  TK_CLASS(TCustomForm)
public:
  explicit TCustomForm(TComponent *owner);
  ~TCustomForm() override;

  // Reads the stored layout into this form (see Layout.h), then raises OnCreate. Errors in the layout
  // propagate; errors in OnCreate go to the application's error report.
  void ReadLayout(std::string_view layoutText);

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle style);
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);
  TIcon &Icon() { return icon_; }
  TSizeConstraints &Constraints() { return constraints_; }
  TCanvas &Canvas() { return canvas_; }
  bool Scaled() const { return scaled_; }
  void SetScaled(bool v) { scaled_ = v; }
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool v) { autoScroll_ = v; }
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool v) { keyPreview_ = v; }
  void SetPixelsPerInch(int v) { pixelsPerInch_ = v; }
  void SetTextHeight(int v) { textHeight_ = v; }

  void SetClientSize(int width, int height) override;
  RECT ClientRect() const override;

  TWinControl *ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl *control);
  // Moves the focus to the next (or previous) tab stop after current.
  void SelectNext(TWinControl *current, bool forward, bool checkTabStop);
  // True while this form is the active window.
  bool Active() const { return active_; }
  bool Modal() const { return modal_; }

  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  // Shows the form and runs a message loop with the thread's other windows disabled until ModalResult
  // becomes non-zero; returns it.
  virtual int ShowModal();
  // OnCloseQuery, then OnClose; a modal form gets ModalResult mrCancel, the main form ends the application.
  void Close();
  bool CloseQuery();
  void Release();

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnPaint;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  // Called by controls when one of them receives the focus.
  void FocusControlChanged(TWinControl *control);

protected:
  void WndProc(TMessage &message) override;
  void CreateParams(TCreateParams &params) override;
  void CreateHandleDone() override;
  void DestroyWnd() override;
  void PaintWindow(HDC dc) override;
  void ShowingChanged() override;
  bool PrepareShowingWithoutWindow() override;
  void Loaded() override;
  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoClose(TCloseAction &action);
  virtual void Paint();

private:
  void CloseModal();
  void ApplyPosition();
  void DialogKey(TMessage &message);

  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TPosition position_ = TPosition::poDesigned;
  TFormStyle formStyle_ = TFormStyle::fsNormal;
  TWindowState windowState_ = TWindowState::wsNormal;
  TIcon icon_;
  TSizeConstraints constraints_;
  TCanvas canvas_;
  bool scaled_ = true, autoScroll_ = false, keyPreview_ = false;
  int pixelsPerInch_ = 96, textHeight_ = 13;
  TWinControl *activeControl_ = nullptr;
  bool active_ = false, modal_ = false, shownOnce_ = false, showEventRan_ = false;
  int modalResult_ = mrNone;
  // A client size stored before the styles it depends on were all read.
  int pendingClientWidth_ = -1, pendingClientHeight_ = -1;
};

class TForm : public TCustomForm {
  TK_CLASS(TForm)
public:
  explicit TForm(TComponent *owner) : TCustomForm(owner) {}
};

class TApplication : public TComponent {
  TK_CLASS(TApplication)
public:
  TApplication();
  ~TApplication() override;

  // COM for this thread (single-threaded apartment).
  void Initialize();
  // The hidden window of class "TApplication": it takes the program's own messages, owns the forms made
  // before the main form has a window, and hands the focus on to the forms. It never shows: the main form
  // is the program's window on the taskbar, and other forms belong to it. Made when first asked for, so a
  // run that shows nothing (a silent install) makes no window at all.
  HWND Handle() const;
  // The window that modal boxes and popup menus belong to: the active window of ours, else the main form
  // when it shows, else the application window.
  HWND ActiveFormHandle() const;
  const std::string &Title() const { return title_; }
  void SetTitle(const std::string &title);
  TIcon &Icon() { return icon_; }
  // The icon at the size of a title bar.
  HICON SmallIcon() const { return smallIcon_; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v) { showHint_ = v; }
  TCustomForm *MainForm() const { return mainForm_; }
  void Notification(TComponent *component, TOperation operation) override;

  // Creates a form owned by the application, reads its layout and raises its OnCreate. The first
  // form created becomes the main form.
  template <class T> T *CreateForm(std::string_view layoutText);
  template <class T> T *CreateForm();

  // Shows the main form and handles messages until Terminate.
  void Run();
  // Asks the message loop to end once the current handler has returned and the queued messages are
  // handled (like PostQuitMessage).
  void Terminate();
  // True once Terminate was asked for; Terminated once the loop has got to it.
  bool TerminationRequested() const { return terminationRequested_; }
  bool Terminated() const { return terminated_; }
  // Handles one message, or waits until one arrives when none is queued.
  void HandleMessage();
  // Handles every message already queued, without waiting.
  void ProcessMessages();
  // Minimises the program (its main form, with the windows that belong to it) and restores it.
  void Minimize();
  void Restore();

  // Reports an exception that escaped an event handler: OnException when set, else the default error
  // report. Execution continues afterwards. While a report is showing, or inside a hook procedure, the
  // error waits and is reported from the message loop once that is over (see ErrorPath.h).
  void HandleException(std::exception_ptr error);
  // Reports an error that ends the program: the errors still waiting, then this one, at once, whatever
  // report or hook procedure is in progress.
  void HandleFinalException(std::exception_ptr error);
  // The default error report: a box modal for the whole program, owned by its active window.
  void ShowException(const std::string &message);
  std::function<void(std::exception_ptr)> OnException;

  // The hooks in front of the application window's own handling.
  TWindowHookChain &WindowHooks() { return hooks_; }

private:
  friend LRESULT CALLBACK ApplicationWindowProc(HWND, UINT, WPARAM, LPARAM);
  template <class T> T *AddForm(T *form, std::string_view layoutText, bool hasLayout);
  void CreateHandle() const;
  // The application window's own handling, after its hooks.
  void WndProc(TMessage &m);
  // Keyboard navigation a form does for its controls: Tab, Enter, Escape and accelerator characters.
  bool IsDialogMessage(MSG &msg);
  // Handles one queued message (WM_QUIT ends the loop); false when the queue was empty.
  bool ProcessMessage();
  void Dispatch(MSG &msg);
  // Reports the waiting errors in order, unless a report is showing or a hook procedure runs.
  void ReportPending();
  void ReportFirstPending();
  // The form that should have the focus when the application window is given it.
  TCustomForm *FocusForm() const;

  mutable HWND handle_ = nullptr;
  std::string title_;
  TIcon icon_;
  HICON smallIcon_ = nullptr;
  bool showHint_ = true;
  bool terminationRequested_ = false;
  bool terminated_ = false;
  bool comInitialized_ = false;
  TCustomForm *mainForm_ = nullptr;
  std::deque<std::exception_ptr> pending_;
  bool reporting_ = false;
  TWindowHookChain hooks_{[this](TMessage &m) { WndProc(m); }};
};

class TScreen : public TComponent {
  TK_CLASS(TScreen)
public:
  TScreen() : TComponent(nullptr) {}
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm *Forms(int index) const { return forms_.at(static_cast<size_t>(index)); }
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  // The form whose window is active; null when the active window is not a form.
  TCustomForm *ActiveForm() const;
  // The form that was active last; null when none was or it is gone.
  TCustomForm *LastActiveForm() const { return lastActive_; }

private:
  friend class TCustomForm;
  std::vector<TCustomForm *> forms_;
  TCustomForm *lastActive_ = nullptr;
  TCursor cursor_ = crDefault;
};

// The process-wide application and screen, made on first use.
TApplication &ApplicationInstance();
TScreen &ScreenInstance();
struct ApplicationAccess {
  TApplication *operator->() const { return &ApplicationInstance(); }
  operator TApplication *() const { return &ApplicationInstance(); }
};
struct ScreenAccess {
  TScreen *operator->() const { return &ScreenInstance(); }
};
inline constexpr ApplicationAccess Application;
inline constexpr ScreenAccess Screen;

// The text of an RCDATA resource of the running program (the stored layout of a form); raises
// EResNotFound.
std::string LoadLayoutResource(const std::string &name);

template <class T> T *TApplication::AddForm(T *form, std::string_view layoutText, bool hasLayout) {
  if (!mainForm_) mainForm_ = form;
  try {
    if (hasLayout) form->ReadLayout(layoutText);
  } catch (...) {
    if (mainForm_ == form) mainForm_ = nullptr;
    form->Free();
    throw;
  }
  return form;
}

template <class T> T *TApplication::CreateForm(std::string_view layoutText) {
  return AddForm(TComponent::Create<T>(this), layoutText, true);
}

template <class T> T *TApplication::CreateForm() { return AddForm(TComponent::Create<T>(this), {}, false); }
