#pragma once
// The skin manager's animation settings: which mouse events fade buttons, and whether (and how long)
// dialogs, forms, pages and skin changes animate.

#include <cstdint>
#include <functional>

#include "toolkit/base/Component.h"

enum TacBtnEvent : uint8_t { beMouseEnter, beMouseLeave, beMouseDown, beMouseUp };
// A set of TacBtnEvent, bit (1 << event).
using TacBtnEvents = uint32_t;
constexpr TacBtnEvents AllBtnEvents = 0xF;

// The events that start the fade of buttons following the global setting. The default manager's
// AnimEffects.Buttons.Events write it; GUI thread only.
TacBtnEvents ButtonEventMask();
void SetButtonEventMask(TacBtnEvents events);

class TacAnimEffects;

class TacBtnEffects : public TPersistent {
  TK_CLASS(TacBtnEffects)
public:
  explicit TacBtnEffects(const TacAnimEffects &effects) : effects_(effects) {}
  // The process-wide mask for the default manager's effects, this manager's own set otherwise.
  TacBtnEvents Events() const;
  void SetEvents(TacBtnEvents events);

private:
  const TacAnimEffects &effects_;
  TacBtnEvents events_ = AllBtnEvents;
};

class TacFormAnimation : public TPersistent {
  TK_CLASS(TacFormAnimation)
public:
  explicit TacFormAnimation(uint16_t time = 0) : Time(time) {}
  bool Active = true;
  uint16_t Time; // milliseconds
};

class TacDialogShow : public TacFormAnimation {
  TK_CLASS(TacDialogShow)
public:
  TacDialogShow() : TacFormAnimation(100) {}
};
class TacFormShow : public TacFormAnimation {
  TK_CLASS(TacFormShow)
};
class TacPageChange : public TacFormAnimation {
  TK_CLASS(TacPageChange)
};
class TacSkinChanging : public TacFormAnimation {
  TK_CLASS(TacSkinChanging)
public:
  TacSkinChanging() : TacFormAnimation(100) {}
};

class TacAnimEffects : public TPersistent {
  TK_CLASS(TacAnimEffects)
public:
  // isDefault tells whether the owning manager is the default manager right now.
  explicit TacAnimEffects(std::function<bool()> isDefault) : isDefault_(std::move(isDefault)) {}
  bool BelongsToDefaultManager() const { return isDefault_ && isDefault_(); }

  TacBtnEffects Buttons{*this};
  TacDialogShow DialogShow;
  TacFormShow FormShow;
  TacPageChange PageChange;
  TacSkinChanging SkinChanging;

private:
  std::function<bool()> isDefault_;
};
