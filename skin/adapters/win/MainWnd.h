#pragma once
// Window adapters give an existing window the skin's look without changing its window class: an adapter
// is attached to the window, sees its messages first, paints what the skin owns and passes the rest on.
// TacMainWnd is the base of every adapter: hooking in and out, the "ACSBSC" window property through which
// an adapter is found, and the answers to the skin commands.
//
// An owner (a frame provider, a skinned control, the control adapter) makes an adapter with Create and
// keeps the returned pointer; freeing it unhooks the adapter and gives the window its theme back:
//
//   std::unique_ptr<TacEditWnd> adapter = TacMainWnd::Create<TacEditWnd>({memo.Handle(), &memo.SkinData});
//
// A window that the toolkit made is hooked through its control's hook chain, any other window by
// subclassing. The skin data is the owner's (a control's or frame provider's, shared) or, when none is
// given, the adapter's own. When its window is destroyed first, the adapter unhooks itself and reports
// Destroyed(); the owner frees it and, when a new window comes, makes a new adapter.

#include <windows.h>

#include <memory>
#include <string>

#include "skin/engine/win/CommonData.h"
#include "toolkit/ui/WindowHooks.h"
#include "toolkit/ui/WindowSubclass.h"

// The window property that holds a window's adapter.
inline constexpr const wchar_t *AdapterProperty = L"ACSBSC";

struct TacAdapterSetup {
  HWND Window = nullptr;
  // The skin data of the control or frame provider that owns the window; null: the adapter makes its own.
  TsCommonData *SkinData = nullptr;
  // Given to the skin data when it names none ("EDIT"); "DIALOG" keeps the window's visual style.
  std::string Section{};
  // For the adapter's own skin data; null: the default manager.
  TsSkinManager *Manager = nullptr;
  // Scroll-bar adapters make the system lay the window's frame out again at once (else at its next change).
  bool RepaintNow = true;
  // The window is a child of a system dialog (its look follows the dialog's, not its parent's cache).
  bool DialogMode = false;
};

class TacMainWnd {
public:
  // Adapters are made only by Create, which hooks them in once they are whole.
  class Key {
    friend class TacMainWnd;
    Key() = default;
  };

  // An adapter of class T hooked into the window; null when the window does not exist or already has an
  // adapter (one per window: a second would stack its hook on the first).
  template <class T> static std::unique_ptr<T> Create(const TacAdapterSetup &setup) {
    if (!IsWindow(setup.Window) || Of(setup.Window)) return nullptr;
    auto adapter = std::make_unique<T>(Key{}, setup);
    adapter->Start();
    return adapter;
  }

  TacMainWnd(Key, const TacAdapterSetup &setup);
  virtual ~TacMainWnd();
  TacMainWnd(const TacMainWnd &) = delete;
  TacMainWnd &operator=(const TacMainWnd &) = delete;

  // The adapter that the window's "ACSBSC" property names, or null.
  static TacMainWnd *Of(HWND window);

  HWND Window() const { return window_; }
  TsCommonData &SkinData() const { return *data_; }
  // The skin data is the adapter's own, not a control's or frame provider's.
  bool OwnsSkinData() const { return ownData_ != nullptr; }
  TsSkinManager *Manager() const { return data_->SkinManager(); }
  bool DialogMode() const { return dialogMode_; }
  // The window went away first: the adapter is unhooked and waits to be freed.
  bool Destroyed() const { return destroyed_; }

protected:
  // The window's messages, first; what is not consumed goes on with CallPrevious.
  virtual void WndProc(TMessage &m);
  // The handling the adapter was put in front of; false when the adapter was freed meanwhile (then it
  // must not touch itself any more).
  bool CallPrevious(TMessage &m);
  // Stays true while the adapter lives: a derived class that lets its base pass a message on checks it.
  std::shared_ptr<const bool> AliveFlag() const { return alive_; }
  // Called once the adapter is hooked in.
  virtual void Started() {}
  // AC_SKINCLEARED: what the class set up for the skin goes.
  virtual void CleanUp() {}
  // AC_PREPAREPAINT: the cache image is painted anew.
  virtual void PrepareCache() {}
  // SM_TESSORACMD; true when consumed (the answer is in m).
  virtual bool HandleSkinCommand(TMessage &m);
  // Answers a skin query with value, in both LParam and Result; true, as the query is consumed.
  static bool AnswerQuery(TMessage &m, LPARAM value);
  // Unhooks, removes the property and gives the window its theme back; derived classes call it first in
  // their destructors when they still have work to do on an unhooked window. Idempotent.
  void Detach();

  bool SkinActive() const;
  // The window is gone or going (its control is being destroyed): nothing more is done to it.
  bool WindowGoing() const;
  bool FromOwnManager(const TMessage &m) const;
  // Painting waits: the skin data says so, or the parent window's background is being rebuilt.
  bool PaintSuspended() const;
  // Whether painting waits, kept in the skin data: a window that had to wait stays locked until its parent
  // has repainted (AC_PARENTREPAINT) and then repaints.
  bool PaintWaits();
  // Copies the whole cache image to dc at its origin.
  void CopyCacheTo(HDC dc) const;
  // The client area's origin in the window rectangle, which AC_QUERYCACHE publishes with the cache.
  POINT ClientOffset() const;
  // The window's place in its parent's client area.
  TPoint PositionInParent() const;
  // What item painting needs to know of the parent window.
  TsParentLink ParentLink() const;
  // The skin data's item data, its parent being the window's parent.
  TsItemData ItemData() const;

private:
  void Start();
  void Route(TMessage &m, const TWindowHookNext *next);
  void AnswerCache(TMessage &m) const;

  HWND window_;
  std::unique_ptr<TComponent> ownHost_;
  std::unique_ptr<TsCommonData> ownData_;
  TsCommonData *data_;
  bool keepsTheme_;
  bool dialogMode_;
  bool destroyed_ = false;
  TWindowHook hook_;
  std::unique_ptr<WindowSubclass> subclass_;
  // The way on for the message being handled through the hook chain.
  const TWindowHookNext *next_ = nullptr;
  // Turns false when the adapter is freed, so code running below a freed adapter can tell.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
