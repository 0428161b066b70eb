#pragma once
// Window-procedure hooks. A part that takes over some messages of a control (or of the application window)
// attaches a TWindowHook to the control's chain; the hook sees each message before the hooks attached
// earlier and the control's own handler, and passes on what it does not consume by calling next(m) —
// before, after or instead of its own work.
//
// Hooks have an identity (the TWindowHook object): each can be detached in any order, also from inside
// its own message or while the chain runs a message through it; attaching a hook that is already attached
// to the chain keeps it once, at its place, with the new procedure. The chain is walked in place, never
// copied per message: a hook detached while messages run is skipped and erased once none runs.

#include <functional>
#include <list>

#include "toolkit/ui/Messages.h"

class TWindowHook;
class TWindowHookNext;

// What a hook does with a message; it calls next(m) to pass the message on.
using TWindowHookProc = std::function<void(TMessage &m, const TWindowHookNext &next)>;

// The hooks in front of one message handler, newest first.
class TWindowHookChain {
public:
  // handler: where a message goes after the last hook (the control's own WndProc).
  explicit TWindowHookChain(TWndMethod handler) : handler_(std::move(handler)) {}
  ~TWindowHookChain();
  TWindowHookChain(const TWindowHookChain &) = delete;
  TWindowHookChain &operator=(const TWindowHookChain &) = delete;

  // Runs the message through the hooks and the handler.
  void Dispatch(TMessage &m);
  // The number of hooks attached.
  int Count() const;

private:
  friend class TWindowHook;
  friend class TWindowHookNext;
  struct Entry {
    TWindowHook *hook; // null once detached, until no message runs
    TWindowHookProc proc;
  };
  using Position = std::list<Entry>::iterator;

  void RunFrom(Position from, TMessage &m);
  void Erase(Position at);

  TWndMethod handler_;
  std::list<Entry> entries_;
  int running_ = 0; // messages running through the chain (they nest)
  bool erasePending_ = false;
};

// Passes a message on to the hooks attached before the calling one, then the handler. Valid only during
// the message it came with.
class TWindowHookNext {
public:
  void operator()(TMessage &m) const { chain_.RunFrom(std::next(at_), m); }

private:
  friend class TWindowHookChain;
  TWindowHookNext(TWindowHookChain &chain, TWindowHookChain::Position at) : chain_(chain), at_(at) {}
  TWindowHookChain &chain_;
  TWindowHookChain::Position at_;
};

// One hook. Detaches when destroyed; the chain's owner going first detaches it too.
class TWindowHook {
public:
  TWindowHook() = default;
  ~TWindowHook() { Detach(); }
  TWindowHook(const TWindowHook &) = delete;
  TWindowHook &operator=(const TWindowHook &) = delete;

  // Puts the hook in front of the chain's hooks; already on this chain, it stays where it is with proc.
  // Moves it from another chain.
  void Attach(TWindowHookChain &chain, TWindowHookProc proc);
  void Detach();
  bool Attached() const { return chain_ != nullptr; }

private:
  friend class TWindowHookChain;
  TWindowHookChain *chain_ = nullptr;
  TWindowHookChain::Position entry_;
};
