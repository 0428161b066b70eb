#include "toolkit/ui/WindowHooks.h"

#include <algorithm>

TWindowHookChain::~TWindowHookChain() {
  for (Entry &entry : entries_)
    if (entry.hook) entry.hook->chain_ = nullptr;
}

void TWindowHookChain::Dispatch(TMessage &m) {
  struct Running {
    TWindowHookChain &chain;
    explicit Running(TWindowHookChain &c) : chain(c) { ++chain.running_; }
    ~Running() {
      if (--chain.running_ > 0 || !chain.erasePending_) return;
      chain.erasePending_ = false;
      std::erase_if(chain.entries_, [](const Entry &entry) { return entry.hook == nullptr; });
    }
  } running(*this);
  RunFrom(entries_.begin(), m);
}

void TWindowHookChain::RunFrom(Position from, TMessage &m) {
  for (Position at = from; at != entries_.end(); ++at)
    if (at->hook) return at->proc(m, TWindowHookNext(*this, at));
  handler_(m);
}

int TWindowHookChain::Count() const {
  return static_cast<int>(std::count_if(entries_.begin(), entries_.end(), [](const Entry &e) { return e.hook; }));
}

void TWindowHookChain::Erase(Position at) {
  // A message running through the chain may stand at this entry or pass it later: it stays until none runs.
  if (running_ > 0) {
    at->hook = nullptr;
    erasePending_ = true;
  } else {
    entries_.erase(at);
  }
}

void TWindowHook::Attach(TWindowHookChain &chain, TWindowHookProc proc) {
  if (chain_ == &chain) {
    // Replacing the procedure of a running message in place would destroy it under its caller.
    TWindowHookChain::Position old = entry_;
    entry_ = chain.entries_.insert(old, {this, std::move(proc)});
    chain.Erase(old);
    return;
  }
  Detach();
  entry_ = chain.entries_.insert(chain.entries_.begin(), {this, std::move(proc)});
  chain_ = &chain;
}

void TWindowHook::Detach() {
  if (!chain_) return;
  chain_->Erase(entry_);
  chain_ = nullptr;
}
